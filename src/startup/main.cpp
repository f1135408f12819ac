#include "app/app_context.h"
#include "app/app_services.h"
#include "startup/command_line.h"
#include "startup/display.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/widgets/keyboard_polish.h"
#include "startup/startup.h"
#include "platform/image_loader.h"
#include "platform/media_device.h"
#include "platform/services.h"
#include "platform/product.h"

#include <QApplication>
#include <QTimer>

#include <memory>


int main(int argc, char* argv[])
{
    if (const auto code = kv::answerWithoutWindows(argc, argv))
        return *code;
    if (const auto code = kv::refuseWithoutDisplay(argc, argv))
        return *code;
    kv::preferPaintedVideo();
    auto opening = std::make_unique<kv::DisplayOpening>();
    QApplication app(argc, argv);
    opening.reset();
    QApplication::setApplicationName(kv::ProductTitle);
    QApplication::setStyle(QStringLiteral("Fusion"));
    app.setQuitOnLastWindowClosed(false);
    kv::KeyboardPolish::install();
    kv::limitImageMemory();

    kv::AppContext context(kv::makeAppServices());
    // Understood already, before the application object was made.
    const kv::CommandLine commandLine = kv::parseCommandLine(QApplication::arguments());
    context.arguments = commandLine.arguments;
    context.discFolder = commandLine.discFolder;
    context.forcedScale = commandLine.scale;
    kv::endThroughTheEventLoop(context);

    if (!kv::Form2_Load(context))
        return kv::exitCodeOfUnfinishedStart(context);
    QObject::connect(context.form2->Timer1, &QTimer::timeout, &app, [&context] { kv::Timer1_Timer(context); });
    const int rc = QApplication::exec();
    delete context.form1;
    return rc;
}
