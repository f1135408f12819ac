#pragma once

class QImage;
class QString;

namespace kv {

// The system clipboard: emptied, then given one picture or one text.
class IClipboard
{
public:
    virtual ~IClipboard() = default;
    virtual void clear() = 0;
    virtual void setImage(const QImage& image) = 0;
    virtual void setText(const QString& text) = 0;
};

class QtClipboard final : public IClipboard
{
public:
    void clear() override;
    void setImage(const QImage& image) override;
    void setText(const QString& text) override;
};

} // namespace kv
