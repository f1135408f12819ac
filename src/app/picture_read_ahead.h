#pragma once

#include "platform/image_loader.h"

#include <QFuture>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QThreadPool;

namespace kv {

// The thread pictures are read ahead on: one, at a lower priority than the user-interface
// thread, so that a read ahead never delays the paint of the picture before it.
QThreadPool& readAheadPool();
// `read` run there.
QFuture<DisplayPicture> readAheadOnPool(std::function<DisplayPicture()> read);

// The picture a window will show next, read on a worker thread while the user looks at the
// one before. Taken only while the file, its size and time on disk and the size asked for are
// all as they were when the read began, so a stale picture is never shown.
class PictureReadAhead : public QObject
{
    Q_OBJECT
public:
    using Read = std::function<DisplayPicture(const QString& path, const QSize& size)>;
    explicit PictureReadAhead(Read read, QObject* parent = nullptr);
    ~PictureReadAhead() override;

    void start(const QString& real, const QSize& size);
    // Whether a read of this file at this size is under way or done.
    bool holds(const QString& real, const QSize& size) const;
    bool active() const { return m_ahead.has_value(); }
    // The picture read ahead for this file and size (waiting for it when it is not ready), or
    // null images when there is none or the file has changed since.
    DisplayPicture take(const QString& real, const QSize& size);
    void discard();

    bool enabled = true; // off for measuring without it

private:
    struct Pending
    {
        QString path;
        QSize size;
        FileStamp stamp;
        QFuture<DisplayPicture> picture;
    };
    Read m_read;
    std::optional<Pending> m_ahead;
};

} // namespace kv
