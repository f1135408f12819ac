#pragma once

namespace kv {

struct AppContext;
class FrmSlide;

// While the slide show is open, the desktop's media keys and widget drive its bar and show
// the slide on show.
void publishSlideShow(AppContext& c, FrmSlide* w);

} // namespace kv
