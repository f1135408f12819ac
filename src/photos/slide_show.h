#pragma once

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

} // namespace kv
