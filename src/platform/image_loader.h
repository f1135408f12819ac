#pragma once

#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace kv {

// Pictures claiming more pixels than this are refused before any decoding.
inline constexpr qint64 MaxImagePixels = 100'000'000;
// Except a baseline JPEG read scaled down (a large page scan), up to this many: it decodes a
// band at a time, so its working memory follows the scaled size, not the claimed one.
inline constexpr qint64 MaxScaledJpegPixels = 300'000'000;

// Reads a picture, for showing in a box of `fitInto` when that is given: decoded at
// nativeScaledSize(), so it may be larger than the box; the painter does the final fit.
// A damaged or hostile file, or one that is not a regular file, gives a null image and
// the reason, never a crash.
QImage loadImage(const QString& path, const QSize& fitInto = {}, QString* error = nullptr);

// Reads a picture at `factor` times its own size (a page scan shown at a layout scale on a
// screen's pixel ratio), decoded at that size by the reader, never enlarged afterwards. An
// enlargement stops at MaxEnlargedPixels; a picture larger than that stays at its own size.
// The image carries `devicePixelRatio`, so it is laid out at its size divided by it.
QImage loadImageAt(const QString& path, double factor, qreal devicePixelRatio = 1.0, QString* error = nullptr);
inline constexpr qint64 MaxEnlargedPixels = 40'000'000;

// The size a picture of `full` pixels is decoded at for a box of `fitInto`: its own size, or
// 1/2, 1/4 or 1/8 of it when it is at least that many times larger than the box.
QSize nativeScaledSize(const QSize& full, const QSize& fitInto);

// A file's size and time of last change: a picture decoded under one stamp is stale under
// another. Size -1 when the file cannot be looked at.
struct FileStamp
{
    QDateTime modified;
    qint64 bytes = -1;
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(const QString& path);

// Where a picture of `picture` pixels lands in a box of `box` (both in device pixels): fitted
// keeping its proportions and centred, or filling the box when `stretch` is set.
QRect displayRect(const QSize& picture, const QSize& box, bool stretch = false);

// `decoded` scaled smoothly to exactly the size it is drawn at in a box of `box` device pixels,
// in the pixel format a window's backing store takes as it is: drawing it is a plain copy.
QImage displayImage(const QImage& decoded, const QSize& box, qreal devicePixelRatio, bool stretch = false);

// A picture as read for a box and as it will be drawn there.
struct DisplayPicture
{
    QImage decoded; // at the decoder's own scale
    QImage display; // displayImage() of it; null when no box was given
};
DisplayPicture loadDisplayPicture(const QString& path, const QSize& box, qreal devicePixelRatio,
                                  bool stretch = false);

// Caps what one picture may allocate; set once at start-up. By default just enough for the
// largest picture the pixel limit lets through, at four bytes a pixel.
void limitImageMemory(int megabytes = int(MaxImagePixels * 4 / (1024 * 1024)) + 1);

} // namespace kv
