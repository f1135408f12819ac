#include "platform/doubles/test_services.h"

#include <QCoreApplication>
#include <QDir>

#include <atomic>

namespace kv {

namespace {
int nextPrinterId()
{
    static std::atomic<int> id{0};
    return ++id;
}
} // namespace

TestServices::TestServices()
    : dialogs(std::make_shared<FakeDialogs>())
    , files(std::make_shared<FakeFileSystem>())
    , settings(std::make_shared<FakeSettings>())
    , media(std::make_shared<FakeMediaFactory>())
    , shell(std::make_shared<FakeShell>())
    , screen(std::make_shared<FakeScreen>())
    , busy(std::make_shared<FakeBusyPointer>())
    , awake(std::make_shared<FakeKeepAwake>())
    , controls(std::make_shared<FakeMediaControls>())
    , clipboard(std::make_shared<FakeClipboard>())
    , help(std::make_shared<FakeHelp>())
    , printer(std::make_shared<PdfPrinter>(QDir::temp().filePath(
          QStringLiteral("kv-test-%1-%2.pdf").arg(QCoreApplication::applicationPid()).arg(nextPrinterId()))))
{
    files->setDrives({});
    services.dialogs = dialogs;
    services.files = files;
    services.settings = settings;
    services.media = media;
    services.shell = shell;
    services.screen = screen;
    services.busy = busy;
    services.awake = awake;
    services.controls = controls;
    services.clipboard = clipboard;
    services.printer = printer;
    services.help = help;
}

} // namespace kv
