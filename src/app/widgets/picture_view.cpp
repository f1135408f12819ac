#include "app/widgets/picture_view.h"

#include "platform/image_loader.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <utility>

namespace kv {

namespace {
// Once the picture has gone out, the display server needs a few milliseconds to take it.
constexpr int AfterShownMs = 8;
// Work waits no longer than this for a paint that never comes (the box covered, say).
constexpr int PaintAwaitedMs = 100;

// On X the window's pixels are handed to the server in shared memory, and the next paint over a
// part the server may still be reading first waits for it (a round trip). Asked once here, while
// nothing waits for the screen, the next paint starts at once. The opaque window is left as it
// is: nothing is painted between the two calls.
void settleSharedPixels(QWidget* w)
{
    static const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    QBackingStore* store = x11 ? w->backingStore() : nullptr;
    if (!store || !w->isVisible() || w->window()->testAttribute(Qt::WA_TranslucentBackground))
        return;
    store->beginPaint(QRegion(w->window()->rect()));
    store->endPaint();
}
} // namespace

PictureView::PictureView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_afterShownTimer.setSingleShot(true);
    connect(&m_afterShownTimer, &QTimer::timeout, this, &PictureView::runAfterShown);
}

void PictureView::afterShown(std::function<void()> work)
{
    m_afterShown.push_back(std::move(work));
    if (!m_afterShownTimer.isActive())
        m_afterShownTimer.start(!isVisible() ? 0 : m_paintPending ? PaintAwaitedMs : AfterShownMs);
}

void PictureView::runAfterShown()
{
    settleSharedPixels(this);
    // Work run here may ask for more.
    for (auto work = std::exchange(m_afterShown, {}); auto& w : work)
        w();
}

void PictureView::setImage(const QImage& image, const QImage& display)
{
    m_paintPending = true;
    m_image = image;
    m_display = display;
    m_paint = nullptr;
    update();
}

void PictureView::setPainted(std::function<QImage(const QSize&)> paint)
{
    m_paintPending = true;
    m_paint = std::move(paint);
    m_image = m_paint(displayBox());
    m_display = QImage();
    update();
}

void PictureView::clear()
{
    m_paintPending = true;
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
    m_paintPending = false;
    // The timer fires only after this paint has been sent to the screen.
    if (!m_afterShown.empty())
        m_afterShownTimer.start(AfterShownMs);
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
