#include "x_session.h"

#include <QHash>
#include <QRegion>
#include <QThread>

#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>

namespace {
std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T>
Reply<T> own(T* reply)
{
    return Reply<T>(reply, &std::free);
}

qint64 area(const QRegion& region)
{
    qint64 sum = 0;
    for (const QRect& r : region)
        sum += qint64(r.width()) * r.height();
    return sum;
}
} // namespace

XSession::XSession(const QString& display)
{
    m_conn = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(m_conn)) {
        m_error = QStringLiteral("cannot open display %1").arg(display);
        return;
    }
    m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data;
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_conn, &xcb_damage_id);
    const xcb_query_extension_reply_t* test = xcb_get_extension_data(m_conn, &xcb_test_id);
    if (!damage || !damage->present || !test || !test->present) {
        m_error = QStringLiteral("the X server lacks DAMAGE or XTEST");
        return;
    }
    m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
    own(xcb_damage_query_version_reply(m_conn, xcb_damage_query_version(m_conn, 1, 1), nullptr));
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_conn, m_screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_conn);
}

XSession::~XSession()
{
    if (m_conn)
        xcb_disconnect(m_conn);
}

QSize XSession::screenSize() const
{
    return m_screen ? QSize(m_screen->width_in_pixels, m_screen->height_in_pixels) : QSize();
}

std::optional<xcb_window_t> XSession::waitForWindow(const QSize& size, int timeoutMs, xcb_window_t except)
{
    const std::int64_t deadline = nowNs() + std::int64_t(timeoutMs) * 1'000'000;
    while (ok() && nowNs() < deadline) {
        auto tree = own(xcb_query_tree_reply(m_conn, xcb_query_tree(m_conn, m_screen->root), nullptr));
        const int n = tree ? xcb_query_tree_children_length(tree.get()) : 0;
        const xcb_window_t* children = tree ? xcb_query_tree_children(tree.get()) : nullptr;
        for (int i = 0; i < n; ++i) {
            auto attributes =
                own(xcb_get_window_attributes_reply(m_conn, xcb_get_window_attributes(m_conn, children[i]), nullptr));
            auto geometry = own(xcb_get_geometry_reply(m_conn, xcb_get_geometry(m_conn, children[i]), nullptr));
            if (children[i] != except && attributes && geometry && attributes->map_state == XCB_MAP_STATE_VIEWABLE
                && QSize(geometry->width, geometry->height) == size)
                return children[i];
        }
        QThread::msleep(50);
    }
    return std::nullopt;
}

QPoint XSession::origin(xcb_window_t window)
{
    auto r = own(xcb_translate_coordinates_reply(
        m_conn, xcb_translate_coordinates(m_conn, window, m_screen->root, 0, 0), nullptr));
    return r ? QPoint(r->dst_x, r->dst_y) : QPoint();
}

void XSession::focus(xcb_window_t window)
{
    xcb_set_input_focus(m_conn, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(m_conn);
}

void XSession::watch(xcb_window_t window)
{
    if (m_damage)
        xcb_damage_destroy(m_conn, m_damage);
    m_damage = xcb_generate_id(m_conn);
    m_watched = window;
    xcb_damage_create(m_conn, m_damage, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(m_conn);
    drain();
}

xcb_generic_event_t* XSession::nextEvent(std::int64_t deadlineNs)
{
    for (;;) {
        if (xcb_generic_event_t* e = xcb_poll_for_event(m_conn))
            return e;
        const std::int64_t left = deadlineNs - nowNs();
        if (left <= 0 || xcb_connection_has_error(m_conn))
            return nullptr;
        pollfd fd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
        poll(&fd, 1, int(left / 1'000'000) + 1);
    }
}

void XSession::drain()
{
    // A round trip: every event the server sent before it is here now.
    own(xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr));
    while (xcb_generic_event_t* e = xcb_poll_for_event(m_conn))
        std::free(e);
}

QList<QRect> XSession::collect(int ms)
{
    QList<QRect> rects;
    const std::int64_t deadline = nowNs() + std::int64_t(ms) * 1'000'000;
    while (xcb_generic_event_t* e = nextEvent(deadline)) {
        if ((e->response_type & 0x7f) == m_damageEvent) {
            const auto* d = reinterpret_cast<xcb_damage_notify_event_t*>(e);
            if (d->drawable == m_watched)
                rects << QRect(d->area.x, d->area.y, d->area.width, d->area.height);
        }
        std::free(e);
    }
    return rects;
}

std::uint8_t XSession::keycode(std::uint32_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(m_conn);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto map = own(xcb_get_keyboard_mapping_reply(
        m_conn, xcb_get_keyboard_mapping(m_conn, setup->min_keycode, std::uint8_t(count)), nullptr));
    if (!map)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    for (int k = 0; k < count; ++k) {
        if (syms[k * map->keysyms_per_keycode] == keysym)
            return std::uint8_t(setup->min_keycode + k);
    }
    return 0;
}

void XSession::key(std::uint32_t keysym)
{
    const std::uint8_t code = keycode(keysym);
    xcb_test_fake_input(m_conn, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_conn, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_conn);
}

void XSession::press(const QPoint& rootPos, bool down)
{
    xcb_test_fake_input(m_conn, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_screen->root, std::int16_t(rootPos.x()),
                        std::int16_t(rootPos.y()), 0);
    xcb_test_fake_input(m_conn, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0,
                        0);
    xcb_flush(m_conn);
}

void XSession::click(const QPoint& rootPos)
{
    press(rootPos, true);
    press(rootPos, false);
}

std::optional<double> XSession::waitForBox(const QRect& box, std::int64_t startNs, int timeoutMs)
{
    const std::int64_t deadline = startNs + std::int64_t(timeoutMs) * 1'000'000;
    const qint64 whole = qint64(box.width()) * box.height();
    QRegion seen;
    while (xcb_generic_event_t* e = nextEvent(deadline)) {
        const std::int64_t at = nowNs();
        if ((e->response_type & 0x7f) == m_damageEvent) {
            const auto* d = reinterpret_cast<xcb_damage_notify_event_t*>(e);
            if (d->drawable == m_watched)
                seen += QRect(d->area.x, d->area.y, d->area.width, d->area.height) & box;
        }
        std::free(e);
        if (area(seen) >= whole)
            return (at - startNs) / 1e6;
    }
    return std::nullopt;
}

std::optional<double> XSession::keyToDamage(std::uint32_t keysym, const QRect& box, int timeoutMs)
{
    const std::uint8_t code = keycode(keysym);
    drain();
    const std::int64_t start = nowNs();
    xcb_test_fake_input(m_conn, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_conn);
    const auto result = waitForBox(box, start, timeoutMs);
    xcb_test_fake_input(m_conn, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(m_conn);
    return result;
}

std::optional<double> XSession::clickToDamage(const QPoint& rootPos, const QRect& box, int timeoutMs)
{
    // A button acts on its release: the time runs from there, as the user waits from there.
    press(rootPos, true);
    drain();
    const std::int64_t start = nowNs();
    press(rootPos, false);
    return waitForBox(box, start, timeoutMs);
}

std::optional<double> XSession::clickToNewWindow(const QPoint& rootPos, const QSize& minimum, int timeoutMs)
{
    press(rootPos, true);
    drain();
    const std::int64_t start = nowNs();
    press(rootPos, false);
    const std::int64_t deadline = start + std::int64_t(timeoutMs) * 1'000'000;
    QHash<xcb_window_t, std::uint32_t> damages;
    QHash<xcb_window_t, QRegion> seen;
    std::optional<double> result;
    const auto track = [&](xcb_window_t w) {
        if (damages.contains(w))
            return;
        const std::uint32_t d = xcb_generate_id(m_conn);
        xcb_damage_create(m_conn, d, w, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(m_conn);
        damages.insert(w, d);
    };
    while (!result) {
        xcb_generic_event_t* e = nextEvent(deadline);
        if (!e)
            break;
        const std::int64_t at = nowNs();
        const int type = e->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            track(reinterpret_cast<xcb_create_notify_event_t*>(e)->window);
        } else if (type == XCB_MAP_NOTIFY) {
            track(reinterpret_cast<xcb_map_notify_event_t*>(e)->window);
        } else if (type == m_damageEvent) {
            const auto* d = reinterpret_cast<xcb_damage_notify_event_t*>(e);
            const QSize size(d->geometry.width, d->geometry.height);
            if (damages.contains(d->drawable) && size.width() >= minimum.width()
                && size.height() >= minimum.height()) {
                // Painted: nine tenths of the window has new pixels.
                QRegion& r = seen[d->drawable];
                r += QRect(d->area.x, d->area.y, d->area.width, d->area.height);
                if (area(r) * 10 >= qint64(size.width()) * size.height() * 9)
                    result = (at - start) / 1e6;
            }
        }
        std::free(e);
    }
    for (std::uint32_t d : damages)
        xcb_damage_destroy(m_conn, d);
    xcb_flush(m_conn);
    return result;
}
