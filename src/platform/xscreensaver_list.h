#pragma once

#include <QString>

namespace kv {

// The name the saver is listed under in xscreensaver's settings.
inline const QString XScreenSaverEntryName = QStringLiteral("Kel-Vardo Folivra");

// One line of the "programs:" list in ~/.xscreensaver that runs `program` into xscreensaver's
// window, as the user would type it there.
QString xscreensaverEntry(const QString& program);

} // namespace kv
