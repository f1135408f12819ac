#include "photos/photo_read_ahead.h"

#include "app/form1.h"
#include "platform/image_loader.h"

#include <QtConcurrent/QtConcurrentRun>

namespace kv {

PhotoReadAhead& PhotoReadAhead::of(Form1& f)
{
    auto* ahead = f.findChild<PhotoReadAhead*>(QString(), Qt::FindDirectChildrenOnly);
    return ahead ? *ahead : *new PhotoReadAhead(&f);
}

void PhotoReadAhead::start(const QString& real, const QSize& box)
{
    if (m_ahead && m_ahead->path == real && m_ahead->box == box)
        return;
    discard();
    if (!enabled || real.isEmpty())
        return;
    // The stamp is read before the decode starts: a file rewritten meanwhile no longer matches.
    const FileStamp stamp = fileStamp(real);
    if (stamp.bytes < 0)
        return;
    m_ahead = Pending{real, box, stamp,
                      QtConcurrent::run([real, box] { return loadImage(real, box); })};
}

QImage PhotoReadAhead::take(const QString& real, const QSize& box)
{
    if (!m_ahead || m_ahead->path != real || m_ahead->box != box) {
        discard();
        return {};
    }
    Pending pending = std::move(*m_ahead);
    m_ahead.reset();
    const QImage picture = pending.picture.result();
    return fileStamp(real) == pending.stamp ? picture : QImage();
}

void PhotoReadAhead::discard()
{
    if (!m_ahead)
        return;
    // One not yet started never runs; one running finishes unseen.
    m_ahead->picture.cancel();
    m_ahead.reset();
}

} // namespace kv
