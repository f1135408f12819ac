#pragma once

#include <QString>

namespace kv {

struct AppContext;
class RichTextBox;

// Loads a rich-text file of the disc (found without regard to case) into a box.
// False, with the box left as it was, when the file is missing or unreadable.
bool loadRichText(AppContext& c, RichTextBox* box, const QString& path);

} // namespace kv
