#include "browse/find_index.h"

#include <algorithm>
#include <numeric>

namespace kv {

namespace {
constexpr int MaxMarks = 12;
constexpr qsizetype SnippetBefore = 40;
constexpr qsizetype SnippetLength = 150;
// Counts beyond these add nothing: a long text that says a word fifty times is no better.
constexpr int CountCap = 20;
constexpr int CloseBonus = 40;
constexpr int CloseWeight = 3;

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
} // namespace

int FindIndex::add(const QString& text)
{
    const int number = int(m_texts.size());
    Text t;
    t.text = text;
    const QList<WordSpan> words = wordsOf(text);
    t.words.reserve(std::size_t(words.size()));
    t.starts.reserve(std::size_t(words.size()));
    for (const WordSpan& w : words) {
        const QString folded = foldWord(QStringView(text).sliced(w.start, w.length));
        auto it = m_building.constFind(folded);
        if (it == m_building.constEnd()) {
            it = m_building.insert(folded, quint32(m_dictionary.size()));
            m_dictionary.push_back(folded);
            m_buildingPostings.emplace_back();
        }
        std::vector<quint32>& postings = m_buildingPostings[*it];
        if (postings.empty() || postings.back() != quint32(number))
            postings.push_back(quint32(number));
        t.words.push_back(*it);
        t.starts.push_back(quint32(w.start));
    }
    m_texts.push_back(std::move(t));
    return number;
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

QList<FindIndex::Hit> FindIndex::search(const FindQuery& query) const
{
    if (query.isEmpty() || m_postingStart.empty())
        return {};
    std::vector<Part> parts;
    for (const QStringList& words : query.parts) {
        Part part;
        for (qsizetype k = 0; k < words.size(); ++k) {
            const bool last = k == words.size() - 1;
            const Range r = last ? prefixRange(words[k]) : exactRange(words[k]);
            if (r.lo == r.hi)
                return {};
            part.words.push_back(r);
        }
        part.exactLast = exactRange(words.last());
        parts.push_back(std::move(part));
    }

    // Texts that hold every word somewhere; the order and adjacency are checked per text.
    std::vector<int> seenBy(m_texts.size(), -1);
    std::vector<int> found(m_texts.size(), 0);
    int wanted = 0;
    for (const Part& part : parts) {
        for (const Range& r : part.words) {
            for (quint32 w = r.lo; w < r.hi; ++w) {
                for (quint32 i = m_postingStart[w]; i < m_postingStart[w + 1]; ++i) {
                    const quint32 t = m_postingTexts[i];
                    if (seenBy[t] != wanted) {
                        seenBy[t] = wanted;
                        ++found[t];
                    }
                }
            }
            ++wanted;
        }
    }
    QList<Hit> hits;
    for (std::size_t t = 0; t < m_texts.size(); ++t) {
        if (found[t] == wanted)
            scoreText(int(t), parts, hits);
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.score > b.score; });
    return hits;
}

void FindIndex::scoreText(int number, const std::vector<Part>& parts, QList<Hit>& hits) const
{
    const Text& t = m_texts[std::size_t(number)];
    const std::size_t n = t.words.size();
    struct Match
    {
        std::size_t at;
        std::size_t part;
        std::size_t length;
    };
    std::vector<Match> matches;
    std::vector<int> count(parts.size(), 0);
    std::vector<int> exact(parts.size(), 0);
    for (std::size_t at = 0; at < n; ++at) {
        for (std::size_t j = 0; j < parts.size(); ++j) {
            const std::vector<Range>& words = parts[j].words;
            if (at + words.size() > n)
                continue;
            std::size_t k = 0;
            while (k < words.size() && words[k].contains(t.words[at + k]))
                ++k;
            if (k < words.size())
                continue;
            matches.push_back({at, j, words.size()});
            ++count[j];
            if (parts[j].exactLast.contains(t.words[at + k - 1]))
                ++exact[j];
        }
    }
    int score = 0;
    std::size_t needed = 0;
    for (std::size_t j = 0; j < parts.size(); ++j) {
        if (count[j] == 0)
            return; // a phrase whose words are there, but not in a row
        score += 4 * std::min(count[j], CountCap) + 2 * std::min(exact[j], CountCap);
        needed += parts[j].words.size();
    }
    if (parts.size() > 1) {
        // The narrowest stretch of words holding every part: the closer, the better.
        std::vector<int> inWindow(parts.size(), 0);
        std::size_t covered = 0;
        std::size_t left = 0;
        std::size_t narrowest = n + 1;
        for (const Match& m : matches) {
            if (inWindow[m.part]++ == 0)
                ++covered;
            while (covered == parts.size()) {
                narrowest = std::min(narrowest, m.at + m.length - matches[left].at);
                if (--inWindow[matches[left].part] == 0)
                    --covered;
                ++left;
            }
        }
        const std::size_t gap = narrowest > needed ? narrowest - needed : 0;
        // Worth as much as a dozen more mentions: "four door" wants "Four-Door" before a page
        // that says "four" and "door" a paragraph apart many times.
        score += CloseWeight * (CloseBonus - int(std::min<std::size_t>(gap, CloseBonus)));
    }

    Hit hit;
    hit.text = number;
    hit.score = score;
    for (const Match& m : matches) {
        if (hit.marks.size() == MaxMarks)
            break;
        const qsizetype start = t.starts[m.at];
        const qsizetype lastStart = t.starts[m.at + m.length - 1];
        hit.marks.append({start, lastStart + wordLength(t.text, lastStart) - start});
    }
    hit.first = hit.marks.first();
    hits.append(hit);
}

QString FindIndex::snippet(const Hit& hit, bool html) const
{
    const QString& text = m_texts[std::size_t(hit.text)].text;
    // From a word start a little before the match, to a word end a line's length on.
    qsizetype from = std::max<qsizetype>(0, hit.first.start - SnippetBefore);
    while (from > 0 && from < hit.first.start && isWordChar(text[from - 1]))
        ++from;
    qsizetype to = std::min(text.size(), std::max(from + SnippetLength, hit.first.start + hit.first.length));
    while (to < text.size() && to > hit.first.start + hit.first.length && isWordChar(text[to]))
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
        const QChar ch = text[i];
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
    if (to < text.size())
        out += QStringLiteral("\u2026");
    return out;
}

qsizetype FindIndex::bytes() const
{
    qsizetype total = qsizetype(sizeof(*this));
    for (const Text& t : m_texts) {
        total += qsizetype(sizeof(Text)) + t.text.capacity() * 2 + qsizetype(t.words.capacity() + t.starts.capacity()) * 4;
    }
    for (const QString& w : m_dictionary)
        total += qsizetype(sizeof(QString)) + w.capacity() * 2 + 16;
    total += qsizetype(m_postingStart.capacity() + m_postingTexts.capacity()) * 4;
    return total;
}

} // namespace kv
