#include "app/form1.h"
#include "app/layout_scale.h"
#include "app/widgets/flood_gauge.h"
#include "copies/copy_panel.h"
#include "copies/copy_routines.h"
#include "support/fixture.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace kv;

namespace {
const QString CrLf = "\r\n";

QByteArray bytes(int size, char fill = 'd')
{
    return QByteArray(size, fill);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A disc with three photos and two movies, the main window open on it, room to copy.
struct Copies
{
    Fixture fx;
    QString disc;

    Copies()
    {
        disc = fx.disc();
        for (const char* name : {"55001.jpg", "56001.jpg", "57053.jpg"})
            writePhoto(disc + "/Murvos/" + name, bytes(30000, name[1]));
        writeText(disc + "/movies/Film1.avi", bytes(60000, 'm'));
        writeText(disc + "/movies/Film2.avi", bytes(1000, 'n'));
        fx.openMain(disc);
        fx.t.files->freeSpace = std::int64_t(1) << 40;
        // The movie list as the movie window leaves it.
        c().MovieList.assign({"Film1.avi", "Film2.avi"});
        c().MovieCount = 2;
    }
    AppState& c() { return fx.c->state; }
    AppContext& ctx() { return *fx.c; }
    CopyPanel& panel() { return copyPanel(*fx.c); }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
    QString local(const QString& name) { return fx.programDir() + "/Murvos/" + name; }
};
} // namespace

class TestCopies : public QObject
{
    Q_OBJECT
private slots:
    void lackOfSpaceIsReportedBeforeThePanelOpens()
    {
        Copies t;
        t.fx.t.files->freeSpace = 12345 * 1024 + 1023;
        mnuCopy_Click(t.ctx());
        QVERIFY(!t.fx.c->form1->pnlProgress->isVisible());
        QCOMPARE(t.dialogs().boxes.size(), 1);
        const auto& box = t.dialogs().boxes.last();
        QCOMPARE(box.icon, Icon::Critical);
        QCOMPARE(box.title, ProductTitle);
        QCOMPARE(box.text, "Not enough available hard disk space to copy photos." + CrLf + CrLf
                               + "Free some up and try again." + CrLf + CrLf
                               + "You have:  12,345,000 bytes" + CrLf + CrLf
                               + "You need:   17,655,000 bytes more" + CrLf + CrLf
                               + "For a total of:   30,000,000 bytes free." + CrLf);
        QCOMPARE(formatBytes(0), QString());
        QCOMPARE(formatBytes(525000000), QString("525,000,000"));
    }

    void panelOpensForTheKindChosen()
    {
        Copies t;
        mnuCopyMovies_Click(t.ctx());
        Form1& f = *t.fx.c->form1;
        f.show();
        QVERIFY(f.pnlProgress->isVisible());
        QCOMPARE(t.panel().Label2->text(), QString("Copy Movies from CD-ROM to hard drive"));
        QCOMPARE(t.panel().cmdCopy->text(), QString("Copy Movies"));
        QCOMPARE(t.panel().ProgressGuage2->caption(), QString("0"));
        QCOMPARE(f.pnlProgress->size(), QSize(481, 329));
        // The blank file box is no stop for a screen reader until a copy names its file.
        QVERIFY(!QAccessible::queryAccessibleInterface(t.panel().Text1)->state().focusable);
        QTRY_VERIFY(t.panel().cmdCancel->hasFocus());
        t.panel().cmdCancel->click();
        QVERIFY(!f.pnlProgress->isVisible());

        // Enlarged with the window, it still holds its buttons.
        applyLayoutScale(f.stage, 2);
        mnuCopyMovies_Click(t.ctx());
        QCOMPARE(f.pnlProgress->size(), QSize(962, 658));
        const QWidget* cancel = t.panel().cmdCancel;
        QVERIFY(f.pnlProgress->rect().contains(QRect(cancel->mapTo(f.pnlProgress, QPoint()), cancel->size())));
    }

    void gaugesFollowTheBlocks_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<double>>("file");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("remainingDrop");
        QTest::newRow("two blocks and a rest") << 60000 << QList<double>{41.67, 83.33, 100} << QStringList{"42", "83", "100"} << 50000;
        QTest::newRow("rest only") << 10000 << QList<double>{100} << QStringList{"100"} << 0;
    }
    void gaugesFollowTheBlocks()
    {
        QFETCH(int, size);
        QFETCH(QList<double>, file);
        QFETCH(QStringList, captions);
        QFETCH(int, remainingDrop);
        Copies t;
        writeText(t.disc + "/Murvos/99001.jpg", bytes(size));
        t.c().CopyingPhotos = true;
        QVERIFY(ShowCopyPanel(t.ctx()));
        QDir().mkpath(t.fx.programDir() + "/Murvos");
        t.c().CopySource = t.disc + "/Murvos/99001.JPG";
        t.c().CopyTarget = t.local("99001.JPG");
        CopyPanel& p = t.panel();
        QStringList seen;
        connect(p.ProgressGuage, &FloodGauge::floodChanged, &p, [&] { seen << p.ProgressGuage->caption(); });
        QSignalSpy fileSpy(p.ProgressGuage, &FloodGauge::floodChanged);
        QSignalSpy allSpy(p.ProgressGuage2, &FloodGauge::floodChanged);

        int copied = -1;
        CopyFileWithProgress(t.ctx(), [&](bool ok) { copied = ok; });
        QVERIFY(copiesEnded(t.ctx()));
        QCOMPARE(copied, 1);
        QCOMPARE(fileSpy.size(), file.size());
        for (int i = 0; i < file.size(); ++i)
            QCOMPARE(std::round(fileSpy.at(i).at(0).toDouble() * 100) / 100, file.at(i));
        // The caption a value gets is written just after it.
        seen.removeFirst();
        seen << p.ProgressGuage->caption();
        QCOMPARE(seen, captions);
        QCOMPARE(p.CopyEstimate - p.CopyRemaining, std::int64_t(remainingDrop));
        QCOMPARE(allSpy.size(), remainingDrop / 25000);
        QCOMPARE(readAll(t.local("99001.JPG")).size(), size);
        QCOMPARE(p.Text1->text(), QDir::toNativeSeparators(t.c().CopySource));
        QAccessibleInterface* text = QAccessible::queryAccessibleInterface(p.Text1);
        QVERIFY(text->state().focusable);
        QCOMPARE(text->text(QAccessible::Name), p.Text1->text());
    }

    void windowsKeepRunningDuringACopy()
    {
        Copies t;
        writeText(t.disc + "/movies/Big.avi", bytes(48 * 1000 * 1000));
        t.c().CopyingPhotos = false;
        QVERIFY(ShowCopyPanel(t.ctx()));
        QDir().mkpath(t.fx.programDir() + "/movies");
        t.c().CopySource = t.disc + "/movies/Big.avi";
        t.c().CopyTarget = t.fx.programDir() + "/movies/Big.avi";
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(0);
        int copied = -1;
        CopyFileWithProgress(t.ctx(), [&](bool ok) { copied = ok; });
        QVERIFY(copiesEnded(t.ctx()));
        QCOMPARE(copied, 1);
        QVERIFY2(ticks > 0, "no event ran while the file was copied");
    }

    void repeatCopyQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancel keeps the old copies") << int(Cancel);
        QTest::newRow("ok copies again") << int(Ok);
    }
    void repeatCopyQuestion()
    {
        QFETCH(int, answer);
        Copies t;
        writeText(t.local("55001.JPG"), "old");
        mnuCopy_Click(t.ctx());
        t.dialogs().answers = {answer};
        QSignalSpy ended(&t.panel(), &CopyPanel::copyEnded);
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.ctx()));

        QCOMPARE(t.dialogs().boxes.first().text,
                 "These files have already been copied" + CrLf + "to your hard drive." + CrLf + CrLf
                     + "Would you like to copy them again?");
        QCOMPARE(t.dialogs().boxes.first().buttons, Buttons::OkCancel);
        QVERIFY(!t.fx.c->form1->pnlProgress->isVisible());
        QCOMPARE(ended.size(), 1);
        if (answer == Cancel) {
            QCOMPARE(ended.at(0).at(0).value<CopyOutcome>(), CopyOutcome::Declined);
            QVERIFY(t.panel().cmdCopy->isEnabled());
            QCOMPARE(readAll(t.local("55001.JPG")), QByteArray("old"));
            QCOMPARE(t.c().PhotoDir, t.disc);
            return;
        }
        QCOMPARE(ended.at(0).at(0).value<CopyOutcome>(), CopyOutcome::Copied);
        QCOMPARE(t.dialogs().lastText(), "Photos successfully copied!" + CrLf);
        QCOMPARE(readAll(t.local("55001.JPG")), bytes(30000, '5'));
        QCOMPARE(t.c().PhotoDir, t.fx.programDir());
        QCOMPARE(t.c().PhotoCount, std::int16_t(3));
        QCOMPARE(t.c().PhotoList(3), t.local("57053.JPG"));
        QCOMPARE(t.panel().ProgressGuage2->caption(), QString("100"));
        QVERIFY(t.fx.c->form1->cmdYR[1]->isEnabled());
        QVERIFY(!t.panel().cmdCopy->isEnabled());
    }

    void failedCopyLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("error");
        QTest::newRow("disk full") << "full" << "Not enough available hard disk space to copy photos.";
        QTest::newRow("read-only disk") << "readonly" << "Unable to create the folder";
        QTest::newRow("unreadable disc") << "unreadable" << "Input/output error";
        QTest::newRow("file gone from the disc") << "vanished" << "No such file or directory";
    }
    void failedCopyLeavesTheOldFileWhole()
    {
        QFETCH(QString, fault);
        QFETCH(QString, error);
        Copies t;
        const QByteArray old = bytes(40000, 'o');
        writeText(t.local("56001.JPG"), old);
        FakeFileSystem& fs = *t.fx.t.files;
        if (fault == "full")
            fs.diskFullAfter = 1000;
        else if (fault == "readonly")
            fs.readOnlyRoot = t.fx.programDir();
        else if (fault == "unreadable")
            fs.readFailsAfter = 0;
        mnuCopy_Click(t.ctx());
        t.dialogs().answers = {Ok};
        if (fault == "vanished") {
            // Listed in the folder, gone when opened.
            QFile::remove(t.disc + "/Murvos/56001.jpg");
            QVERIFY(QFile::link(t.disc + "/Murvos/gone.jpg", t.disc + "/Murvos/56001.jpg"));
        }
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.ctx()));

        QStringList texts;
        for (const auto& b : t.dialogs().boxes)
            texts << b.text;
        QVERIFY2(std::any_of(texts.cbegin(), texts.cend(), [&](const QString& text) { return text.startsWith(error); }),
                 qPrintable(texts.join(" | ")));
        QVERIFY(!t.dialogs().lastText().contains("successfully"));
        QCOMPARE(readAll(t.local("56001.JPG")), old);
        // Nothing half-written left beside the copies, and the disc is still read.
        for (const QString& name : QDir(t.fx.programDir() + "/Murvos").entryList(QDir::Files))
            QVERIFY2(name.endsWith(".JPG"), qPrintable(name));
        QCOMPARE(QDir(t.fx.programDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList("Murvos"));
        QCOMPARE(t.c().PhotoDir, t.disc);
    }

    void folderThatCannotBeMadeIsAnError()
    {
        Copies t;
        t.fx.t.files->readOnlyRoot = t.fx.programDir();
        mnuCopy_Click(t.ctx());
        QSignalSpy ended(&t.panel(), &CopyPanel::copyEnded);
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.ctx()));
        QCOMPARE(t.dialogs().boxes.size(), 1);
        QVERIFY(t.dialogs().lastText().startsWith("Unable to create the folder"));
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.at(0).at(0).value<CopyOutcome>(), CopyOutcome::Declined);
        QCOMPARE(t.c().PhotoDir, t.disc);
    }

    void copyAndRemoveMovies()
    {
        Copies t;
        t.fx.c->form1->show();
        mnuCopyMovies_Click(t.ctx());
        t.panel().cmdCopy->click();
        QVERIFY(copiesEnded(t.ctx()));
        QCOMPARE(t.dialogs().lastText(), "Movies successfully copied!" + CrLf);
        QCOMPARE(readAll(t.fx.programDir() + "/movies/Film1.avi"), bytes(60000, 'm'));
        QCOMPARE(t.c().PhotoDir, t.disc);

        t.dialogs().answers = {Yes};
        mnuRemoveMovies_Click(t.ctx());
        QCOMPARE(t.dialogs().lastText(), QString("All movies successfully removed!"));
        QVERIFY(!QDir(t.fx.programDir() + "/movies").exists());
        QVERIFY(t.fx.c->form1->isVisible());
        QVERIFY(!t.fx.t.busy->isBusy());
    }

    void removingPhotosClosesTheMainWindow()
    {
        Copies t;
        Form1& f = *t.fx.c->form1;
        f.show();
        writeText(t.local("55001.JPG"), "x");
        t.c().PhotoDir = t.fx.programDir();
        t.dialogs().answers = {Yes};
        mnuRemove_Click(t.ctx());
        QVERIFY(t.dialogs().lastText().startsWith("All Photos Successfully Removed!" + CrLf + CrLf
                                                  + "You must now exit and re-enter the Kel-Vardo Folivra to allow " + CrLf));
        QVERIFY(!QDir(t.fx.programDir() + "/Murvos").exists());
        QCOMPARE(t.c().PhotoDir, t.disc);
        QVERIFY(!f.isVisible());
    }

    void theProgramFolderAsDiscIsLeftAlone_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("started with HWI") << false;
        QTest::newRow("disc named through a symlink") << true;
    }
    void theProgramFolderAsDiscIsLeftAlone()
    {
        // The disc's photos are the program folder's, never removed, however the disc is named.
        QFETCH(bool, throughLink);
        Copies t;
        writePhoto(t.fx.programDir() + "/Murvos/55001.jpg");
        t.c().CdDrive = t.fx.programDir();
        if (throughLink) {
            t.c().CdDrive = t.fx.dir.path() + "/link";
            QVERIFY(QFile::link(t.fx.programDir(), t.c().CdDrive));
        }
        t.dialogs().answers = {Yes};
        mnuRemove_Click(t.ctx());
        QVERIFY(QFile::exists(t.fx.programDir() + "/Murvos/55001.jpg"));
        QCOMPARE(t.dialogs().boxes.size(), 1);
        QCOMPARE(t.dialogs().boxes.first().icon, Icon::Exclamation);
    }
};

QTEST_MAIN(TestCopies)
#include "test_copies.moc"
