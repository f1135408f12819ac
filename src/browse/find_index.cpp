#include "browse/find_index.h"

#include <algorithm>
#include <numeric>

namespace kv {

namespace {
constexpr qsizetype SnippetBefore = 40;
constexpr qsizetype SnippetLength = 150;
// A first line of more words than this is a paragraph, not a heading.
constexpr quint32 HeadingWords = 12;
// Words read between looks at the stop flag: a large document stops within a few milliseconds.
constexpr quint32 StopCheck = 1u << 16;

void appendEscaped(QString& out, QChar ch, bool html)
{
    if (html && ch == QLatin1Char('<'))
        out += QStringLiteral("&lt;");
    else if (html && ch == QLatin1Char('>'))
        out += QStringLiteral("&gt;");
    else if (html && ch == QLatin1Char('&'))
        out += QStringLiteral("&amp;");
    else
        out += ch;
}

// Paragraph and cell breaks, tabs and the document's object and frame marks read as one space.
bool isBlank(QChar ch)
{
    return ch.isSpace() || ch.unicode() == 0xFFFC || ch.unicode() == 0xFDD0 || ch.unicode() == 0xFDD1
        || ch.category() == QChar::Other_Control;
}

bool isLineBreak(QChar ch)
{
    return ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator;
}

bool isLatin1(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x100; });
}
} // namespace

quint32 FindIndex::number(const QString& folded)
{
    auto it = m_building.constFind(folded);
    if (it == m_building.constEnd()) {
        it = m_building.insert(folded, quint32(m_dictionary.size()));
        m_dictionary.push_back(folded);
        m_buildingPostings.emplace_back();
    }
    std::vector<quint32>& postings = m_buildingPostings[*it];
    const quint32 text = quint32(m_texts.size());
    if (postings.empty() || postings.back() != text)
        postings.push_back(text);
    return *it;
}

int FindIndex::add(const QString& text, const QString& title, const std::atomic_bool* stop)
{
    const int added = int(m_texts.size());
    Text t;
    const qsizetype n = text.size();
    qsizetype lineEnd = 0;
    while (lineEnd < n && !isLineBreak(text[lineEnd]))
        ++lineEnd;
    bool stopped = false;
    qsizetype i = 0;
    WordSpan w;
    while (nextWord(text, i, w)) {
        if (t.words.size() % Stride == 0)
            t.starts.push_back(quint32(w.start));
        t.words.push_back(number(foldWord(QStringView(text).sliced(w.start, w.length))));
        if (w.start < lineEnd)
            t.heading = quint32(t.words.size());
        if (stop && t.words.size() % StopCheck == 0 && *stop) {
            stopped = true;
            break;
        }
    }
    // A text of one line has no heading: it is all body.
    if (lineEnd == n || t.heading > HeadingWords)
        t.heading = 0;
    if (stopped) {
        for (quint32 w : t.words) {
            std::vector<quint32>& postings = m_buildingPostings[w];
            if (!postings.empty() && postings.back() == quint32(added))
                postings.pop_back();
        }
        return -1;
    }
    for (const WordSpan& tw : wordsOf(title))
        t.title.push_back(number(foldWord(QStringView(title).sliced(tw.start, tw.length))));
    if (isLatin1(text))
        t.narrow = text.toLatin1();
    else
        t.wide = text;
    t.words.shrink_to_fit();
    t.starts.shrink_to_fit();
    m_texts.push_back(std::move(t));
    return added;
}

void FindIndex::finish()
{
    // Number the words in dictionary order, so that the words sharing a prefix are neighbours.
    std::vector<quint32> order(m_dictionary.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [this](quint32 a, quint32 b) { return m_dictionary[a] < m_dictionary[b]; });
    std::vector<quint32> renumber(order.size());
    std::vector<QString> sorted(order.size());
    std::size_t total = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        renumber[order[i]] = quint32(i);
        sorted[i] = std::move(m_dictionary[order[i]]);
        total += m_buildingPostings[order[i]].size();
    }
    m_dictionary = std::move(sorted);
    for (Text& t : m_texts) {
        for (quint32& w : t.words)
            w = renumber[w];
        for (quint32& w : t.title)
            w = renumber[w];
    }
    m_postingStart.assign(1, 0);
    m_postingStart.reserve(order.size() + 1);
    m_postingTexts.clear();
    m_postingTexts.reserve(total);
    for (quint32 old : order) {
        const std::vector<quint32>& p = m_buildingPostings[old];
        m_postingTexts.insert(m_postingTexts.end(), p.begin(), p.end());
        m_postingStart.push_back(quint32(m_postingTexts.size()));
    }
    m_building = {};
    m_buildingPostings = {};
}

QString FindIndex::text(int number) const
{
    const Text& t = m_texts[std::size_t(number)];
    return t.wide.isNull() ? QString::fromLatin1(t.narrow) : t.wide;
}

quint32 FindIndex::wordStart(const Text& t, std::size_t word) const
{
    qsizetype i = t.starts[word / Stride];
    const qsizetype n = t.length();
    for (std::size_t k = word % Stride; k > 0; --k) {
        while (i < n && isWordChar(t.at(i)))
            ++i;
        while (i < n && !isWordChar(t.at(i)))
            ++i;
    }
    return quint32(i);
}

qsizetype FindIndex::wordEnd(const Text& t, qsizetype start) const
{
    const qsizetype n = t.length();
    while (start < n && isWordChar(t.at(start)))
        ++start;
    return start;
}

FindIndex::Range FindIndex::prefixRange(const QString& prefix) const
{
    const auto lo = std::lower_bound(m_dictionary.begin(), m_dictionary.end(), prefix);
    const auto hi = std::partition_point(lo, m_dictionary.end(),
                                         [&prefix](const QString& w) { return w.startsWith(prefix); });
    return {quint32(lo - m_dictionary.begin()), quint32(hi - m_dictionary.begin())};
}

FindIndex::Range FindIndex::exactRange(const QString& word) const
{
    const auto lo = std::lower_bound(m_dictionary.begin(), m_dictionary.end(), word);
    const quint32 at = quint32(lo - m_dictionary.begin());
    return {at, lo != m_dictionary.end() && *lo == word ? at + 1 : at};
}

QString FindIndex::snippet(const Hit& hit, bool html) const
{
    const Text& text = m_texts[std::size_t(hit.text)];
    const qsizetype size = text.length();
    // From a word start a little before the passage, to a word end a line's length on.
    qsizetype from = std::max<qsizetype>(0, hit.first.start - SnippetBefore);
    while (from > 0 && from < hit.first.start && isWordChar(text.at(from - 1)))
        ++from;
    qsizetype to = std::min(size, std::max(from + SnippetLength, hit.first.start + hit.first.length));
    while (to < size && to > hit.first.start + hit.first.length && isWordChar(text.at(to)))
        --to;

    QString out;
    if (from > 0)
        out += QStringLiteral("\u2026");
    bool lastBlank = true;
    bool bold = false;
    for (qsizetype i = from; i < to; ++i) {
        const bool marked = std::any_of(hit.marks.begin(), hit.marks.end(), [i](const WordSpan& m) {
            return i >= m.start && i < m.start + m.length;
        });
        if (html && marked != bold)
            out += marked ? QStringLiteral("<b>") : QStringLiteral("</b>");
        bold = marked;
        const QChar ch = text.at(i);
        if (isBlank(ch)) {
            if (!lastBlank)
                out += QLatin1Char(' ');
            lastBlank = true;
        } else {
            appendEscaped(out, ch, html);
            lastBlank = false;
        }
    }
    if (html && bold)
        out += QStringLiteral("</b>");
    if (to < size)
        out += QStringLiteral("\u2026");
    return out;
}

qsizetype FindIndex::bytes() const
{
    qsizetype total = qsizetype(sizeof(*this));
    for (const Text& t : m_texts) {
        total += qsizetype(sizeof(Text)) + t.narrow.capacity() + t.wide.capacity() * 2
            + qsizetype(t.words.capacity() + t.starts.capacity() + t.title.capacity()) * 4;
    }
    for (const QString& w : m_dictionary)
        total += qsizetype(sizeof(QString)) + w.capacity() * 2 + 16;
    total += qsizetype(m_postingStart.capacity() + m_postingTexts.capacity()) * 4;
    return total;
}

} // namespace kv
