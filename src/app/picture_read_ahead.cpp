#include "app/picture_read_ahead.h"

#include <QtConcurrent/QtConcurrentRun>

namespace kv {

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
    m_ahead = Pending{real, size, stamp, QtConcurrent::run([read = m_read, real, size] { return read(real, size); })};
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
