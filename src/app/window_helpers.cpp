#include "app/window_helpers.h"

#include "app/app_context.h"
#include "platform/shell.h"

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

bool RunAndWait(AppContext& c, const QString& commandLine)
{
    return c.shell().runAndWait(commandLine);
}

} // namespace kv
