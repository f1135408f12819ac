#include "app/utilities.h"

#include "app/app_context.h"
#include "app/window_helpers.h"
#include "platform/dialogs.h"
#include "platform/screen.h"

#include <QStringList>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");

// A number as the general numeric format writes it: one leading space for the sign.
QString str(int n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}
} // namespace

QString resolutionAdvice(int widthPixels, int heightPixels, bool windowsDesktop)
{
    QStringList lines = {
        QStringLiteral("Your current screen resolution is set at ") + str(widthPixels) + QStringLiteral(" by")
            + str(heightPixels) + QStringLiteral(" pixles."),
        QString(),
        QStringLiteral("The optimum setting for the Kel-Vardo Folivra is 800 by 600 pixels."),
        QString(),
    };
    if (windowsDesktop) {
        lines << QStringLiteral("Also, The Kel-Vardo Folivra requires that the Small Fonts display setting is selected.")
              << QString()
              << QStringLiteral("To change your resolution and font size settings perform the following steps:")
              << QStringLiteral("    1)  Click the right mouse button while the cursor is on the Windows desktop.")
              << QStringLiteral("    2)  Select the Properties option from the window that will be displayed.")
              << QStringLiteral("    3)  Select the Settings tab.")
              << QStringLiteral("    4)  Adjust the Screen area Slide control to 800x600.")
              << QStringLiteral("    5)  You may also want to set the Colors to the highest level allowed by your")
              << QStringLiteral("         graphics card.")
              << QStringLiteral("    6)  To change the font size setting:")
              << QStringLiteral("          Click the Advanced button on the bottom right of the above window.")
              << QStringLiteral("          Select Small Fonts from the font size drop-down list box.")
              << QString()
              << QStringLiteral("You may now have to re-start your computer for the new settings to take affect.");
        return lines.join(CrLf) + CrLf;
    }
    // A Linux desktop: the scale stands where Small Fonts stood, and the change needs no restart.
    lines << QStringLiteral("To change your resolution and scale settings perform the following steps:")
          << QStringLiteral("    1)  Open the display settings of your desktop:")
          << QStringLiteral("          GNOME: Settings, Displays")
          << QStringLiteral("          KDE Plasma: System Settings, Display and Monitor")
          << QStringLiteral("          Xfce: Settings, Display")
          << QStringLiteral("    2)  Set the Resolution to 800 x 600.")
          << QStringLiteral("    3)  Set the Scale to 100%.")
          << QStringLiteral("    4)  Apply, and keep the new settings when asked.")
          << QString()
          << QStringLiteral("Without such settings, on X11: xrandr -s 800x600")
          << QString()
          << QStringLiteral("The new settings take effect at once; the Kel-Vardo Folivra shows its")
          << QStringLiteral("800 by 600 layout the next time it starts.");
    return lines.join(CrLf) + CrLf;
}

void mnuCheckResolution_Click(AppContext& c)
{
    if (CheckScreenSize(c, 800, 600)) {
        c.dialogs().messageBox(QStringLiteral("Your current screen resolution is set at 800x600.") + CrLf + CrLf
                                   + QStringLiteral("This is the optimum setting for the Kel-Vardo Folivra!"),
                               Buttons::Ok, Icon::None, QString());
        return;
    }
    const QSize screen = c.screen().sizePixels();
#ifdef Q_OS_WIN
    constexpr bool windowsDesktop = true;
#else
    constexpr bool windowsDesktop = false;
#endif
    c.dialogs().messageBox(resolutionAdvice(screen.width(), screen.height(), windowsDesktop), Buttons::Ok,
                           Icon::Exclamation,
                           QString());
}

} // namespace kv
