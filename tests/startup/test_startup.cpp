#include "startup/command_line.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/layout_scale.h"
#include "app/widgets/picture_view.h"
#include "platform/shell.h"
#include "startup/startup.h"
#include "support/fixture.h"
#include "support/test_files.h"

#include <QFile>
#include <QFrame>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kv;

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstDriveWithPhotosWins()
    {
        Fixture fx;
        const QString d = fx.disc("d"), e = fx.disc("e");
        fx.writePhotos(d, {"55001.jpg"});
        fx.writePhotos(e, {"55001.jpg"});
        fx.t.files->setDrives({d, e});
        QVERIFY(Form2_Load(*fx.c));
        QCOMPARE(fx.c->state.CdDrive, d);
        QCOMPARE(fx.c->state.PhotoDir, d);
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    void emptyAndBrokenDrivesAreSkipped()
    {
        Fixture fx;
        const QString d = fx.disc("d"), e = fx.disc("e"), f = fx.disc("f");
        fx.writePhotos(e, {"55001.jpg"});
        fx.writePhotos(f, {"55001.jpg"});
        fx.t.files->setDrives({d, e, f});
        fx.t.files->failDrive(e);
        QVERIFY(Form2_Load(*fx.c));
        QCOMPARE(fx.c->state.CdDrive, f);
    }

    void drivesBeforeDAreNeverTried()
    {
        Fixture fx;
        const QString c = fx.disc("c");
        fx.writePhotos(c, {"55001.jpg"});
        fx.t.files->setDrive('C', c);
        fx.t.dialogs->answers = {Cancel};
        QVERIFY(!Form2_Load(*fx.c));
        QVERIFY(fx.c->ended);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER001\r\n\r\n Unable to detect the Kel-Vardo Folivra CDROM."));
    }

    void localCopyPlusDisc()
    {
        Fixture fx;
        fx.writePhotos(fx.programDir(), {"55001.jpg"});
        const QString disc = fx.disc("f");
        fx.writePhotos(disc, {"55001.jpg"});
        fx.t.files->setDrives({fx.disc("d"), fx.disc("e"), disc});
        QVERIFY(Form2_Load(*fx.c));
        QCOMPARE(fx.c->state.PhotoDir, fx.programDir());
        QCOMPARE(fx.c->state.CdDrive, disc);
    }

    void localCopyAloneStillAsksForTheDisc()
    {
        Fixture fx;
        fx.writePhotos(fx.programDir(), {"55001.jpg"});
        fx.t.dialogs->answers = {Cancel};
        QVERIFY(!Form2_Load(*fx.c));
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(fx.c->state.MsgAnswer, QString("2"));
        QVERIFY(fx.c->form1.isNull());
    }

    void retryAfterInsertingTheDisc()
    {
        Fixture fx;
        const QString usb = fx.disc("a-usb"), cdrom = fx.disc("cdrom");
        fx.writePhotos(cdrom, {"56001.jpg"});
        // The volumes the system reports: the disc mounts while the box is up, at a new place.
        QList<QtFileSystem::Volume> mounted = {{"/", "ext4", true, true}, {"/proc", "proc"}, {usb, "vfat"}};
        fx.t.files->setVolumeSource([&] { return mounted; });
        bool splashHiddenDuringBox = false;
        fx.t.dialogs->answers = {Retry, Cancel};
        fx.t.dialogs->onBox = [&](const FakeDialogs::Box&) {
            splashHiddenDuringBox = !fx.c->form2->isVisible();
            mounted.append({cdrom, "iso9660"});
        };
        QVERIFY(Form2_Load(*fx.c));
        QVERIFY(splashHiddenDuringBox);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(fx.c->state.CdDrive, cdrom);
        QVERIFY(fx.c->form2->isVisible());
        QVERIFY(fx.c->form2->Timer1->isActive());
        QCOMPARE(fx.c->form2->Timer1->interval(), 5000);
        QCOMPARE(fx.c->state.PhotoCount, std::int16_t(1));
    }

    void hwiMustBeExact_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("programFolderIsDisc");
        QTest::newRow("HWI") << QStringList{"HWI"} << true;
        QTest::newRow("hwi") << QStringList{"hwi"} << false;
        QTest::newRow("HWI space") << QStringList{"HWI "} << false;
        QTest::newRow("HWI and more") << QStringList{"HWI", "x"} << false;
        QTest::newRow("none") << QStringList{} << false;
    }
    void hwiMustBeExact()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, programFolderIsDisc);
        Fixture fx;
        fx.c->arguments = args;
        fx.t.dialogs->answers = {Cancel};
        const bool started = Form2_Load(*fx.c);
        QCOMPARE(started, programFolderIsDisc);
        if (programFolderIsDisc) {
            QCOMPARE(fx.c->state.CdDrive, fx.programDir());
            QCOMPARE(fx.c->state.PhotoDir, fx.programDir());
            QVERIFY(fx.t.dialogs->boxes.isEmpty());
        } else {
            QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        }
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("disc");
        QTest::addColumn<bool>("understood");
        QTest::newRow("HWI") << QStringList{"HWI"} << QStringList{"HWI"} << "" << true;
        QTest::newRow("hwi") << QStringList{"hwi"} << QStringList{"hwi"} << "" << true;
        QTest::newRow("--disc") << QStringList{"--disc", "/media/cd/"} << QStringList{} << "/media/cd" << true;
        QTest::newRow("--disc=") << QStringList{"--disc=/media/cd"} << QStringList{} << "/media/cd" << true;
        QTest::newRow("--disc without folder") << QStringList{"--disc"} << QStringList{} << "" << false;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << QStringList{} << "" << false;
        QTest::newRow("--scale step") << QStringList{"--scale", "1.75", "HWI"} << QStringList{"HWI"} << "" << true;
        QTest::newRow("--scale between steps") << QStringList{"--scale", "1.3"} << QStringList{} << "" << false;
        QTest::newRow("--scale below 1") << QStringList{"--scale=0.5"} << QStringList{} << "" << false;
        QTest::newRow("--scale not a number") << QStringList{"--scale", "big"} << QStringList{} << "" << false;
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, left);
        QFETCH(QString, disc);
        QFETCH(bool, understood);
        const CommandLine line = parseCommandLine(QStringList{"kelvardo"} + args);
        QCOMPARE(line.error.isEmpty(), understood);
        if (understood) {
            QCOMPARE(line.arguments, left);
            QCOMPARE(line.discFolder, disc);
            QCOMPARE(line.scale, args.contains("--scale") ? 1.75 : 0.0);
        }
    }

    // The program itself, on a machine without a display.
    void commandLineErrorsNeedNoDisplay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown option") << QStringList{"--no-such-option"} << "Unknown option 'no-such-option'.";
        QTest::newRow("--disc without folder") << QStringList{"--disc"} << "Missing value after '--disc'.";
        QTest::newRow("after one of Qt's own") << QStringList{"-reverse", "--bogus"} << "Unknown option 'bogus'.";
        // A usage error, as without --help: nothing is printed but the reason.
        QTest::newRow("--help with an unknown option") << QStringList{"--help", "--bad"} << "Unknown option 'bad'.";
    }
    void commandLineErrorsNeedNoDisplay()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(KV_PROGRAM_EXE), args);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()),
                 "kelvardo: " + said + "\nTry 'kelvardo --help' for more information.\n");
    }

    // Every start that would need a window says that there is no display, instead of aborting.
    void noDisplayIsSaid_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("display");
        QTest::newRow("no arguments") << QStringList{} << "";
        QTest::newRow("HWI") << QStringList{"HWI"} << "";
        QTest::newRow("--disc to a missing folder") << QStringList{"--disc", "/missing"} << "";
        QTest::newRow("a display nobody serves") << QStringList{"HWI"} << ":7391";
    }
    void noDisplayIsSaid()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, display);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
            env.remove(QString::fromLatin1(name));
        if (!display.isEmpty()) {
            if (QFile::exists("/tmp/.X11-unix/X" + display.mid(1)))
                QSKIP("that display is served here");
            env.insert("DISPLAY", display);
        }
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(KV_PROGRAM_EXE), args);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(said.endsWith("kelvardo: cannot open a display (DISPLAY / WAYLAND_DISPLAY)\n"), qPrintable(said));
        if (display.isEmpty())
            QCOMPARE(said.count('\n'), 1); // nothing of Qt's own
    }

    void discOptionNamesTheDisc_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("found");
        QTest::newRow("folder with photos") << "named" << true;
        QTest::newRow("folder without photos") << "empty" << false;
        QTest::newRow("missing folder") << "missing" << false;
        QTest::newRow("a file") << "file.jpg" << false;
    }
    void discOptionNamesTheDisc()
    {
        QFETCH(QString, folder);
        QFETCH(bool, found);
        Fixture fx;
        fx.writePhotos(fx.disc("named"), {"55001.jpg"});
        fx.disc("empty");
        writeText(fx.dir.path() + "/file.jpg", "not a disc");
        const QString other = fx.disc("d");
        fx.writePhotos(other, {"55001.jpg"});
        fx.t.files->setDrives({other}); // a mounted disc does not stand in for the named one
        fx.c->discFolder = fx.dir.path() + "/" + folder;
        fx.t.dialogs->answers = {Cancel};
        QCOMPARE(Form2_Load(*fx.c), found);
        if (found) {
            QCOMPARE(fx.c->state.CdDrive, fx.c->discFolder);
            QCOMPARE(fx.c->state.PhotoDir, fx.c->discFolder);
        } else {
            // ER001 as it stands, then the folder given on a line of its own.
            QCOMPARE(fx.t.dialogs->lastText(), errorMessageText("ER001") + "\r\n\r\n" + fx.c->discFolder);
            QCOMPARE(exitCodeOfUnfinishedStart(*fx.c), 1);
        }
    }

    void localCopyIsFoundInTheDataFolder()
    {
        Fixture fx;
        const QString data = fx.dir.path() + "/data";
        fx.t.files->setDataDir(data);
        fx.writePhotos(data, {"55001.jpg"});
        const QString disc = fx.disc("d");
        fx.writePhotos(disc, {"55001.jpg"});
        fx.t.files->setDrives({disc});
        QVERIFY(Form2_Load(*fx.c));
        QCOMPARE(fx.c->state.PhotoDir, data);
        QCOMPARE(fx.c->state.CdDrive, disc);
    }

    void secondCopyIsRefused()
    {
        Fixture fx;
        fx.t.shell->anotherCopyRunning = true;
        fx.c->arguments = {"HWI"};
        QVERIFY(!Form2_Load(*fx.c));
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(fx.t.dialogs->lastText(), QString("The Kel-Vardo Folivra is already running!"));
        QCOMPARE(int(fx.t.dialogs->boxes.first().icon), int(Icon::Critical));
        QCOMPARE(exitCodeOfUnfinishedStart(*fx.c), 0); // the running copy serves the user
    }

    // A new start is not refused while this copy is still shutting down after its window closed.
    void claimIsGivenUpAsTheWindowCloses()
    {
        Fixture fx;
        const QString lockFolder = fx.dir.path();
        fx.c->services.shell = std::make_shared<QtShell>(lockFolder);
        endThroughTheEventLoop(*fx.c);
        fx.c->arguments = {"HWI"};
        fx.writePhotos(fx.programDir(), {"55001.jpg"});
        QVERIFY(Form2_Load(*fx.c));
        Timer1_Timer(*fx.c);
        QVERIFY(fx.c->form1);
        QVERIFY(!QtShell(lockFolder).claimSingleInstance());
        fx.c->form1->close();
        QVERIFY(QtShell(lockFolder).claimSingleInstance());
    }

    void startupSoundPlaysWhenPresent()
    {
        Fixture fx;
        fx.c->arguments = {"HWI"};
        writeText(fx.programDir() + "/PassBy.WAV", "RIFF");
        QVERIFY(Form2_Load(*fx.c));
        const QStringList log = *fx.t.media->log;
        QCOMPARE(log.size(), 3);
        QVERIFY(log.at(0).endsWith("|close"));
        QVERIFY(log.at(1).startsWith("WaveAudio|") && log.at(1).endsWith("PassBy.WAV|open"));
        QVERIFY(log.at(2).endsWith("|play"));
        QCOMPARE(fx.c->state.ErrCode, QString("ER037")); // the photo list ran last
    }

    void missingStartupSoundIsSilent()
    {
        Fixture fx;
        fx.c->arguments = {"HWI"};
        fx.writePhotos(fx.programDir(), {"55001.jpg"});
        QVERIFY(Form2_Load(*fx.c));
        QVERIFY(fx.t.media->log->isEmpty());
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        QVERIFY(fx.c->state.AwaitingFirstClick);
        QCOMPARE(fx.c->state.PhotoCount, std::int16_t(1));
    }

    void timerOpensMainWindowAtStoredGeometry()
    {
        Fixture fx;
        fx.c->arguments = {"HWI"};
        fx.t.screen->size = QSize(800, 600);
        fx.t.settings->values["The Kel-Vardo Folivra/Settings/MainLeft"] = "1500";
        fx.t.settings->values["The Kel-Vardo Folivra/Settings/MainTop"] = "750";
        fx.t.settings->values["The Kel-Vardo Folivra/Settings/MainWidth"] = "9000";
        fx.t.settings->values["The Kel-Vardo Folivra/Settings/MainHeight"] = "6000";
        writeText(fx.programDir() + "/movies/55Motoramic.avi", "RIFF film");
        QVERIFY(Form2_Load(*fx.c));
        Timer1_Timer(*fx.c);
        QVERIFY(fx.c->form1);
        QTRY_VERIFY(fx.c->form2.isNull());
        Form1& f = *fx.c->form1;
        QVERIFY(f.isVisible());
        QCOMPARE(f.pos(), QPoint(100, 50));
        QCOMPARE(f.size(), QSize(600, 400));
        QCOMPARE(fx.c->state.DocPath, fx.programDir() + "/richtext/desc.rtf");
        QVERIFY(f.mnuHideStatus->isVisible()); // exactly 800 by 600 keeps the design
        // The media back-end is started once, a while after the window shows, on the first film.
        QCOMPARE(fx.t.media->prepared, 0);
        QTRY_COMPARE_WITH_TIMEOUT(fx.t.media->prepared, 1, 3000);
        QCOMPARE(QFileInfo(fx.t.media->preparedFilm).fileName(), QString("55Motoramic.avi"));
    }

    void compactLayoutOnOtherScreens()
    {
        Fixture fx;
        fx.t.screen->size = QSize(1024, 768);
        fx.c->forcedScale = 1; // the design itself, as --scale 1 shows it
        fx.c->arguments = {"HWI"};
        QVERIFY(Form2_Load(*fx.c));
        Timer1_Timer(*fx.c);
        Form1& f = *fx.c->form1;
        QVERIFY(!f.mnuHideStatus->isVisible());
        QCOMPARE(f.size(), QSize(800, 607)); // 11994 by 9100 twips
        QCOMPARE(f.Frame1->y(), f.Image4->y() + f.Image4->height());
        QCOMPARE(f.cmdYR[2]->x(), f.cmdYR[1]->x() + f.cmdYR[1]->width() + 16);
        QCOMPARE(f.cmdYR[3]->x(), f.cmdYR[2]->x() + f.cmdYR[2]->width() + 16);
        QCOMPARE(f.ssCmdSlide->width(), 96);
        QCOMPARE(f.ssCmdSlide->x(), f.cmdYR[3]->x() + f.cmdYR[3]->width() + 16);
        QCOMPARE(f.cmdExit->x(), f.ssCmdSlide->x() + f.ssCmdSlide->width() + 16);
        QVERIFY(f.cmdExit->geometry().right() < f.Frame1->width());
    }

    // Enlarged, the compact window still fits the screen with its frame, at the scale it opened at.
    void compactLayoutScaledStaysOnTheScreen()
    {
        Fixture fx;
        fx.t.screen->size = QSize(1920, 1080);
        fx.t.screen->available = QSize(1920, 1080);
        fx.c->arguments = {"HWI"};
        QVERIFY(Form2_Load(*fx.c));
        Timer1_Timer(*fx.c);
        Form1& f = *fx.c->form1;
        QTRY_COMPARE(layoutScale(f.stage), 1.75);
        QVERIFY(f.x() >= 0 && f.y() >= 0);
        QVERIFY(f.x() + f.width() + 16 <= 1920 && f.y() + f.height() + 40 <= 1080);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
