#pragma once

#include <QString>

namespace kv {

struct AppContext;

// Reads the photo folder into the sorted, numbered photo list.
void BuildPhotoList(AppContext& c);

} // namespace kv
