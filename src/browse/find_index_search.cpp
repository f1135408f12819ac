#include "browse/find_index.h"

#include <algorithm>

namespace kv {

namespace {
constexpr int MaxMarks = 12;
// Counts beyond these add nothing: a long text that says a word fifty times is no better.
constexpr int CountCap = 20;
constexpr int CloseBonus = 40;
constexpr int CloseWeight = 3;
// A word in the title outweighs any number of mentions in the body, an exact word a mere prefix;
// a title that is all query words comes before one that names them among others.
constexpr int TitleExact = 400;
constexpr int TitlePrefix = 250;
constexpr int TitleNames = 200;
constexpr int BodyExact = 100;
// A passage longer than this is not selected whole: its first word is.
constexpr qsizetype LongestPassage = 160;
constexpr std::size_t StopCheck = 1u << 16;
// Shorter words are not split into two ("nomad" is no "no mad").
constexpr qsizetype SplitPiece = 3;

const char* const NumberWords[] = {"zero", "one", "two",   "three", "four",   "five",  "six",
                                   "seven", "eight", "nine", "ten", "eleven", "twelve"};

// "4" for "four" and "four" for "4": texts write small numbers both ways.
QString otherNumberForm(const QString& word)
{
    bool digits = false;
    const int value = word.toInt(&digits);
    if (digits && value >= 0 && value <= 12 && word.size() <= 2)
        return QString::fromLatin1(NumberWords[value]);
    for (int i = 0; i <= 12; ++i) {
        if (word == QLatin1String(NumberWords[i]))
            return QString::number(i);
    }
    return {};
}

bool stopped(const std::atomic_bool* stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}
} // namespace

bool FindIndex::Slot::contains(quint32 word) const
{
    if (any.size() == 1)
        return any.front().contains(word);
    return std::any_of(any.begin(), any.end(), [word](const Range& r) { return r.contains(word); });
}

bool FindIndex::Slot::isExact(quint32 word) const
{
    return std::any_of(exact.begin(), exact.end(), [word](const Range& r) { return r.contains(word); });
}

FindIndex::Slot FindIndex::slotFor(const QString& word, bool prefix) const
{
    Slot slot;
    auto add = [this, &slot](const QString& w, bool asPrefix) {
        const Range exact = exactRange(w);
        if (exact.lo != exact.hi)
            slot.exact.push_back(exact);
        const Range any = asPrefix ? prefixRange(w) : exact;
        if (any.lo != any.hi)
            slot.any.push_back(any);
    };
    add(word, prefix);
    // A plural is the same word to a reader: "stamp" finds "stamps" as exactly as "stamp".
    for (const QString& plural : {word + QLatin1Char('s'), word + QStringLiteral("es")}) {
        const Range exact = exactRange(plural);
        if (exact.lo != exact.hi) {
            slot.exact.push_back(exact);
            if (!prefix)
                slot.any.push_back(exact);
        }
    }
    const QString number = otherNumberForm(word);
    if (!number.isEmpty())
        add(number, false);
    return slot;
}

FindIndex::Part FindIndex::partFor(const QStringList& words) const
{
    Part part;
    Way written;
    for (qsizetype k = 0; k < words.size(); ++k)
        written.push_back(slotFor(words[k], k == words.size() - 1));
    part.ways.push_back(std::move(written));
    // Words joined by a hyphen or a space are one word to a reader, and one word may be two:
    // "kelvardo", "kel-vardo" and "kel vardo" all find each other.
    if (words.size() > 1) {
        part.ways.push_back({slotFor(words.join(QString()), true)});
    } else {
        const QString& word = words.first();
        for (qsizetype cut = SplitPiece; cut + SplitPiece <= word.size(); ++cut) {
            // The second word, typed last, may still be a beginning: "kelvar" finds "Kel-Vardo".
            const Range head = exactRange(word.left(cut));
            const Range tail = prefixRange(word.mid(cut));
            if (head.lo != head.hi && tail.lo != tail.hi)
                part.ways.push_back({slotFor(word.left(cut), false), slotFor(word.mid(cut), true)});
        }
    }
    // A way with a word the index does not hold can never match.
    std::erase_if(part.ways, [](const Way& way) {
        return std::any_of(way.begin(), way.end(), [](const Slot& s) { return s.any.empty(); });
    });
    return part;
}

struct FindIndex::Scratch
{
    struct Match
    {
        std::size_t at;
        std::size_t part;
        std::size_t length;
    };
    std::vector<Match> matches;
    std::vector<int> count;
    std::vector<int> exact;
    std::vector<int> inHeading; // 0 none, 1 a prefix, 2 an exact word
    std::vector<int> inTitle;
    std::vector<int> inWindow;

    void reset(std::size_t parts)
    {
        matches.clear();
        for (std::vector<int>* v : {&count, &exact, &inHeading, &inTitle, &inWindow})
            v->assign(parts, 0);
    }
};

// Where a part matches at a word: the number of words it spans (0 for none), and whether the
// last of them is an exact word.
struct PartMatcher
{
    static std::size_t match(const FindIndex::Part& part, const std::vector<quint32>& words, std::size_t at,
                             bool* exact)
    {
        for (const FindIndex::Way& way : part.ways) {
            if (at + way.size() > words.size())
                continue;
            std::size_t k = 0;
            while (k < way.size() && way[k].contains(words[at + k]))
                ++k;
            if (k == way.size()) {
                *exact = way.back().isExact(words[at + k - 1]);
                return k;
            }
        }
        return 0;
    }
};

QList<FindIndex::Hit> FindIndex::search(const FindQuery& query, const std::atomic_bool* stop) const
{
    if (query.isEmpty() || m_postingStart.empty())
        return {};
    std::vector<Part> parts;
    for (const QStringList& words : query.parts) {
        parts.push_back(partFor(words));
        if (parts.back().ways.empty())
            return {};
    }

    // Texts where every part may be: some way of writing it has all its words there; the order
    // and adjacency are checked per text.
    const std::size_t texts = m_texts.size();
    std::vector<quint32> partsThere(texts, 0);
    std::vector<quint32> seenBy(texts, 0);
    std::vector<quint32> wayOf(texts, 0);
    std::vector<quint32> slotsThere(texts, 0);
    std::vector<char> partThere(texts, 0);
    quint32 slotStamp = 0;
    quint32 wayStamp = 0;
    for (const Part& part : parts) {
        std::fill(partThere.begin(), partThere.end(), 0);
        for (const Way& way : part.ways) {
            ++wayStamp;
            for (std::size_t k = 0; k < way.size(); ++k) {
                ++slotStamp;
                for (const Range& r : way[k].any) {
                    for (quint32 w = r.lo; w < r.hi; ++w) {
                        for (quint32 i = m_postingStart[w]; i < m_postingStart[w + 1]; ++i) {
                            const quint32 t = m_postingTexts[i];
                            if (seenBy[t] == slotStamp)
                                continue;
                            seenBy[t] = slotStamp;
                            if (wayOf[t] != wayStamp) {
                                wayOf[t] = wayStamp;
                                slotsThere[t] = 0;
                            }
                            if (slotsThere[t] == k)
                                ++slotsThere[t];
                        }
                    }
                }
            }
            for (std::size_t t = 0; t < texts; ++t) {
                if (wayOf[t] == wayStamp && slotsThere[t] == way.size())
                    partThere[t] = 1;
            }
        }
        for (std::size_t t = 0; t < texts; ++t)
            partsThere[t] += quint32(partThere[t]);
    }
    QList<Hit> hits;
    Scratch scratch;
    for (std::size_t t = 0; t < texts; ++t) {
        if (partsThere[t] == parts.size() && !scoreText(int(t), parts, scratch, hits, stop))
            return {};
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.score > b.score; });
    return hits;
}

bool FindIndex::scoreText(int number, const std::vector<Part>& parts, Scratch& scratch, QList<Hit>& hits,
                          const std::atomic_bool* stop) const
{
    using Match = Scratch::Match;
    const Text& t = m_texts[std::size_t(number)];
    const std::size_t n = t.words.size();
    const std::size_t partCount = parts.size();
    scratch.reset(partCount);
    std::vector<Match>& matches = scratch.matches;
    std::vector<int>& count = scratch.count;
    std::vector<int>& exact = scratch.exact;
    std::vector<int>& inHeading = scratch.inHeading;
    std::vector<int>& inTitle = scratch.inTitle;
    std::size_t headingCovered = 0;
    std::size_t titleCovered = 0;
    for (std::size_t at = 0; at < n; ++at) {
        if (at % StopCheck == StopCheck - 1 && stopped(stop))
            return false;
        for (std::size_t j = 0; j < partCount; ++j) {
            bool isExact = false;
            const std::size_t length = PartMatcher::match(parts[j], t.words, at, &isExact);
            if (length == 0)
                continue;
            matches.push_back({at, j, length});
            ++count[j];
            exact[j] += isExact;
            if (at + length <= t.heading) {
                inHeading[j] = std::max(inHeading[j], isExact ? 2 : 1);
                headingCovered += length;
            }
        }
    }
    for (std::size_t at = 0; at < t.title.size(); ++at) {
        for (std::size_t j = 0; j < partCount; ++j) {
            bool isExact = false;
            const std::size_t length = PartMatcher::match(parts[j], t.title, at, &isExact);
            if (length > 0) {
                inTitle[j] = std::max(inTitle[j], isExact ? 2 : 1);
                titleCovered += length;
            }
        }
    }

    int score = 0;
    std::size_t present = 0;
    bool allInHeading = true;
    bool allInTitle = true;
    for (std::size_t j = 0; j < partCount; ++j) {
        if (count[j] == 0 && inTitle[j] == 0)
            return true; // a phrase whose words are there, but not in a row
        present += count[j] > 0;
        const int title = std::max(inTitle[j], inHeading[j]);
        score += title == 2 ? TitleExact : title == 1 ? TitlePrefix : 0;
        if (exact[j] > 0)
            score += BodyExact + 2 * std::min(exact[j], CountCap);
        score += 4 * std::min(count[j], CountCap);
        allInHeading = allInHeading && inHeading[j] > 0;
        allInTitle = allInTitle && inTitle[j] > 0;
    }
    // The share of the title the query names: "Nomads" before "1957 Nomad, 1:24".
    double names = 0;
    if (allInTitle)
        names = std::min(1.0, double(titleCovered) / double(t.title.size()));
    if (allInHeading)
        names = std::max(names, std::min(1.0, double(headingCovered) / double(t.heading)));
    score += int(TitleNames * names);

    // The narrowest stretch of words holding every part the body holds: the passage to show,
    // and the closer, the better.
    std::size_t bestLeft = 0;
    std::size_t bestRight = 0;
    if (present > 0) {
        std::vector<int>& inWindow = scratch.inWindow;
        std::size_t covered = 0;
        std::size_t left = 0;
        std::size_t narrowest = n + 1;
        for (std::size_t right = 0; right < matches.size(); ++right) {
            if (inWindow[matches[right].part]++ == 0)
                ++covered;
            while (covered == present) {
                const std::size_t width = matches[right].at + matches[right].length - matches[left].at;
                if (width < narrowest) {
                    narrowest = width;
                    bestLeft = left;
                    bestRight = right;
                }
                if (--inWindow[matches[left].part] == 0)
                    --covered;
                ++left;
            }
        }
        if (partCount > 1 && present == partCount) {
            std::size_t needed = 0;
            for (const Part& part : parts)
                needed += part.ways.front().size();
            const std::size_t gap = narrowest > needed ? narrowest - needed : 0;
            // Worth as much as a dozen more mentions: "four door" wants "Four-Door" before a page
            // that says "four" and "door" a paragraph apart many times.
            score += CloseWeight * (CloseBonus - int(std::min<std::size_t>(gap, CloseBonus)));
        }
    }

    Hit hit;
    hit.text = number;
    hit.score = score;
    auto spanOf = [this, &t](const Match& m) {
        const qsizetype start = wordStart(t, m.at);
        const qsizetype last = m.length == 1 ? start : wordStart(t, m.at + m.length - 1);
        return WordSpan{start, wordEnd(t, last) - start};
    };
    for (std::size_t i = bestLeft; i < matches.size() && hit.marks.size() < MaxMarks; ++i)
        hit.marks.append(spanOf(matches[i]));
    if (!matches.empty()) {
        const WordSpan left = spanOf(matches[bestLeft]);
        const WordSpan right = spanOf(matches[bestRight]);
        const qsizetype end = std::max(left.start + left.length, right.start + right.length);
        hit.first = end - left.start <= LongestPassage ? WordSpan{left.start, end - left.start} : left;
    }
    hits.append(hit);
    return true;
}

} // namespace kv
