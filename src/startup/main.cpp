#include "app/app_context.h"
#include "app/app_services.h"
#include "startup/command_line.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/widgets/keyboard_polish.h"
#include "startup/startup.h"
#include "platform/image_loader.h"
#include "platform/media_device.h"
#include "platform/media_warm_up.h"
#include "platform/services.h"

#include <QApplication>
#include <QTimer>


int main(int argc, char* argv[])
{
    if (const auto code = kv::answerWithoutWindows(argc, argv))
        return *code;
    kv::preferPaintedVideo();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Kel-Vardo Folivra"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    app.setQuitOnLastWindowClosed(false);
    kv::KeyboardPolish::install();
    kv::limitImageMemory();

    kv::AppContext context(kv::makeAppServices());
    // Understood already, before the application object was made.
    const kv::CommandLine commandLine = kv::parseCommandLine(QApplication::arguments());
    context.arguments = commandLine.arguments;
    context.discFolder = commandLine.discFolder;
    context.quitApplication = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };
    context.warmUpMedia = [&context](const QString& film) { kv::warmUpMediaBackEnd(film, context.form1); };

    if (!kv::Form2_Load(context))
        return 0;
    QObject::connect(context.form2->Timer1, &QTimer::timeout, &app, [&context] { kv::Timer1_Timer(context); });
    const int rc = QApplication::exec();
    delete context.form1;
    return rc;
}
