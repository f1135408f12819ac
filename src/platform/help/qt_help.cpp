#include "platform/help/qt_help.h"

#include "platform/help/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace kv {

QtHelp::~QtHelp()
{
    // Windows without an owner would outlive the program's windows.
    for (const Entry& e : m_windows) {
        if (e.ownerless && e.window)
            delete e.window.data();
    }
}

void QtHelp::prune()
{
    m_windows.removeIf([](const Entry& e) { return !e.window || (!e.ownerless && !e.owner); });
}

HelpWindow* QtHelp::windowFor(QWidget* owner)
{
    prune();
    for (const Entry& e : m_windows) {
        if (e.owner == owner && e.ownerless == (owner == nullptr))
            return e.window;
    }
    return nullptr;
}

bool QtHelp::showContents(const QString& helpFile, QWidget* owner)
{
    if (HelpWindow::kindOf(helpFile) == HelpWindow::Kind::Other)
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
    HelpWindow* window = windowFor(owner);
    if (window && window->file() != helpFile) {
        delete window;
        window = nullptr;
    }
    if (!window) {
        window = new HelpWindow(owner);
        if (!window->openFile(helpFile)) {
            delete window;
            return false;
        }
        if (owner) {
            const QRect o = owner->frameGeometry();
            window->move(o.x() + qMax(0, (o.width() - window->width()) / 2),
                         o.y() + qMax(0, (o.height() - window->height()) / 2));
        }
        m_windows.append({owner, owner == nullptr, window});
    } else {
        window->showContents();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

void QtHelp::quit(QWidget* owner)
{
    prune();
    for (const Entry& e : m_windows) {
        if (e.owner == owner && e.ownerless == (owner == nullptr) && e.window)
            delete e.window.data();
    }
    prune();
}

} // namespace kv
