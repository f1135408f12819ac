// "KelVardo.scr": the title's screen saver, a program of its own.
#include "platform/file_system.h"
#include "platform/keep_awake.h"
#include "platform/settings_store.h"
#include "saver/saver_app.h"
#include "saver/saver_options.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Drawing into xscreensaver's window or the root window needs X; on a Wayland desktop with
    // XWayland, Qt would choose Wayland, where neither exists.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (kv::wantsXWindow(kv::parseSaverOptions(args, qEnvironmentVariable("XSCREENSAVER_WINDOW")))
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("KelVardo.scr"));
    kv::QtSettingsStore settings;
    kv::QtFileSystem files;
    kv::DBusKeepAwake awake(QStringLiteral("The Kel-Vardo Folivra Screen Saver"));
    return kv::runSaver(QCoreApplication::arguments().mid(1), settings, files, awake);
}
