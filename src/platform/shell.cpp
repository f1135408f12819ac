#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace kv {

QtShell::~QtShell() = default;

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

bool QtShell::runAndWait(const QString& commandLine)
{
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty())
        return false;
#ifndef Q_OS_WIN
    // A Windows installer cannot run here.
    if (args.first().endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return false;
#endif
    QProcess process;
    const QString program = args.takeFirst();
    process.start(program, args);
    if (!process.waitForStarted(5000))
        return false;
    while (process.state() != QProcess::NotRunning) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        process.waitForFinished(50);
    }
    return true;
}

void QtShell::releaseSingleInstance()
{
    if (m_lock)
        m_lock->unlock();
}

} // namespace kv
