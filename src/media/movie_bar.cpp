#include "media/movie_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace kv {

namespace {
QString clock(qint64 ms)
{
    const qint64 s = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

MovieBar::MovieBar(QWidget* parent)
    : QFrame(parent)
{
    struct ButtonDef
    {
        const char* name;
        const char* label;
        QStyle::StandardPixmap icon;
    };
    static const std::array<ButtonDef, ButtonCount> buttons = {{
        {"Prev", "Rewind to the start", QStyle::SP_MediaSkipBackward},
        {"Next", "Go to the end", QStyle::SP_MediaSkipForward},
        {"Play", "Play", QStyle::SP_MediaPlay},
        {"Pause", "Pause", QStyle::SP_MediaPause},
        {"Back", "Step back one frame", QStyle::SP_MediaSeekBackward},
        {"Step", "Step forward one frame", QStyle::SP_MediaSeekForward},
        {"Stop", "Stop and rewind", QStyle::SP_MediaStop},
    }};
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(buttons[i].name));
        b->setToolTip(QString::fromLatin1(buttons[i].label));
        b->setAccessibleName(QString::fromLatin1(buttons[i].label));
        b->setIcon(style()->standardIcon(buttons[i].icon));
        b->setFocusPolicy(Qt::StrongFocus);
        b->setFixedSize(30, 26);
        const auto which = static_cast<Button>(i);
        connect(b, &QToolButton::clicked, this, [this, which] { emit clicked(which); });
        m_buttons[i] = b;
        row->addWidget(b);
    }
    m_seek = new QSlider(Qt::Horizontal, this);
    m_seek->setObjectName(QStringLiteral("Seek"));
    m_seek->setAccessibleName(QStringLiteral("Position in the film"));
    m_seek->setFocusPolicy(Qt::StrongFocus);
    m_seek->setPageStep(500);
    m_seek->setSingleStep(100);
    row->addWidget(m_seek, 1);
    // Dragging or keys on the slider move the film; updates from the film do not echo back.
    connect(m_seek, &QSlider::actionTriggered, this, [this] {
        emit seekRequested(m_seek->sliderPosition());
    });
    m_time = new QLabel(clock(0) + QStringLiteral(" / ") + clock(0), this);
    m_time->setObjectName(QStringLiteral("Time"));
    m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("00:00 / 00:00")) + 4);
    row->addWidget(m_time);
}

void MovieBar::setProgress(qint64 position, qint64 duration)
{
    const QSignalBlocker block(m_seek);
    m_seek->setRange(0, int(qMax<qint64>(0, duration)));
    if (!m_seek->isSliderDown())
        m_seek->setValue(int(qBound<qint64>(0, position, qMax<qint64>(0, duration))));
    m_time->setText(clock(position) + QStringLiteral(" / ") + clock(duration));
}

void MovieBar::click(Button b)
{
    if (m_buttons.at(b)->isEnabled())
        emit clicked(b);
}

} // namespace kv
