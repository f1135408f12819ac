#include "app/widgets/panel3d.h"

#include <QMouseEvent>

namespace kv {

Panel3D::Panel3D(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAutoFillBackground(true);
}

void Panel3D::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    event->accept();
}

void Panel3D::mousePressEvent(QMouseEvent* event)
{
    emit clicked();
    // A click on a panel is the panel's, not one on the window behind it.
    event->accept();
}

} // namespace kv
