#pragma once

#include <QObject>
#include <QString>

namespace kv {

// Keeps the desktop from blanking the screen or starting its own saver while a show plays.
// hold() and release() may be called any number of times; one release ends every hold.
class IKeepAwake
{
public:
    virtual ~IKeepAwake() = default;
    virtual void hold(const QString& reason) = 0;
    virtual void release() = 0;
    virtual bool holding() const = 0;
};

// The freedesktop screen-saver inhibit call on the session bus. Calls are asynchronous, so a
// missing or hung service never blocks the program; without one nothing happens.
class DBusKeepAwake final : public QObject, public IKeepAwake
{
public:
    explicit DBusKeepAwake(QString applicationName);
    ~DBusKeepAwake() override;
    void hold(const QString& reason) override;
    void release() override;
    bool holding() const override { return m_wanted; }

private:
    void unInhibit(uint cookie);

    QString m_applicationName;
    bool m_wanted = false;
    bool m_waitingForCookie = false;
    uint m_cookie = 0;
    bool m_haveCookie = false;
};

} // namespace kv
