#include "app/painted_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <utility>

namespace kv {

namespace {

class PaintedIconEngine final : public QIconEngine
{
public:
    explicit PaintedIconEngine(std::function<QPixmap(const QSize&)> paint)
        : m_paint(std::move(paint))
    {
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return {};
        QPixmap drawn = m_paint(size);
        if (mode == QIcon::Disabled && QApplication::style()) {
            const QStyleOption option;
            drawn = QApplication::style()->generatedIconPixmap(QIcon::Disabled, drawn, &option);
        }
        return drawn;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(m_paint); }

private:
    std::function<QPixmap(const QSize&)> m_paint;
};

} // namespace

QIcon paintedIcon(std::function<QPixmap(const QSize&)> paint)
{
    return QIcon(new PaintedIconEngine(std::move(paint)));
}

} // namespace kv
