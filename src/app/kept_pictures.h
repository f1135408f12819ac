#pragma once

#include "app/picture_read_ahead.h"

#include <QHash>

namespace kv {

// A few pictures kept ready for showing, each read once on the read-ahead thread. One is handed
// out only while its file's size and time on disk, the size asked for and the view's pixel
// ratio are as when its read began, so a stale picture is never shown.
class KeptPictures : public QObject
{
    Q_OBJECT
public:
    using Read = PictureReadAhead::Read;
    // `view` shows the pictures: its pixel ratio is read at each use.
    KeptPictures(Read read, const QWidget* view, QObject* parent = nullptr);
    ~KeptPictures() override;

    // Keeps exactly these files at this size and the view's pixel ratio: those not yet kept are
    // read, the others let go.
    void keep(const QStringList& reals, const QSize& size);
    // The picture kept for this file and size (waiting for its read when under way), or null
    // images when there is none or the file has changed since; a changed one is let go.
    DisplayPicture find(const QString& real, const QSize& size);
    bool holds(const QString& real, const QSize& size) const;

private:
    struct Kept
    {
        QSize size;
        qreal ratio;
        FileStamp stamp;
        PooledRead picture;
    };
    qreal pixelRatio() const;

    Read m_read;
    QPointer<const QWidget> m_view;
    QHash<QString, Kept> m_kept;
};

} // namespace kv
