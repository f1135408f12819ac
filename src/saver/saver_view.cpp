#include "saver/saver_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kv {

namespace {

// Pointer jitter (a bumped desk, a sensitive mouse) must not end the saver.
constexpr int MouseSlackPixels = 8;

} // namespace

SaverView::SaverView(bool endOnInput, QWidget* parent)
    : QWidget(parent)
    , m_endOnInput(endOnInput)
{
    setObjectName(QStringLiteral("SaverView"));
    setAccessibleName(QStringLiteral("The Kel-Vardo Folivra Screen Saver"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    if (endOnInput)
        setCursor(Qt::BlankCursor);
}

void SaverView::setPhoto(const QImage& image, const QString& path, double dueMs)
{
    m_image = image;
    m_message.clear();
    m_pendingPhoto = Pending{path, dueMs};
    // Painted now, on the tick, rather than after whatever else is queued.
    if (isVisible())
        repaint();
    else
        update();
}

void SaverView::setMessage(const QString& text)
{
    m_image = QImage();
    m_message = text;
    m_pendingMessage = true;
    update();
}

void SaverView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_image.isNull() ? QColor(16, 16, 20) : QColor(Qt::black));
    if (!m_image.isNull()) {
        // Decoded at the device size; its logical size is that over the pixel ratio.
        const QSizeF logical = QSizeF(m_image.size()) / devicePixelRatioF();
        const QSizeF shown = logical.scaled(QSizeF(size()), Qt::KeepAspectRatio);
        const QRectF target(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, m_image);
    } else if (!m_message.isEmpty()) {
        p.setPen(QColor(200, 200, 200));
        QFont f = font();
        f.setPointSizeF(std::max(8.0, height() / 40.0 * 72.0 / logicalDpiY()));
        p.setFont(f);
        p.drawText(rect().adjusted(width() / 10, 0, -width() / 10, 0), Qt::AlignCenter | Qt::TextWordWrap,
                   m_message);
    }
    if (m_pendingPhoto) {
        const Pending done = *m_pendingPhoto;
        m_pendingPhoto.reset();
        emit photoPainted(done.path, done.dueMs);
    }
    if (m_pendingMessage) {
        m_pendingMessage = false;
        emit messagePainted(m_message);
    }
}

void SaverView::acted()
{
    if (m_endOnInput)
        emit userActed();
}

void SaverView::keyPressEvent(QKeyEvent*)
{
    acted();
}

void SaverView::mousePressEvent(QMouseEvent*)
{
    acted();
}

void SaverView::wheelEvent(QWheelEvent*)
{
    acted();
}

void SaverView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->globalPosition().toPoint();
    // The first report only says where the pointer rests when the saver starts.
    if (!m_firstMouse) {
        m_firstMouse = at;
        return;
    }
    if ((at - *m_firstMouse).manhattanLength() > MouseSlackPixels)
        acted();
}

void SaverView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized(size() * devicePixelRatioF());
}

} // namespace kv
