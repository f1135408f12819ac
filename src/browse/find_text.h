#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace kv {

// Words as Find sees them: runs of letters and digits, compared without case or accents.

// A word's place in a text: [start, start + length).
struct WordSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

bool isWordChar(QChar ch);
// The next word at or after `from`; `from` moves past it. False when none is left.
bool nextWord(QStringView text, qsizetype& from, WordSpan& word);
// Every word of `text`, in order.
QList<WordSpan> wordsOf(QStringView text);
// The length of the word that starts at `start`.
qsizetype wordLength(QStringView text, qsizetype start);
// Lower case without accents: "Ĉafé" and "CAFE" both give "cafe".
QString foldWord(QStringView word);

// What the user typed: each part must occur. A part of one word matches any word starting with
// it; a part of several words (a quoted phrase, or words joined by a hyphen or an apostrophe)
// matches those words in a row, the last one as a prefix.
struct FindQuery
{
    QList<QStringList> parts; // folded words
    bool isEmpty() const { return parts.isEmpty(); }
};
FindQuery parseFindQuery(const QString& typed);

} // namespace kv
