#pragma once

#include <QObject>

namespace kv {

// Rules for every widget of the program, applied as each is polished, so no window can miss
// them: Enter presses the focused push button, as Space does; a scroll bar tells a screen
// reader which way it scrolls.
class KeyboardPolish : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Installs the rules on the application; once is enough.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kv
