#pragma once

#include "app/app_state.h"
#include "platform/media_device.h"
#include "platform/services.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <QList>

#include <functional>
#include <memory>

class QShortcut;

namespace kv {

class FindWindow;
class Form1;
class Form2;
class FrmAbout;
class FrmMovie;
class FrmScroll;

// State, services and the windows that exist: made once at start-up, fresh in each test.
struct AppContext
{
    explicit AppContext(Services s) : services(std::move(s)) {}

    AppState state;
    Services services;
    QStringList arguments; // command line without the program name
    QString discFolder;    // a folder the user named as the content disc
    double forcedScale = 0; // --scale: the layout scale the user chose, 0 when none

    QPointer<Form1> form1;
    QPointer<Form2> form2;
    // Secondary windows while they are open.
    QPointer<QWidget> txtForm;
    QPointer<QWidget> frmSlide;
    QPointer<QWidget> frmSSPhoto;
    QPointer<FrmScroll> frmScroll;
    QPointer<FrmMovie> frmMovie;
    QPointer<FrmAbout> frmAbout;
    // Made on first use and kept while the program runs, so that it reopens as it was left.
    QPointer<FindWindow> findWindow;
    // The movie window's device, kept for every opening while there is a main window.
    std::unique_ptr<IMediaDevice> movieDevice;

    // The help file, set at start-up and again by PrepareHelp, and the window whose help
    // PrepareHelp opened (closed again by CloseHelp).
    QString helpFile;
    QPointer<QWidget> HelpWnd;
    // The help keys given to windows, one each.
    QList<QPointer<QShortcut>> helpKeys;

    // Reloads the artwork panels shown, for the year now chosen; set by the artwork's wiring.
    std::function<void()> reloadVisibleArtwork;

    // Ends the event loop after the main window closed; empty in tests.
    std::function<void()> quitApplication;
    // Set while files are being copied: gives up the file in flight and ends the copy.
    std::function<void()> stopCopy;

    // Set when Cancel in a Retry/Cancel box or a refused second copy ended the program.
    bool ended = false;

    IDialogs& dialogs() const { return *services.dialogs; }
    IFileSystem& files() const { return *services.files; }
    ISettingsStore& settings() const { return *services.settings; }
    IMediaFactory& media() const { return *services.media; }
    IShell& shell() const { return *services.shell; }
    IScreen& screen() const { return *services.screen; }
    IBusyPointer& busy() const { return *services.busy; }
    IKeepAwake& awake() const { return *services.awake; }
    // The desktop's media controls; null where the program runs without them.
    IMediaControls* mediaControls() const { return services.controls.get(); }
    IClipboard& clipboard() const { return *services.clipboard; }
    IPrinter& printer() const { return *services.printer; }
    IHelp& help() const { return *services.help; }
};

} // namespace kv
