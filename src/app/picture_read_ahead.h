#pragma once

#include "platform/image_loader.h"

#include <QFuture>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
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
// one before, and a few more kept ready for as long as asked (the first photo of every choice).
// One is handed out only while the file, its size and time on disk, the size asked for and the
// view's pixel ratio are all as they were when its read began, so a stale picture is never shown.
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
    // Keeps exactly these files ready at this size: those not kept yet are read, the others let go.
    void keep(const QStringList& reals, const QSize& size);
    bool keeps(const QString& real, const QSize& size) const;
    // The picture kept or read ahead for this file and size (waiting for it when it is being
    // read), or null images when there is none or the file has changed since. A kept picture
    // stays kept; one read ahead is handed out once.
    DisplayPicture take(const QString& real, const QSize& size);
    // As take, else the picture read here and now: a failed read ahead is tried again, so a
    // failure is the same as without one.
    DisplayPicture picture(const QString& real, const QSize& size);
    void discard();

    bool enabled = true; // off for measuring without it

private:
    qreal pixelRatio() const;
    DisplayPicture takeKept(const QString& real, const QSize& size);

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
    QHash<QString, Pending> m_kept;
};

} // namespace kv
