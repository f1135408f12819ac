#pragma once

#include <QFrame>

#include <array>

class QToolButton;

namespace kv {

// The slide show's row of media buttons. It drives no device; only the clicks matter.
class SlideBar : public QFrame
{
    Q_OBJECT
public:
    enum Button { Prev, Next, Play, Pause, Back, Step, Stop, ButtonCount };

    explicit SlideBar(QWidget* parent = nullptr);

    QToolButton* button(Button b) const { return m_buttons.at(b); }
    void setButtonEnabled(Button b, bool enabled);
    bool isButtonEnabled(Button b) const;
    // What a click on the button does, for tests and key handling alike.
    void click(Button b);

signals:
    void clicked(kv::SlideBar::Button button);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QToolButton*, ButtonCount> m_buttons{};
};

} // namespace kv
