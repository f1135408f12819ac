#pragma once

#include <QFrame>

#include <array>

class QLabel;
class QSlider;
class QToolButton;

namespace kv {

// The movie window's button bar: it only says what the user asked for; the window turns that
// into device commands. The slider seeks and follows the film.
class MovieBar : public QFrame
{
    Q_OBJECT
public:
    enum Button { Prev, Next, Play, Pause, Back, Step, Stop, ButtonCount };

    explicit MovieBar(QWidget* parent = nullptr);

    QToolButton* button(Button b) const { return m_buttons.at(b); }
    QSlider* seekBar() const { return m_seek; }
    // Shows where the film stands, in milliseconds.
    void setProgress(qint64 position, qint64 duration);
    void click(Button b);

signals:
    void clicked(kv::MovieBar::Button button);
    void seekRequested(qint64 position);

private:
    std::array<QToolButton*, ButtonCount> m_buttons{};
    QSlider* m_seek = nullptr;
    QLabel* m_time = nullptr;
};

} // namespace kv
