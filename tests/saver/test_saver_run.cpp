// The built "KelVardo.scr" run as a program on the offscreen platform, with settings written
// through the same store the title uses.
#include "platform/settings_store.h"
#include "saver/saver_settings.h"
#include "support/test_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

class TestSaverRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void showsPhotosEveryIntervalSkippingDamaged();
    void missingSettingsGiveOneLineAndADarkScreen();
    void folderWithoutPhotosIsSaid();

private:
    void start();
    QStringList shown() const;

    QTemporaryDir m_home;
    QTemporaryDir m_photos;
    QProcess m_saver;
    QByteArray m_out;
    QByteArray m_err;
};

void TestSaverRun::initTestCase()
{
    // The store lives in the config folder; this run and the saver share a private one.
    qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
    QVERIFY(QFileInfo(QStringLiteral(KV_SAVER_EXE)).isExecutable());
    connect(&m_saver, &QProcess::readyReadStandardOutput, this, [this] { m_out += m_saver.readAllStandardOutput(); });
    connect(&m_saver, &QProcess::readyReadStandardError, this, [this] { m_err += m_saver.readAllStandardError(); });
}

void TestSaverRun::init()
{
    QFile::remove(m_home.path() + QLatin1Char('/') + SaverAppName + QStringLiteral(".ini"));
    m_out.clear();
    m_err.clear();
}

void TestSaverRun::cleanup()
{
    if (m_saver.state() != QProcess::NotRunning) {
        m_saver.kill();
        m_saver.waitForFinished(5000);
    }
}

void TestSaverRun::start()
{
    m_saver.start(QStringLiteral(KV_SAVER_EXE), {QStringLiteral("--trace")});
    QVERIFY(m_saver.waitForStarted(5000));
}

QStringList TestSaverRun::shown() const
{
    QStringList names;
    for (const QByteArray& line : m_out.split('\n')) {
        if (line.startsWith("shown "))
            names.append(QString::fromUtf8(line.split(' ').value(1)));
    }
    return names;
}

void TestSaverRun::showsPhotosEveryIntervalSkippingDamaged()
{
    for (const char* n : {"55001.jpg", "56002.JPG", "57003.jpg"})
        writePhoto(m_photos.path() + QLatin1Char('/') + QLatin1String(n));
    writePhoto(m_photos.path() + QStringLiteral("/56100.jpg"), QByteArrayLiteral("\xff\xd8 torn off"));
    QtSettingsStore store;
    // As the installer writes it on this system: a native path ending in a separator.
    QVERIFY(store.setValue(SaverAppName, SaverSection, QStringLiteral("KelVardosDir"), m_photos.path() + QLatin1Char('/')));
    QVERIFY(store.setValue(SaverAppName, SaverSection, QStringLiteral("Interval"), QStringLiteral("1")));
    start();
    QTRY_VERIFY_WITH_TIMEOUT(shown().size() >= 4, 15000);
    QCOMPARE(m_saver.state(), QProcess::Running);
    QCOMPARE(shown().mid(0, 4), (QStringList{"55001.jpg", "56002.JPG", "57003.jpg", "55001.jpg"}));
    QVERIFY2(m_err.contains("skipped") && m_err.contains("56100.jpg"), m_err.constData());
    QCOMPARE(m_err.count("56100.jpg"), 1);
}

void TestSaverRun::missingSettingsGiveOneLineAndADarkScreen()
{
    start();
    QTRY_VERIFY_WITH_TIMEOUT(m_out.contains("message "), 10000);
    QCOMPARE(m_saver.state(), QProcess::Running);
    // One line, saying what is wrong and what to do (Qt's own warnings aside).
    QCOMPARE(m_err.count("KelVardo.scr:"), 1);
    QVERIFY2(m_err.contains("KelVardo.scr: no photo folder set"), m_err.constData());
    QVERIFY(m_out.contains("install the screen saver"));
}

void TestSaverRun::folderWithoutPhotosIsSaid()
{
    QTemporaryDir empty;
    QtSettingsStore store;
    QVERIFY(store.setValue(SaverAppName, SaverSection, QStringLiteral("KelVardosDir"), empty.path()));
    QVERIFY(store.setValue(SaverAppName, SaverSection, QStringLiteral("Interval"), QStringLiteral("5")));
    start();
    QTRY_VERIFY_WITH_TIMEOUT(m_out.contains("message "), 10000);
    QCOMPARE(m_err.count("KelVardo.scr:"), 1);
    QVERIFY2(m_err.contains("holds no JPEG photo"), m_err.constData());
}

QTEST_MAIN(TestSaverRun)
#include "test_saver_run.moc"
