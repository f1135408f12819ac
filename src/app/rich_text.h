#pragma once

#include <QString>

class QTextBrowser;

namespace kv {

struct AppContext;

// Loads a rich-text file of the disc (found without regard to case) into a box.
// False, with the box left as it was, when the file is missing or unreadable.
bool loadRichText(AppContext& c, QTextBrowser* box, const QString& path);

} // namespace kv
