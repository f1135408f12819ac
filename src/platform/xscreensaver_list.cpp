#include "platform/xscreensaver_list.h"

#include "platform/regular_file.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <filesystem>

namespace kv {

namespace {

constexpr qint64 MaxSettingsBytes = 4 * 1024 * 1024;

// A line without its end: "\n", and a "\r" before it.
QByteArray body(const QByteArray& line)
{
    QByteArray b = line;
    if (b.endsWith('\n'))
        b.chop(1);
    if (b.endsWith('\r'))
        b.chop(1);
    return b;
}

QByteArray ending(const QByteArray& line)
{
    return line.mid(body(line).size());
}

bool continues(const QByteArray& line)
{
    return body(line).endsWith('\\');
}

bool isListStart(const QByteArray& line)
{
    return line.trimmed().startsWith("programs:");
}

// The command an entry runs and the name shown for it: [-] [GL:] ["Name"] command args.
struct Entry
{
    QString name;
    QString command;
};

Entry parseEntry(QString text)
{
    Entry e;
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('-')))
        text = text.mid(1).trimmed();
    static const QRegularExpression visual(QStringLiteral("^[A-Za-z0-9_]+:\\s*"));
    text.remove(visual);
    if (text.startsWith(QLatin1Char('"'))) {
        const qsizetype close = text.indexOf(QLatin1Char('"'), 1);
        if (close > 0) {
            e.name = text.mid(1, close - 1);
            text = text.mid(close + 1).trimmed();
        }
    }
    // The first word, unquoted as the shell would.
    if (text.startsWith(QLatin1Char('"')) || text.startsWith(QLatin1Char('\''))) {
        const qsizetype close = text.indexOf(text.at(0), 1);
        e.command = close > 0 ? text.mid(1, close - 1) : text.mid(1);
    } else {
        e.command = text.section(QRegularExpression(QStringLiteral("\\s+")), 0, 0);
    }
    if (e.name.isEmpty() && !e.command.isEmpty())
        e.name = QFileInfo(e.command).fileName();
    return e;
}

bool sameFile(const QString& a, const QString& b)
{
    std::error_code notSame;
    return std::filesystem::equivalent(std::filesystem::path(a.toStdU16String()),
                                       std::filesystem::path(b.toStdU16String()), notSame);
}

QString expandHome(QString command, const QString& home)
{
    for (const QString& prefix : {QStringLiteral("${HOME}"), QStringLiteral("$HOME"), QStringLiteral("~")}) {
        if (command.startsWith(prefix + QLatin1Char('/')))
            return home + command.mid(prefix.size());
    }
    return command;
}

XScreenSaverAddition failed(const QString& why)
{
    XScreenSaverAddition a;
    a.outcome = XScreenSaverAddition::Failed;
    a.error = why;
    return a;
}

} // namespace

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

XScreenSaverAddition addToXScreenSaver(const QString& home, const QString& program)
{
    XScreenSaverAddition result;
    QString path = home + QStringLiteral("/.xscreensaver");
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    // A link into a folder of dot files is followed, so the link stays a link.
    if (info.isSymLink())
        path = info.canonicalFilePath();
    if (path.isEmpty() || !isRegularFile(path))
        return failed(QStringLiteral("%1 is not a file").arg(info.filePath()));
    QFile in(path);
    if (in.size() > MaxSettingsBytes)
        return failed(QStringLiteral("%1 is too large").arg(info.filePath()));
    if (!in.open(QIODevice::ReadOnly))
        return failed(in.errorString());
    const QByteArray text = in.readAll();
    in.close();

    QByteArrayList lines;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype end = text.indexOf('\n', from);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines.append(text.mid(from, next - from));
        from = next;
    }
    const auto start = std::find_if(lines.cbegin(), lines.cend(), isListStart);
    if (start == lines.cend())
        return result; // xscreensaver has never saved its list here
    const qsizetype header = start - lines.cbegin();
    // The list runs on while its lines end in a backslash; entries end in "\n".
    qsizetype last = header;
    while (continues(lines.at(last)) && last + 1 < lines.size())
        ++last;
    QString value;
    for (qsizetype i = header; i <= last; ++i) {
        QByteArray part = body(lines.at(i));
        if (i == header)
            part = part.mid(part.indexOf(':') + 1);
        if (part.endsWith('\\'))
            part.chop(1);
        value += QString::fromLocal8Bit(part);
    }
    for (const QString& entryText : value.split(QStringLiteral("\\n"))) {
        const Entry entry = parseEntry(entryText);
        if (!entry.command.isEmpty() && sameFile(expandHome(entry.command, home), program)) {
            result.outcome = XScreenSaverAddition::Listed;
            result.listedAs = entry.name;
            return result;
        }
    }

    const QByteArray eol = ending(lines.at(header)).isEmpty() ? QByteArray("\n") : ending(lines.at(header));
    const QByteArray entry = "  " + xscreensaverEntry(program).toLocal8Bit() + eol;
    if (!continues(lines.at(header))) {
        // A list on one line: it moves to the line after ours.
        const QByteArray first = body(lines.at(header));
        const qsizetype colon = first.indexOf(':');
        lines[header] = first.left(colon + 1) + "\t\\" + eol;
        lines.insert(header + 1, entry);
        lines.insert(header + 2, "  " + first.mid(colon + 1).trimmed() + eol);
    } else if (continues(lines.at(last))) {
        // The file ends inside the list.
        if (!lines.last().endsWith('\n'))
            lines.last().append(eol);
        lines.append(entry);
        lines.append(eol);
    } else {
        // Before the line that ends the list, which is empty as xscreensaver writes it.
        lines.insert(last, entry);
    }

    result.backup = path + QStringLiteral(".before-kelvardo");
    if (!QFileInfo::exists(result.backup) && !QFile::copy(path, result.backup))
        return failed(QStringLiteral("the old settings could not be kept as %1").arg(result.backup));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    out.setPermissions(QFile::permissions(path));
    out.write(lines.join());
    if (!out.commit())
        return failed(out.errorString());
    result.outcome = XScreenSaverAddition::Added;
    return result;
}

} // namespace kv
