#include "browse/page_widgets.h"

#include "platform/image_loader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace kv {

PageChild::PageChild(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageChild::setPicture(const QImage& picture)
{
    m_picture = picture;
    resize(picture.isNull() ? QSize(0, 0) : picture.deviceIndependentSize().toSize());
    update();
}

void PageChild::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect area = event->rect();
    const QRect page(QPoint(0, 0), m_picture.deviceIndependentSize().toSize());
    // Black only where the page does not cover: filling under it would paint every pixel twice.
    for (const QRect& r : QRegion(area).subtracted(page))
        p.fillRect(r, Qt::black);
    // The page was read at the screen's pixels: the exposed part is copied as it is.
    const QRect shown = area.intersected(page);
    const qreal ratio = m_picture.devicePixelRatio();
    if (!shown.isEmpty())
        p.drawImage(QRectF(shown), m_picture, QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
    p.end();
    emit painted();
}

void PageChild::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

PageOverview::PageOverview(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageOverview::setPicture(const QImage& picture, const QImage& scaled)
{
    m_picture = picture;
    m_scaled = scaled;
    update();
}

QSize PageOverview::displayBox() const
{
    return size() * devicePixelRatioF();
}

void PageOverview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_picture.isNull() || width() < 1 || height() < 1) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    if (m_scaled.size() != displayBox() || m_scaled.devicePixelRatio() != devicePixelRatioF())
        m_scaled = displayImage(m_picture, displayBox(), devicePixelRatioF(), true);
    p.drawImage(QPoint(0, 0), m_scaled);
}

void PageOverview::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

} // namespace kv
