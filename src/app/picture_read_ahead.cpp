#include "app/picture_read_ahead.h"

#include "platform/thread_priority.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace kv {

namespace {
struct OneThreadPool : QThreadPool
{
    OneThreadPool() { setMaxThreadCount(1); }
};
Q_GLOBAL_STATIC(OneThreadPool, pool)
} // namespace

QThreadPool& readAheadPool()
{
    return *pool;
}

QFuture<DisplayPicture> readAheadOnPool(std::function<DisplayPicture()> read)
{
    return QtConcurrent::run(&readAheadPool(), [read = std::move(read)] {
        lowerThisThreadPriority();
        return read();
    });
}

PictureReadAhead::PictureReadAhead(Read read, QObject* parent)
    : QObject(parent)
    , m_read(std::move(read))
{
}

PictureReadAhead::~PictureReadAhead()
{
    discard();
}

void PictureReadAhead::start(const QString& real, const QSize& size)
{
    if (holds(real, size))
        return;
    discard();
    if (!enabled || real.isEmpty())
        return;
    // The stamp is read before the read starts: a file rewritten meanwhile no longer matches.
    const FileStamp stamp = fileStamp(real);
    if (stamp.bytes < 0)
        return;
    m_ahead = Pending{real, size, stamp, readAheadOnPool([read = m_read, real, size] { return read(real, size); })};
}

bool PictureReadAhead::holds(const QString& real, const QSize& size) const
{
    return m_ahead && m_ahead->path == real && m_ahead->size == size;
}

DisplayPicture PictureReadAhead::take(const QString& real, const QSize& size)
{
    if (!holds(real, size)) {
        discard();
        return {};
    }
    Pending pending = std::move(*m_ahead);
    m_ahead.reset();
    const DisplayPicture picture = pending.picture.result();
    return fileStamp(real) == pending.stamp ? picture : DisplayPicture();
}

void PictureReadAhead::discard()
{
    if (!m_ahead)
        return;
    // One not yet started never runs; one running finishes unseen.
    m_ahead->picture.cancel();
    m_ahead.reset();
}

} // namespace kv
