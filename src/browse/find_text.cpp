#include "browse/find_text.h"

namespace kv {

namespace {
// Letters that carry no separable accent but that a reader types without one.
QString plainLetters(QChar ch)
{
    switch (ch.unicode()) {
    case 0x00DF: return QStringLiteral("ss"); // ß
    case 0x00E6: return QStringLiteral("ae"); // æ
    case 0x0153: return QStringLiteral("oe"); // œ
    case 0x00F8: return QStringLiteral("o");  // ø
    case 0x0142: return QStringLiteral("l");  // ł
    case 0x0111: return QStringLiteral("d");  // đ
    case 0x0131: return QStringLiteral("i");  // dotless i
    default: return QString(ch);
    }
}

bool isMark(QChar ch)
{
    const QChar::Category c = ch.category();
    return c == QChar::Mark_NonSpacing || c == QChar::Mark_SpacingCombining || c == QChar::Mark_Enclosing;
}

// The words of one chunk of the query, folded.
QStringList foldedWords(QStringView chunk)
{
    QStringList words;
    for (const WordSpan& w : wordsOf(chunk))
        words.append(foldWord(chunk.sliced(w.start, w.length)));
    return words;
}
} // namespace

bool isWordChar(QChar ch)
{
    return ch.isLetterOrNumber() || isMark(ch) || ch.isSurrogate();
}

bool nextWord(QStringView text, qsizetype& from, WordSpan& word)
{
    const qsizetype n = text.size();
    qsizetype i = from;
    while (i < n && !isWordChar(text[i]))
        ++i;
    const qsizetype start = i;
    while (i < n && isWordChar(text[i]))
        ++i;
    from = i;
    if (i == start)
        return false;
    word = {start, i - start};
    return true;
}

QList<WordSpan> wordsOf(QStringView text)
{
    QList<WordSpan> words;
    qsizetype i = 0;
    WordSpan w;
    while (nextWord(text, i, w))
        words.append(w);
    return words;
}

qsizetype wordLength(QStringView text, qsizetype start)
{
    qsizetype end = start;
    while (end < text.size() && isWordChar(text[end]))
        ++end;
    return end - start;
}

QString foldWord(QStringView word)
{
    bool ascii = true;
    for (QChar ch : word)
        ascii = ascii && ch.unicode() < 0x80;
    if (ascii)
        return word.toString().toLower();
    const QString decomposed = word.toString().toCaseFolded().normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar ch : decomposed) {
        if (!isMark(ch))
            folded += plainLetters(ch);
    }
    return folded;
}

FindQuery parseFindQuery(const QString& typed)
{
    FindQuery query;
    auto add = [&query](const QStringList& words) {
        if (!words.isEmpty())
            query.parts.append(words);
    };
    const QStringList quoted = typed.split(QLatin1Char('"'));
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        // Odd pieces lie between quotes (an unclosed quote runs to the end): one phrase each.
        if (i % 2 == 1) {
            add(foldedWords(quoted[i]));
            continue;
        }
        for (const QString& chunk : quoted[i].simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            add(foldedWords(chunk));
    }
    return query;
}

} // namespace kv
