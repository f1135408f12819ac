#pragma once

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>

// A busy picture, so the JPEG is as heavy to decode as a real photo.
inline void writeBusyPhoto(const QString& path, int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    QPainter p(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 180, 220));
    sky.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 200, 90));
    p.fillRect(image.rect(), sky);
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor::fromRgb(random.generate()));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(random.bounded(width), random.bounded(height)), random.bounded(20, 300),
                      random.bounded(20, 300));
    }
    p.end();
    image.save(path, "JPG", 90);
}
