#pragma once

#include "app/picture_read_ahead.h"

#include <QHash>

namespace kv {

// A few pictures kept ready for showing, each read once on the read-ahead thread. One is handed
// out only while its file's size and time on disk and the size asked for are as when its read
// began, so a stale picture is never shown.
class KeptPictures : public QObject
{
    Q_OBJECT
public:
    using Read = PictureReadAhead::Read;
    explicit KeptPictures(Read read, QObject* parent = nullptr);
    ~KeptPictures() override;

    // Keeps exactly these files at this size: those not yet kept are read, the others let go.
    void keep(const QStringList& reals, const QSize& size);
    // The picture kept for this file and size (waiting for its read when under way), or null
    // images when there is none or the file has changed since; a changed one is let go.
    DisplayPicture find(const QString& real, const QSize& size);
    bool holds(const QString& real, const QSize& size) const;

private:
    struct Kept
    {
        QSize size;
        FileStamp stamp;
        QFuture<DisplayPicture> picture;
    };
    Read m_read;
    QHash<QString, Kept> m_kept;
};

} // namespace kv
