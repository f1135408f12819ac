#include "platform/image_loader.h"

#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace kv {

namespace {
// True for a baseline or extended sequential JPEG; anything unusual counts as not.
bool isSequentialJpeg(const QString& path)
{
    QFile f(path);
    uchar b[4];
    if (!f.open(QIODevice::ReadOnly) || f.read(reinterpret_cast<char*>(b), 2) != 2 || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    for (int segment = 0; segment < 256; ++segment) {
        if (f.read(reinterpret_cast<char*>(b), 4) != 4 || b[0] != 0xFF)
            return false;
        const int marker = b[1];
        if (marker == 0xC0 || marker == 0xC1)
            return true;
        const bool otherFrame = marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (otherFrame || marker == 0xDA || marker == 0xD9)
            return false;
        const int length = (b[2] << 8) | b[3];
        if (length < 2 || !f.seek(f.pos() + length - 2))
            return false;
    }
    return false;
}
} // namespace

void limitImageMemory(int megabytes)
{
    QImageReader::setAllocationLimit(megabytes);
}

QSize nativeScaledSize(const QSize& full, const QSize& fitInto)
{
    if (!full.isValid() || !fitInto.isValid() || fitInto.isEmpty())
        return full;
    const QSize fitted = full.scaled(fitInto, Qt::KeepAspectRatio);
    // A JPEG decoder scales by 1/2, 1/4 and 1/8 almost for free; any other size costs a full
    // decode and a smooth resize, dearer than the paint's own fit.
    int denominator = 1;
    while (denominator < 8 && full.width() >= 2 * denominator * fitted.width()
           && full.height() >= 2 * denominator * fitted.height())
        denominator *= 2;
    if (denominator == 1)
        return full;
    return QSize(qMax(1, full.width() / denominator), qMax(1, full.height() / denominator));
}

namespace {
// Reads `path` at the size `decodeAt` picks from its own. `shrinks` tells that it is read for a
// smaller box, which lets a large baseline JPEG through; `anyFormat` that a format the decoder
// cannot scale is read whole and scaled smoothly by the reader, else it stays at its own size.
template <typename DecodeAt>
QImage read(const QString& path, bool shrinks, bool anyFormat, const DecodeAt& decodeAt, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QImage();
    };
    if (!isRegularFile(path))
        return fail(QCoreApplication::translate("kv", "Not a picture file."));
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    // The allocation limit covers the finished picture, not a decoder's working buffers
    // (a progressive JPEG keeps all its coefficients), so refuse absurd sizes up front.
    const qint64 pixels = full.isValid() ? qint64(full.width()) * full.height() : 0;
    const bool scaledScan = shrinks && pixels <= MaxScaledJpegPixels && isSequentialJpeg(path);
    if (pixels > MaxImagePixels && !scaledScan) {
        return fail(QCoreApplication::translate("kv", "The picture is too large (%1 x %2 pixels).")
                        .arg(full.width())
                        .arg(full.height()));
    }
    if (full.isValid() && (anyFormat || reader.supportsOption(QImageIOHandler::ScaledSize))) {
        const QSize size = decodeAt(full);
        if (size.isValid() && size != full)
            reader.setScaledSize(size);
    }
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}
} // namespace

QImage loadImage(const QString& path, const QSize& fitInto, QString* error)
{
    const bool box = fitInto.isValid() && qint64(fitInto.width()) * fitInto.height() <= MaxImagePixels;
    return read(path, box, false, [&](const QSize& full) {
        // Only where the decoder scales at little cost; the painter does the final fit.
        return box ? nativeScaledSize(full, fitInto) : full;
    }, error);
}

QImage loadImageAt(const QString& path, double factor, qreal devicePixelRatio, QString* error)
{
    QImage image = read(path, false, true, [factor](const QSize& full) {
        const double pixels = double(full.width()) * full.height();
        double f = factor;
        if (f > 1.0 && pixels * f * f > MaxEnlargedPixels)
            f = std::max(1.0, std::sqrt(MaxEnlargedPixels / pixels));
        return QSize(std::max(1, int(std::lround(full.width() * f))), std::max(1, int(std::lround(full.height() * f))));
    }, error);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QRect displayRect(const QSize& picture, const QSize& box, bool stretch)
{
    if (stretch || picture.isEmpty())
        return QRect(QPoint(0, 0), box);
    const QSize size = picture.scaled(box, Qt::KeepAspectRatio);
    return QRect(QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2), size);
}

QImage displayImage(const QImage& decoded, const QSize& box, qreal devicePixelRatio, bool stretch)
{
    if (decoded.isNull() || box.isEmpty())
        return {};
    const QSize size = displayRect(decoded.size(), box, stretch).size();
    if (size.isEmpty())
        return {};
    QImage out = size == decoded.size() ? decoded : decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out = out.convertToFormat(out.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    out.setDevicePixelRatio(devicePixelRatio);
    return out;
}

DisplayPicture loadDisplayPicture(const QString& path, const QSize& box, qreal devicePixelRatio, bool stretch)
{
    DisplayPicture picture;
    picture.decoded = loadImage(path, box);
    picture.display = displayImage(picture.decoded, box, devicePixelRatio, stretch);
    return picture;
}

FileStamp fileStamp(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.lastModified(), info.size()};
}

} // namespace kv
