#include "startup/display.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kv {

namespace {

constexpr int NoDisplayExit = 1;
QtMessageHandler previousHandler = nullptr;

void sayNoDisplay()
{
    std::fputs("kelvardo: cannot open a display (DISPLAY / WAYLAND_DISPLAY)\n", stderr);
    std::fflush(stderr);
}

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// The user chose the window system (QT_QPA_PLATFORM, -platform NAME) or the X display
// (-display NAME); either may be written with two dashes or with "=".
bool windowSystemNamed(int argc, char* argv[])
{
    if (isSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, "--", 2) == 0)
            ++a;
        for (const char* option : {"-platform", "-display"}) {
            const size_t n = std::strlen(option);
            if (std::strncmp(a, option, n) == 0 && (a[n] == '\0' || a[n] == '='))
                return true;
        }
    }
    return false;
}

void whileOpening(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        // Qt gives up only when no platform plugin could open its window system.
        sayNoDisplay();
        std::_Exit(NoDisplayExit);
    }
    previousHandler(type, context, message);
}

} // namespace

std::optional<int> refuseWithoutDisplay(int argc, char* argv[])
{
    // A chosen platform (offscreen, vnc, ...) may need no display; the guard below covers it.
    if (windowSystemNamed(argc, argv) || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return std::nullopt;
    sayNoDisplay();
    return NoDisplayExit;
}

DisplayOpening::DisplayOpening()
{
    previousHandler = qInstallMessageHandler(whileOpening);
}

DisplayOpening::~DisplayOpening()
{
    qInstallMessageHandler(previousHandler);
}

} // namespace kv
