#pragma once

namespace kv {

struct AppContext;
class FrmMovie;

// While the movie window is open, the desktop's media keys and widget drive its bar and show
// the film's title.
void publishMovieWindow(AppContext& c, FrmMovie* w);

} // namespace kv
