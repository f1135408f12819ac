#pragma once

#include "platform/doubles/fake_dialogs.h"
#include "platform/doubles/fake_file_system.h"
#include "platform/doubles/fake_keep_awake.h"
#include "platform/doubles/fake_media.h"
#include "platform/doubles/fake_media_controls.h"
#include "platform/doubles/fake_screen.h"
#include "platform/doubles/fake_settings.h"
#include "platform/doubles/fake_shell.h"
#include "platform/printer/pdf_printer.h"
#include "platform/clipboard/fake_clipboard.h"
#include "platform/help/fake_help.h"
#include "platform/services.h"

namespace kv {

// A full set of doubles; the typed pointers let tests script and inspect them.
struct TestServices
{
    TestServices();
    Services services;
    std::shared_ptr<FakeDialogs> dialogs;
    std::shared_ptr<FakeFileSystem> files;
    std::shared_ptr<FakeSettings> settings;
    std::shared_ptr<FakeMediaFactory> media;
    std::shared_ptr<FakeShell> shell;
    std::shared_ptr<FakeScreen> screen;
    std::shared_ptr<FakeBusyPointer> busy;
    std::shared_ptr<FakeKeepAwake> awake;
    std::shared_ptr<FakeMediaControls> controls;
    std::shared_ptr<FakeClipboard> clipboard;
    std::shared_ptr<FakeHelp> help;
    // Writes each job to a PDF file in the system temp folder; tests may point it elsewhere.
    std::shared_ptr<PdfPrinter> printer;
};

} // namespace kv
