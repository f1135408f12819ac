#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

namespace kv::rtf {

enum class PictureKind { Unknown, Png, Jpeg, Other };

// A \pict group being read: its kind, its sizes and the decoded blip bytes.
struct Picture {
    PictureKind kind = PictureKind::Unknown;
    int widthPx = 0;   // \picw
    int heightPx = 0;  // \pich
    int goalWidthTw = 0;
    int goalHeightTw = 0;
    int scaleX = 100;
    int scaleY = 100;
    QByteArray data;
    int pendingNibble = -1;

    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);
    bool wanted() const { return kind == PictureKind::Png || kind == PictureKind::Jpeg; }

    // Size to show, in 96-dpi pixels, for an image of the given pixel size.
    QSizeF displaySize(QSize imageSize) const;
};

// Pictures larger than this are refused, so that a hostile file cannot exhaust memory.
constexpr qint64 MaxPicturePixels = 40'000'000;
constexpr qsizetype MaxPictureBytes = 64 * 1024 * 1024;

// Decodes a PNG or JPEG blip; a null image when it is damaged or too large.
QImage decodePicture(const Picture &pict);

} // namespace kv::rtf
