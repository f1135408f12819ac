#include "app/widgets/picture_view.h"

#include "platform/image_loader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace kv {

PictureView::PictureView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setImage(const QImage& image, const QImage& display)
{
    m_image = image;
    m_display = display;
    m_paint = nullptr;
    update();
}

void PictureView::setPainted(std::function<QImage(const QSize&)> paint)
{
    m_paint = std::move(paint);
    m_image = m_paint(displayBox());
    m_display = QImage();
    update();
}

void PictureView::clear()
{
    m_image = QImage();
    m_display = QImage();
    m_paint = nullptr;
    update();
}

void PictureView::setStretch(bool stretch)
{
    if (m_stretch != stretch)
        m_display = QImage();
    m_stretch = stretch;
    update();
}

void PictureView::setBackground(const QColor& color)
{
    m_background = color;
    setAttribute(Qt::WA_OpaquePaintEvent, color.isValid() && color.alpha() == 255);
    update();
}

QSize PictureView::displayBox() const
{
    return size() * devicePixelRatioF();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_image.isNull()) {
        if (m_background.isValid())
            p.fillRect(rect(), m_background);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (m_paint && (m_image.width() < displayBox().width() || m_image.height() < displayBox().height()))
        m_image = m_paint(displayBox());
    const QRect target = displayRect(m_image.size(), displayBox(), m_stretch);
    // A copy made for another size (a resize, another screen) is made again, once.
    if (m_display.size() != target.size() || m_display.devicePixelRatio() != ratio)
        m_display = displayImage(m_image, displayBox(), ratio, m_stretch);
    const QRectF drawn(QPointF(target.topLeft()) / ratio, m_display.deviceIndependentSize());
    if (m_background.isValid()) {
        // Only the bars beside the picture: under it would be painted twice.
        const QRegion bars = QRegion(rect()).subtracted(QRegion(drawn.toAlignedRect().adjusted(1, 1, -1, -1)));
        for (const QRect& r : bars)
            p.fillRect(r, m_background);
    }
    p.drawImage(drawn.topLeft(), m_display);
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    event->accept();
}

} // namespace kv
