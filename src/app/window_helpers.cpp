#include "app/window_helpers.h"

#include "app/app_context.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/twips.h"

#include <QWidget>

namespace kv {

void SetTopmost(QWidget* window, bool topmost)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    const QRect geometry = window->geometry();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing the flag hides the window; show it again where it was.
    window->setGeometry(geometry);
    if (visible)
        window->show();
}

void RunProgram(AppContext& c, const QString& commandLine, std::function<void(bool ran)> ended)
{
    c.shell().run(commandLine, std::move(ended));
}

bool CheckScreenSize(AppContext& c, int width, int height)
{
    const QSize screen = c.screen().sizePixels();
    return pixelsToTwips(screen.width()) == width * TwipsPerPixel
        && pixelsToTwips(screen.height()) == height * TwipsPerPixel;
}

void closePhotoWindow(AppContext& c)
{
    QWidget* photo = c.frmSSPhoto;
    if (!photo)
        return;
    SetTopmost(photo, false);
    photo->close();
    photo->deleteLater();
    c.frmSSPhoto = nullptr;
}

} // namespace kv
