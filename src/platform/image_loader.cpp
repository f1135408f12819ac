#include "platform/image_loader.h"

#include <QImageReader>

namespace kv {

void limitImageMemory(int megabytes)
{
    QImageReader::setAllocationLimit(megabytes);
}

QImage loadImage(const QString& path, const QSize& fitInto, QString* error)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
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
