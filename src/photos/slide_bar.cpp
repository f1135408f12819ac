#include "photos/slide_bar.h"

#include <QShortcut>
#include <QStyle>
#include <QToolButton>

namespace kv {

SlideBar::SlideBar(QWidget* parent)
    : QFrame(parent)
{
    struct ButtonDef
    {
        const char* name;
        const char* tip;
        const char* spoken;
        QStyle::StandardPixmap icon;
        QKeyCombination key; // the buttons take no focus: these keys reach them from anywhere
        Qt::Key mediaKey;
    };
    static const std::array<ButtonDef, ButtonCount> buttons = {{
        {"Prev", "[Bkwd]", "Previous slide", QStyle::SP_MediaSkipBackward, Qt::Key_Comma, Qt::Key_MediaPrevious},
        {"Next", "[Fwd]", "Next slide", QStyle::SP_MediaSkipForward, Qt::Key_Period, Qt::Key_MediaNext},
        {"Play", "[Play]", "Play", QStyle::SP_MediaPlay, Qt::Key_P, Qt::Key_MediaPlay},
        {"Pause", "[Pause]", "Pause", QStyle::SP_MediaPause, Qt::SHIFT | Qt::Key_P, Qt::Key_MediaPause},
        {"Back", "[Jump Bkwd]", "Ten slides back", QStyle::SP_MediaSeekBackward, Qt::Key_PageUp, Qt::Key_AudioRewind},
        {"Step", "[Jump Fwd]", "Ten slides on", QStyle::SP_MediaSeekForward, Qt::Key_PageDown, Qt::Key_AudioForward},
        {"Stop", "[Exit]", "Exit to the main window", QStyle::SP_MediaStop, Qt::CTRL | Qt::Key_Return, Qt::Key_MediaStop},
    }};
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(buttons[i].name));
        b->setToolTip(QString::fromLatin1(buttons[i].tip));
        b->setAccessibleName(QString::fromLatin1(buttons[i].spoken));
        const QKeySequence key(buttons[i].key);
        b->setAccessibleDescription(tr("Key: %1").arg(key.toString(QKeySequence::NativeText)));
        b->setIcon(style()->standardIcon(buttons[i].icon));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        const auto which = static_cast<Button>(i);
        connect(b, &QToolButton::clicked, this, [this, which] { emit clicked(which); });
        // "," and "." are the first button's own keys, which step even while the show plays.
        const bool ownKey = which == Prev || which == Next;
        for (const QKeySequence& k : {ownKey ? QKeySequence() : key, QKeySequence(buttons[i].mediaKey)}) {
            if (!k.isEmpty())
                connect(new QShortcut(k, this), &QShortcut::activated, this, [this, which] { click(which); });
        }
        m_buttons[i] = b;
    }
}

void SlideBar::setButtonEnabled(Button b, bool enabled)
{
    m_buttons.at(b)->setEnabled(enabled);
}

bool SlideBar::isButtonEnabled(Button b) const
{
    return m_buttons.at(b)->isEnabled();
}

void SlideBar::click(Button b)
{
    if (m_buttons.at(b)->isEnabled())
        emit clicked(b);
}

void SlideBar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    // Seven equal cells across the whole bar, whatever width the layout gives it.
    const int w = width(), h = height();
    for (int i = 0; i < ButtonCount; ++i) {
        const int x0 = w * i / ButtonCount, x1 = w * (i + 1) / ButtonCount;
        m_buttons[i]->setGeometry(x0, 0, x1 - x0, h);
    }
}

} // namespace kv
