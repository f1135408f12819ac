#include "platform/image_loader.h"

#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QImageReader>

namespace kv {

void limitImageMemory(int megabytes)
{
    QImageReader::setAllocationLimit(megabytes);
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
    if (fitInto.isValid() && full.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)
        && (full.width() > fitInto.width() || full.height() > fitInto.height())) {
        reader.setScaledSize(full.scaled(fitInto, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

} // namespace kv
