#include "browse/find_index.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kv {

namespace {
// Shorter words have too many neighbours one letter away to guess from.
constexpr qsizetype ShortestGuessed = 4;
constexpr qsizetype TwoEditsFrom = 7;

// Letters inserted, deleted, replaced or swapped to turn `a` into `b`; more than `limit` when
// it exceeds it.
int editDistance(const QString& a, const QString& b, int limit)
{
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    if (std::abs(int(n - m)) > limit)
        return limit + 1;
    std::vector<int> before(std::size_t(m + 1));
    std::vector<int> previous(std::size_t(m + 1));
    std::vector<int> row(std::size_t(m + 1));
    for (qsizetype j = 0; j <= m; ++j)
        previous[std::size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        row[0] = int(i);
        int best = row[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const std::size_t J = std::size_t(j);
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int d = std::min({previous[J] + 1, row[J - 1] + 1, previous[J - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, before[J - 2] + 1);
            row[J] = d;
            best = std::min(best, d);
        }
        if (best > limit)
            return limit + 1;
        std::swap(before, previous);
        std::swap(previous, row);
    }
    return previous[std::size_t(m)];
}
} // namespace

QString FindIndex::suggestion(const QString& typed) const
{
    auto closest = [this](const QString& word) -> QString {
        const bool known = exactRange(word).lo != exactRange(word).hi;
        const bool digits = std::any_of(word.begin(), word.end(), [](QChar ch) { return ch.isDigit(); });
        if (known || digits || word.size() < ShortestGuessed)
            return {};
        const int limit = word.size() >= TwoEditsFrom ? 2 : 1;
        QString best;
        int bestDistance = limit + 1;
        quint32 bestTexts = 0;
        for (std::size_t i = 0; i < m_dictionary.size(); ++i) {
            const int d = editDistance(word, m_dictionary[i], std::min(limit, bestDistance));
            const quint32 texts = m_postingStart[i + 1] - m_postingStart[i];
            // The nearest, and of those the word most texts use.
            if (d < bestDistance || (d == bestDistance && d <= limit && texts > bestTexts)) {
                best = m_dictionary[i];
                bestDistance = d;
                bestTexts = texts;
            }
        }
        return bestDistance <= limit ? best : QString();
    };
    if (m_postingStart.empty())
        return {};
    QString out;
    bool changed = false;
    qsizetype last = 0;
    for (const WordSpan& w : wordsOf(typed)) {
        out += QStringView(typed).sliced(last, w.start - last);
        last = w.start + w.length;
        const QString guess = closest(foldWord(QStringView(typed).sliced(w.start, w.length)));
        changed = changed || !guess.isEmpty();
        out += guess.isEmpty() ? typed.mid(w.start, w.length) : guess;
    }
    out += QStringView(typed).sliced(last);
    return changed ? out : QString();
}

} // namespace kv
