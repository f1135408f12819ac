#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "copies/copy_panel.h"
#include "copies/copy_routines.h"
#include "copies/saver_install.h"
#include "photos/frm_ssphoto.h"
#include "photos/photo_list.h"
#include "photos/photo_window.h"
#include "startup/startup.h"
#include "support/fixture.h"
#include "support/small_disk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QStorageInfo>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

using namespace kv;

namespace {
// Ends the test run with a message when the program has not come back in time: a hang
// would otherwise hold the suite until ctest gives up.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds limit, const char* what)
        : m_thread([this, limit, what] {
            std::unique_lock lock(m_lock);
            if (!m_done.wait_for(lock, limit, [this] { return m_disarmed; }))
                qFatal("%s", what);
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_lock);
            m_disarmed = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_done;
    bool m_disarmed = false;
    std::thread m_thread;
};

// A disc of photos and the main window open on it, with room to copy.
struct Disc
{
    Fixture fx;
    QString disc = fx.disc();

    explicit Disc(int photos = 3, int bytes = 30000)
    {
        for (int i = 1; i <= photos; ++i)
            writePhoto(disc + QString("/Murvos/55%1.jpg").arg(i, 3, 10, QChar('0')), QByteArray(bytes, char('a' + i)));
        fx.openMain(disc);
        fx.t.files->freeSpace = std::int64_t(1) << 40;
    }
    AppContext& c() { return *fx.c; }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
    CopyPanel& panel() { return copyPanel(*fx.c); }
    // Listed on the disc, gone when opened.
    void vanish(const QString& name)
    {
        QFile::remove(disc + "/Murvos/" + name);
        QFile::link(disc + "/Murvos/gone.jpg", disc + "/Murvos/" + name);
    }
};

// Every file under `folder`, hidden ones too.
QStringList filesUnder(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    return out;
}
} // namespace

class TestCopySafety : public QObject
{
    Q_OBJECT
private slots:
    void closingTheWindowDuringACopyEndsTheProgram()
    {
        // A slow disc whose last photo cannot be read; the user closes the main window while
        // the first photo is under way.
        Disc t;
        t.fx.t.files->chunkDelayMs = 200;
        t.vanish("55003.jpg");
        Form1& f = *t.c().form1;
        f.show();
        t.c().quitApplication = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };
        mnuCopy_Click(t.c());
        QTimer::singleShot(0, t.panel().cmdCopy, &QPushButton::click);
        QTimer::singleShot(50, &f, &QWidget::close);
        {
            Watchdog dog(std::chrono::seconds(20), "the program did not end after its window closed during a copy");
            QCoreApplication::exec();
        }
        QVERIFY(!f.isVisible());
        QVERIFY2(t.dialogs().boxes.isEmpty(), qPrintable(t.dialogs().lastText()));
        // The photo in flight was given up whole: nothing half-written, no partial copy.
        QCOMPARE(filesUnder(t.fx.programDir()), QStringList());
    }

    void copyGivenUpHalfWay_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("the program quits") << "quit";
        QTest::newRow("the photo window closes") << "photo window";
    }
    void copyGivenUpHalfWay()
    {
        QFETCH(QString, how);
        Disc t;
        t.fx.t.files->chunkDelayMs = 100;
        Form1& f = *t.c().form1;
        f.show();
        bool quitting = false;
        t.c().quitApplication = [&] {
            quitting = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        };
        QList<CopyOutcome> outcomes;
        connect(&t.panel(), &CopyPanel::copyEnded, &f, [&](CopyOutcome o) { outcomes << o; });
        if (how == "quit") {
            mnuCopy_Click(t.c());
            t.panel().cmdCopy->click();
            QTimer::singleShot(50, &f, [&] { t.c().quitApplication(); });
            Watchdog dog(std::chrono::seconds(20), "the program did not end when it quit during a copy");
            QCoreApplication::exec();
            QCOMPARE(outcomes, QList<CopyOutcome>{CopyOutcome::Stopped});
        } else {
            writePhoto(t.disc + "/Murvos/57053.jpg", QByteArray(30000, 'x')); // the photo the window shows
            t.fx.t.files->invalidate();
            mnuCopyPhoto_Click(t.c());
            auto* w = qobject_cast<FrmSSPhoto*>(t.c().frmSSPhoto.data());
            QVERIFY(w);
            w->SSCommand7_Click();
            QVERIFY(t.c().stopCopy);
            QTimer::singleShot(50, w, &QWidget::close);
            QVERIFY(copiesEnded(t.c()));
            QVERIFY(!quitting);
        }
        QVERIFY(!t.c().stopCopy);
        QVERIFY2(t.dialogs().boxes.isEmpty(), qPrintable(t.dialogs().lastText()));
        QVERIFY(!t.fx.t.busy->isBusy());
        // The photo in flight was given up whole: nothing half-written, no partial copy.
        QCOMPARE(filesUnder(t.fx.programDir()), QStringList());
    }

    void fullDiskIsReportedOnceAsAFullDisk()
    {
        Disc t(5, 600000);
        const QString data = t.fx.dir.path() + "/small";
        SmallDisk disk(data);
        if (!disk.mounted())
            QSKIP("a small file system needs root");
        t.fx.t.files->setDataDir(data);
        mnuCopy_Click(t.c());
        t.fx.t.files->freeSpace = -1; // from here on, the real volume
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.c()));

        QCOMPARE(t.dialogs().boxes.size(), 1);
        const FakeDialogs::Box& box = t.dialogs().boxes.first();
        QCOMPARE(box.icon, Icon::Critical);
        const std::int64_t have = QStorageInfo(data).bytesAvailable() / 1024 * 1000;
        QVERIFY2(box.text.startsWith("Not enough available hard disk space to copy photos.\r\n\r\n"
                                     "Free some up and try again.\r\n\r\nYou have:  "
                                     + formatBytes(have) + " bytes\r\n"),
                 qPrintable(box.text));
        QVERIFY2(box.text.contains("For a total of:   3,000,000 bytes free."), qPrintable(box.text));
        QCOMPARE(filesUnder(data), QStringList());
        QCOMPARE(t.c().state.PhotoDir, t.disc);
    }

    void unfinishedCopyIsNeverTakenForComplete()
    {
        // "Copy the photos first" for the screen saver, and one photo cannot be read.
        Disc t;
        writeText(t.fx.programDir() + "/KelVardo.scr", "saver program");
        t.vanish("55002.jpg");
        mnuSaver_Click(t.c());
        t.dialogs().answers = {Yes};
        InstallSaver(t.c());
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.c()));
        QCOMPARE(t.fx.t.settings->values.value("SCRNSAVE: The Kel-Vardo Folivra/Settings/KelVardosDir"),
                 discPhotosFolder(t.c()));

        // The next start reads the photos from the disc.
        t.c().state.PhotoDir.clear();
        t.fx.t.files->setDrives({t.disc});
        QVERIFY(Form2_Load(t.c()));
        QCOMPARE(t.c().state.PhotoDir, t.disc);
    }

    void discThatVanishesStopsTheCopyOnce()
    {
        Fixture fx;
        const QString disc = fx.disc();
        SmallDisk drive(disc, "4m");
        if (!drive.mounted())
            QSKIP("mounting a disc needs root");
        for (int i = 1; i <= 8; ++i)
            writePhoto(disc + QString("/Murvos/55%1.jpg").arg(i, 3, 10, QChar('0')), QByteArray(30000, 'p'));
        fx.openMain(disc);
        fx.t.files->freeSpace = std::int64_t(1) << 40;
        fx.t.files->chunkDelayMs = 40;
        mnuCopy_Click(*fx.c);
        CopyPanel& p = copyPanel(*fx.c);
        // Pulled out once the first photo is whole.
        connect(p.ProgressGuage, &FloodGauge::floodChanged, &p, [&](double percent) {
            if (percent >= 100 && drive.mounted())
                drive.vanish();
        });
        p.cmdCopy->click();
        QVERIFY(copiesEnded(*fx.c));

        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        const QString text = fx.t.dialogs->lastText();
        QVERIFY2(text.startsWith("The CD-ROM can no longer be read, so the copy has stopped.\r\n\r\n"
                                 + QDir::toNativeSeparators(disc + "/Murvos/55")),
                 qPrintable(text));
        QVERIFY2(text.endsWith("No such file or directory"), qPrintable(text));
        QCOMPARE(filesUnder(fx.programDir()), QStringList());
        QCOMPARE(fx.c->state.PhotoDir, disc);
    }

    void oddFilesOnTheDiscAreNotCopied_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("named pipe") << QByteArray("55002.jpg");
        QTest::newRow("name that is not text") << QByteArray("55\xe9.jpg");
    }
    void oddFilesOnTheDiscAreNotCopied()
    {
        QFETCH(QByteArray, name);
        Disc t;
        const QByteArray path = QFile::encodeName(t.disc + "/Murvos/") + name;
        if (name.startsWith("55002")) {
            QFile::remove(QFile::decodeName(path));
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        } else {
            std::ofstream(std::filesystem::path(path.toStdString())) << "photo";
        }
        Form1& f = *t.c().form1;
        f.show();
        mnuCopy_Click(t.c());
        {
            Watchdog dog(std::chrono::seconds(20), "the copy waited on a file that is not one");
            t.panel().cmdCopy->click();
            QVERIFY(copiesEnded(t.c()));
        }
        const QString last = t.dialogs().lastText();
        QVERIFY2(last.startsWith(name.startsWith("55002") ? "1 of 3 photos could not be copied."
                                                           : "1 of 4 photos could not be copied."),
                 qPrintable(last));
        if (name.startsWith("55002"))
            QCOMPARE(t.dialogs().boxes.first().text, "Not a regular file\r\n\r\n"
                                                         + QDir::toNativeSeparators(t.disc + "/Murvos/55002.JPG"));
        else
            QVERIFY2(last.contains("These names cannot be read on this system:\r\n55\uFFFD.jpg"), qPrintable(last));
        QCOMPARE(filesUnder(t.fx.programDir()), QStringList());
        QCOMPARE(t.c().state.PhotoDir, t.disc);
        f.close();
        std::filesystem::remove(std::filesystem::path(path.toStdString())); // beyond QTemporaryDir's reach
    }

    void removalCutShortLeavesTheCopyOutOfUse_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("fromDisc");
        QTest::newRow("a copy that cannot be deleted") << "busy" << "Device or resource busy" << true;
        QTest::newRow("a read-only drive") << "readonly" << "Read-only file system" << false;
    }
    void removalCutShortLeavesTheCopyOutOfUse()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        QFETCH(bool, fromDisc);
        Disc t;
        const QString data = t.fx.dir.path() + "/data";
        SmallDisk drive(data);
        if (!drive.mounted())
            QSKIP("a drive of its own needs root");
        t.fx.t.files->setDataDir(data);
        for (const char* name : {"55001.JPG", "55002.JPG", "55003.JPG"})
            writePhoto(data + "/Murvos/" + name);
        const QString pinned = t.fx.dir.path() + "/pinned.jpg";
        writePhoto(pinned);
        if (fault == "busy")
            QVERIFY(bindFile(pinned, data + "/Murvos/55002.JPG"));
        else
            QVERIFY(drive.makeReadOnly());
        t.c().state.PhotoDir = data;
        BuildPhotoList(t.c());
        Form1& f = *t.c().form1;
        f.show();
        t.dialogs().answers = {Yes};
        mnuRemove_Click(t.c());

        const FakeDialogs::Box& box = t.dialogs().boxes.last();
        QCOMPARE(box.icon, Icon::Critical);
        QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        QVERIFY(f.isVisible());
        // Part of a copy is never read, now or after a restart; a whole one still is.
        const QString expected = fromDisc ? t.disc : data;
        QCOMPARE(t.c().state.PhotoDir, expected);
        QCOMPARE(t.c().state.PhotoList(1), expected + "/Murvos/55001.JPG");
        QCOMPARE(QFile::exists(data + "/Murvos"), !fromDisc);
        t.c().state.PhotoDir.clear();
        t.fx.t.files->setDrives({t.disc});
        QVERIFY(Form2_Load(t.c()));
        QCOMPARE(t.c().state.PhotoDir, expected);
    }

    void copyCutShortIsCopiedAfreshAndKept_data()
    {
        QTest::addColumn<bool>("discNamed");
        QTest::newRow("disc found on a drive") << false;
        QTest::newRow("disc named on the command line") << true;
    }
    void copyCutShortIsCopiedAfreshAndKept()
    {
        QFETCH(bool, discNamed);
        Disc t;
        // What a copy killed half-way leaves: an empty folder and a hidden one with part of it.
        const QString local = t.fx.programDir() + "/Murvos";
        QDir().mkpath(local);
        writePhoto(t.fx.programDir() + "/.Murvos.partial/55001.jpg", QByteArray(30000, 'b'));
        writeText(t.fx.programDir() + "/.Murvos.partial/.55002.jpg.Xk3p9a", "half");
        mnuCopy_Click(t.c());
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.c()));
        QCOMPARE(t.dialogs().boxes.size(), 1);
        QCOMPARE(t.dialogs().lastText(), QString("Photos successfully copied!\r\n"));
        QCOMPARE(QDir(t.fx.programDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList("Murvos"));
        QCOMPARE(QDir(local).entryList(QDir::Files).size(), 3);

        // The next start reads the copy, however the disc was found.
        t.c().state.PhotoDir.clear();
        if (discNamed)
            t.c().discFolder = t.disc;
        else
            t.fx.t.files->setDrives({t.disc});
        QVERIFY(Form2_Load(t.c()));
        QCOMPARE(t.c().state.PhotoDir, t.fx.programDir());
        QCOMPARE(t.c().state.CdDrive, t.disc);
    }

    void failedRemovalFromTheSaverSetIsReported()
    {
        Disc t;
        Form1& f = *t.c().form1;
        f.show();
        const QString folder = t.fx.programDir() + "/ssKel-Vardos";
        SmallDisk disk(folder);
        writePhoto(folder + "/57053.JPG");
        if (!disk.makeReadOnly())
            QSKIP("cannot make a read-only folder here");
        t.dialogs().answers = {Yes};
        mnuCopyPhoto_Click(t.c());
        auto* w = qobject_cast<FrmSSPhoto*>(t.c().frmSSPhoto.data());
        QVERIFY(w);
        w->SSCommand2_Click();
        // Still in the set, and the buttons say so.
        QVERIFY(!w->SSCommand7->isEnabled());
        QVERIFY(w->SSCommand8->isEnabled());
        QVERIFY(w->SSCommand2->isEnabled());
        const FakeDialogs::Box& box = t.dialogs().boxes.last();
        QCOMPARE(box.icon, Icon::Critical);
        const QString reason = disk.mounted() ? "Read-only file system" : "Permission denied";
        QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        QVERIFY(QFile::exists(folder + "/57053.JPG"));
        QVERIFY(f.isVisible());
    }
};

QTEST_MAIN(TestCopySafety)
#include "test_copy_safety.moc"
