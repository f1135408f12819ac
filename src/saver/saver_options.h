#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kv {

enum class SaverMode
{
    FullScreen,  // the saver itself (no argument, "-s", "/s")
    IntoWindow,  // into another program's window: "-window-id", "-root", XSCREENSAVER_WINDOW
    Preview,     // a small window ("-preview", "-p", "/p"), or into one when an id follows
    Configure,   // "-c", "/c": settings are made by the title, not here
    Help,
};

struct SaverOptions
{
    SaverMode mode = SaverMode::FullScreen;
    quint64 window = 0;    // the window to draw into; 0 for one of our own
    bool root = false;     // "-root" with no XSCREENSAVER_WINDOW: the screen's root window
    bool trace = false;    // print each painted photo with its due time on standard output
    std::int32_t intervalMs = 0; // overrides the stored interval (benchmarks), 0 for none
    QString error;         // a usage error, for standard error
};

// Reads the arguments after the program name. `envWindow` is XSCREENSAVER_WINDOW.
SaverOptions parseSaverOptions(const QStringList& args, const QString& envWindow);

QString saverUsage();

// True when the options ask to draw into a window of the X server ("-root", "-window-id",
// XSCREENSAVER_WINDOW), which only X11 has.
bool wantsXWindow(const SaverOptions& o);

} // namespace kv
