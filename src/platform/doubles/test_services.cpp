#include "platform/doubles/test_services.h"

namespace kv {

TestServices::TestServices()
    : dialogs(std::make_shared<FakeDialogs>())
    , files(std::make_shared<FakeFileSystem>())
    , settings(std::make_shared<FakeSettings>())
    , media(std::make_shared<FakeMediaFactory>())
    , shell(std::make_shared<FakeShell>())
    , screen(std::make_shared<FakeScreen>())
    , busy(std::make_shared<FakeBusyPointer>())
{
    files->setDrives({});
    services.dialogs = dialogs;
    services.files = files;
    services.settings = settings;
    services.media = media;
    services.shell = shell;
    services.screen = screen;
    services.busy = busy;
}

} // namespace kv
