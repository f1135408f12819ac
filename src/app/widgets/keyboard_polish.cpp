#include "app/widgets/keyboard_polish.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

namespace kv {

void KeyboardPolish::install()
{
    static QPointer<KeyboardPolish> installed;
    auto* app = QCoreApplication::instance();
    if (!app || installed)
        return;
    installed = new KeyboardPolish(app);
    app->installEventFilter(installed);
}

bool KeyboardPolish::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Polish)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        // Outside a dialog a push button ignores Enter unless it is an auto-default one.
        button->setAutoDefault(true);
    } else if (auto* bar = qobject_cast<QScrollBar*>(watched); bar && bar->accessibleName().isEmpty()) {
        bar->setAccessibleName(bar->orientation() == Qt::Vertical ? tr("Vertical scroll bar")
                                                                   : tr("Horizontal scroll bar"));
    }
    return false;
}

} // namespace kv
