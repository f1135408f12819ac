#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace kv {

QSize QtScreen::sizePixels() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(800, 600);
}

QSize QtScreen::availablePixels() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(800, 600);
}

bool canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace kv
