#pragma once

#include "browse/find_text.h"

#include <QHash>
#include <QList>
#include <QString>

#include <vector>

namespace kv {

// An inverted index over a set of plain texts. Each text keeps its words as numbers into one
// sorted dictionary, so a prefix is a range of numbers and a phrase a run of them; the texts
// themselves stay for the snippets and for where a match lies.
class FindIndex
{
public:
    // Adds a text; texts are numbered 0, 1, ... in the order added.
    int add(const QString& text);
    // Sorts the dictionary; search only after this.
    void finish();

    int size() const { return int(m_texts.size()); }
    const QString& text(int number) const { return m_texts[std::size_t(number)].text; }

    struct Hit
    {
        int text = 0;
        int score = 0;
        WordSpan first;      // the first match, in characters of the text
        QList<WordSpan> marks; // the matches from the first on, a snippet's worth
    };
    // Texts holding every part of the query, best first (more and closer matches), then in the
    // order they were added.
    QList<Hit> search(const FindQuery& query) const;
    // One line around the first match; the matched words in <b> when `html`.
    QString snippet(const Hit& hit, bool html) const;

    // Bytes the index holds.
    qsizetype bytes() const;

private:
    struct Text
    {
        QString text;
        std::vector<quint32> words;  // dictionary number of each word, in order
        std::vector<quint32> starts; // where each word starts in `text`
    };
    struct Range
    {
        quint32 lo = 0;
        quint32 hi = 0; // past the end
        bool contains(quint32 word) const { return word >= lo && word < hi; }
    };
    // One part of a query: a range per word (the last one a prefix), and the last word's exact
    // range, which scores above a mere prefix.
    struct Part
    {
        std::vector<Range> words;
        Range exactLast;
    };
    Range prefixRange(const QString& prefix) const;
    Range exactRange(const QString& word) const;
    void scoreText(int number, const std::vector<Part>& parts, QList<Hit>& hits) const;

    std::vector<Text> m_texts;
    std::vector<QString> m_dictionary;
    QHash<QString, quint32> m_building;           // word -> number until finish()
    std::vector<std::vector<quint32>> m_buildingPostings;
    std::vector<quint32> m_postingStart;          // per word, into m_postingTexts
    std::vector<quint32> m_postingTexts;          // the texts holding each word, ascending
};

} // namespace kv
