#pragma once

#include "browse/find_text.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <atomic>
#include <vector>

namespace kv {

// An inverted index over a set of plain texts. Each text keeps its words as numbers into one
// sorted dictionary, so a prefix is a range of numbers and a phrase a run of them; the texts
// themselves stay, one byte a character where they allow it, for the snippets.
class FindIndex
{
public:
    // Adds a text with the title it is known by (may be empty); its first line, when short,
    // counts as a title too. Texts are numbered 0, 1, ... in the order added. Returns -1, adding
    // nothing, when `stop` was set while the text was read.
    int add(const QString& text, const QString& title = {}, const std::atomic_bool* stop = nullptr);
    // Sorts the dictionary; search only after this.
    void finish();

    int size() const { return int(m_texts.size()); }
    QString text(int number) const;

    struct Hit
    {
        int text = 0;
        int score = 0;
        WordSpan first;        // the passage to show: the closest span holding every word
        QList<WordSpan> marks; // the matches from that passage on, a snippet's worth
    };
    // Texts holding every part of the query, best first (in the title, exact, more and closer
    // matches), then in the order they were added. Empty when `stop` was set on the way.
    QList<Hit> search(const FindQuery& query, const std::atomic_bool* stop = nullptr) const;
    // The typed query with each word the index does not hold replaced by the closest one it
    // does (one or two letters apart); empty when there is none.
    QString suggestion(const QString& typed) const;
    // One line around the passage; the matched words in <b> when `html`.
    QString snippet(const Hit& hit, bool html) const;

    // Bytes the index holds.
    qsizetype bytes() const;

    // The start of every Stride-th word is kept; the others are found from there.
    static constexpr quint32 Stride = 32;

    struct Range
    {
        quint32 lo = 0;
        quint32 hi = 0; // past the end
        bool contains(quint32 word) const { return word >= lo && word < hi; }
    };

private:
    struct Text
    {
        QByteArray narrow; // the text, when every character is Latin-1
        QString wide;      // else
        std::vector<quint32> words;  // dictionary number of each word, in order
        std::vector<quint32> starts; // where every Stride-th word starts
        std::vector<quint32> title;  // the title's words
        quint32 heading = 0;         // words of the first line, when it reads as a heading

        qsizetype length() const { return wide.isNull() ? narrow.size() : wide.size(); }
        QChar at(qsizetype i) const { return wide.isNull() ? QChar(uchar(narrow[i])) : wide[i]; }
    };
    // One word of a query: the words it stands for, and those of them that count as exact.
    struct Slot
    {
        std::vector<Range> any;
        std::vector<Range> exact;
        bool contains(quint32 word) const;
        bool isExact(quint32 word) const;
    };
    using Way = std::vector<Slot>; // words in a row
    // One part of a query: the ways it may be written ("kelvardo", "kel vardo").
    struct Part
    {
        std::vector<Way> ways;
    };
    friend struct PartMatcher;
    struct Scratch; // buffers a search reuses from text to text

    Range prefixRange(const QString& prefix) const;
    Range exactRange(const QString& word) const;
    Slot slotFor(const QString& word, bool prefix) const;
    Part partFor(const QStringList& words) const;
    quint32 wordStart(const Text& t, std::size_t word) const;
    qsizetype wordEnd(const Text& t, qsizetype start) const;
    bool scoreText(int number, const std::vector<Part>& parts, Scratch& scratch, QList<Hit>& hits,
                   const std::atomic_bool* stop) const;
    quint32 number(const QString& folded);

    std::vector<Text> m_texts;
    std::vector<QString> m_dictionary;
    QHash<QString, quint32> m_building;           // word -> number until finish()
    std::vector<std::vector<quint32>> m_buildingPostings;
    std::vector<quint32> m_postingStart;          // per word, into m_postingTexts
    std::vector<quint32> m_postingTexts;          // the texts holding each word, ascending
};

} // namespace kv
