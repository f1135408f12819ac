#include "platform/richtext/rtf_reader.h"

#include "platform/richtext/rtf_parser.h"

#include <QFile>
#include <QTextDocument>

namespace kv {

bool looksLikeRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    auto skipBlanks = [&] {
        while (i < n && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
            ++i;
    };
    skipBlanks();
    if (i >= n || bytes[i] != '{')
        return false;
    ++i;
    skipBlanks();
    return i < n && bytes[i] == '\\';
}

bool readRtf(const QByteArray &bytes, QTextDocument *doc)
{
    if (!doc || !looksLikeRtf(bytes))
        return false;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    rtf::Parser parser(bytes, doc);
    parser.run();
    doc->setUndoRedoEnabled(undo);
    return true;
}

bool readRtfFile(const QString &path, QTextDocument *doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return readRtf(bytes, doc);
}

} // namespace kv
