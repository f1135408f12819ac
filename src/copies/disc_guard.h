#pragma once

#include <QString>

namespace kv {

struct AppContext;

// When the program's folder is the disc itself (started with "HWI", or the disc named through
// a link or a bind mount to it), its photos and movies are the title's own content: copying
// them onto themselves or removing them would only do harm. Says so and returns true then.
// `what` is "photos" or "movies", `folder` the folder piece they live in.
bool refuseOnDiscFolder(AppContext& c, const QString& what, const QString& folder);

} // namespace kv
