#pragma once

// Reads back PDFs the printer tests wrote: page count, and where the words landed.

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

namespace kv::test {

inline int pdfPageCount(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(f.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int n = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

struct PdfWord {
    int page = 0;
    QString text;
    QRectF box; // points, origin at the top-left of the page
};

struct PdfWords {
    QSizeF pageSize; // points
    QList<PdfWord> words;
};

inline bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// Word boxes from "pdftotext -bbox"; empty when the tool is missing or fails.
inline PdfWords pdfWords(const QString &path)
{
    PdfWords result;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return result;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
        "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            ++page;
            result.pageSize = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        PdfWord w;
        w.page = page;
        w.text = m.captured(7);
        w.box = QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                       QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
        result.words.append(w);
    }
    return result;
}

} // namespace kv::test
