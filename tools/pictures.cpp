#include "pictures.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kvdisc {

namespace {

QByteArray encodeJpeg(const QImage &img, int quality)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(img))
        return {};
    return bytes;
}

// Largest pixel size at which the text fits the width, capped.
QFont fittedFont(const QString &text, int maxWidth, int maxPixels, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(bold);
    int px = maxPixels;
    for (; px > 8; px -= 2) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(text) <= maxWidth)
            break;
    }
    f.setPixelSize(px);
    return f;
}

void drawOutlinedText(QPainter &p, const QRect &box, const QString &text, const QFont &font,
                      const QColor &fill)
{
    QPainterPath path;
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text);
    const QPointF origin(box.center().x() - w / 2.0, box.center().y() + (fm.ascent() - fm.descent()) / 2.0);
    path.addText(origin, font, text);
    p.setPen(QPen(QColor(0, 0, 0, 170), std::max(1.0, font.pixelSize() / 16.0)));
    p.setBrush(fill);
    p.drawPath(path);
}

// Small text on a dark translucent band stays readable on any background.
void drawBandText(QPainter &p, const QRect &box, const QString &text, const QFont &font)
{
    const QFontMetrics fm(font);
    const int tw = fm.horizontalAdvance(text) + 16;
    const QRect band(box.center().x() - tw / 2, box.center().y() - fm.height() / 2 - 3, tw, fm.height() + 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(band, 6, 6);
    p.setFont(font);
    p.setPen(QColor(255, 250, 220));
    p.drawText(band, Qt::AlignCenter, text);
}

void drawCar(QPainter &p, const QRectF &r, const QColor &body)
{
    // A low two-tone hardtop silhouette: enough to read as "a car photo".
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    QPainterPath shell;
    shell.moveTo(x, y + h * 0.75);
    shell.lineTo(x, y + h * 0.45);
    shell.cubicTo(x + w * 0.05, y + h * 0.38, x + w * 0.18, y + h * 0.38, x + w * 0.25, y + h * 0.36);
    shell.lineTo(x + w * 0.35, y + h * 0.08);
    shell.lineTo(x + w * 0.68, y + h * 0.08);
    shell.lineTo(x + w * 0.80, y + h * 0.36);
    shell.cubicTo(x + w * 0.92, y + h * 0.38, x + w, y + h * 0.42, x + w, y + h * 0.55);
    shell.lineTo(x + w, y + h * 0.75);
    shell.closeSubpath();
    p.setPen(QPen(body.darker(180), 2));
    p.setBrush(body);
    p.drawPath(shell);
    p.setBrush(QColor(235, 235, 225));
    p.drawRect(QRectF(x + w * 0.02, y + h * 0.5, w * 0.96, h * 0.06)); // side trim
    p.setBrush(QColor(170, 205, 230));
    p.drawPolygon(QPolygonF({QPointF(x + w * 0.37, y + h * 0.13), QPointF(x + w * 0.50, y + h * 0.13),
                             QPointF(x + w * 0.50, y + h * 0.34), QPointF(x + w * 0.29, y + h * 0.34)}));
    p.drawPolygon(QPolygonF({QPointF(x + w * 0.53, y + h * 0.13), QPointF(x + w * 0.66, y + h * 0.13),
                             QPointF(x + w * 0.75, y + h * 0.34), QPointF(x + w * 0.53, y + h * 0.34)}));
    p.setBrush(QColor(30, 30, 30));
    const double wheel = h * 0.32;
    for (double cx : {x + w * 0.2, x + w * 0.8}) {
        p.drawEllipse(QPointF(cx, y + h * 0.75), wheel / 2, wheel / 2);
        p.setBrush(QColor(210, 210, 210));
        p.drawEllipse(QPointF(cx, y + h * 0.75), wheel / 4, wheel / 4);
        p.setBrush(QColor(30, 30, 30));
    }
}

void paintPhoto(QPainter &p, const PictureSpec &s)
{
    const QRect r(QPoint(0, 0), s.size);
    QLinearGradient sky(0, 0, 0, r.height() * 0.65);
    sky.setColorAt(0, s.top);
    sky.setColorAt(1, s.top.lighter(150));
    p.fillRect(QRect(0, 0, r.width(), int(r.height() * 0.65)), sky);
    QLinearGradient ground(0, r.height() * 0.65, 0, r.height());
    ground.setColorAt(0, s.bottom.lighter(120));
    ground.setColorAt(1, s.bottom.darker(140));
    p.fillRect(QRect(0, int(r.height() * 0.65), r.width(), r.height()), ground);
    // Sun and car move with the variant so neighbours in a set look different.
    const int v = s.variant;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 180, 200));
    p.drawEllipse(QPointF(r.width() * (0.15 + 0.1 * (v % 7)), r.height() * 0.15), r.height() * 0.07,
                  r.height() * 0.07);
    const double carW = r.width() * (0.48 + 0.04 * (v % 3));
    const double carX = r.width() * (0.06 + 0.07 * (v % 5));
    drawCar(p, QRectF(carX, r.height() * 0.45, carW, carW * 0.36), hueFor(s.title, 170, 210));
}

void paintPage(QPainter &p, const PictureSpec &s)
{
    const QRect r(QPoint(0, 0), s.size);
    p.fillRect(r, QColor(246, 240, 225));
    const int m = r.width() / 14;
    QLinearGradient band(0, 0, r.width(), 0);
    band.setColorAt(0, s.top);
    band.setColorAt(1, s.bottom);
    p.fillRect(QRect(m, m, r.width() - 2 * m, r.height() / 3), band);
    drawCar(p, QRectF(m + r.width() * 0.1, m + r.height() * 0.1, r.width() * 0.6, r.width() * 0.2),
            hueFor(s.title + QString::number(s.variant), 160, 200));
    // Columns of "text" lines below the picture band.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 110, 100));
    const int colW = (r.width() - 3 * m) / 2;
    for (int col = 0; col < 2; ++col)
        for (int line = 0; line < 14; ++line) {
            const int len = colW - ((line * 37 + col * 53 + s.variant * 11) % (colW / 3));
            p.drawRect(m + col * (colW + m), r.height() * 62 / 100 + line * 26, len, 8);
        }
}

void paintArtwork(QPainter &p, const PictureSpec &s)
{
    const QRect r(QPoint(0, 0), s.size);
    QLinearGradient g(0, 0, r.width(), r.height());
    g.setColorAt(0, s.top);
    g.setColorAt(1, s.bottom);
    p.fillRect(r, g);
    p.setPen(QPen(QColor(255, 255, 255, 180), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(4, 4, -5, -5), 10, 10);
}

} // namespace

QColor hueFor(const QString &key, int saturation, int value)
{
    // qHash is seeded per process; this small hash is stable across runs.
    quint32 h = 2166136261u;
    for (const QChar c : key) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return QColor::fromHsv(int(h % 360), saturation, value);
}

QByteArray renderPicture(const PictureSpec &s)
{
    QImage img(s.size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (s.style) {
    case PictureStyle::Photo:
        paintPhoto(p, s);
        break;
    case PictureStyle::Page:
        paintPage(p, s);
        break;
    case PictureStyle::Artwork:
        paintArtwork(p, s);
        break;
    }
    const int w = s.size.width();
    const int h = s.size.height();
    const bool hasSub = !s.subtitle.isEmpty();
    QRect titleBox(0, 0, w, h);
    QRect subBox;
    int titlePx = std::min(h / 2, w / 6);
    switch (s.style) {
    case PictureStyle::Photo:
        titleBox = QRect(0, 0, w, h * 45 / 100);
        subBox = QRect(0, h * 82 / 100, w, h * 12 / 100);
        titlePx = h / 5;
        break;
    case PictureStyle::Page:
        titleBox = QRect(0, h / 3 + w / 14, w, h / 6);
        subBox = QRect(0, titleBox.bottom() + 4, w, h / 20);
        break;
    case PictureStyle::Artwork:
        if (hasSub) {
            titleBox = QRect(0, 0, w, h * 2 / 3);
            subBox = QRect(0, h * 2 / 3 - 2, w, h / 3 - 4);
            titlePx = std::min(h / 2, w / 6);
        }
        break;
    }
    drawOutlinedText(p, titleBox, s.title, fittedFont(s.title, w * 9 / 10, titlePx), Qt::white);
    if (hasSub) {
        const QFont sub = fittedFont(s.subtitle, w * 9 / 10 - 16, std::max(10, subBox.height() * 6 / 10), false);
        drawBandText(p, subBox, s.subtitle, sub);
    }
    p.end();
    return encodeJpeg(img, s.quality);
}

QByteArray renderMovieFrame(const QString &name, const QString &caption, int frame, int frameCount,
                            const QColor &hue, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, hue.lighter(130));
    g.setColorAt(1, hue.darker(160));
    p.fillRect(img.rect(), g);
    const int w = size.width(), h = size.height();
    // The car drives across the frame as the film runs.
    const double pos = frameCount > 1 ? double(frame) / (frameCount - 1) : 0.0;
    drawCar(p, QRectF(-w * 0.3 + pos * w * 1.0, h * 0.52, w * 0.5, w * 0.18),
            QColor::fromHsv((std::max(0, hue.hue()) + 180) % 360, 190, 230));
    drawOutlinedText(p, QRect(0, 0, w, h * 2 / 5), name, fittedFont(name, w - 16, h / 7), Qt::white);
    drawBandText(p, QRect(0, h / 3, w, h / 8), caption, fittedFont(caption, w - 32, h / 14, false));
    const QString counter = QStringLiteral("Frame %1 / %2").arg(frame + 1).arg(frameCount);
    drawOutlinedText(p, QRect(0, h - h / 5, w, h / 8), counter, fittedFont(counter, w - 16, h / 12),
                     Qt::white);
    p.fillRect(QRect(0, h - 10, w, 10), QColor(0, 0, 0, 120));
    p.fillRect(QRect(0, h - 10, int(w * (frame + 1) / double(frameCount)), 10), QColor(255, 210, 60));
    p.end();
    return encodeJpeg(img, 75);
}

} // namespace kvdisc
