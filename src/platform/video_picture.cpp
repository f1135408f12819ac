#include "platform/video_picture.h"

#include <QPainter>

namespace kv {

VideoPicture::VideoPicture(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoPicture::setFrame(const QVideoFrame& frame)
{
    m_image = frame.isValid() ? frame.toImage() : QImage();
    update();
    emit frameChanged(frame);
}

void VideoPicture::clear()
{
    m_image = QImage();
    update();
}

void VideoPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (m_image.isNull())
        return;
    // The whole picture, as large as fits, in its own proportions.
    QRect target(QPoint(), m_image.size().scaled(size(), Qt::KeepAspectRatio));
    target.moveCenter(rect().center());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, m_image);
}

} // namespace kv
