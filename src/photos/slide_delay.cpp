#include "photos/slide_delay.h"

#include "app/app_context.h"
#include "app/widgets/panel3d.h"
#include "photos/frm_slide.h"

namespace kv {

std::int32_t nextSlideDelay(std::int32_t delay, bool up)
{
    switch (delay) {
    case 1000: return up ? 2000 : 60000;
    case 2000: return up ? 3000 : 1000;
    case 3000: return up ? 4000 : 2000;
    case 4000: return up ? 5000 : 3000;
    case 5000: return up ? 10000 : 4000;
    case 60000: return up ? 1000 : 55000;
    default: return up ? delay + 5000 : delay - 5000;
    }
}

void FrmSlide::setDelayCaption()
{
    panInterval->setText(QString::number(m_context.state.SlideDelay / 1000) + QStringLiteral(" seconds"));
}

void FrmSlide::SpinInterval_SpinUp()
{
    m_context.state.SlideDelay = nextSlideDelay(m_context.state.SlideDelay, true);
    setDelayCaption();
    focusFirstButton();
}

void FrmSlide::SpinInterval_SpinDown()
{
    m_context.state.SlideDelay = nextSlideDelay(m_context.state.SlideDelay, false);
    setDelayCaption();
    focusFirstButton();
}

} // namespace kv
