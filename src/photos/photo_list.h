#pragma once

#include <QString>

namespace kv {

struct AppContext;

// Reads the photo folder into the sorted, numbered photo list.
void BuildPhotoList(AppContext& c);

// The two-letter code of a list entry: the characters after the photo folder.
QString photoCode(const AppContext& c, const QString& entry);
// The file name of a list entry (everything after the photo folder).
QString photoFileName(const AppContext& c, const QString& entry);

} // namespace kv
