#pragma once

namespace kv {

struct AppContext;

// The first photo of every year and topic, kept ready for the photo box (a few MB): choosing one
// then swaps the picture as a step does. Those not kept yet are read on the read-ahead thread
// once the window is idle after start-up and after every choice, so one found changed is read
// again before the next choice.
void keepFirstPhotos(AppContext& c);

} // namespace kv
