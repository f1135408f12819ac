#include "support/test_files.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace kv {

void writePhoto(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!bytes.isNull()) {
        writeText(path, bytes);
        return;
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(qHash(QFileInfo(path).fileName()) % 360, 200, 200));
    image.save(path, "JPG");
}

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
}

} // namespace kv
