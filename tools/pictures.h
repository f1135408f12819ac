#pragma once
#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

namespace kvdisc {

enum class PictureStyle {
    Photo,   // sky, road and a car outline behind the label
    Page,    // a printed page with columns of lines
    Artwork, // flat banner
};

struct PictureSpec {
    QSize size;
    QString title;    // drawn large, usually the file name
    QString subtitle; // smaller line under the title
    QColor top;       // gradient colours
    QColor bottom;
    PictureStyle style = PictureStyle::Photo;
    int variant = 0; // moves shapes so pictures of a set differ
    int quality = 80;
};

// JPEG bytes; empty on encoder failure.
QByteArray renderPicture(const PictureSpec &params);

// One 320x240 movie frame: name, frame counter and a bar that moves with the frame.
QByteArray renderMovieFrame(const QString &name, const QString &caption, int frame, int frameCount,
                            const QColor &hue, QSize size = {320, 240});

// A distinct, pleasant colour for a key (topic code, file name).
QColor hueFor(const QString &key, int saturation = 150, int value = 200);

} // namespace kvdisc
