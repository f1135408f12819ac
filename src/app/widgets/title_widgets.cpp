#include "app/widgets/title_widgets.h"
#include "platform/product.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace kv {

namespace {
// A transparent picture to paint a decoration on.
QImage clearPicture(const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// Painting with smooth edges.
class SmoothPainter : public QPainter
{
public:
    explicit SmoothPainter(QPaintDevice* device) : QPainter(device) { setRenderHint(QPainter::Antialiasing); }
};

// A car's two wheels: hubs of `hub` in silver rims `rim` wide.
void drawWheels(QPainter& p, const QPointF& rear, const QPointF& front, double radius, const QColor& hub, double rim)
{
    p.setPen(QPen(QColor(0xc0, 0xc0, 0xc8), rim));
    p.setBrush(hub);
    p.drawEllipse(rear, radius, radius);
    p.drawEllipse(front, radius, radius);
}
} // namespace

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (geometry.isValid())
        b->setGeometry(geometry);
    return b;
}

QImage titlePicture(const QSize& size)
{
    QImage img(size.isValid() ? size : QSize(541, 406), QImage::Format_RGB32);
    SmoothPainter p(&img);
    const QRectF r = img.rect();
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x1d, 0x3b, 0x5a));
    sky.setColorAt(0.6, QColor(0xd9, 0x8a, 0x4e));
    sky.setColorAt(1, QColor(0x2a, 0x1a, 0x12));
    p.fillRect(r, sky);
    const double w = r.width(), h = r.height();
    QPainterPath car;
    car.moveTo(w * 0.08, h * 0.72);
    car.cubicTo(w * 0.10, h * 0.62, w * 0.22, h * 0.60, w * 0.32, h * 0.58);
    car.cubicTo(w * 0.40, h * 0.47, w * 0.58, h * 0.46, w * 0.66, h * 0.56);
    car.cubicTo(w * 0.80, h * 0.57, w * 0.92, h * 0.60, w * 0.93, h * 0.70);
    car.lineTo(w * 0.93, h * 0.74);
    car.lineTo(w * 0.08, h * 0.74);
    car.closeSubpath();
    p.fillPath(car, QColor(0x12, 0x12, 0x16));
    drawWheels(p, QPointF(w * 0.24, h * 0.74), QPointF(w * 0.76, h * 0.74), w * 0.06, QColor(0x30, 0x30, 0x36),
               qMax(1.0, w / 200));
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(qMax(10, int(h * 0.09)));
    p.setFont(title);
    p.setPen(QColor(0xf4, 0xea, 0xd2));
    p.drawText(QRectF(0, h * 0.08, w, h * 0.3), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               ProductTitle);
    QFont sub = title;
    sub.setBold(false);
    sub.setPixelSize(qMax(8, int(h * 0.045)));
    p.setFont(sub);
    p.drawText(QRectF(0, h * 0.82, w, h * 0.15), Qt::AlignCenter, QStringLiteral("1955 \u00b7 1956 \u00b7 1957"));
    return img;
}

QImage makerLogo(const QSize& size)
{
    QImage img = clearPicture(size);
    SmoothPainter p(&img);
    const QRectF r = QRectF(img.rect()).adjusted(4, 4, -4, -4);
    p.setPen(QPen(QColor(0x8c, 0x2a, 0x22), r.width() / 9));
    p.setBrush(QColor(0xf4, 0xea, 0xd2));
    p.drawEllipse(r);
    p.setPen(QPen(QColor(0x24, 0x31, 0x3f), r.width() / 14));
    p.drawLine(QPointF(r.center().x() - r.width() / 6, r.bottom() - r.height() / 6),
               QPointF(r.center().x() - r.width() / 40, r.top() + r.height() / 4));
    p.drawLine(QPointF(r.center().x() + r.width() / 6, r.bottom() - r.height() / 6),
               QPointF(r.center().x() + r.width() / 40, r.top() + r.height() / 4));
    return img;
}

QImage speakerPicture(const QSize& size)
{
    QImage img = clearPicture(size);
    SmoothPainter p(&img);
    const double w = size.width(), h = size.height();
    QPainterPath cone;
    cone.moveTo(w * 0.06, h * 0.38);
    cone.lineTo(w * 0.14, h * 0.38);
    cone.lineTo(w * 0.26, h * 0.18);
    cone.lineTo(w * 0.26, h * 0.82);
    cone.lineTo(w * 0.14, h * 0.62);
    cone.lineTo(w * 0.06, h * 0.62);
    cone.closeSubpath();
    p.fillPath(cone, QColor(0xf0, 0xc7, 0x5e));
    p.setPen(QPen(QColor(0xf0, 0xc7, 0x5e), qMax(2.0, w / 80), Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 3; ++i) {
        const double r = h * 0.14 * i;
        p.drawArc(QRectF(w * 0.26 - r, h * 0.5 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    QPainterPath car;
    car.moveTo(w * 0.56, h * 0.70);
    car.cubicTo(w * 0.57, h * 0.58, w * 0.64, h * 0.56, w * 0.70, h * 0.55);
    car.cubicTo(w * 0.74, h * 0.44, w * 0.84, h * 0.44, w * 0.88, h * 0.54);
    car.cubicTo(w * 0.94, h * 0.56, w * 0.97, h * 0.60, w * 0.97, h * 0.70);
    car.closeSubpath();
    p.fillPath(car, QColor(0x8c, 0x2a, 0x22));
    drawWheels(p, QPointF(w * 0.64, h * 0.71), QPointF(w * 0.89, h * 0.71), h * 0.07, QColor(0x20, 0x20, 0x24), 2);
    return img;
}

QImage roadPicture(const QSize& size)
{
    QImage img(size, QImage::Format_RGB32);
    SmoothPainter p(&img);
    const double w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h * 0.55);
    sky.setColorAt(0, QColor(0x1d, 0x3b, 0x7a));
    sky.setColorAt(1, QColor(0xe8, 0x9a, 0x5e));
    p.fillRect(QRectF(0, 0, w, h * 0.55), sky);
    p.fillRect(QRectF(0, h * 0.55, w, h * 0.45), QColor(0x3a, 0x5a, 0x2a));
    for (int i = 0; i < 7; ++i)
        p.fillRect(QRectF(0, h * 0.03 * i * 2, w, h * 0.03), i % 2 ? QColor(0xf4, 0xf0, 0xe8, 60) : QColor(0xb2, 0x22, 0x34, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 12; ++i)
        p.drawEllipse(QPointF(w * (0.05 + 0.08 * i), h * (0.08 + 0.05 * (i % 3))), 2, 2);
    QPainterPath road;
    road.moveTo(w * 0.47, h * 0.55);
    road.lineTo(w * 0.53, h * 0.55);
    road.lineTo(w * 0.85, h);
    road.lineTo(w * 0.15, h);
    road.closeSubpath();
    p.fillPath(road, QColor(0x30, 0x30, 0x34));
    p.setPen(QPen(QColor(0xf0, 0xc7, 0x5e), 3, Qt::DashLine));
    p.drawLine(QPointF(w * 0.5, h * 0.57), QPointF(w * 0.5, h));
    return img;
}

QImage moviePicture(const QSize& size, const QString& caption)
{
    QImage img(size, QImage::Format_RGB32);
    SmoothPainter p(&img);
    const QRectF r = img.rect();
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, QColor(0x1d, 0x2b, 0x3a));
    bg.setColorAt(1, QColor(0x0b, 0x11, 0x17));
    p.fillRect(r, bg);
    const double w = r.width(), h = r.height();
    const QRectF strip(w * 0.08, h * 0.22, w * 0.84, h * 0.5);
    p.fillRect(strip, QColor(0x14, 0x14, 0x14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xe0, 0xc8));
    const int holes = 12;
    for (int i = 0; i < holes; ++i) {
        const double x = strip.left() + (i + 0.3) * strip.width() / holes;
        p.drawRoundedRect(QRectF(x, strip.top() + h * 0.03, strip.width() / holes * 0.4, h * 0.05), 2, 2);
        p.drawRoundedRect(QRectF(x, strip.bottom() - h * 0.08, strip.width() / holes * 0.4, h * 0.05), 2, 2);
    }
    for (int i = 0; i < 3; ++i) {
        const QRectF frame(strip.left() + w * 0.03 + i * strip.width() / 3, strip.top() + h * 0.11,
                           strip.width() / 3 - w * 0.06, strip.height() - h * 0.22);
        QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
        sky.setColorAt(0, QColor(0x3d, 0x6b, 0x9a));
        sky.setColorAt(1, QColor(0xd9, 0x8a, 0x4e));
        p.fillRect(frame, sky);
    }
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setBold(true);
    f.setPixelSize(qMax(10, int(h * 0.08)));
    p.setFont(f);
    p.setPen(QColor(0xf4, 0xea, 0xd2));
    p.drawText(QRectF(0, h * 0.76, w, h * 0.2), Qt::AlignCenter, caption);
    return img;
}

QPixmap printerPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    // Whole multiples stay as sharp as the design; others are smoothed.
    p.setRenderHint(QPainter::Antialiasing, size % 16 != 0);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);   // paper going in
    p.setBrush(QColor(0xc0, 0xc0, 0xc0));
    p.drawRect(1, 6, 13, 6);  // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 5);  // paper coming out
    p.setPen(QColor(0x20, 0x90, 0x20));
    p.drawPoint(12, 8);       // power light
    return pm;
}

QImage carPicture(const QSize& size)
{
    QImage img = clearPicture(size);
    SmoothPainter p(&img);
    const double w = size.width(), h = size.height();
    QPainterPath body;
    body.moveTo(w * 0.03, h * 0.70);
    body.cubicTo(w * 0.04, h * 0.50, w * 0.18, h * 0.46, w * 0.30, h * 0.45);
    body.cubicTo(w * 0.38, h * 0.18, w * 0.62, h * 0.16, w * 0.70, h * 0.42);
    body.cubicTo(w * 0.86, h * 0.44, w * 0.97, h * 0.50, w * 0.97, h * 0.66);
    body.lineTo(w * 0.97, h * 0.76);
    body.lineTo(w * 0.03, h * 0.76);
    body.closeSubpath();
    QLinearGradient paint(0, 0, 0, h);
    paint.setColorAt(0, QColor(0xf4, 0xea, 0xd2));
    paint.setColorAt(0.55, QColor(0xf4, 0xea, 0xd2));
    paint.setColorAt(0.56, QColor(0x8c, 0x2a, 0x22));
    paint.setColorAt(1, QColor(0x5a, 0x16, 0x11));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(paint);
    p.drawPath(body);
    p.setBrush(QColor(0x9c, 0xc4, 0xe4));
    p.drawRect(QRectF(w * 0.38, h * 0.30, w * 0.11, h * 0.13));
    p.drawRect(QRectF(w * 0.51, h * 0.30, w * 0.12, h * 0.13));
    p.setPen(QPen(QColor(0xc8, 0xc8, 0xd0), 2));
    p.drawLine(QPointF(w * 0.05, h * 0.62), QPointF(w * 0.95, h * 0.62));
    drawWheels(p, QPointF(w * 0.22, h * 0.76), QPointF(w * 0.78, h * 0.76), h * 0.17, QColor(0x20, 0x20, 0x24), 2);
    return img;
}

QImage saverPicture(const QSize& size)
{
    QImage img = clearPicture(size);
    SmoothPainter p(&img);
    const double w = size.width(), h = size.height();
    const QRectF screen(w * 0.28, h * 0.08, w * 0.44, h * 0.62);
    for (int i = 2; i >= 1; --i) {
        p.save();
        p.translate(screen.center());
        p.rotate(i * 6.0);
        p.translate(-screen.center());
        p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1));
        p.setBrush(QColor::fromHsv(20 + i * 25, 120, 200));
        p.drawRect(screen.adjusted(w * 0.03 * i, -h * 0.02 * i, w * 0.03 * i, -h * 0.02 * i));
        p.restore();
    }
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 3));
    p.setBrush(QColor(0x20, 0x20, 0x26));
    p.drawRoundedRect(screen.adjusted(-8, -8, 8, 8), 6, 6);
    QLinearGradient sky(screen.topLeft(), screen.bottomLeft());
    sky.setColorAt(0, QColor(0x6f, 0xa8, 0xdc));
    sky.setColorAt(0.6, QColor(0xf4, 0xd8, 0xa8));
    sky.setColorAt(1, QColor(0x55, 0x55, 0x5a));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(screen);
    // A low two-tone coupe in profile.
    const double cx = screen.center().x(), base = screen.bottom() - screen.height() * 0.18;
    const double len = screen.width() * 0.7, ht = screen.height() * 0.16;
    p.setBrush(QColor(0x8c, 0x2a, 0x22));
    p.drawRoundedRect(QRectF(cx - len / 2, base - ht, len, ht), ht / 3, ht / 3);
    p.setBrush(QColor(0xf4, 0xea, 0xd2));
    p.drawRoundedRect(QRectF(cx - len * 0.22, base - ht * 1.9, len * 0.42, ht), ht / 3, ht / 3);
    p.setBrush(QColor(0x18, 0x18, 0x18));
    for (double x : {cx - len * 0.3, cx + len * 0.3})
        p.drawEllipse(QPointF(x, base), ht * 0.45, ht * 0.45);
    p.setBrush(QColor(0x30, 0x30, 0x38));
    p.drawRect(QRectF(cx - w * 0.04, screen.bottom() + 8, w * 0.08, h * 0.1));
    p.drawRoundedRect(QRectF(cx - w * 0.14, screen.bottom() + 8 + h * 0.1, w * 0.28, h * 0.05), 3, 3);
    return img;
}

QImage cameraPicture(const QSize& size)
{
    QImage img = clearPicture(size);
    SmoothPainter p(&img);
    const double w = size.width(), h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x24));
    const QRectF strip(0, h * 0.3, w, h * 0.4);
    p.drawRect(strip);
    p.setBrush(QColor(0xec, 0xe6, 0xd6));
    for (double x = 6; x < w; x += 16) {
        p.drawRect(QRectF(x, strip.top() + 3, 8, 5));
        p.drawRect(QRectF(x, strip.bottom() - 8, 8, 5));
    }
    const QColor frames[] = {QColor(0xd9, 0x8a, 0x4e), QColor(0x1d, 0x3b, 0x5a), QColor(0x8c, 0x2a, 0x22)};
    const double fw = w / 3 - 12;
    for (int i = 0; i < 3; ++i) {
        p.setBrush(frames[i]);
        p.drawRect(QRectF(6 + i * (fw + 12), strip.top() + 11, fw, strip.height() - 22));
    }
    const QRectF body(w * 0.5 - h * 0.45, h * 0.12, h * 0.9, h * 0.76);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 2));
    p.setBrush(QColor(0x50, 0x50, 0x58));
    p.drawRoundedRect(body, 6, 6);
    p.setBrush(QColor(0xb8, 0xc4, 0xdc));
    p.drawEllipse(body.center(), h * 0.24, h * 0.24);
    p.setBrush(QColor(0x20, 0x30, 0x48));
    p.drawEllipse(body.center(), h * 0.13, h * 0.13);
    return img;
}

QImage discToDrivePicture(const QSize& size)
{
    QImage img = clearPicture(size);
    SmoothPainter p(&img);
    const double h = size.height(), w = size.width();
    const double r = h * 0.38;
    const QPointF disc(w * 0.22, h * 0.5);
    QRadialGradient shine(disc, r);
    shine.setColorAt(0, QColor(0xf4, 0xf4, 0xfa));
    shine.setColorAt(0.6, QColor(0xb8, 0xc4, 0xdc));
    shine.setColorAt(1, QColor(0xd8, 0xb8, 0xe0));
    p.setPen(QPen(QColor(0x60, 0x60, 0x70), 1.5));
    p.setBrush(shine);
    p.drawEllipse(disc, r, r);
    p.setBrush(QColor(0xe8, 0xe2, 0xd0));
    p.drawEllipse(disc, r * 0.18, r * 0.18);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8c, 0x2a, 0x22));
    QPolygonF arrow;
    const double ay = h * 0.5, ax0 = w * 0.40, ax1 = w * 0.60;
    arrow << QPointF(ax0, ay - h * 0.08) << QPointF(ax1 - h * 0.16, ay - h * 0.08)
          << QPointF(ax1 - h * 0.16, ay - h * 0.2) << QPointF(ax1, ay)
          << QPointF(ax1 - h * 0.16, ay + h * 0.2) << QPointF(ax1 - h * 0.16, ay + h * 0.08)
          << QPointF(ax0, ay + h * 0.08);
    p.drawPolygon(arrow);

    const QRectF drive(w * 0.66, h * 0.3, w * 0.26, h * 0.4);
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1.5));
    p.setBrush(QColor(0x9a, 0x9a, 0xa4));
    p.drawRoundedRect(drive, 4, 4);
    p.setBrush(QColor(0x30, 0xc0, 0x40));
    p.drawEllipse(QPointF(drive.right() - 10, drive.bottom() - 9), 3, 3);
    return img;
}

} // namespace kv
