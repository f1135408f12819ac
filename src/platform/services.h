#pragma once

#include <memory>

namespace kv {

class IBusyPointer;
class IClipboard;
class IDialogs;
class IFileSystem;
class IHelp;
class IKeepAwake;
class IMediaControls;
class IMediaFactory;
class IPrinter;
class IScreen;
class ISettingsStore;
class IShell;

// Everything the program needs from the outside world, chosen once at start-up.
struct Services
{
    std::shared_ptr<IDialogs> dialogs;
    std::shared_ptr<IFileSystem> files;
    std::shared_ptr<ISettingsStore> settings;
    std::shared_ptr<IMediaFactory> media;
    std::shared_ptr<IShell> shell;
    std::shared_ptr<IScreen> screen;
    std::shared_ptr<IBusyPointer> busy;
    std::shared_ptr<IPrinter> printer;
    std::shared_ptr<IClipboard> clipboard;
    std::shared_ptr<IHelp> help;
    std::shared_ptr<IKeepAwake> awake;
    std::shared_ptr<IMediaControls> controls;
};

// The real implementations, except those that live in their own modules (printer, clipboard,
// help), which the application adds.
Services makeQtServices();

} // namespace kv
