// The screen-saver panel on the main window: the delay, the folder each choice installs,
// the saver program copied, and what the user is told.
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "copies/saver_install.h"
#include "support/fixture.h"
#include "support/small_disk.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <optional>

#include <sys/mount.h>
#include <unistd.h>

using namespace kv;

Q_DECLARE_METATYPE(kv::PhotoCopyEnd)

namespace {
const QString App = QStringLiteral("SCRNSAVE: The Kel-Vardo Folivra/Settings/");

QString asSetting(const QString& folder)
{
    return QDir::toNativeSeparators(folder) + QDir::separator();
}

// A file that cannot be written: bound read-only onto itself as root (who writes through any
// permissions), else by its permissions.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString& path)
        : m_path(QFile::encodeName(path))
    {
        if (::geteuid() != 0) {
            made = QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            return;
        }
        m_bound = ::mount(m_path.constData(), m_path.constData(), nullptr, MS_BIND, nullptr) == 0;
        made = m_bound && ::mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFile()
    {
        if (m_bound)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    bool made = false;

private:
    QByteArray m_path;
    bool m_bound = false;
};
} // namespace

class TestSaverPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opening();
    void delayCycle_data();
    void delayCycle();
    void install_data();
    void install();
    void missingSaverIsER049AfterTheSettings();
    void reinstallKeepsAWorkingSaver_data();
    void reinstallKeepsAWorkingSaver();
    void windowsStepsKeepTheirColumns();
    void linuxStepsFollowTheReadme();
    void xscreensaverListGainsTheSaver_data();
    void xscreensaverListGainsTheSaver();
    void xscreensaverLeftAsItWasSaysWhy_data();
    void xscreensaverLeftAsItWasSaysWhy();
    void fullProgramFolderIsSaid();

private:
    SaverPanel& open();

    std::unique_ptr<Fixture> fx;
    QString disc;
};

void TestSaverPanel::init()
{
    fx = std::make_unique<Fixture>();
    disc = fx->disc();
    fx->writePhotos(disc, {QStringLiteral("55001.jpg"), QStringLiteral("56001.jpg")});
    writeText(fx->programDir() + QStringLiteral("/KelVardo.scr"), QByteArrayLiteral("saver program"));
    Form1& f = fx->openMain(disc);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
}

void TestSaverPanel::cleanup()
{
    fx.reset();
}

SaverPanel& TestSaverPanel::open()
{
    fx->c->form1->mnuSaver->trigger();
    return saverPanel(*fx->c);
}

void TestSaverPanel::opening()
{
    Form1& f = *fx->c->form1;
    SaverPanel& p = open();
    QVERIFY(f.pnlSSaver->isVisible());
    QCOMPARE(f.pnlSSaver->size(), QSize(417, 345));
    QCOMPARE(f.pnlSSaver->y(), f.Image4->y() + 5);
    QVERIFY(p.Option1[0]->isChecked());
    QVERIFY(!p.Option1[1]->isEnabled()); // no selected photos yet
    QCOMPARE(p.panInterval->text(), QStringLiteral("1 Second"));
    QCOMPARE(p.SSCommand6->text(), QStringLiteral("Cancel"));
    QTRY_VERIFY(p.SSCommand6->hasFocus());

    // A chosen set stays chosen when its photos are gone; with photos it can be chosen again.
    p.Option1[1]->setEnabled(true);
    p.Option1[1]->setChecked(true);
    QTest::mouseClick(p.SSCommand6, Qt::LeftButton);
    QVERIFY(!f.pnlSSaver->isVisible());
    open();
    QVERIFY(p.Option1[1]->isChecked() && !p.Option1[1]->isEnabled());
    writePhoto(fx->programDir() + QStringLiteral("/ssKel-Vardos/55001.jpg"));
    fx->t.files->invalidate();
    open();
    QVERIFY(p.Option1[1]->isEnabled());
}

void TestSaverPanel::delayCycle_data()
{
    QTest::addColumn<QString>("presses"); // u = up arrow, d = down arrow
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("down from one second wraps") << "d" << QStringList{"60 Seconds"};
    QTest::newRow("up five times") << "uuuuu"
                                   << QStringList{"2 Seconds", "3 Seconds", "4 Seconds", "5 Seconds", "10 Seconds"};
    QTest::newRow("up from sixty wraps") << "d" "u" << QStringList{"60 Seconds", "1 Seconds"};
    QTest::newRow("down past five") << "uuuuud" "d" << QStringList{"2 Seconds", "3 Seconds", "4 Seconds", "5 Seconds",
                                                               "10 Seconds", "5 Seconds", "4 Seconds"};
}

void TestSaverPanel::delayCycle()
{
    QFETCH(QString, presses);
    QFETCH(QStringList, captions);
    SaverPanel& p = open();
    QStringList seen;
    for (const QChar key : presses) {
        QTest::mouseClick(key == QLatin1Char('u') ? p.SpinInterval->upButton() : p.SpinInterval->downButton(),
                          Qt::LeftButton);
        seen << p.panInterval->text();
    }
    QCOMPARE(seen, captions);
    QCOMPARE(fx->c->state.SlideDelay, captions.last().split(QLatin1Char(' ')).first().toInt() * 1000);
    // Opening again starts at one second, for the slide show too.
    open();
    QCOMPARE(fx->c->state.SlideDelay, 1000);
    QCOMPARE(p.panInterval->text(), QStringLiteral("1 Second"));
}

void TestSaverPanel::install_data()
{
    QTest::addColumn<QString>("setup");   // "selected", "local" or "" for neither
    QTest::addColumn<int>("answer");      // to the copy question; 0 when none is asked
    QTest::addColumn<int>("copyEnd");     // how the copy panel's turn ends; -1 when not shown
    QTest::addColumn<QString>("folder");  // DATA or DISC + "/..."
    const int none = -1;
    QTest::newRow("selected photos") << "selected" << 0 << none << "DATA/ssKel-Vardos";
    QTest::newRow("all, local copy") << "local" << 0 << none << "DATA/Murvos";
    QTest::newRow("all, no copy wanted") << "" << int(No) << none << "DISC/MURVOS";
    QTest::newRow("all, copied first") << "" << int(Yes) << int(PhotoCopyEnd::Finished) << "DATA/Murvos";
    QTest::newRow("all, copy cancelled") << "" << int(Yes) << int(PhotoCopyEnd::Cancelled) << "DISC/MURVOS";
    QTest::newRow("all, no room to copy") << "" << int(Yes) << int(PhotoCopyEnd::Refused) << "DISC/MURVOS";
}

void TestSaverPanel::install()
{
    QFETCH(QString, setup);
    QFETCH(int, answer);
    QFETCH(int, copyEnd);
    QFETCH(QString, folder);
    // The disc spells its photo folder in capitals; the saver is given the real name.
    QVERIFY(QDir(disc).rename(QStringLiteral("Murvos"), QStringLiteral("MURVOS")));
    // Installed system-wide: the saver program is read from the title's folder, the photo
    // copies and the set live in the per-user data folder.
    const QString prog = fx->dir.path() + QStringLiteral("/data");
    fx->t.files->setDataDir(prog);
    if (setup == QLatin1String("selected"))
        writePhoto(prog + QStringLiteral("/ssKel-Vardos/56001.jpg"));
    if (setup == QLatin1String("local"))
        writePhoto(prog + QStringLiteral("/Murvos/55001.jpg"));
    if (answer)
        fx->t.dialogs->answers << answer;

    SaverPanel& p = open();
    bool copyShown = false;
    p.copyPhotos = [&](AppContext&, std::function<void(PhotoCopyEnd)> done) {
        copyShown = true;
        QVERIFY(fx->c->state.CopyingPhotos);
        // The panel's turn ends later, as a user's click on it would.
        QTimer::singleShot(10, [&, done] {
            QVERIFY(!p.SSCommand4->isEnabled());
            if (copyEnd == int(PhotoCopyEnd::Finished))
                writePhoto(prog + QStringLiteral("/Murvos/55001.jpg"));
            done(PhotoCopyEnd(copyEnd));
        });
    };
    if (setup == QLatin1String("selected"))
        p.Option1[1]->setChecked(true);
    QTest::mouseClick(p.SpinInterval->downButton(), Qt::LeftButton); // 60 seconds
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton);
    QTRY_COMPARE(p.SSCommand6->text(), QStringLiteral("Exit"));

    QCOMPARE(copyShown, copyEnd != -1);
    QVERIFY(p.SSCommand4->isEnabled());
    QVERIFY(fx->c->form1->pnlSSaver->isVisible());
    const QString expected = asSetting(QString(folder).replace(QStringLiteral("DATA"), prog).replace(QStringLiteral("DISC"), disc));
    QCOMPARE(fx->t.settings->values.value(App + QStringLiteral("KelVardosDir")), expected);
    QCOMPARE(fx->t.settings->values.value(App + QStringLiteral("Interval")), QStringLiteral("60"));
    QFile installed(fx->dir.path() + QStringLiteral("/system/KelVardo.scr"));
    QVERIFY(installed.open(QIODevice::ReadOnly));
    QCOMPARE(installed.readAll(), QByteArrayLiteral("saver program"));

    const QList<FakeDialogs::Box>& boxes = fx->t.dialogs->boxes;
    QCOMPARE(boxes.size(), answer ? 2 : 1);
    if (answer) {
        QCOMPARE(boxes.first().buttons, Buttons::YesNo);
        QCOMPARE(boxes.first().icon, Icon::Question);
        QVERIFY(boxes.first().text.endsWith(QStringLiteral("\r\n\r\nWould you like to copy the photos now?")));
    }
    QCOMPARE(boxes.last().icon, Icon::None);
    QCOMPARE(boxes.last().buttons, Buttons::Ok);
    QVERIFY(boxes.last().text.startsWith(QStringLiteral("The Kel-Vardo Folivra Screen Saver has been installed!\r\n\r\n")));
    QVERIFY(boxes.last().text.contains(QDir::toNativeSeparators(installed.fileName())));
}

void TestSaverPanel::missingSaverIsER049AfterTheSettings()
{
    QVERIFY(QFile::remove(fx->programDir() + QStringLiteral("/KelVardo.scr")));
    writePhoto(fx->programDir() + QStringLiteral("/Murvos/55001.jpg"));
    SaverPanel& p = open();
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton);
    QCOMPARE(fx->c->state.ErrCode, QStringLiteral("ER049"));
    QCOMPARE(fx->t.dialogs->boxes.size(), 1);
    QVERIFY(fx->t.dialogs->lastText().contains(QStringLiteral(" Unable to find Screen Saver.")));
    QCOMPARE(fx->t.dialogs->boxes.last().icon, Icon::Critical);
    QCOMPARE(fx->t.settings->values.value(App + QStringLiteral("Interval")), QStringLiteral("1"));
    QCOMPARE(fx->t.settings->values.value(App + QStringLiteral("KelVardosDir")),
             asSetting(fx->programDir() + QStringLiteral("/Murvos")));
    QCOMPARE(p.SSCommand6->text(), QStringLiteral("Cancel"));
    QVERIFY(!QFile::exists(fx->dir.path() + QStringLiteral("/system/KelVardo.scr")));
}

void TestSaverPanel::reinstallKeepsAWorkingSaver_data()
{
    QTest::addColumn<bool>("fromInstallFolder");
    QTest::newRow("program runs from the install folder") << true;
    QTest::newRow("older saver installed") << false;
}

void TestSaverPanel::reinstallKeepsAWorkingSaver()
{
    QFETCH(bool, fromInstallFolder);
    const QString saver = fx->programDir() + QStringLiteral("/KelVardo.scr");
    QVERIFY(QFile::setPermissions(saver, QFile::permissions(saver) | QFile::ExeOwner));
    QString installed = saver;
    if (fromInstallFolder) {
        fx->t.files->setSystemDir(fx->programDir());
    } else {
        installed = fx->dir.path() + QStringLiteral("/system/KelVardo.scr");
        writeText(installed, QByteArrayLiteral("older saver"));
    }
    writePhoto(fx->programDir() + QStringLiteral("/Murvos/55001.jpg"));
    SaverPanel& p = open();
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton);
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton);
    QCOMPARE(fx->t.dialogs->boxes.size(), 2);
    for (const FakeDialogs::Box& box : std::as_const(fx->t.dialogs->boxes))
        QVERIFY2(box.text.startsWith(QStringLiteral("The Kel-Vardo Folivra Screen Saver has been installed!")),
                 qPrintable(box.text));
    QFile file(installed);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArrayLiteral("saver program"));
    QVERIFY(file.permissions() & QFile::ExeOwner);
    // No temporary file is left beside it.
    QCOMPARE(QDir(QFileInfo(installed).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("KelVardo.scr")});
}

void TestSaverPanel::windowsStepsKeepTheirColumns()
{
    SaverActivation windows;
    windows.windows = true;
    const QStringList lines = saverInstalledMessage(windows).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.at(2), QStringLiteral("If you have not already done so, you must now activate "));
    QCOMPARE(lines.at(6), QStringLiteral("    1) Click the Start button on the Windows desktop "));
    // The step lines are padded with blanks to line up in the message box.
    const QList<int> lengths = {52, 52, 52, 52, 66, 46, 43};
    for (int i = 0; i < lengths.size(); ++i)
        QCOMPARE(lines.at(7 + i).size(), lengths.at(i));
}

void TestSaverPanel::linuxStepsFollowTheReadme()
{
    SaverActivation how;
    how.program = QStringLiteral("/home/ann/.local/bin/KelVardo.scr");
    SaverActivation windows;
    windows.windows = true;
    const QStringList lines = saverInstalledMessage(how).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.mid(0, 6), saverInstalledMessage(windows).split(QStringLiteral("\r\n")).mid(0, 6));
    QCOMPARE(lines.mid(6, 5), (QStringList{
        QStringLiteral("    1) Close xscreensaver-settings if it is open"),
        QStringLiteral("    2) Add this line to the \"programs:\" list in ~/.xscreensaver:"),
        QStringLiteral("         \"Kel-Vardo Folivra\"  /home/ann/.local/bin/KelVardo.scr -root  \\n\\"),
        QStringLiteral("    3) Run xscreensaver-settings and select \"Kel-Vardo Folivra\""),
        QStringLiteral("    4) Set its Mode to \"Only One Screen Saver\""),
    }));
    // The README's instructions call the entry the same.
    QFile readme(QStringLiteral(KV_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QByteArray text = readme.readAll();
    QVERIFY(text.contains("programs:"));
    QVERIFY(text.contains("choose \"Kel-Vardo Folivra\" in `xscreensaver-settings`"));
}

void TestSaverPanel::xscreensaverListGainsTheSaver_data()
{
    QTest::addColumn<QByteArray>("settings"); // ~/.xscreensaver before; empty for none
    QTest::addColumn<int>("insertAt");        // the line the entry lands on; -1 for no change
    QTest::addColumn<QString>("homeName");    // the saver goes to its .local/bin
    // As xscreensaver writes it: tabs, a disabled and a GL entry, an empty line ending the list.
    const QByteArray written = "# XScreenSaver Preferences File\n"
                               "mode:\t\trandom\n"
                               "programs:\t\t\t\t\t\t\t      \\\n"
                               "\t\t\t\t  maze -root\t\t\t\t    \\n\\\n"
                               "  GL: \t\t\t\t  superquadrics -root\t\t\t    \\n\\\n"
                               "-\t\t\t\t  xflame -root\t\t\t\t    \\n\\\n"
                               "\n"
                               "\n"
                               "pointerHysteresis:\t10\n";
    QTest::newRow("list as xscreensaver writes it") << written << 6 << "home";
    QTest::newRow("home with an apostrophe") << written << 6 << "o'brien";
    QTest::newRow("no xscreensaver here") << QByteArray() << -1 << "home";
}

void TestSaverPanel::xscreensaverListGainsTheSaver()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, insertAt);
    QFETCH(QString, homeName);
    const QString home = fx->dir.path() + QLatin1Char('/') + homeName;
    fx->t.files->setHomeDir(home);
    fx->t.files->setSystemDir(home + QStringLiteral("/.local/bin"));
    const QString file = home + QStringLiteral("/.xscreensaver");
    if (!settings.isEmpty())
        writeText(file, settings);
    writePhoto(fx->programDir() + QStringLiteral("/Murvos/55001.jpg"));
    const QString installed = home + QStringLiteral("/.local/bin/KelVardo.scr");
    SaverPanel& p = open();
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton);
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton); // once more: listed once
    QCOMPARE(fx->t.dialogs->boxes.size(), 2);
    const QString added = fx->t.dialogs->boxes.first().text;
    const QString again = fx->t.dialogs->boxes.last().text;
    if (insertAt < 0) {
        QVERIFY(!QFile::exists(file));
        QVERIFY2(added.contains(QStringLiteral("such as xautolock\r\nor xidlehook, can start it full screen: ") + installed),
                 qPrintable(added));
        return;
    }
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = settings.split('\n');
    lines.insert(insertAt, "  " + xscreensaverEntry(installed).toLocal8Bit());
    QCOMPARE(f.readAll(), lines.join('\n'));
    QFile backup(file + QStringLiteral(".before-kelvardo"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), settings);
    QVERIFY2(added.contains(QStringLiteral("    1) \"Kel-Vardo Folivra\" has been added to the screen savers in ~/.xscreensaver\r\n"
                                           "       (the file as it was is kept as ~/.xscreensaver.before-kelvardo)")),
             qPrintable(added));
    QVERIFY2(again.contains(QStringLiteral("    1) \"Kel-Vardo Folivra\" is already among the screen savers")),
             qPrintable(again));
}

void TestSaverPanel::xscreensaverLeftAsItWasSaysWhy_data()
{
    QTest::addColumn<QByteArray>("settings"); // PROGRAM stands for the installed saver
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("said");
    const QByteArray list = "programs:\t\t\t\t\t      \\\n"
                            "\t\t\t\t  maze -root\t\t\t\t    \\n\\\n"
                            "ENTRY\n"
                            "\n";
    QTest::newRow("no programs list") << QByteArray("mode:\t\trandom\ntimeout:\t0:10:00\n") << false
        << "~/.xscreensaver has no \"programs:\" list of its own to add it to";
    QTest::newRow("entry turned off") << QByteArray(list).replace("ENTRY", "-  \"Old Kel-Vardo\"  PROGRAM -root \\n\\")
        << false << "    1) \"Old Kel-Vardo\" is in the screen savers of ~/.xscreensaver, but turned off";
    QTest::newRow("entry by $HOME, as the README writes it")
        << QByteArray(list).replace("ENTRY", "  \"Mine\" \"$HOME/.local/bin/KelVardo.scr\" -root \\n\\") << false
        << "    1) \"Mine\" is already among the screen savers";
    QTest::newRow("read-only file") << QByteArray(list).replace("ENTRY", "") << true
        << "~/.xscreensaver could not be changed: it is read-only.";
}

void TestSaverPanel::xscreensaverLeftAsItWasSaysWhy()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, readOnly);
    QFETCH(QString, said);
    const QString home = fx->dir.path() + QStringLiteral("/home");
    const QString installed = home + QStringLiteral("/.local/bin/KelVardo.scr");
    fx->t.files->setSystemDir(home + QStringLiteral("/.local/bin"));
    const QString file = home + QStringLiteral("/.xscreensaver");
    settings.replace("PROGRAM", installed.toLocal8Bit());
    writeText(file, settings);
    std::optional<ReadOnlyFile> locked;
    if (readOnly && !locked.emplace(file).made)
        QSKIP("the file cannot be made read-only here");
    writePhoto(fx->programDir() + QStringLiteral("/Murvos/55001.jpg"));
    QTest::mouseClick(open().SSCommand4, Qt::LeftButton);
    QCOMPARE(fx->t.dialogs->boxes.size(), 1);
    const QString text = fx->t.dialogs->lastText();
    QVERIFY2(text.startsWith(QStringLiteral("The Kel-Vardo Folivra Screen Saver has been installed!")), qPrintable(text));
    QVERIFY2(text.contains(said), qPrintable(text));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), settings);
    QCOMPARE(QDir(home).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral(".xscreensaver")});
}

void TestSaverPanel::fullProgramFolderIsSaid()
{
    const QString bin = fx->dir.path() + QStringLiteral("/home/.local/bin");
    SmallDisk disk(bin, QStringLiteral("64k"));
    if (!disk.mounted())
        QSKIP("a small file system needs root");
    fx->t.files->setSystemDir(bin);
    writeText(fx->programDir() + QStringLiteral("/KelVardo.scr"), QByteArray(512 * 1024, 's'));
    writePhoto(fx->programDir() + QStringLiteral("/Murvos/55001.jpg"));
    SaverPanel& p = open();
    QTest::mouseClick(p.SSCommand4, Qt::LeftButton);
    QCOMPARE(fx->t.dialogs->boxes.size(), 1);
    QCOMPARE(fx->t.dialogs->lastText(), QStringLiteral("Unable to copy the Screen Saver to\r\n%1\r\n\r\nNo space left on device")
                                            .arg(QDir::toNativeSeparators(bin)));
    QCOMPARE(fx->t.dialogs->boxes.last().icon, Icon::Critical);
    QCOMPARE(p.SSCommand6->text(), QStringLiteral("Cancel"));
    QCOMPARE(QDir(bin).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestSaverPanel)
#include "test_saver_panel.moc"
