#include "platform/image_loader.h"
#include "platform/richtext/rtf_reader.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <sys/stat.h>

using namespace kv;

namespace {

// A small progressive JPEG whose frame header claims `claimed` pixels.
QByteArray progressiveJpegClaiming(QSize claimed)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    QByteArray bytes = buffer.data();
    const int sof = bytes.indexOf(QByteArray("\xFF\xC2", 2));
    if (sof < 0)
        return {};
    // SOF2: marker, length (2), precision (1), height (2), width (2)
    bytes[sof + 5] = char(claimed.height() >> 8);
    bytes[sof + 6] = char(claimed.height() & 0xFF);
    bytes[sof + 7] = char(claimed.width() >> 8);
    bytes[sof + 8] = char(claimed.width() & 0xFF);
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Before any QSettings use: the store's folder is read once.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + "/config"));
        QDir().mkpath(m_dir.path() + "/config");
    }

    void picturesThatCannotBeDecodedSafelyAreRefused()
    {
        const QString huge = m_dir.path() + "/57009.jpg";
        const QByteArray bytes = progressiveJpegClaiming({60000, 60000});
        QVERIFY(!bytes.isEmpty());
        QVERIFY(write(huge, bytes));
        QString why;
        QVERIFY(loadImage(huge, {640, 480}, &why).isNull());
        QVERIFY2(why.contains("60000"), qPrintable(why));

        const QString fine = m_dir.path() + "/57010.jpg";
        QVERIFY(write(fine, progressiveJpegClaiming({64, 48})));
        QCOMPARE(loadImage(fine).size(), QSize(64, 48));

        const QString pipe = m_dir.path() + "/57011.jpg";
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(loadImage(pipe, {640, 480}, &why).isNull()); // returns at once, no open()
        QVERIFY(!why.isEmpty());

        QTextDocument doc;
        QVERIFY(!readRtfFile(pipe, &doc));
    }

    void settingsFileThatIsNotAFileGivesDefaults()
    {
        const QString app = QStringLiteral("The Kel-Vardo Folivra");
        QtSettingsStore store;
        QVERIFY(store.setValue(app, "Settings", "MainLeft", "120"));
        QCOMPARE(store.value(app, "Settings", "MainLeft", "0"), QString("120"));

        const QString file = m_dir.path() + "/config/" + app + ".ini";
        QVERIFY(QFile::remove(file));
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        QCOMPARE(store.value(app, "Settings", "MainLeft", "0"), QString("0"));
        QVERIFY(!store.setValue(app, "Settings", "MainLeft", "130"));
    }

    void onlyALiveCopyMeansAlreadyRunning_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("claimed");
        QTest::newRow("no lock") << "" << true;
        QTest::newRow("empty lock file") << "empty" << true;
        QTest::newRow("garbage lock file") << "garbage" << true;
        QTest::newRow("lock of a dead process") << "dead" << true;
        QTest::newRow("folder in its place") << "folder" << true;
        QTest::newRow("read-only runtime folder") << "readonly" << true;
        QTest::newRow("held by a live copy") << "live" << false;
    }

    void onlyALiveCopyMeansAlreadyRunning()
    {
        QFETCH(QString, setup);
        QFETCH(bool, claimed);
        QTemporaryDir dir;
        const QString lockPath = dir.path() + "/kelvardo-folivra.lock";
        QLockFile holder(lockPath);
        if (setup == "empty")
            QVERIFY(write(lockPath, {}));
        else if (setup == "garbage")
            QVERIFY(write(lockPath, "\x01\xFFnot a lock\n\n\n"));
        else if (setup == "dead")
            QVERIFY(write(lockPath, "999999\nkelvardo\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        else if (setup == "folder")
            QVERIFY(QDir().mkpath(lockPath));
        else if (setup == "readonly")
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        else if (setup == "live")
            QVERIFY(holder.tryLock(0));

        QtShell shell(dir.path());
        QCOMPARE(shell.claimSingleInstance(), claimed);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"
