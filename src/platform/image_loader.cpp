#include "platform/image_loader.h"

#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QImageReader>

namespace kv {

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

QImage loadImage(const QString& path, const QSize& fitInto, QString* error)
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
    if (full.isValid() && qint64(full.width()) * full.height() > MaxImagePixels) {
        return fail(QCoreApplication::translate("kv", "The picture is too large (%1 x %2 pixels).")
                        .arg(full.width())
                        .arg(full.height()));
    }
    if (fitInto.isValid() && full.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const QSize native = nativeScaledSize(full, fitInto);
        if (native != full)
            reader.setScaledSize(native);
    }
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

} // namespace kv
