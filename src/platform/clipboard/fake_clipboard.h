#pragma once

#include "platform/clipboard/clipboard.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace kv {

// Keeps what was put on the clipboard, and the order of the calls.
class FakeClipboard final : public IClipboard
{
public:
    void clear() override
    {
        image = QImage();
        text.clear();
        calls << QStringLiteral("clear");
    }
    void setImage(const QImage& i) override
    {
        image = i;
        calls << QStringLiteral("image");
    }
    void setText(const QString& t) override
    {
        text = t;
        calls << QStringLiteral("text");
    }

    QImage image;
    QString text;
    QStringList calls;
};

} // namespace kv
