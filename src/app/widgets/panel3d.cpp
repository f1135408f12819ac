#include "app/widgets/panel3d.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace kv {

Panel3D::Panel3D(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAutoFillBackground(true);
    // The panel fills itself: a new caption (a photo number on every step) then repaints only
    // the panel, not the window's gradient behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int Panel3D::textFlags() const
{
    return int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
}

QFont Panel3D::captionFont() const
{
    const QRect box = contentsRect();
    if (m_fit.text == text() && m_fit.box == box && m_fit.font == font())
        return m_fit.fitted;
    if (m_fit.font != font() || m_fit.maxWidth < 0) {
        const QFontMetrics m(font());
        m_fit.maxWidth = m.maxWidth();
        m_fit.height = m.height();
    }
    m_fit.text = text();
    m_fit.box = box;
    m_fit.font = font();
    // A short caption (a photo number on every step) fits even in the widest glyphs; only
    // longer ones need laying out, which costs more than the rest of the paint.
    const bool short_ = qsizetype(m_fit.maxWidth) * text().size() <= box.width() && m_fit.height <= box.height()
        && !text().contains(QLatin1Char('\n'));
    m_fit.fitted = short_ ? font() : fittedFont();
    return m_fit.fitted;
}

QFont Panel3D::fittedFont() const
{
    const QRect box = contentsRect();
    const auto fits = [&](const QFont& f) {
        const QFontMetrics m(f);
        const QRect need = m.boundingRect(box, textFlags(), text());
        return need.width() <= box.width() && need.height() <= box.height();
    };
    QFont f = font();
    if (text().isEmpty() || fits(f))
        return f;
    // A long topic caption in a one-line panel: smaller type rather than cut-off lines.
    for (int px = QFontInfo(f).pixelSize() - 1; px >= 7; --px) {
        f.setPixelSize(px);
        if (fits(f))
            break;
    }
    return f;
}

void Panel3D::paintEvent(QPaintEvent* event)
{
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        QPainter p(this);
        p.fillRect(rect(), palette().brush(backgroundRole()));
    }
    const QFont f = captionFont();
    if (f == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setFont(f);
    style()->drawItemText(&p, contentsRect(), textFlags(), palette(), isEnabled(), text(), foregroundRole());
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
