// The saver's settings, photo order, stepping and input, on real files.
#include "platform/doubles/fake_file_system.h"
#include "platform/doubles/fake_keep_awake.h"
#include "platform/doubles/fake_settings.h"
#include "saver/saver_app.h"
#include "saver/saver_options.h"
#include "saver/saver_settings.h"
#include "saver/saver_show.h"
#include "saver/saver_view.h"
#include "support/test_files.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kv;

class TestSaver : public QObject
{
    Q_OBJECT

private slots:
    void interval_data();
    void interval();
    void folder_data();
    void folder();
    void photoOrderIgnoresCaseAndOtherFiles();
    void options_data();
    void options();
    void stepsInOrderSkippingDamagedAndWraps();
    void nothingReadableIsReported();
    void endsOnInputButNotOnJitter();
    void keepsTheScreenAwakeOnlyInPreview_data();
    void keepsTheScreenAwakeOnlyInPreview();
};

void TestSaver::interval_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("noted");
    QTest::newRow("five") << "5" << 5000 << false;
    QTest::newRow("sixty, spaced") << " 60 " << 60000 << false;
    QTest::newRow("fraction") << "2.5" << 2500 << false;
    QTest::newRow("missing") << "" << SaverDefaultIntervalMs << true;
    QTest::newRow("text") << "fast" << SaverDefaultIntervalMs << true;
    QTest::newRow("nan") << "nan" << SaverDefaultIntervalMs << true;
    QTest::newRow("zero") << "0" << 1000 << true;
    QTest::newRow("negative") << "-30" << 1000 << true;
    QTest::newRow("huge") << "99999999999" << SaverMaxIntervalMs << true;
    QTest::newRow("infinite") << "inf" << SaverMaxIntervalMs << true;
}

void TestSaver::interval()
{
    QFETCH(QString, stored);
    QFETCH(int, ms);
    QFETCH(bool, noted);
    QString note;
    QCOMPARE(saverIntervalMs(stored, &note), ms);
    QCOMPARE(!note.isEmpty(), noted);
}

void TestSaver::folder_data()
{
    // The stored value, with ROOT for the temp folder; the expected folder or problem words.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("problem");
    QTest::newRow("local, other case") << "ROOT/prog/murvos/" << "ROOT/prog/Murvos" << "";
    QTest::newRow("back-slashes") << "ROOT\\prog\\ssKel-Vardos\\" << "ROOT/prog/ssKel-Vardos" << "";
    QTest::newRow("drive letter of the disc") << "E:\\MURVOS\\" << "ROOT/cd/Murvos" << "";
    QTest::newRow("drive letter unmounted") << "C:\\Kel\\Murvos\\" << "" << "drive C:";
    QTest::newRow("network path") << "\\\\server\\share\\" << "" << "network path";
    QTest::newRow("missing folder") << "ROOT/nowhere/" << "" << "does not exist";
    QTest::newRow("not set") << "" << "" << "no photo folder set";
}

void TestSaver::folder()
{
    QFETCH(QString, stored);
    QFETCH(QString, folder);
    QFETCH(QString, problem);
    QTemporaryDir tmp;
    const QString root = tmp.path();
    for (const char* d : {"/prog/Murvos", "/prog/ssKel-Vardos", "/cd/Murvos"})
        QVERIFY(QDir().mkpath(root + QLatin1String(d)));
    FakeFileSystem files;
    files.setDrives({root + QStringLiteral("/d"), root + QStringLiteral("/cd")}); // D:, E:
    FakeSettings settings;
    settings.setValue(SaverAppName, SaverSection, QStringLiteral("KelVardosDir"),
                      QString(stored).replace(QStringLiteral("ROOT"), root));
    const SaverSettings s = readSaverSettings(settings, files);
    QCOMPARE(s.folder, QString(folder).replace(QStringLiteral("ROOT"), root));
    if (problem.isEmpty())
        QCOMPARE(s.problem, QString());
    else
        QVERIFY2(s.problem.contains(problem), qPrintable(s.problem));
}

void TestSaver::photoOrderIgnoresCaseAndOtherFiles()
{
    QTemporaryDir tmp;
    for (const char* n : {"b.JPG", "A.jpg", "c.jpeg", "notes.txt", "d.png", "C.Jpg"})
        writePhoto(tmp.path() + QLatin1Char('/') + QLatin1String(n));
    FakeFileSystem files;
    QStringList names;
    for (const QString& p : saverPhotos(files, tmp.path()))
        names.append(QFileInfo(p).fileName());
    QCOMPARE(names, (QStringList{"A.jpg", "b.JPG", "c.jpeg", "C.Jpg"}));
}

void TestSaver::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("env");
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint64>("window");
    QTest::addColumn<bool>("error");
    const int full = int(SaverMode::FullScreen), into = int(SaverMode::IntoWindow), preview = int(SaverMode::Preview);
    QTest::newRow("none") << QStringList{} << "" << full << quint64(0) << false;
    QTest::newRow("window id hex") << QStringList{"-window-id", "0x2a00007"} << "" << into << quint64(0x2a00007) << false;
    QTest::newRow("window id decimal, double dash") << QStringList{"--window-id=44040199"} << "" << into << quint64(44040199) << false;
    QTest::newRow("root under xscreensaver") << QStringList{"-root"} << "0x1e00004" << into << quint64(0x1e00004) << false;
    QTest::newRow("root alone") << QStringList{"-root"} << "" << into << quint64(0) << false;
    QTest::newRow("explicit id beats env") << QStringList{"-window-id", "77"} << "0x99" << into << quint64(77) << false;
    QTest::newRow("preview small") << QStringList{"-preview"} << "" << preview << quint64(0) << false;
    QTest::newRow("windows /p id") << QStringList{"/p", "1234"} << "" << preview << quint64(1234) << false;
    QTest::newRow("window id junk") << QStringList{"-window-id", "abc"} << "" << full << quint64(0) << true;
    QTest::newRow("unknown") << QStringList{"-fast"} << "" << full << quint64(0) << true;
}

void TestSaver::options()
{
    QFETCH(QStringList, args);
    QFETCH(QString, env);
    QFETCH(int, mode);
    QFETCH(quint64, window);
    QFETCH(bool, error);
    const SaverOptions o = parseSaverOptions(args, env);
    QCOMPARE(!o.error.isEmpty(), error);
    if (error)
        return;
    QCOMPARE(int(o.mode), mode);
    QCOMPARE(o.window, window);
}

void TestSaver::stepsInOrderSkippingDamagedAndWraps()
{
    QTemporaryDir tmp;
    QStringList photos;
    for (const char* n : {"1.jpg", "2.jpg", "3.jpg"})
        photos.append(tmp.path() + QLatin1Char('/') + QLatin1String(n));
    writePhoto(photos[0]);
    writePhoto(photos[1], QByteArrayLiteral("\xff\xd8\xff\xe0 broken"));
    writePhoto(photos[2]);
    SaverShow show(photos, 40);
    QSignalSpy shown(&show, &SaverShow::photoReady);
    QSignalSpy skipped(&show, &SaverShow::skipped);
    show.start(QSize(320, 240));
    QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 4, 5000);
    QStringList order;
    for (const auto& args : std::as_const(shown))
        order.append(QFileInfo(args.at(1).toString()).fileName());
    QCOMPARE(order.mid(0, 4), (QStringList{"1.jpg", "3.jpg", "1.jpg", "3.jpg"}));
    QCOMPARE(skipped.size(), 1); // a damaged photo is tried once, not on every round
    // Scaled to fit the screen with proportions kept: 64x48 fills 320x240.
    QCOMPARE(shown.first().at(0).value<QImage>().size(), QSize(320, 240));
}

void TestSaver::nothingReadableIsReported()
{
    QTemporaryDir tmp;
    const QString bad = tmp.path() + QStringLiteral("/x.jpg");
    writePhoto(bad, QByteArrayLiteral("nothing"));
    SaverShow show({bad}, 40);
    QSignalSpy none(&show, &SaverShow::nothingReadable);
    QSignalSpy shown(&show, &SaverShow::photoReady);
    show.start(QSize(320, 240));
    QVERIFY(none.wait(5000));
    QVERIFY(none.first().at(0).toString().contains(QStringLiteral("none of the 1 photos")));
    QCOMPARE(shown.size(), 0);
}

void TestSaver::endsOnInputButNotOnJitter()
{
    for (const bool ownScreen : {true, false}) {
        SaverView view(ownScreen);
        view.resize(320, 240);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy acted(&view, &SaverView::userActed);
        QTest::mouseMove(&view, QPoint(100, 100));
        QTest::mouseMove(&view, QPoint(103, 102));
        QCOMPARE(acted.size(), 0);
        QTest::mouseMove(&view, QPoint(160, 100));
        QTest::keyClick(&view, Qt::Key_Space);
        QTest::mouseClick(&view, Qt::LeftButton);
        QCOMPARE(acted.size(), ownScreen ? 3 : 0);
    }
}

void TestSaver::keepsTheScreenAwakeOnlyInPreview_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("held");
    QTest::newRow("previewed in a window") << "-preview" << true;
    QTest::newRow("the saver itself") << "-s" << false;
    QTest::newRow("the saver for xscreensaver") << "-root" << false;
}

void TestSaver::keepsTheScreenAwakeOnlyInPreview()
{
    QFETCH(QString, option);
    QFETCH(bool, held);
    FakeSettings settings;
    FakeFileSystem files;
    FakeKeepAwake awake;
    bool heldWhileShown = false;
    QTimer::singleShot(200, qApp, [&] {
        heldWhileShown = awake.holding();
        QCoreApplication::quit();
    });
    runSaver({option}, settings, files, awake);
    QCOMPARE(heldWhileShown, held);
    QVERIFY(!awake.holding());
}

QTEST_MAIN(TestSaver)
#include "test_saver.moc"
