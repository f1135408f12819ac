#include "app/widgets/flood_gauge.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {
constexpr int Steps = 10000; // hundredths of a percent
constexpr int FrameMs = 16;
}

FloodGauge::FloodGauge(QWidget* parent)
    : QProgressBar(parent)
{
    setRange(0, Steps);
    setValue(0);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(FrameMs);
    connect(&m_repaint, &QTimer::timeout, this, &FloodGauge::showPercent);
}

void FloodGauge::setFloodPercent(double percent)
{
    m_percent = percent;
    // A reset shows at once; steps along the way at most once a frame.
    if (percent <= 0 || !isVisible())
        showPercent();
    else if (!m_repaint.isActive())
        m_repaint.start();
    emit floodChanged(percent);
}

void FloodGauge::showPercent()
{
    m_repaint.stop();
    setValue(int(std::lround(std::clamp(m_percent, 0.0, 100.0) * 100)));
    update();
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
