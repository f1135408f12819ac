#include "disc_test_support.h"

#include <QDirIterator>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace disctest {

RunResult runGenerator(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(KV_MAKE_DISC_EXE), args);
    RunResult r;
    if (!p.waitForFinished(120000))
        return r;
    r.ms = t.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString resolve(const QString &root, const QString &relPath)
{
    QString current = root;
    for (const QString &part : relPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QString found;
        for (const QString &e : entries)
            if (e.compare(part, Qt::CaseInsensitive) == 0)
                found = e;
        if (found.isEmpty())
            return {};
        current += QLatin1Char('/') + found;
    }
    return current;
}

QStringList listCaseBlind(const QString &folder, const QString &wildcard)
{
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(wildcard),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString &e : QDir(folder).entryList(QDir::Files))
        if (re.match(e).hasMatch())
            out << e;
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
           | quint32(quint8(b[at + 3])) << 24;
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

bool parseChunks(const QByteArray &file, qsizetype from, qsizetype to, QList<Chunk> &out, QString *why)
{
    qsizetype at = from;
    while (at < to) {
        if (at + 8 > to) {
            *why = QStringLiteral("truncated chunk header at %1").arg(at);
            return false;
        }
        Chunk c;
        c.id = file.mid(at, 4);
        c.size = le32(file, at + 4);
        c.dataAt = at + 8;
        if (c.dataAt + qsizetype(c.size) > to) {
            *why = QStringLiteral("chunk %1 at %2 overruns its parent").arg(QString::fromLatin1(c.id)).arg(at);
            return false;
        }
        if (c.id == "LIST" || c.id == "RIFF") {
            c.listType = file.mid(c.dataAt, 4);
            if (!parseChunks(file, c.dataAt + 4, c.dataAt + c.size, c.children, why))
                return false;
        }
        out.append(c);
        at = c.dataAt + c.size + (c.size & 1);
    }
    if (at != to) {
        *why = QStringLiteral("pad byte runs past the parent");
        return false;
    }
    return true;
}

const Chunk *childChunk(const QList<Chunk> &chunks, const char *id, const char *listType)
{
    for (const Chunk &c : chunks)
        if (c.id == id && (!listType || c.listType == listType))
            return &c;
    return nullptr;
}

bool rtfBracesBalanced(const QByteArray &rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i; // the escaped character, whatever it is
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return false;
        }
    }
    return depth == 0;
}

QString rtfPlainText(const QByteArray &rtf)
{
    // Drop the font and colour tables by brace depth; they hold no visible text.
    QByteArray body = rtf;
    for (const QByteArray &table : {QByteArray("{\\fonttbl"), QByteArray("{\\colortbl")}) {
        const qsizetype start = body.indexOf(table);
        if (start < 0)
            continue;
        int depth = 0;
        qsizetype end = start;
        for (; end < body.size(); ++end) {
            if (body[end] == '{')
                ++depth;
            else if (body[end] == '}' && --depth == 0)
                break;
        }
        body.remove(start, end - start + 1);
    }
    QString s = QString::fromLatin1(body);
    s.remove(QRegularExpression(QStringLiteral("\\\\'[0-9a-f]{2}")));
    s.remove(QRegularExpression(QStringLiteral("\\\\[a-z]+-?\\d* ?")));
    s.remove(QRegularExpression(QStringLiteral("[{}\\r\\n]")));
    return s;
}

} // namespace disctest
