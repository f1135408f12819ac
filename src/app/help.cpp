#include "app/help.h"

#include "app/app_context.h"
#include "platform/file_system.h"
#include "platform/help/help.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace kv {

namespace {
const QString HelpFileName = QStringLiteral("KelVardo.HLP");
} // namespace

QString helpFilePath(const AppContext& c)
{
    return joinPath(c.files().programDir(), HelpFileName);
}

void showHelpContents(AppContext& c, QWidget* owner)
{
    if (!c.services.help)
        return;
    if (c.helpFile.isEmpty())
        c.helpFile = helpFilePath(c);
    // Found without regard to case like every other file; a missing file is the help
    // window's to report.
    const QString found = c.files().resolve(c.helpFile);
    c.help().showContents(found.isEmpty() ? c.helpFile : found, owner);
}

void PrepareHelp(AppContext& c, QWidget* window)
{
    c.helpFile = helpFilePath(c);
    c.HelpWnd = window;
    if (!window)
        return;
    // A second key in the same window would make F1 ambiguous, and do nothing.
    c.helpKeys.removeIf([](const QPointer<QShortcut>& key) { return key.isNull(); });
    for (const QPointer<QShortcut>& key : std::as_const(c.helpKeys)) {
        if (key->parent() == window)
            return;
    }
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    key->setContext(Qt::WindowShortcut);
    c.helpKeys.append(key);
    QObject::connect(key, &QShortcut::activated, window, [&c, window] { showHelpContents(c, window); });
}

void CloseHelp(AppContext& c)
{
    if (c.services.help && c.HelpWnd)
        c.help().quit(c.HelpWnd);
}

} // namespace kv
