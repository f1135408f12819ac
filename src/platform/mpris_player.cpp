#include "platform/mpris_player.h"

#include "platform/mpris_adaptors.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace kv {

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.kelvardo");
} // namespace

MprisPlayer::MprisPlayer(QString identity, QString desktopEntry, QObject* parent)
    : QObject(parent)
    , identity(std::move(identity))
    , desktopEntry(std::move(desktopEntry))
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
}

void MprisPlayer::command(MediaCommand c)
{
    // The handler may close the window and withdraw this object; not inside the bus's call.
    QTimer::singleShot(0, this, [this, c] {
        if (handler)
            handler(c);
    });
}

QVariantMap MprisPlayer::metadata() const
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/kelvardo/Folivra/track/%1").arg(m_track))));
    map.insert(QStringLiteral("xesam:title"), now.title);
    map.insert(QStringLiteral("xesam:album"), now.album);
    map.insert(QStringLiteral("xesam:artist"), QStringList{identity});
    if (!now.picture.isEmpty())
        map.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(now.picture).toString());
    if (now.lengthMs > 0)
        map.insert(QStringLiteral("mpris:length"), qlonglong(now.lengthMs * 1000));
    return map;
}

void MprisPlayer::update(const NowShowing& next)
{
    const NowShowing before = now;
    now = next;
    QVariantMap changed;
    if (next.title != before.title || next.album != before.album || next.picture != before.picture
        || next.lengthMs != before.lengthMs) {
        if (next.title != before.title || next.picture != before.picture)
            ++m_track;
        changed.insert(QStringLiteral("Metadata"), metadata());
    }
    if (next.playing != before.playing || next.stopped != before.stopped)
        changed.insert(QStringLiteral("PlaybackStatus"), playbackStatus());
    if (next.canPlay != before.canPlay)
        changed.insert(QStringLiteral("CanPlay"), next.canPlay);
    if (next.canPause != before.canPause)
        changed.insert(QStringLiteral("CanPause"), next.canPause);
    if (next.canGoNext != before.canGoNext)
        changed.insert(QStringLiteral("CanGoNext"), next.canGoNext);
    if (next.canGoPrevious != before.canGoPrevious)
        changed.insert(QStringLiteral("CanGoPrevious"), next.canGoPrevious);
    // The position moves on its own; the desktop asks for it, it is not announced.
    announce(changed);
}

QString MprisPlayer::playbackStatus() const
{
    if (now.playing)
        return QStringLiteral("Playing");
    return now.stopped ? QStringLiteral("Stopped") : QStringLiteral("Paused");
}

void MprisPlayer::setVolume(double v, bool fromDesktop)
{
    // Below silence is silence; the players go no louder than the recording.
    v = qBound(0.0, v, 1.0);
    if (fromDesktop && volumeSetter)
        volumeSetter(v);
    if (qFuzzyCompare(v + 1, volume + 1))
        return;
    volume = v;
    announce({{QStringLiteral("Volume"), v}});
}

void MprisPlayer::announce(const QVariantMap& changed)
{
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

MprisRootAdaptor::MprisRootAdaptor(MprisPlayer* player)
    : QDBusAbstractAdaptor(player)
    , m_player(player)
{
}

void MprisRootAdaptor::Raise()
{
    QTimer::singleShot(0, m_player, [p = m_player] {
        if (p->raise)
            p->raise();
    });
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisPlayer* player)
    : QDBusAbstractAdaptor(player)
    , m_player(player)
{
    setAutoRelaySignals(false);
}

MprisMediaControls::MprisMediaControls(QString identity, QString desktopEntry)
    : m_identity(std::move(identity))
    , m_desktopEntry(std::move(desktopEntry))
{
}

MprisMediaControls::~MprisMediaControls()
{
    withdraw();
}

void MprisMediaControls::publish(QObject* owner, std::function<void(MediaCommand)> handler)
{
    if (!owner)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (m_owner != owner) {
        withdraw();
        m_owner = owner;
        m_ownerGone = connect(owner, &QObject::destroyed, this, [this] { withdraw(); });
    }
    if (!m_player) {
        auto* player = new MprisPlayer(m_identity, m_desktopEntry, this);
        if (!bus.registerObject(ObjectPath, player, QDBusConnection::ExportAdaptors)) {
            delete player;
            return;
        }
        m_player = player;
        // One name per player; a second copy of the program (another user's session on the
        // same bus, a test) takes an instance name, as MPRIS allows.
        for (const QString& name : {ServiceName, ServiceName + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid())}) {
            if (bus.registerService(name)) {
                m_service = name;
                break;
            }
        }
    }
    m_player->handler = std::move(handler);
    m_player->raise = [owner = QPointer<QObject>(owner)] {
        if (auto* w = qobject_cast<QWidget*>(owner.data())) {
            w->window()->raise();
            w->window()->activateWindow();
        }
    };
}

void MprisMediaControls::show(QObject* owner, const NowShowing& now)
{
    if (m_player && owner == m_owner)
        m_player->update(now);
}

void MprisMediaControls::controlVolume(QObject* owner, double volume, std::function<void(double)> setVolume)
{
    if (!m_player || owner != m_owner)
        return;
    m_player->volumeSetter = std::move(setVolume);
    m_player->setVolume(volume, false);
}

void MprisMediaControls::unpublish(QObject* owner)
{
    if (owner && owner == m_owner)
        withdraw();
}

void MprisMediaControls::withdraw()
{
    disconnect(m_ownerGone);
    m_owner = nullptr;
    if (!m_player)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_service.isEmpty())
        bus.unregisterService(m_service);
    bus.unregisterObject(ObjectPath);
    m_service.clear();
    delete m_player.data();
}

} // namespace kv
