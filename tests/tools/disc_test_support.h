#pragma once
// Helpers shared by the disc tests: running the generator, case-blind lookup, RIFF walking.
#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

namespace disctest {

struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

// Runs kv_make_disc with the given arguments, offscreen.
RunResult runGenerator(const QStringList &args);

// Finds a path below root, matching every component without regard to letter case.
QString resolve(const QString &root, const QString &relPath);

// Entries of a folder whose names match the wildcard without regard to case.
QStringList listCaseBlind(const QString &folder, const QString &wildcard);

QByteArray readAll(const QString &path);

quint32 le32(const QByteArray &b, qsizetype at);
quint16 le16(const QByteArray &b, qsizetype at);

struct Chunk {
    QByteArray id;   // fourcc; for LIST/RIFF the list type follows in listType
    QByteArray listType;
    qsizetype dataAt = 0; // offset of the chunk data (after the size field)
    quint32 size = 0;
    QList<Chunk> children;
};

// Parses RIFF chunks in [from, to); returns false on any inconsistency, with a reason.
bool parseChunks(const QByteArray &file, qsizetype from, qsizetype to, QList<Chunk> &out, QString *why);
const Chunk *childChunk(const QList<Chunk> &chunks, const char *id, const char *listType = nullptr);

// Depth of { } nesting never negative and back to zero at the end, escapes skipped.
bool rtfBracesBalanced(const QByteArray &rtf);
// Visible text of an RTF document, roughly: control words and groups of tables removed.
QString rtfPlainText(const QByteArray &rtf);

} // namespace disctest
