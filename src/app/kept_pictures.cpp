#include "app/kept_pictures.h"

namespace kv {

KeptPictures::KeptPictures(Read read, const QWidget* view, QObject* parent)
    : QObject(parent)
    , m_read(std::move(read))
    , m_view(view)
{
}

KeptPictures::~KeptPictures()
{
    // Those not yet started never run; one running finishes unseen.
    for (Kept& k : m_kept)
        k.picture.cancel();
}

qreal KeptPictures::pixelRatio() const
{
    return m_view ? m_view->devicePixelRatioF() : 1.0;
}

void KeptPictures::keep(const QStringList& reals, const QSize& size)
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
        // The stamp is read before the read starts: a file rewritten meanwhile no longer matches.
        const FileStamp stamp = fileStamp(real);
        if (stamp.bytes < 0)
            continue;
        m_kept.insert(real, Kept{size, ratio, stamp, PooledRead([read = m_read, real, size, ratio] {
            return read(real, size, ratio);
        })});
    }
}

bool KeptPictures::holds(const QString& real, const QSize& size) const
{
    const auto it = m_kept.constFind(real);
    return it != m_kept.cend() && it->size == size && it->ratio == pixelRatio();
}

DisplayPicture KeptPictures::find(const QString& real, const QSize& size)
{
    if (!holds(real, size))
        return {};
    const auto it = m_kept.find(real);
    if (fileStamp(real) != it->stamp) {
        it->picture.cancel();
        m_kept.erase(it);
        return {};
    }
    return it->picture.result();
}

} // namespace kv
