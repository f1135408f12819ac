#pragma once

#include <QString>

namespace kv::rtf {

// Link target of a HYPERLINK field instruction ("#name" for \l bookmarks);
// empty for any other field.
QString hyperlinkTarget(const QString &instruction);

} // namespace kv::rtf
