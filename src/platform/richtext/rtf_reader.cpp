#include "platform/richtext/rtf_reader.h"

#include "platform/richtext/rtf_parser.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextOption>

namespace kv {

namespace {

// Offset of the document's opening brace, or -1 when the bytes are not RTF.
qsizetype rtfStart(const QByteArray &bytes)
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
        return -1;
    const qsizetype start = i++;
    skipBlanks();
    return i < n && bytes[i] == '\\' ? start : -1;
}

} // namespace

bool looksLikeRtf(const QByteArray &bytes)
{
    return rtfStart(bytes) >= 0;
}

bool readRtf(const QByteArray &bytes, QTextDocument *doc, const std::atomic_bool *stop)
{
    const qsizetype start = rtfStart(bytes);
    if (!doc || start < 0)
        return false;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextOption option = doc->defaultTextOption();
    option.setTabStopDistance(720 / 15.0); // RTF's default tab spacing, half an inch
    doc->setDefaultTextOption(option);
    rtf::Parser parser(QByteArrayView(bytes).sliced(start), doc);
    parser.setStop(stop);
    parser.run();
    doc->setUndoRedoEnabled(undo);
    return true;
}

bool readRtfBytes(const QString &path, QByteArray *bytes)
{
    constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;
    // Opening a FIFO or device would block; only regular files are documents.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return false;
    *bytes = file.read(MaxFileBytes);
    return file.error() == QFileDevice::NoError;
}

bool readRtfFile(const QString &path, QTextDocument *doc, const std::atomic_bool *stop)
{
    QByteArray bytes;
    return readRtfBytes(path, &bytes) && readRtf(bytes, doc, stop);
}

} // namespace kv
