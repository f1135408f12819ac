#pragma once

#include <QStringList>

namespace kv {
struct AppContext;
class FindIndexer;
} // namespace kv

struct TypingFigures
{
    double longestBlockMs = 0; // the longest the window thread went without running its events
    double longestWorkMs = 0;  // the most processor time the window thread spent in one such gap:
                               // the block less the time other programs had the processor
    double worstAnswerMs = 0;  // the last letter of a query to its count shown, worst query
};

// Types each query into a Find window a letter at a time, a letter every `gapMs`, each letter
// searched at once as a pause in typing would; the indexer must be ready.
TypingFigures typeIntoFindWindow(kv::AppContext& c, kv::FindIndexer& indexer, const QStringList& queries, int gapMs);
