#include "app/widgets/picture_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace kv {

PictureView::PictureView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setImage(const QImage& image)
{
    m_image = image;
    update();
}

void PictureView::clear()
{
    m_image = QImage();
    update();
}

void PictureView::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QRect target = rect();
    if (!m_stretch) {
        QSize size = m_image.size().scaled(rect().size(), Qt::KeepAspectRatio);
        target = QRect(QPoint(0, 0), size);
        target.moveCenter(rect().center());
    }
    p.drawImage(target, m_image);
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
