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

PooledRead::PooledRead(std::function<DisplayPicture()> read)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->read = std::move(read);
    m_future = QtConcurrent::run(&readAheadPool(), [shared = m_shared] {
        if (shared->claimed.exchange(true))
            return DisplayPicture();
        lowerThisThreadPriority();
        return shared->read();
    });
}

DisplayPicture PooledRead::result()
{
    if (m_readHere)
        return *m_readHere;
    if (!m_shared)
        return {};
    if (!m_shared->claimed.exchange(true)) {
        m_future.cancel();
        m_readHere = m_shared->read();
        return *m_readHere;
    }
    return m_future.result();
}

void PooledRead::cancel()
{
    if (m_shared)
        m_shared->claimed.store(true);
    m_future.cancel();
    m_readHere = DisplayPicture(); // nothing to hand out any more
}

PictureReadAhead::PictureReadAhead(Read read, const QWidget* view, QObject* parent)
    : QObject(parent)
    , m_read(std::move(read))
    , m_view(view)
{
}

PictureReadAhead::~PictureReadAhead()
{
    discard();
}

qreal PictureReadAhead::pixelRatio() const
{
    return m_view ? m_view->devicePixelRatioF() : 1.0;
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
    const qreal ratio = pixelRatio();
    m_ahead = Pending{real, size, ratio, stamp, PooledRead([read = m_read, real, size, ratio] {
        return read(real, size, ratio);
    })};
}

bool PictureReadAhead::holds(const QString& real, const QSize& size) const
{
    return m_ahead && m_ahead->path == real && m_ahead->size == size && m_ahead->ratio == pixelRatio();
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
    m_ahead->picture.cancel();
    m_ahead.reset();
}

} // namespace kv
