#include "browse/find_placement.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {
constexpr int Gap = 8;
// Beside the main window, the Find window's top sits this far below the main window's.
constexpr int Drop = 80;

enum class Side
{
    Right,
    Left,
    Below,
    Above,
};

// The room on one side of `r` within the screen.
QRect roomBeside(const QRect& screen, const QRect& r, Side side)
{
    switch (side) {
    case Side::Right: return QRect(QPoint(r.right() + Gap + 1, screen.top()), screen.bottomRight());
    case Side::Left: return QRect(screen.topLeft(), QPoint(r.left() - Gap - 1, screen.bottom()));
    case Side::Below: return QRect(QPoint(screen.left(), r.bottom() + Gap + 1), screen.bottomRight());
    case Side::Above: return QRect(screen.topLeft(), QPoint(screen.right(), r.top() - Gap - 1));
    }
    return {};
}

QRect placeIn(const QRect& room, const QRect& near, Side side, QSize wanted)
{
    const QSize size = wanted.boundedTo(room.size());
    const int x = side == Side::Left ? room.right() - size.width() + 1
        : side == Side::Right        ? room.left()
                                     : std::clamp(near.right() - size.width(), room.left(), room.right() - size.width() + 1);
    const int y = side == Side::Above ? room.bottom() - size.height() + 1
        : side == Side::Below         ? room.top()
                                      : std::clamp(near.top() + Drop, room.top(), room.bottom() - size.height() + 1);
    return QRect(QPoint(x, y), size);
}
} // namespace

QRect findWindowPlace(const QRect& screen, const QRect& main, const QRect& keepClear, QSize wanted, QSize smallest)
{
    constexpr std::array<Side, 4> Sides = {Side::Right, Side::Left, Side::Below, Side::Above};
    for (const QRect& around : {main, keepClear}) {
        if (around.isNull())
            continue;
        for (Side side : Sides) {
            const QRect room = roomBeside(screen, around, side);
            if (room.width() >= smallest.width() && room.height() >= smallest.height())
                return placeIn(room, around, side, wanted);
        }
    }
    return {};
}

} // namespace kv
