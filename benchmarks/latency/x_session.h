#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

// What a user does to a program and what the X server then receives, seen from outside every
// program: keys and clicks sent through XTEST, new pixels seen through DAMAGE.
class XSession
{
public:
    explicit XSession(const QString& display);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QSize screenSize() const;

    // A shown top-level window of exactly this size other than `except`, waited for.
    std::optional<xcb_window_t> waitForWindow(const QSize& size, int timeoutMs, xcb_window_t except = 0);
    QPoint origin(xcb_window_t window);
    // Keyboard focus to `window`, as a window manager gives it.
    void focus(xcb_window_t window);

    // Damage of `window` is watched from now on (one window at a time).
    void watch(xcb_window_t window);
    // Every damaged rectangle of the watched window within `ms`.
    QList<QRect> collect(int ms);

    // From the key press (`keysym`) or the click's release at `rootPos` to the moment the whole
    // of `box` (window coordinates) has been damaged; nullopt when it is not within `timeoutMs`.
    std::optional<double> keyToDamage(std::uint32_t keysym, const QRect& box, int timeoutMs);
    std::optional<double> clickToDamage(const QPoint& rootPos, const QRect& box, int timeoutMs);
    // From the click's release at `rootPos` to the first damage of a window made after it of at
    // least `minimum` size (a window opening).
    std::optional<double> clickToNewWindow(const QPoint& rootPos, const QSize& minimum, int timeoutMs);
    void click(const QPoint& rootPos);
    void key(std::uint32_t keysym);

private:
    std::uint8_t keycode(std::uint32_t keysym);
    void drain();
    std::optional<double> waitForBox(const QRect& box, std::int64_t startNs, int timeoutMs);
    xcb_generic_event_t* nextEvent(std::int64_t deadlineNs);
    void press(const QPoint& rootPos, bool down);

    xcb_connection_t* m_conn = nullptr;
    xcb_screen_t* m_screen = nullptr;
    std::uint8_t m_damageEvent = 0;
    std::uint32_t m_damage = 0;
    xcb_window_t m_watched = 0;
    QString m_error;
};
