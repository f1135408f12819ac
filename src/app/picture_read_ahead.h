#pragma once

#include "platform/image_loader.h"

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThreadPool;

namespace kv {

// The thread pictures are read ahead on: one, at a lower priority than the user-interface
// thread, so that a read ahead never delays the paint of the picture before it.
QThreadPool& readAheadPool();

// A read handed to the read-ahead thread. Whoever comes first does it: the thread, or whoever
// wants the picture before the thread has begun it, who reads it at once rather than wait
// behind reads that are no longer wanted.
class PooledRead
{
public:
    PooledRead() = default;
    explicit PooledRead(std::function<DisplayPicture()> read);

    // The picture: waited for when the thread has begun it, read here when it has not.
    DisplayPicture result();
    // A read not yet begun never runs; one under way finishes unseen. The result is then null.
    void cancel();

private:
    struct Shared
    {
        std::atomic_bool claimed{false};
        std::function<DisplayPicture()> read;
    };
    std::shared_ptr<Shared> m_shared;
    QFuture<DisplayPicture> m_future;
    std::optional<DisplayPicture> m_readHere;
};

// The picture a window will show next, read on a worker thread while the user looks at the
// one before. Taken only while the file, its size and time on disk, the size asked for and the
// view's pixel ratio are all as they were when the read began, so a stale picture is never shown.
class PictureReadAhead : public QObject
{
    Q_OBJECT
public:
    using Read = std::function<DisplayPicture(const QString& path, const QSize& size, qreal pixelRatio)>;
    // `view` shows the pictures: its pixel ratio is read at each use, since the window may have
    // moved to another screen since the last.
    PictureReadAhead(Read read, const QWidget* view, QObject* parent = nullptr);
    ~PictureReadAhead() override;

    void start(const QString& real, const QSize& size);
    // Whether a read of this file at this size is under way or done.
    bool holds(const QString& real, const QSize& size) const;
    bool active() const { return m_ahead.has_value(); }
    // The picture read ahead for this file and size (waiting for it when it is being read), or
    // null images when there is none or the file has changed since.
    DisplayPicture take(const QString& real, const QSize& size);
    void discard();

    bool enabled = true; // off for measuring without it

private:
    qreal pixelRatio() const;

    struct Pending
    {
        QString path;
        QSize size;
        qreal ratio;
        FileStamp stamp;
        PooledRead picture;
    };
    Read m_read;
    QPointer<const QWidget> m_view;
    std::optional<Pending> m_ahead;
};

} // namespace kv
