#include "disc_generator.h"
#include "riff.h"
#include "platform/media_device.h"
#include "platform/video_picture.h"
#include "platform/shell.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QMediaFormat>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVideoFrame>

using namespace kv;

namespace {
// The bytes of one file of the sample disc.
QByteArray discBytes(const QString& relPath)
{
    for (const kvdisc::PlannedFile& f : kvdisc::planDisc())
        if (f.relPath.compare(relPath, Qt::CaseInsensitive) == 0)
            return f.make();
    return {};
}

// `bytes` written into `dir` as `name`; empty when it could not be.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}

// One second of silence at 8000 frames a second, with an odd-sized chunk before the format.
QByteArray silentWave(quint16 tag, quint16 channels, quint16 bits)
{
    kvdisc::RiffWriter w;
    const auto riff = w.beginList("RIFF", "WAVE");
    const auto note = w.beginChunk("note");
    w.bytes("odd");
    w.end(note);
    const auto fmt = w.beginChunk("fmt ");
    const quint16 frame = quint16(channels * bits / 8);
    w.u16(tag);
    w.u16(channels);
    w.u32(8000);
    w.u32(8000u * frame);
    w.u16(frame);
    w.u16(bits);
    if (tag == 0xfffe) { // the sub-format's first two bytes name the real format
        w.u16(22);
        w.u16(bits);
        w.u32(0);
        w.u16(1);
        w.bytes(QByteArray(14, '\0'));
    }
    w.end(fmt);
    const auto data = w.beginChunk("data");
    w.bytes(QByteArray(8000 * frame, bits == 8 ? '\x80' : '\0'));
    w.end(data);
    w.end(riff);
    return w.data();
}

// One file of the sample disc, written into `dir`.
QString writeDiscFile(const QTemporaryDir& dir, const QString& relPath)
{
    const QByteArray bytes = discBytes(relPath);
    return bytes.isEmpty() ? QString() : writeFile(dir, QFileInfo(relPath).fileName(), bytes);
}

// The sample disc's first film, on a display on screen, ready to open.
struct SampleFilm
{
    SampleFilm()
    {
        avi = writeDiscFile(dir, QStringLiteral("movies/55Motoramic.avi"));
        display.resize(320, 240);
        display.show();
        device.setDisplay(&display);
        device.setDeviceType(QStringLiteral("AVIVideo"));
        device.setFileName(avi);
        device.setWait(true);
    }
    bool open() { return device.command(QStringLiteral("open")); }

    QTemporaryDir dir;
    QString avi;
    QWidget display;
    QtMediaDevice device;
};

// Why real playback cannot be tried here, or empty when it can. The backend does not list
// Motion JPEG among its codecs; its decoder ships in the same plugin set as the AVI reader.
QString missingBackend(QMediaFormat::FileFormat container)
{
    QMediaFormat format;
    if (!format.supportedFileFormats(QMediaFormat::Decode).contains(container))
        return QStringLiteral("no GStreamer plugin reads %1 files (gstreamer1.0-plugins-good)")
            .arg(QMediaFormat::fileFormatName(container));
    return {};
}

// The switch that keeps OpenGL away from films, and its value before the program started.
const char* const FilmSwitch = "QT_XCB_GL_INTEGRATION";
QByteArray userFilmSwitch;

// Waits for the end of the file; a failure without any audio output is the machine's, not ours.
void expectEnd(IMediaDevice& device, bool& finished, QString& error)
{
    QTRY_VERIFY_WITH_TIMEOUT(finished || !error.isEmpty(), 15000);
    if (!error.isEmpty() && QMediaDevices::audioOutputs().isEmpty())
        QSKIP(qPrintable("no audio sink on this machine: " + error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!device.isPlaying());
}
} // namespace

class TestMediaPlayback : public QObject
{
    Q_OBJECT
private slots:
    // The sound effects do not go through the media player: every sound of the sample disc
    // opens, with its length, and one plays to its end.
    void sampleDiscSoundsOpen()
    {
        QTemporaryDir dir;
        QtMediaDevice device;
        device.setDeviceType(QStringLiteral("WaveAudio"));
        int sounds = 0;
        for (const kvdisc::PlannedFile& f : kvdisc::planDisc()) {
            if (!f.relPath.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
                continue;
            device.setFileName(writeDiscFile(dir, f.relPath));
            QVERIFY2(device.command(QStringLiteral("open")), qPrintable(f.relPath + ": " + device.lastError()));
            QVERIFY2(device.duration() >= 500 && device.duration() <= 3000, qPrintable(f.relPath));
            ++sounds;
        }
        QCOMPARE(sounds, 31); // 29 effects, the song and the start-up sound
        bool finished = false;
        device.onFinished = [&] { finished = true; };
        QVERIFY(device.command(QStringLiteral("play")));
        QVERIFY(device.isPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(finished, 15000);
        QVERIFY(!device.isPlaying());
        QVERIFY(device.isStopped());
        QCOMPARE(device.position(), device.duration());
    }

    void otherSoundFormatsOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("8-bit mono") << silentWave(1, 1, 8);
        QTest::newRow("32-bit float stereo") << silentWave(3, 2, 32);
        QTest::newRow("extensible 16-bit stereo") << silentWave(0xfffe, 2, 16);
    }
    void otherSoundFormatsOpen()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QtMediaDevice device;
        device.setDeviceType(QStringLiteral("WaveAudio"));
        device.setFileName(writeFile(dir, QStringLiteral("silence.wav"), bytes));
        QVERIFY2(device.command(QStringLiteral("open")), qPrintable(device.lastError()));
        QCOMPARE(device.duration(), 1000);
    }

    // "stop" holds the sound where it is, "play" goes on from there, "close" ends it.
    void soundStopsAndGoesOn()
    {
        QTemporaryDir dir;
        QtMediaDevice device;
        device.setDeviceType(QStringLiteral("WaveAudio"));
        device.setFileName(writeDiscFile(dir, QStringLiteral("wav/See The USA.wav")));
        QVERIFY(device.command(QStringLiteral("open")));
        QVERIFY(device.isStopped());
        QVERIFY(device.command(QStringLiteral("play")));
        QTRY_VERIFY(device.position() >= 200);
        QVERIFY(device.command(QStringLiteral("stop")));
        QVERIFY(!device.isPlaying() && device.isStopped());
        const qint64 held = device.position();
        QTest::qWait(100);
        QCOMPARE(device.position(), held);
        QVERIFY(device.command(QStringLiteral("play")));
        QTRY_VERIFY(device.position() > held);
        QVERIFY(device.command(QStringLiteral("close")));
        QVERIFY(!device.isPlaying());
        QVERIFY(!device.command(QStringLiteral("play")));
    }

    // A damaged sound fails the open itself, so that the caller reports it at once; the
    // device then plays the next sound.
    void damagedSoundFailsAtOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = discBytes(QStringLiteral("wav/horns.wav"));
        QByteArray bits24 = good;
        bits24[32] = 3;  // bytes per frame
        bits24[34] = 24; // bits per sample
        QByteArray wrongFrame = good;
        wrongFrame[32] = 4;
        QTest::newRow("text") << QByteArray("This is not a sound at all.\r\n").repeated(40);
        QTest::newRow("cut in the format") << good.left(30);
        QTest::newRow("no samples chunk") << good.left(36);
        QTest::newRow("samples cut off") << good.left(good.size() / 2);
        QTest::newRow("24 bits") << bits24;
        QTest::newRow("frame size wrong") << wrongFrame;
    }
    void damagedSoundFailsAtOpen()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString good = writeDiscFile(dir, QStringLiteral("wav/taxi.wav"));
        const QString broken = writeFile(dir, QStringLiteral("horns.wav"), bytes);
        QVERIFY(!good.isEmpty() && !broken.isEmpty());
        QtMediaDevice device;
        int errors = 0;
        device.onError = [&](const QString&) { ++errors; };
        device.setDeviceType(QStringLiteral("WaveAudio"));
        device.setFileName(good);
        QVERIFY(device.command(QStringLiteral("open")) && device.command(QStringLiteral("play")));
        device.setFileName(broken);
        QVERIFY(!device.command(QStringLiteral("open")));
        QVERIFY(!device.lastError().isEmpty());
        QVERIFY(!device.isPlaying());
        QVERIFY(!device.command(QStringLiteral("play")));
        device.setFileName(good);
        QVERIFY(device.command(QStringLiteral("open")) && device.command(QStringLiteral("play")));
        QVERIFY(device.isPlaying());
        QCOMPARE(errors, 0);
    }

    void filmShowsItsFramesAndEnds()
    {
        const QString why = missingBackend(QMediaFormat::AVI);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        SampleFilm film;
        QVERIFY(!film.avi.isEmpty());
        QWidget& display = film.display;
        QtMediaDevice& device = film.device;
        int frames = 0;
        QObject::connect(device.videoSurface(), &VideoPicture::frameChanged, &display,
                         [&](const QVideoFrame& f) { frames += f.isValid() ? 1 : 0; });
        bool finished = false;
        QString error;
        device.onFinished = [&] { finished = true; };
        device.onError = [&](const QString& e) { error = e; };
        QVERIFY2(film.open(), qPrintable(device.lastError()));
        QVERIFY(device.videoSurface()->isVisible());
        QCOMPARE(device.duration(), 2000);
        // The first picture shows before play is pressed.
        QTRY_VERIFY(frames > 0);
        QVERIFY(device.command(QStringLiteral("play")));
        expectEnd(device, finished, error);
        QVERIFY2(frames >= 10, qPrintable(QString::number(frames)));
        QVERIFY(device.command(QStringLiteral("close")));
        QVERIFY(!device.videoSurface()->isVisible());
    }

    // A media key comes over D-Bus, which the wait for a film to open does not hold back: it
    // must not reach the player before the film is ready, nor open a file inside the opening.
    void commandsDuringTheOpeningWaitAreRefused()
    {
        const QString why = missingBackend(QMediaFormat::AVI);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        SampleFilm film;
        QVERIFY(!film.avi.isEmpty());
        QtMediaDevice& device = film.device;
        QStringList answered;
        QTimer::singleShot(0, &film.display, [&] {
            for (const char* command : {"play", "next", "open"})
                answered << QString("%1 %2").arg(command, device.command(QString::fromLatin1(command)) ? "true" : "false");
            answered << QString("seek %1").arg(device.seek(500) ? "true" : "false");
        });
        QVERIFY2(film.open(), qPrintable(device.lastError()));
        // Only the opening's own wait ran events: the timer fired inside it.
        QCOMPARE(answered, QStringList({"play false", "next false", "open false", "seek false"}));
        QVERIFY(device.lastError().isEmpty());
        QVERIFY(device.isStopped());
        QCOMPARE(device.position(), 0);
        QVERIFY(device.command(QStringLiteral("play")));

        // "close" still cuts the wait short, and the opening fails at once.
        QTimer::singleShot(0, &film.display, [&] { device.command(QStringLiteral("close")); });
        QVERIFY(!film.open());
        QVERIFY(!device.lastError().isEmpty());
    }

    // Each button of the bar changes the picture on screen, also after a pause and at the end.
    void barButtonsMoveThePicture()
    {
        const QString why = missingBackend(QMediaFormat::AVI);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        SampleFilm film;
        QVERIFY(!film.avi.isEmpty());
        QWidget& display = film.display;
        QtMediaDevice& device = film.device;
        // Where the picture on screen ends, in ms: frames of 100 ms, so 100 for the first
        // and 2000 for the last; -1 for a black screen.
        qint64 shownEnd = 0;
        QObject::connect(device.videoSurface(), &VideoPicture::frameChanged, &display,
                         [&](const QVideoFrame& f) { shownEnd = f.isValid() ? f.endTime() / 1000 : -1; });
        bool finished = false;
        device.onFinished = [&] { finished = true; };
        QVERIFY2(film.open(), qPrintable(device.lastError()));
        QVERIFY(device.isStopped());
        QVERIFY(device.command(QStringLiteral("play")));
        QTRY_VERIFY_WITH_TIMEOUT(shownEnd >= 600, 10000);
        QVERIFY(device.command(QStringLiteral("pause")));
        QVERIFY(!device.isStopped());
        QTest::qWait(300); // a frame on its way when paused still arrives
        const qint64 paused = shownEnd;
        QVERIFY(paused < 2000);

        device.command(QStringLiteral("step"));
        QTRY_COMPARE(shownEnd, paused + 100);
        device.command(QStringLiteral("back"));
        QTRY_COMPARE(shownEnd, paused);
        device.command(QStringLiteral("next"));
        QTRY_COMPARE(shownEnd, 2000);

        device.command(QStringLiteral("prev"));
        QTRY_COMPARE(shownEnd, 100);
        device.command(QStringLiteral("play"));
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
        QVERIFY(device.isStopped());
        device.command(QStringLiteral("prev"));
        QTRY_COMPARE(shownEnd, 100);
        QTest::qWait(300);
        QCOMPARE(shownEnd, 100);
    }

    // A film that fails must not spoil the next: each open starts on a clean player.
    void unreadableFilmSpoilsNoOther_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        QRandomGenerator(28).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QTest::newRow("random bytes") << noise;
        QTest::newRow("text") << QByteArray("This is not a film at all.\r\n").repeated(40);
    }
    void unreadableFilmSpoilsNoOther()
    {
        QFETCH(QByteArray, bytes);
        const QString why = missingBackend(QMediaFormat::AVI);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        SampleFilm film;
        QVERIFY(!film.avi.isEmpty());
        const QString broken = film.dir.filePath(QStringLiteral("broken.avi"));
        QFile out(broken);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();
        for (int round = 0; round < 2; ++round) {
            film.device.setFileName(broken);
            QVERIFY(!film.open());
            film.device.setFileName(film.avi);
            QVERIFY2(film.open(), qPrintable(film.device.lastError()));
            QVERIFY(!film.device.videoSurface()->image().isNull());
            QVERIFY(film.device.command(QStringLiteral("close")));
        }
    }

    void programsRunWhileTheCallerGoesOn_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("ran");
        QTest::newRow("a program") << "sh -c \"exit 3\"" << 1; // its exit code is its own business
        QTest::newRow("no such program") << "kv-no-such-program" << 0;
        QTest::newRow("a Windows installer") << "\"/disc/IndeoVideo/IV5PLAY.EXE\"" << 0;
        QTest::newRow("nothing") << "" << 0;
    }
    void programsRunWhileTheCallerGoesOn()
    {
        QFETCH(QString, command);
        QFETCH(int, ran);
        QTemporaryDir dir;
        QtShell shell(dir.path());
        int calls = 0;
        int answer = -1;
        shell.run(command, [&](bool started) {
            ++calls;
            answer = started;
        });
        if (ran == 1)
            QCOMPARE(calls, 0); // not waited for
        QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 15000);
        QCOMPARE(answer, ran);
        QTest::qWait(50);
        QCOMPARE(calls, 1);
    }

    void programsWeStartGetTheUserEnvironment()
    {
#ifdef Q_OS_WIN
        QSKIP("the switch is read on X only");
#endif
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("env.txt"));
        QtShell shell(dir.path());
        int ran = -1;
        shell.run(QStringLiteral("sh -c \"env > '%1'\"").arg(out), [&](bool started) { ran = started; });
        QTRY_COMPARE_WITH_TIMEOUT(ran, 1, 15000);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArrayList lines = file.readAll().split('\n');
        QByteArray childSwitch;
        for (const QByteArray& line : lines)
            if (line.startsWith(QByteArray(FilmSwitch) + '='))
                childSwitch = line.mid(int(qstrlen(FilmSwitch)) + 1);
        QCOMPARE(childSwitch, userFilmSwitch);
        QVERIFY(lines.contains("PATH=" + qgetenv("PATH")));
    }

    void damagedFilmFailsWithoutHanging_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("keptOfFilm"); // bytes kept of a good film, 0 for none
        QTest::addColumn<bool>("mustFail");
        QTest::newRow("empty") << QByteArray() << qint64(0) << true;
        QTest::newRow("text") << QByteArray("This is not a film at all.\r\n").repeated(40) << qint64(0) << true;
        // Headers that promise a film, and no frame of it.
        QTest::newRow("header only") << QByteArray() << qint64(4096) << true;
        QTest::newRow("truncated") << QByteArray() << qint64(-1) << false;
    }
    void damagedFilmFailsWithoutHanging()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, keptOfFilm);
        QFETCH(bool, mustFail);
        const QString why = missingBackend(QMediaFormat::AVI);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.avi"));
        if (keptOfFilm != 0) {
            QFile whole(writeDiscFile(dir, QStringLiteral("movies/57Murvo.avi")));
            QVERIFY(whole.open(QIODevice::ReadOnly));
            bytes = whole.read(keptOfFilm > 0 ? keptOfFilm : whole.size() / 3);
        }
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        QWidget display;
        QtMediaDevice device;
        device.setDisplay(&display);
        bool settled = false;
        device.onFinished = [&] { settled = true; };
        device.onError = [&](const QString&) { settled = true; };
        device.setDeviceType(QStringLiteral("AVIVideo"));
        device.setFileName(path);
        device.setWait(true);
        const bool opened = device.command(QStringLiteral("open"));
        if (mustFail) {
            QVERIFY(!opened);
            QVERIFY(!device.lastError().isEmpty());
            return;
        }
        // A cut-off film may open; it then plays what it has and stops.
        if (opened) {
            QVERIFY(device.command(QStringLiteral("play")));
            QTRY_VERIFY_WITH_TIMEOUT(settled, 15000);
        }
    }
};

int main(int argc, char** argv)
{
    userFilmSwitch = qgetenv(FilmSwitch);
    preferPaintedVideo(); // as the program starts
    QApplication app(argc, argv);
    TestMediaPlayback test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_media_playback.moc"
