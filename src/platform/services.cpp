#include "platform/services.h"

#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/keep_awake.h"
#include "platform/media_device.h"
#include "platform/mpris_player.h"
#include "platform/screen.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

namespace kv {

Services makeQtServices()
{
    Services s;
    s.dialogs = std::make_shared<QtDialogs>();
    s.files = std::make_shared<QtFileSystem>();
    s.settings = std::make_shared<QtSettingsStore>();
    s.media = std::make_shared<QtMediaFactory>();
    s.shell = std::make_shared<QtShell>();
    s.screen = std::make_shared<QtScreen>();
    s.busy = std::make_shared<QtBusyPointer>();
    s.awake = std::make_shared<DBusKeepAwake>(ProductTitle);
    s.controls = std::make_shared<MprisMediaControls>(ProductTitle,
                                                      QStringLiteral("org.kelvardo.Folivra"));
    return s;
}

} // namespace kv
