#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <utility>

namespace kv {

QtShell::~QtShell()
{
    if (!m_programs)
        return;
    // Nobody is left to hear of their end.
    for (QObject* child : m_programs->children()) {
        if (auto* process = qobject_cast<QProcess*>(child)) {
            process->disconnect();
            process->kill();
            process->waitForFinished(3000);
        }
    }
}

QtShell::QtShell(const QString& lockFolder) : m_lockFolder(lockFolder) {}

bool QtShell::claimSingleInstance()
{
    QString dir = m_lockFolder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock = std::make_unique<QLockFile>(dir + QStringLiteral("/kelvardo-folivra.lock"));
    // Only a live process holds the lock; one left by a crash is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() != QLockFile::LockFailedError)
        return true; // no lock can be taken here at all: run unguarded rather than refuse
    qint64 pid = 0;
    QString host;
    QString app;
    if (m_lock->getLockInfo(&pid, &host, &app))
        return false; // Qt found the holder alive (a dead one is removed by tryLock)
    // Empty, garbage or unreadable: nobody can hold it. Remove it and try once more.
    if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return true;
    // Refuse only if another copy claimed it in between; otherwise run unguarded.
    const bool heldByLiveCopy =
        m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &app);
    return !heldByLiveCopy;
}

bool QtShell::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

void QtShell::run(const QString& commandLine, std::function<void(bool ran)> ended)
{
    QStringList args = QProcess::splitCommand(commandLine);
#ifndef Q_OS_WIN
    // A Windows installer cannot run here.
    if (!args.isEmpty() && args.first().endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        args.clear();
#endif
    if (args.isEmpty()) {
        if (ended)
            ended(false);
        return;
    }
    if (!m_programs)
        m_programs = std::make_unique<QObject>();
    auto* process = new QProcess(m_programs.get());
    auto once = std::make_shared<std::function<void(bool)>>(std::move(ended));
    auto end = [process, once](bool ran) {
        process->disconnect();
        process->deleteLater();
        if (auto tell = std::exchange(*once, nullptr))
            tell(ran);
    };
    QObject::connect(process, &QProcess::finished, process, [end] { end(true); });
    QObject::connect(process, &QProcess::errorOccurred, process, [end](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(false);
    });
    const QString program = args.takeFirst();
    process->start(program, args);
}

void QtShell::releaseSingleInstance()
{
    if (m_lock)
        m_lock->unlock();
}

} // namespace kv
