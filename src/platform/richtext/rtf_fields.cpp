#include "platform/richtext/rtf_fields.h"

#include <QStringList>

namespace kv::rtf {

namespace {

// Splits a field instruction into words; quoted arguments stay whole.
QStringList instructionWords(const QString &s)
{
    QStringList words;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        while (i < n && s[i].isSpace())
            ++i;
        if (i >= n)
            break;
        QString word;
        if (s[i] == u'"') {
            ++i;
            while (i < n && s[i] != u'"')
                word.append(s[i++]);
            ++i;
        } else {
            while (i < n && !s[i].isSpace())
                word.append(s[i++]);
        }
        words.append(word);
    }
    return words;
}

} // namespace

QString hyperlinkTarget(const QString &instruction)
{
    const QStringList words = instructionWords(instruction);
    if (words.isEmpty() || words.first().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return {};
    QString url;
    QString anchor;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString &w = words[i];
        if (w.startsWith(u'\\') && w.size() == 2) {
            const QChar sw = w[1].toLower();
            if (i + 1 < words.size() && (sw == u'l' || sw == u'o' || sw == u't')) {
                if (sw == u'l')
                    anchor = words[i + 1];
                ++i;
            }
            continue;
        }
        if (url.isEmpty())
            url = w;
    }
    if (url.isEmpty() && !anchor.isEmpty())
        return u'#' + anchor;
    if (!anchor.isEmpty())
        return url + u'#' + anchor;
    return url;
}

} // namespace kv::rtf
