#pragma once

#include <QString>

namespace kv {

// The program's name: window titles, box titles, the desktop's name for it.
inline const QString ProductTitle = QStringLiteral("The Kel-Vardo Folivra");

} // namespace kv
