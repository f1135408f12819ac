#include "app/widgets/flood_gauge.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {
constexpr int Steps = 10000; // hundredths of a percent
}

FloodGauge::FloodGauge(QWidget* parent)
    : QProgressBar(parent)
{
    setRange(0, Steps);
    setValue(0);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
}

void FloodGauge::setFloodPercent(double percent)
{
    m_percent = percent;
    setValue(int(std::lround(std::clamp(percent, 0.0, 100.0) * 100)));
    emit floodChanged(percent);
}

void FloodGauge::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void FloodGauge::setFloodWithCaption(double percent)
{
    setFloodPercent(percent);
    // The whole-number caption rounds, as the old gauge's did.
    setCaption(QString::number(std::llround(percent)));
}

} // namespace kv
