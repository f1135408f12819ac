#include "photos/slide_bar.h"

#include <QStyle>
#include <QToolButton>

namespace kv {

SlideBar::SlideBar(QWidget* parent)
    : QFrame(parent)
{
    struct Spec
    {
        const char* name;
        const char* tip;
        const char* spoken;
        QStyle::StandardPixmap icon;
    };
    static const std::array<Spec, ButtonCount> specs = {{
        {"Prev", "[Bkwd]", "Previous slide", QStyle::SP_MediaSkipBackward},
        {"Next", "[Fwd]", "Next slide", QStyle::SP_MediaSkipForward},
        {"Play", "[Play]", "Play", QStyle::SP_MediaPlay},
        {"Pause", "[Pause]", "Pause", QStyle::SP_MediaPause},
        {"Back", "[Jump Bkwd]", "Ten slides back", QStyle::SP_MediaSeekBackward},
        {"Step", "[Jump Fwd]", "Ten slides on", QStyle::SP_MediaSeekForward},
        {"Stop", "[Exit]", "Exit to the main window", QStyle::SP_MediaStop},
    }};
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(specs[i].name));
        b->setToolTip(QString::fromLatin1(specs[i].tip));
        b->setAccessibleName(QString::fromLatin1(specs[i].spoken));
        b->setIcon(style()->standardIcon(specs[i].icon));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        const auto which = static_cast<Button>(i);
        connect(b, &QToolButton::clicked, this, [this, which] { emit clicked(which); });
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
