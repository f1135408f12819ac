#include "photos/slide_clock.h"

#include "app/widgets/panel3d.h"
#include "photos/frm_slide.h"

#include <QDateTime>
#include <QLocale>

namespace kv {

SlideClock slideClockAt(const QDateTime& when)
{
    const QLocale c = QLocale::c();
    return {c.toString(when.date(), QStringLiteral("dddd")), c.toString(when.date(), QStringLiteral("MM/dd/yy")),
            c.toString(when.time(), QStringLiteral("hh:mm:ss ap"))};
}

void FrmSlide::Timer3_Timer()
{
    const SlideClock clock = slideClockAt(QDateTime::currentDateTime());
    StatusTime->setText(clock.time);
    StatusDate->setText(clock.date);
    StatusDay->setText(clock.day);
}

} // namespace kv
