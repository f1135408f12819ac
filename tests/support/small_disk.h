#pragma once

#include <QString>

namespace kv {

// A real small file system (tmpfs) mounted on a folder for the test's lifetime. Mounting
// needs root; mounted() tells whether it worked.
class SmallDisk
{
public:
    explicit SmallDisk(const QString& folder, const QString& size = QStringLiteral("2m"));
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    // Makes the folder read-only: the mount when there is one, else its permissions (which
    // bind everyone but root). False when neither holds.
    bool makeReadOnly();
    // Takes the file system away at once, as a disc pulled from its drive: files already open
    // stay readable, nothing else is there any more.
    void vanish();

private:
    QString m_folder;
    QString m_size;
    bool m_mounted = false;
};

// Mounts the file `from` over the file `onto` (root only): `onto` can then be neither deleted
// nor replaced until unmount(). False when it could not be done.
bool bindFile(const QString& from, const QString& onto);
void unmount(const QString& path);

} // namespace kv
