// Peak memory and time for a small progressive JPEG whose header claims 60000 x 60000 pixels,
// read through the program's picture loader. With --bare the same file goes straight to
// QImageReader (allocation limit set, no size check), which is what the loader guards against;
// run that mode under a memory limit (ulimit -v) or a timeout.
#include "platform/image_loader.h"

#include "common/proc_status.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

long peakKb()
{
    return procStatusKb("VmHWM:");
}

QByteArray hostileJpeg()
{
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    QByteArray bytes = buffer.data();
    const int sof = bytes.indexOf(QByteArray("\xFF\xC2", 2));
    const int side = 60000;
    bytes[sof + 5] = char(side >> 8);
    bytes[sof + 6] = char(side & 0xFF);
    bytes[sof + 7] = char(side >> 8);
    bytes[sof + 8] = char(side & 0xFF);
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const bool bare = app.arguments().contains(QStringLiteral("--bare"));
    kv::limitImageMemory();
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/57009.jpg");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(hostileJpeg()) < 0)
        return 1;
    file.close();

    const long before = peakKb();
    QElapsedTimer timer;
    timer.start();
    QImage image;
    if (bare) {
        QImageReader reader(path);
        reader.setScaledSize({640, 480});
        image = reader.read();
    } else {
        image = kv::loadImage(path, {640, 480});
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("file size                 %8lld bytes\n", static_cast<long long>(QFile(path).size()));
    std::printf("mode                      %s\n", bare ? "bare QImageReader" : "program loader");
    std::printf("picture decoded           %s\n", image.isNull() ? "no (refused or failed)" : "yes");
    std::printf("time                      %8.1f ms\n", ms);
    std::printf("peak memory before read   %8.1f MB\n", before / 1024.0);
    std::printf("peak memory after read    %8.1f MB\n", peakKb() / 1024.0);
    return 0;
}
