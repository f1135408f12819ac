// "KelVardo.scr": the title's screen saver, a program of its own.
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "saver/saver_app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("KelVardo.scr"));
    kv::QtSettingsStore settings;
    kv::QtFileSystem files;
    return kv::runSaver(QCoreApplication::arguments().mid(1), settings, files);
}
