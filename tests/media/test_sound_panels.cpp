#include "app/form1.h"
#include "disc_generator.h"
#include "app/widgets/picture_view.h"
#include "media/sound_panels.h"
#include "platform/media_device.h"
#include "support/fixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace kv;

namespace {
struct Sounds
{
    Fixture fx;
    QString disc;

    Sounds()
    {
        disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "55002.jpg", "56001.jpg"});
        for (const SoundEntry& e : soundTable())
            writeText(disc + "/wav/" + e.file, "RIFF sound");
        writeText(disc + "/wav/see the usa.WAV", "RIFF song");
        fx.openMain(disc);
        fx.c->form1->show();
    }
    Form1& f() { return *fx.c->form1; }
    QStringList& log() { return *fx.t.media->log; }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
    SoundEffectsPanel& panel() { return *soundPanel(*fx.c); }
    SongsPanel& songs() { return *songsPanel(*fx.c); }
    bool playing() { return f().MMControl1->isPlaying(); }
};

// The sample disc's sounds, in place of the stand-ins.
void writeRealSounds(const QString& disc)
{
    for (const kvdisc::PlannedFile& f : kvdisc::planDisc()) {
        if (!f.relPath.startsWith(QLatin1String("wav/"), Qt::CaseInsensitive))
            continue;
        QFile out(disc + QLatin1Char('/') + f.relPath);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(f.make()) >= 0);
    }
}

// Ends the program with a message when the work it watches has not finished in time: a
// deadlock would otherwise hold the test until ctest's own limit, and say nothing.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds limit, const char* what)
        : m_thread([this, limit, what] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                std::fprintf(stderr, "FAIL: %s did not end within %lld s; the program hangs.\n", what,
                             static_cast<long long>(limit.count()));
                std::abort();
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};
} // namespace

class TestSoundPanels : public QObject
{
    Q_OBJECT
private slots:
    void soundPanelOpensOverThePhoto()
    {
        Sounds s;
        QVERIFY(!s.panel().isVisible());
        s.f().mnuSound->trigger();
        SoundEffectsPanel& p = s.panel();
        QVERIFY(p.isVisible());
        QCOMPARE(p.objectName(), QString("pnlSound"));
        QCOMPARE(p.size(), QSize(529, 393));
        QCOMPARE(p.y(), s.f().Image4->y());
        // Centred between the window's left edge and the right end of Exit.
        const QRect exit = s.f().cmdExit->geometry().translated(s.f().Frame1->pos());
        QCOMPARE(p.x(), (exit.right() + 1 - p.width()) / 2);
        QTRY_VERIFY(p.SSCommand1->hasFocus());
        // Three columns at 360, 3240 and 5520 twips, rows 360 twips apart from 600.
        QCOMPARE(p.SSCommand2[12]->geometry(), QRect(24, 40 + 12 * 24, 17, 17));
        QCOMPARE(p.SSCommand2[13]->geometry().topLeft(), QPoint(216, 40));
        QCOMPARE(p.SSCommand2[28]->geometry().topLeft(), QPoint(368, 40 + 7 * 24));
        QCOMPARE(p.lblSound[3]->text(), QString("Traffic"));
        QCOMPARE(p.SSCommand2[3]->accessibleName(), QString("Traffic"));
        QVERIFY(p.lblSound[3]->geometry().left() > p.SSCommand2[3]->geometry().right());
    }

    void oneSoundAtATime()
    {
        Sounds s;
        s.f().mnuSound->trigger();
        s.fx.c->state.TopicCode = "56";
        QTest::mouseClick(s.panel().SSCommand2[3], Qt::LeftButton);
        QCOMPARE(s.log(), QStringList({"||close", "WaveAudio|" + s.disc + "/wav/horns.wav|open",
                                       "WaveAudio|" + s.disc + "/wav/horns.wav|play"}));
        QCOMPARE(s.fx.c->state.SoundPath, s.disc + "/wav/horns.wav");
        s.log().clear();
        QTest::mouseClick(s.panel().SSCommand2[0], Qt::LeftButton);
        QCOMPARE(s.log(), QStringList({"WaveAudio|" + s.disc + "/wav/horns.wav|close",
                                       "WaveAudio|" + s.disc + "/wav/backfrng.wav|open",
                                       "WaveAudio|" + s.disc + "/wav/backfrng.wav|play"}));
        QVERIFY(s.playing());
        QCOMPARE(s.fx.c->state.TopicCode, QString("56"));
        QVERIFY(s.dialogs().boxes.isEmpty());
    }

    void soundThatCannotPlay_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a sound") << QByteArray("plain text");
    }
    void soundThatCannotPlay()
    {
        QFETCH(QByteArray, bytes);
        Sounds s;
        s.f().mnuSound->trigger();
        QFile::remove(s.disc + "/wav/taxi.wav");
        s.fx.t.files->invalidate();
        if (!bytes.isEmpty())
            writeText(s.disc + "/wav/taxi.wav", bytes);
        QTest::mouseClick(s.panel().SSCommand2[1], Qt::LeftButton);
        QTest::mouseClick(s.panel().SSCommand2[5], Qt::LeftButton);
        QCOMPARE(s.dialogs().boxes.size(), 1);
        QCOMPARE(s.dialogs().lastText(), QString("Error number: ER038\r\n\r\n Unable to load the 'Sound Effects' file."
                                                 "\r\n\r\nMake sure that the Kel-Vardo Folivra is in the CDROM drive."));
        // A missing file leaves the sound before playing; a broken one has replaced it.
        QCOMPARE(s.playing(), bytes.isEmpty());
        QVERIFY(s.panel().isVisible());
    }

    void stopEndsTheSoundCloseLetsItPlay()
    {
        Sounds s;
        s.f().mnuSound->trigger();
        QTest::mouseClick(s.panel().SSCommand3, Qt::LeftButton); // nothing playing: nothing shown
        QVERIFY(s.dialogs().boxes.isEmpty());
        QTest::mouseClick(s.panel().SSCommand2[7], Qt::LeftButton);
        QTest::mouseClick(s.panel().SSCommand3, Qt::LeftButton);
        QVERIFY(s.log().last().endsWith("18wheelr.wav|close"));
        QVERIFY(!s.playing());
        QTest::mouseClick(s.panel().SSCommand2[7], Qt::LeftButton);
        QTest::mouseClick(s.panel().SSCommand1, Qt::LeftButton);
        QVERIFY(!s.panel().isVisible());
        QVERIFY(s.playing());
        QVERIFY(s.f().isEnabled());
    }

    // Sounds started faster than they play, on the real device: each click ends the sound
    // before while the audio output may still be starting it.
    void quickClicksOnTheRealPlayer()
    {
        Sounds s;
        writeRealSounds(s.disc);
        auto* device = new QtMediaDevice;
        s.f().MMControl1.reset(device);
        s.f().mnuSound->trigger();
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        qInfo("random seed %u", seed);
        {
            const Watchdog watchdog(std::chrono::seconds(150), "300 quick clicks on the sound buttons");
            for (int i = 0; i < 300; ++i) {
                const int which = int(random.bounded(30));
                QTest::mouseClick(which < 29 ? s.panel().SSCommand2[which] : s.panel().SSCommand3, Qt::LeftButton);
                // Mostly faster than a sound loads, now and then long enough for it to start.
                QTest::qWait(int(random.bounded(10) == 0 ? random.bounded(400) : random.bounded(40)));
            }
            QTest::mouseClick(s.panel().SSCommand2[1], Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!device->isPlaying(), 20000);
        }
        QVERIFY2(s.dialogs().boxes.isEmpty(), qPrintable(s.dialogs().lastText()));
    }

    void songPanelPlaysTheSong()
    {
        Sounds s;
        s.f().mnuUSA->trigger();
        SongsPanel& p = s.songs();
        QVERIFY(p.isVisible());
        QCOMPARE(p.size(), QSize(329, 289));
        QCOMPARE(p.y(), s.f().Image4->y() + 50);
        QCOMPARE(p.Label11->text(), QString("See the U.S.A."));
        QTest::mouseClick(p.ssSongs[0], Qt::LeftButton);
        QCOMPARE(s.log().last(), "WaveAudio|" + s.disc + "/wav/see the usa.WAV|play");
        QTest::mouseClick(p.SSCommand10, Qt::LeftButton);
        QVERIFY(!s.playing());
        QTest::mouseClick(p.SSCommand9, Qt::LeftButton);
        QVERIFY(!p.isVisible());
    }
};

QTEST_MAIN(TestSoundPanels)
#include "test_sound_panels.moc"
