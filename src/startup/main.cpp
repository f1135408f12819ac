#include "app/app_context.h"
#include "app/app_services.h"
#include "app/form1.h"
#include "app/form2.h"
#include "startup/startup.h"
#include "platform/image_loader.h"
#include "platform/services.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Kel-Vardo Folivra"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    app.setQuitOnLastWindowClosed(false);
    kv::limitImageMemory();

    kv::AppContext context(kv::makeAppServices());
    context.arguments = QApplication::arguments().mid(1);
    context.quitApplication = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };

    if (!kv::Form2_Load(context))
        return 0;
    QObject::connect(context.form2->Timer1, &QTimer::timeout, &app, [&context] { kv::Timer1_Timer(context); });
    const int rc = QApplication::exec();
    delete context.form1;
    return rc;
}
