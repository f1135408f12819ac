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

// The entries of the list's value, with the resource file's escapes undone: "\n" ends an
// entry, "\\", "\ ", "\t" and "\nnn" (octal) stand for one character.
QStringList listEntries(const QString& value)
{
    QStringList out(QString{});
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value.at(i);
        if (ch != QLatin1Char('\\') || i + 1 == value.size()) {
            out.last() += ch;
            continue;
        }
        const QChar next = value.at(++i);
        const QString digits = value.mid(i, 3);
        const bool octal = digits.size() == 3 && std::all_of(digits.cbegin(), digits.cend(), [](QChar d) {
            return d >= QLatin1Char('0') && d <= QLatin1Char('7');
        });
        if (next == QLatin1Char('n')) {
            out.append(QString());
        } else if (next == QLatin1Char('t')) {
            out.last() += QLatin1Char('\t');
        } else if (next == QLatin1Char('\\') || next == QLatin1Char(' ')) {
            out.last() += next;
        } else if (octal) {
            out.last() += QChar(digits.toInt(nullptr, 8));
            i += 2;
        } else {
            out.last() += QLatin1Char('\\') + next;
        }
    }
    return out;
}

QChar charAt(const QString& text, qsizetype at)
{
    return at < text.size() ? text.at(at) : QChar();
}

// Length of "$HOME" or "${HOME}" at `at`; 0 when another variable or none is there.
qsizetype homeVariableAt(const QString& text, qsizetype at)
{
    if (text.mid(at).startsWith(QLatin1String("${HOME}")))
        return 7;
    if (!text.mid(at).startsWith(QLatin1String("$HOME")))
        return 0;
    const QChar after = charAt(text, at + 5);
    return after.isLetterOrNumber() || after == QLatin1Char('_') ? 0 : 5;
}

// The first word of a command, as the shell reads it: quotes, backslashes, "~/" and $HOME.
QString firstWord(const QString& text, const QString& home)
{
    QString word;
    qsizetype i = 0;
    if (text.startsWith(QLatin1String("~/"))) {
        word = home;
        i = 1;
    }
    for (; i < text.size() && !text.at(i).isSpace(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\'')) {
            qsizetype close = text.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0)
                close = text.size();
            word += text.mid(i + 1, close - i - 1);
            i = close;
        } else if (ch == QLatin1Char('"')) {
            for (++i; i < text.size() && text.at(i) != QLatin1Char('"'); ++i) {
                const QChar in = text.at(i);
                const qsizetype variable = in == QLatin1Char('$') ? homeVariableAt(text, i) : 0;
                if (in == QLatin1Char('\\') && QStringLiteral("\"\\$`").contains(charAt(text, i + 1))) {
                    word += text.at(++i);
                } else if (variable > 0) {
                    word += home;
                    i += variable - 1;
                } else {
                    word += in;
                }
            }
        } else if (ch == QLatin1Char('\\') && i + 1 < text.size()) {
            word += text.at(++i);
        } else if (const qsizetype length = ch == QLatin1Char('$') ? homeVariableAt(text, i) : 0) {
            word += home;
            i += length - 1;
        } else {
            word += ch;
        }
    }
    return word;
}

// The command an entry runs and the name shown for it: [-] [GL:] ["Name"] command args.
struct Entry
{
    QString name;
    QString command;
    bool turnedOff = false;
};

Entry parseEntry(QString text, const QString& home)
{
    Entry e;
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('-'))) {
        e.turnedOff = true;
        text = text.mid(1).trimmed();
    }
    static const QRegularExpression visual(QStringLiteral("^[A-Za-z0-9_]+:\\s*"));
    text.remove(visual);
    if (text.startsWith(QLatin1Char('"'))) {
        const qsizetype close = text.indexOf(QLatin1Char('"'), 1);
        if (close > 0) {
            e.name = text.mid(1, close - 1);
            text = text.mid(close + 1).trimmed();
        }
    }
    e.command = firstWord(text, home);
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
    if (start == lines.cend()) {
        result.outcome = XScreenSaverAddition::NoList; // xscreensaver has never saved its list here
        return result;
    }
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
    for (const QString& entryText : listEntries(value)) {
        const Entry entry = parseEntry(entryText, home);
        if (!entry.command.isEmpty() && sameFile(entry.command, program)) {
            result.outcome = XScreenSaverAddition::Listed;
            result.listedAs = entry.name;
            result.turnedOff = entry.turnedOff;
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

    // Nothing is kept aside for a file that cannot be changed.
    if (!QFileInfo(path).isWritable())
        return failed(QStringLiteral("it is read-only"));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    result.backup = path + QStringLiteral(".before-kelvardo");
    const bool firstChange = !QFileInfo::exists(result.backup);
    if (firstChange && !QFile::copy(path, result.backup))
        return failed(QStringLiteral("the old settings could not be kept as %1").arg(result.backup));
    out.setPermissions(QFile::permissions(path));
    out.write(lines.join());
    if (!out.commit()) {
        if (firstChange)
            QFile::remove(result.backup);
        return failed(out.errorString());
    }
    result.outcome = XScreenSaverAddition::Added;
    return result;
}

} // namespace kv
