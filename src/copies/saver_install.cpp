#include "copies/saver_install.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/window_helpers.h"
#include "photos/slide_delay.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace kv {

namespace {

const QString SaverApp = QStringLiteral("SCRNSAVE: ") + ProductTitle;
const QString SaverFile = QStringLiteral("KelVardo.scr");
const QString CrLf = QStringLiteral("\r\n");

QString asSetting(const QString& folder)
{
    QString native = QDir::toNativeSeparators(folder);
    if (!native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

bool holdsPhotos(AppContext& c, const QString& folder)
{
    return !c.files().list(folder, QStringLiteral("*.jpg")).isEmpty();
}

void setDelayCaption(AppContext& c)
{
    saverPanel(c).panInterval->setText(QString::number(c.state.SlideDelay / 1000) + QStringLiteral(" Seconds"));
}

// Steps 3 to 7 of an installation, once the photo folder is known.
void finishInstall(AppContext& c, const QString& photoFolder)
{
    AppState& s = c.state;
    SaverPanel& panel = saverPanel(c);
    const QString systemDir = c.files().systemDir();
    s.ErrCode = QStringLiteral("ER049");
    const QString interval = QString::number(s.SlideDelay / 1000);
    bool ok = c.settings().setValue(SaverApp, QStringLiteral("Settings"), QStringLiteral("Interval"), interval)
        && c.settings().setValue(SaverApp, QStringLiteral("Settings"), QStringLiteral("KelVardosDir"), photoFolder);
    QString why;
    if (ok) {
        c.files().makeDir(systemDir); // the per-user program folder may not exist yet
        s.CopySource = joinPath(c.files().programDir(), SaverFile);
        s.CopyTarget = joinPath(systemDir, SaverFile);
        ok = c.files().copyFile(s.CopySource, s.CopyTarget, &why);
    }
    if (!ok && !why.isEmpty()) {
        // The saver is there but could not be written (a full or read-only disk): not ER049's
        // missing saver.
        c.dialogs().messageBox(QStringLiteral("Unable to copy the Screen Saver to") + CrLf
                                   + QDir::toNativeSeparators(systemDir) + CrLf + CrLf + why,
                               Buttons::Ok, Icon::Critical, ProductTitle);
        return;
    }
    if (!ok) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    SaverActivation how;
    how.program = QDir::toNativeSeparators(s.CopyTarget);
#ifdef Q_OS_WIN
    how.windows = true;
#else
    // Where the user runs xscreensaver, the saver joins its list.
    const QString home = c.files().homeDir();
    how.list = addToXScreenSaver(home, s.CopyTarget);
    if (how.list.backup.startsWith(home + QLatin1Char('/')))
        how.list.backup.replace(0, home.size(), QStringLiteral("~"));
#endif
    c.dialogs().messageBox(saverInstalledMessage(how), Buttons::Ok, Icon::None);
    panel.SSCommand6->setText(QStringLiteral("Exit"));
}

} // namespace

QString selectedPhotosFolder(AppContext& c)
{
    return asSetting(joinPath(c.files().dataDir(), QStringLiteral("/ssKel-Vardos/")));
}

QString localPhotosFolder(AppContext& c)
{
    return asSetting(joinPath(c.files().dataDir(), PhotoFolder));
}

QString discPhotosFolder(AppContext& c)
{
    // The disc's own spelling of the folder, so that a saver matching names exactly finds it.
    const QString path = joinPath(c.state.CdDrive, PhotoFolder);
    const QString real = c.files().resolve(path);
    return asSetting(real.isEmpty() ? path : real);
}

QString saverInstalledMessage(const SaverActivation& how)
{
    QStringList lines = {
        QStringLiteral("The Kel-Vardo Folivra Screen Saver has been installed!"),
        QString(),
        QStringLiteral("If you have not already done so, you must now activate "),
        QStringLiteral("the Kel-Vardo Folivra Screen Saver."),
        QString(),
        QStringLiteral("To do this follow these steps:"),
    };
    if (how.windows) {
        lines << QStringLiteral("    1) Click the Start button on the Windows desktop ")
              << QStringLiteral("    2) Click the Settings button") + QString(20, QLatin1Char(' '))
              << QStringLiteral("    3) Click on Control Panel") + QString(23, QLatin1Char(' '))
              << QStringLiteral("    4) Double click on the Display icon") + QString(13, QLatin1Char(' '))
              << QStringLiteral("    5) Select the Screen Saver tab") + QString(18, QLatin1Char(' '))
              << QStringLiteral("    6) Click the dropdown arrow to the left of the Settings button")
              << QStringLiteral("    7) Select KelVardo") + QString(24, QLatin1Char(' '))
              << QStringLiteral("    8) Click OK") + QString(28, QLatin1Char(' '));
        return lines.join(CrLf);
    }
    // xscreensaver, as the README tells: its settings window rewrites the file when it closes.
    const QString mode = QStringLiteral("    4) Set its Mode to \"Only One Screen Saver\"");
    switch (how.list.outcome) {
    case XScreenSaverAddition::Added:
        lines << QStringLiteral("    1) \"%1\" has been added to the screen savers in ~/.xscreensaver").arg(XScreenSaverEntryName)
              << QStringLiteral("       (the file as it was is kept as %1)").arg(how.list.backup)
              << QStringLiteral("    2) Close xscreensaver-settings if it is open, and run it again")
              << QStringLiteral("    3) Select \"%1\" in its list").arg(XScreenSaverEntryName) << mode;
        return lines.join(CrLf);
    case XScreenSaverAddition::Listed:
        if (how.list.turnedOff) {
            lines << QStringLiteral("    1) \"%1\" is in the screen savers of ~/.xscreensaver, but turned off").arg(how.list.listedAs)
                  << QStringLiteral("    2) Run xscreensaver-settings")
                  << QStringLiteral("    3) Select \"%1\" in its list and tick its box to turn it on").arg(how.list.listedAs)
                  << mode;
            return lines.join(CrLf);
        }
        lines << QStringLiteral("    1) \"%1\" is already among the screen savers in ~/.xscreensaver").arg(how.list.listedAs)
              << QStringLiteral("    2) Run xscreensaver-settings")
              << QStringLiteral("    3) Select \"%1\" in its list").arg(how.list.listedAs) << mode;
        return lines.join(CrLf);
    case XScreenSaverAddition::NoSettings:
    case XScreenSaverAddition::NoList:
    case XScreenSaverAddition::Failed:
        break;
    }
    lines << QStringLiteral("    1) Close xscreensaver-settings if it is open")
          << QStringLiteral("    2) Add this line to the \"programs:\" list in ~/.xscreensaver:")
          << QStringLiteral("         ") + xscreensaverEntry(how.program)
          << QStringLiteral("    3) Run xscreensaver-settings and select \"%1\"").arg(XScreenSaverEntryName) << mode
          << QString();
    if (how.list.outcome == XScreenSaverAddition::Failed)
        lines << QStringLiteral("~/.xscreensaver could not be changed: %1.").arg(how.list.error);
    else if (how.list.outcome == XScreenSaverAddition::NoList)
        lines << QStringLiteral("~/.xscreensaver has no \"programs:\" list of its own to add it to (xscreensaver")
              << QStringLiteral("uses its built-in list); the file was left as it was.");
    else
        lines << QStringLiteral("No xscreensaver settings were found to add it to (run xscreensaver-settings")
              << QStringLiteral("once, then Install again).");
    lines << QStringLiteral("Programs that start a command when the desktop is idle, such as xautolock")
          << QStringLiteral("or xidlehook, can start it full screen: ") + how.program
          << QStringLiteral("GNOME and KDE Plasma have no list of screen savers to add it to.");
    return lines.join(CrLf);
}

void mnuSaver_Click(AppContext& c)
{
    Form1& f = *c.form1;
    closePhotoWindow(c);
    SaverPanel& panel = saverPanel(c);
    const QRect image = f.Image4->geometry();
    const QRect exit(f.cmdExit->mapTo(f.stage, QPoint(0, 0)), f.cmdExit->size());
    f.pnlSSaver->move((exit.left() + exit.width() - panel.width()) / 2, image.top() + 5);
    // Which option is chosen stays as the user left it; only the choice of a set needs one.
    panel.Option1[1]->setEnabled(holdsPhotos(c, selectedPhotosFolder(c)));
    f.pnlSSaver->show();
    f.pnlSSaver->raise();
    panel.SSCommand6->setText(QStringLiteral("Cancel"));
    panel.SSCommand6->setFocus();
    c.state.SlideDelay = 1000;
    panel.panInterval->setText(QStringLiteral("1 Second"));
}

void SpinInterval_SpinUp(AppContext& c)
{
    c.state.SlideDelay = nextSlideDelay(c.state.SlideDelay, true);
    setDelayCaption(c);
}

void SpinInterval_SpinDown(AppContext& c)
{
    c.state.SlideDelay = nextSlideDelay(c.state.SlideDelay, false);
    setDelayCaption(c);
}

void InstallSaver(AppContext& c)
{
    AppState& s = c.state;
    SaverPanel& panel = saverPanel(c);
    if (panel.Option1[1]->isChecked()) {
        finishInstall(c, selectedPhotosFolder(c));
        return;
    }
    const QString local = localPhotosFolder(c);
    if (holdsPhotos(c, local)) {
        finishInstall(c, local);
        return;
    }
    s.QuestionAnswer = std::int16_t(c.dialogs().messageBox(
        QStringLiteral("To improve performance, the Kel-Vardo photos may be copied from") + CrLf
            + QStringLiteral("the Kel-Vardo Folivra CDROM to your hard drive before you install") + CrLf
            + QStringLiteral("the Kel-Vardo Folivra Screen Saver.") + CrLf + CrLf
            + QStringLiteral("Would you like to copy the photos now?"),
        Buttons::YesNo, Icon::Question));
    if (s.QuestionAnswer != Yes || !panel.copyPhotos) {
        finishInstall(c, discPhotosFolder(c));
        return;
    }
    s.CopyingPhotos = true;
    // One installation at a time while the copy panel has its turn.
    panel.SSCommand4->setEnabled(false);
    QPointer<SaverPanel> guard(&panel);
    panel.copyPhotos(c, [&c, guard, local](PhotoCopyEnd end) {
        if (!guard)
            return;
        guard->SSCommand4->setEnabled(true);
        c.form1->pnlSSaver->show();
        c.form1->pnlSSaver->raise();
        // A copy that never finished (cancelled, declined, no room) leaves the photos on the disc,
        // where the saver can still show them.
        finishInstall(c, end == PhotoCopyEnd::Finished && holdsPhotos(c, local) ? local : discPhotosFolder(c));
    });
}

void SSCommand6_Click(AppContext& c)
{
    c.form1->pnlSSaver->hide();
}

} // namespace kv
