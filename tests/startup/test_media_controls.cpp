// The desktop's media keys and widget reach the slide show and the movie window over MPRIS,
// on a private session bus, with the calls a desktop makes.
#include "app/widgets/panel3d.h"
#include "media/frm_movie.h"
#include "photos/frm_slide.h"
#include "photos/slide_show.h"
#include "platform/mpris_player.h"
#include "support/fixture.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace kv;

namespace {
const QString Path = QStringLiteral("/org/mpris/MediaPlayer2");
const QString Player = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString Service = QStringLiteral("org.mpris.MediaPlayer2.kelvardo");
} // namespace

// The desktop: a connection of its own, so every call crosses the bus.
class Desktop : public QObject
{
    Q_OBJECT
public:
    Desktop() : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop")))
    {
        // QtDBus names the receiving slot by its signature.
        bus.connect(Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("PropertiesChanged"), this, SLOT(changed(QString, QVariantMap, QStringList)));
    }
    ~Desktop() override { QDBusConnection::disconnectFromBus(QStringLiteral("desktop")); }

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage m = QDBusMessage::createMethodCall(Service, Path, interface, method);
        m.setArguments(args);
        return bus.call(m, QDBus::BlockWithGui, 5000);
    }
    void press(const QString& method) { QCOMPARE(call(Player, method).type(), QDBusMessage::ReplyMessage); }
    QVariant get(const QString& name)
    {
        const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                        {Player, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QDBusMessage set(const QString& name, const QVariant& value)
    {
        return call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                    {Player, name, QVariant::fromValue(QDBusVariant(value))});
    }
    QString status() { return get(QStringLiteral("PlaybackStatus")).toString(); }
    QVariantMap metadata() { return qdbus_cast<QVariantMap>(get(QStringLiteral("Metadata")).value<QDBusArgument>()); }
    QString title() { return metadata().value(QStringLiteral("xesam:title")).toString(); }
    bool published() { return bus.interface()->isServiceRegistered(Service); }

    QDBusConnection bus;
    QStringList heard; // the properties each change announced

public slots:
    void changed(const QString&, const QVariantMap& properties, const QStringList&) { heard += properties.keys(); }
};

class TestMediaControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("No session bus; the test runs under dbus-run-session.");
    }

    void slideShowFollowsTheDesktopsKeys()
    {
        Fixture fx;
        fx.openMainWith({QStringLiteral("55001.jpg"), QStringLiteral("55002.jpg"), QStringLiteral("56001.jpg")});
        fx.c->services.controls = std::make_shared<MprisMediaControls>(QStringLiteral("The Kel-Vardo Folivra"),
                                                                      QStringLiteral("org.kelvardo.Folivra"));
        Desktop desktop;
        FrmSlide* w = OpenSlideShow(*fx.c);
        QVERIFY(desktop.published());
        QCOMPARE(desktop.status(), QStringLiteral("Paused"));

        desktop.press(QStringLiteral("Next"));
        QTRY_COMPARE(desktop.title(), QStringLiteral("1955, slide 1 of 3"));
        QCOMPARE(w->pnlPhotoNumber->text(), QStringLiteral("1 of 3"));
        QVERIFY(desktop.metadata().value(QStringLiteral("mpris:artUrl")).toString().endsWith(QStringLiteral("55001.jpg")));
        desktop.press(QStringLiteral("Next"));
        desktop.press(QStringLiteral("Previous"));
        desktop.press(QStringLiteral("Previous"));
        QTRY_COMPARE(desktop.title(), QStringLiteral("1956, slide 3 of 3"));
        QTRY_VERIFY(desktop.heard.contains(QStringLiteral("Metadata")));

        desktop.press(QStringLiteral("PlayPause"));
        QTRY_COMPARE(desktop.status(), QStringLiteral("Playing"));
        QVERIFY(w->Timer1->isActive());
        QTRY_VERIFY(desktop.heard.contains(QStringLiteral("PlaybackStatus")));
        QCOMPARE(desktop.get(QStringLiteral("CanGoNext")).toBool(), false); // the bar's steps rest while it plays
        desktop.press(QStringLiteral("Pause"));
        QTRY_COMPARE(desktop.status(), QStringLiteral("Paused"));
        QVERIFY(!w->Timer1->isActive());

        // Stop is the bar's Exit: the slide goes to the main window, and the player goes.
        desktop.press(QStringLiteral("Stop"));
        QTRY_VERIFY(!fx.c->frmSlide);
        QTRY_VERIFY(!desktop.published());
    }

    void movieWindowPlaysAndNamesTheFilm()
    {
        Fixture fx;
        fx.openMainWith({QStringLiteral("55001.jpg")});
        for (const char* film : {"55Motoramic.avi", "57Murvo.avi"})
            writeText(fx.disc() + QStringLiteral("/movies/") + QLatin1String(film), "RIFF film");
        fx.c->services.controls = std::make_shared<MprisMediaControls>(QStringLiteral("The Kel-Vardo Folivra"),
                                                                      QStringLiteral("org.kelvardo.Folivra"));
        Desktop desktop;
        QPointer<FrmMovie> w = OpenMovieWindow(*fx.c);
        QTRY_COMPARE(desktop.title(), QStringLiteral("1955 Motoramic"));
        QCOMPARE(desktop.metadata().value(QStringLiteral("mpris:length")).toLongLong(), 2000 * 1000);
        QCOMPARE(desktop.status(), QStringLiteral("Stopped")); // opened, not started
        desktop.press(QStringLiteral("PlayPause"));
        QTRY_COMPARE(desktop.status(), QStringLiteral("Playing"));
        QVERIFY(w->device()->isPlaying());
        desktop.press(QStringLiteral("Pause"));
        QTRY_COMPARE(desktop.status(), QStringLiteral("Paused"));
        desktop.press(QStringLiteral("Stop"));
        QTRY_COMPARE(desktop.status(), QStringLiteral("Stopped"));
        QVERIFY(desktop.heard.contains(QStringLiteral("PlaybackStatus")));

        // The desktop's volume is the film's.
        QCOMPARE(desktop.set(QStringLiteral("Volume"), 0.25).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(desktop.get(QStringLiteral("Volume")).toDouble(), 0.25);
        QCOMPARE(w->device()->volume(), 0.25);
        QTRY_VERIFY(desktop.heard.contains(QStringLiteral("Volume")));
        QCOMPARE(desktop.set(QStringLiteral("Volume"), -1.0).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(desktop.get(QStringLiteral("Volume")).toDouble(), 0.0);

        w->optMovie[4]->setChecked(true);
        QTRY_COMPARE(desktop.title(), QStringLiteral("1957 Murvo"));
        w->SSCommand1_Click();
        QTRY_VERIFY(!desktop.published());
        delete w.data();
    }
};

QTEST_MAIN(TestMediaControls)
#include "test_media_controls.moc"
