#pragma once

#include <QString>

namespace kv {

// The name the saver is listed under in xscreensaver's settings.
inline const QString XScreenSaverEntryName = QStringLiteral("Kel-Vardo Folivra");

// One line of the "programs:" list in ~/.xscreensaver that runs `program` into xscreensaver's
// window, as the user would type it there.
QString xscreensaverEntry(const QString& program);

struct XScreenSaverAddition
{
    enum Outcome
    {
        Added,      // the entry is now in the list
        Listed,     // the list already ran this program, under `listedAs`
        NoSettings, // no xscreensaver settings in this home
        NoList,     // settings without a list of programs (xscreensaver uses its own)
        Failed,     // the settings could not be changed; `error` says why
    };
    Outcome outcome = NoSettings;
    QString listedAs;
    bool turnedOff = false; // listed, but with "-" before it
    QString backup; // the settings as they were before the first change
    QString error;
};

// Adds `program` to the end of the "programs:" list in `home`/.xscreensaver, keeping every
// other line byte for byte. The file is replaced whole (a temporary file renamed over it), and
// the first change keeps the old file beside it; a change that fails leaves no copy behind.
XScreenSaverAddition addToXScreenSaver(const QString& home, const QString& program);

} // namespace kv
