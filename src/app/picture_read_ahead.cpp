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
    // Those not yet started never run; one running finishes unseen.
    discard();
    for (Pending& k : m_kept)
        k.picture.cancel();
}

qreal PictureReadAhead::pixelRatio() const
{
    return m_view ? m_view->devicePixelRatioF() : 1.0;
}

namespace {
// The stamp is read before the read starts: a file rewritten meanwhile no longer matches.
std::optional<FileStamp> stampBefore(const QString& real)
{
    const FileStamp stamp = fileStamp(real);
    return stamp.bytes < 0 ? std::nullopt : std::optional(stamp);
}
} // namespace

void PictureReadAhead::start(const QString& real, const QSize& size)
{
    if (holds(real, size))
        return;
    discard();
    if (!enabled || real.isEmpty())
        return;
    const std::optional<FileStamp> stamp = stampBefore(real);
    if (!stamp)
        return;
    const qreal ratio = pixelRatio();
    m_ahead = Pending{real, size, ratio, *stamp, PooledRead([read = m_read, real, size, ratio] {
        return read(real, size, ratio);
    })};
}

void PictureReadAhead::keep(const QStringList& reals, const QSize& size)
{
    const qreal ratio = pixelRatio();
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (it->size != size || it->ratio != ratio || !reals.contains(it.key())) {
            it->picture.cancel();
            it = m_kept.erase(it);
        } else {
            ++it;
        }
    }
    for (const QString& real : reals) {
        if (real.isEmpty() || m_kept.contains(real))
            continue;
        const std::optional<FileStamp> stamp = stampBefore(real);
        if (!stamp)
            continue;
        m_kept.insert(real, Pending{real, size, ratio, *stamp, PooledRead([read = m_read, real, size, ratio] {
            return read(real, size, ratio);
        })});
    }
}

bool PictureReadAhead::keeps(const QString& real, const QSize& size) const
{
    const auto it = m_kept.constFind(real);
    return it != m_kept.cend() && it->size == size && it->ratio == pixelRatio();
}

DisplayPicture PictureReadAhead::takeKept(const QString& real, const QSize& size)
{
    if (!keeps(real, size))
        return {};
    const auto it = m_kept.find(real);
    if (fileStamp(real) != it->stamp) {
        it->picture.cancel();
        m_kept.erase(it);
        return {};
    }
    return it->picture.result();
}

bool PictureReadAhead::holds(const QString& real, const QSize& size) const
{
    return m_ahead && m_ahead->path == real && m_ahead->size == size && m_ahead->ratio == pixelRatio();
}

DisplayPicture PictureReadAhead::take(const QString& real, const QSize& size)
{
    const bool ahead = holds(real, size);
    if (const DisplayPicture kept = takeKept(real, size); !kept.decoded.isNull())
        return kept;
    if (!ahead) {
        discard();
        return {};
    }
    Pending pending = std::move(*m_ahead);
    m_ahead.reset();
    const DisplayPicture picture = pending.picture.result();
    return fileStamp(real) == pending.stamp ? picture : DisplayPicture();
}

DisplayPicture PictureReadAhead::picture(const QString& real, const QSize& size)
{
    const DisplayPicture ready = take(real, size);
    return ready.decoded.isNull() ? m_read(real, size, pixelRatio()) : ready;
}

void PictureReadAhead::discard()
{
    if (!m_ahead)
        return;
    m_ahead->picture.cancel();
    m_ahead.reset();
}

} // namespace kv
