#include "platform/keep_awake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace kv {

namespace {
const QString Service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString Path = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString Interface = QStringLiteral("org.freedesktop.ScreenSaver");
} // namespace

DBusKeepAwake::DBusKeepAwake(QString applicationName) : m_applicationName(std::move(applicationName)) {}

DBusKeepAwake::~DBusKeepAwake()
{
    release();
}

void DBusKeepAwake::hold(const QString& reason)
{
    m_wanted = true;
    if (m_haveCookie || m_waitingForCookie)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Inhibit"));
    call << m_applicationName << reason;
    m_waitingForCookie = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_waitingForCookie = false;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            return; // no screen-saver service here: nothing to hold
        if (m_wanted) {
            m_cookie = reply.value();
            m_haveCookie = true;
        } else {
            unInhibit(reply.value()); // released while the answer was on its way
        }
    });
}

void DBusKeepAwake::release()
{
    m_wanted = false;
    if (!m_haveCookie)
        return;
    m_haveCookie = false;
    unInhibit(m_cookie);
}

void DBusKeepAwake::unInhibit(uint cookie)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("UnInhibit"));
    call << cookie;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

} // namespace kv
