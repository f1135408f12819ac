#include "platform/richtext/rtf_pictures.h"
#include "platform/richtext/rtf_tokenizer.h"

#include <QBuffer>
#include <QImageReader>

namespace kv::rtf {

namespace {

constexpr qreal MaxDisplayPx = 4000;

} // namespace

void Picture::appendHex(QByteArrayView text)
{
    if (!wanted())
        return;
    for (const char c : text) {
        const int v = hexValue(c);
        if (v < 0)
            continue; // blanks and stray characters between digits
        if (pendingNibble < 0) {
            pendingNibble = v;
        } else {
            if (data.size() >= MaxPictureBytes) {
                kind = PictureKind::Other; // too big: drop it
                data.clear();
                return;
            }
            data.append(char(pendingNibble * 16 + v));
            pendingNibble = -1;
        }
    }
}

void Picture::appendBinary(QByteArrayView bytes)
{
    if (!wanted())
        return;
    if (data.size() + bytes.size() > MaxPictureBytes) {
        kind = PictureKind::Other;
        data.clear();
        return;
    }
    data.append(bytes);
}

QSizeF Picture::displaySize(QSize imageSize) const
{
    qreal w = goalWidthTw > 0 ? goalWidthTw / 15.0 : imageSize.width();
    qreal h = goalHeightTw > 0 ? goalHeightTw / 15.0 : imageSize.height();
    if (goalWidthTw > 0 && goalHeightTw <= 0 && imageSize.width() > 0)
        h = w * imageSize.height() / imageSize.width();
    if (goalHeightTw > 0 && goalWidthTw <= 0 && imageSize.height() > 0)
        w = h * imageSize.width() / imageSize.height();
    const int sx = scaleX > 0 ? qMin(scaleX, 1000) : 100;
    const int sy = scaleY > 0 ? qMin(scaleY, 1000) : 100;
    w = w * sx / 100.0;
    h = h * sy / 100.0;
    if (w > MaxDisplayPx || h > MaxDisplayPx) {
        const qreal k = MaxDisplayPx / qMax(w, h);
        w *= k;
        h *= k;
    }
    return {qMax<qreal>(1, w), qMax<qreal>(1, h)};
}

QImage decodePicture(const Picture &pict)
{
    if (!pict.wanted() || pict.data.isEmpty())
        return {};
    // Checking the signature first keeps damaged blips away from the decoders' complaints.
    const bool png = pict.kind == PictureKind::Png;
    if (png ? !pict.data.startsWith("\x89PNG\r\n\x1a\n") : !pict.data.startsWith("\xff\xd8"))
        return {};
    QByteArray bytes = pict.data; // QBuffer needs a non-const array; this is a cheap shared copy
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, png ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaxPicturePixels)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

} // namespace kv::rtf
