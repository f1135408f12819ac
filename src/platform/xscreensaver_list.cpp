#include "platform/xscreensaver_list.h"

#include <QRegularExpression>

namespace kv {

QString xscreensaverEntry(const QString& program)
{
    // xscreensaver hands a command with quotes to the shell; a plain path needs none.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+,:@%=-]+$"));
    QString command = program;
    if (!plain.match(program).hasMatch()) {
        command = QLatin1Char('\'') + QString(program).replace(QLatin1Char('\''), QStringLiteral("'\"'\"'"))
            + QLatin1Char('\'');
        command.replace(QLatin1Char('\\'), QStringLiteral("\\\\")); // the list's own escape
    }
    return QLatin1Char('"') + XScreenSaverEntryName + QStringLiteral("\"  ") + command
        + QStringLiteral(" -root  \\n\\");
}

} // namespace kv
