#include "support/small_disk.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace kv {

SmallDisk::SmallDisk(const QString& folder, const QString& size)
    : m_folder(folder)
    , m_size(QStringLiteral("size=") + size)
{
    QDir().mkpath(folder);
#ifdef Q_OS_LINUX
    if (::geteuid() == 0)
        m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                            m_size.toLatin1().constData()) == 0;
#endif
}

SmallDisk::~SmallDisk()
{
#ifdef Q_OS_LINUX
    if (m_mounted)
        unmount(m_folder);
#endif
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SmallDisk::vanish()
{
    unmount(m_folder);
    m_mounted = false;
}

bool bindFile(const QString& from, const QString& onto)
{
#ifdef Q_OS_LINUX
    return ::geteuid() == 0
        && ::mount(QFile::encodeName(from).constData(), QFile::encodeName(onto).constData(), nullptr, MS_BIND,
                   nullptr) == 0;
#else
    return false;
#endif
}

void unmount(const QString& path)
{
#ifdef Q_OS_LINUX
    ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
#endif
}

bool SmallDisk::makeReadOnly()
{
#ifdef Q_OS_LINUX
    if (m_mounted)
        return ::mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                       m_size.toLatin1().constData()) == 0;
    if (::geteuid() == 0)
        return false; // root writes through any permissions
#endif
    return QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
}

} // namespace kv
