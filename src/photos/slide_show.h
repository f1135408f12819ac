#pragma once

#include <QString>

#include <cstdint>

class QDateTime;

namespace kv {

struct AppContext;
class FrmSlide;

// "SlideShow" on the main window: the slide show over the main window, modal; returns when
// it has closed.
void ssCmdSlide_Click(AppContext& c);
void StartSlideShow(AppContext& c);
// The same opening without waiting for the window to close.
FrmSlide* OpenSlideShow(AppContext& c);

// The slide-show window's panYear caption for the photo at PhotoCursor.
void SlideCaption(AppContext& c);

// The delay after one press of the delay spin, in milliseconds.
std::int32_t nextSlideDelay(std::int32_t delay, bool up);
// Middle of the list: half the count, an exact half going to the even neighbour.
int middlePosition(int count);

// The clock captions at `when`: weekday, "mm/dd/yy", "hh:mm:ss am/pm".
struct SlideClock
{
    QString day;
    QString date;
    QString time;
};
SlideClock slideClockAt(const QDateTime& when);

// The random slide order starts again as on a new run of the program.
void restartSlideRandom();

} // namespace kv
