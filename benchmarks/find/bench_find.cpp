// Find in Documents on the sample disc, on a generated disc of 2,000 documents (the sample's
// documents, and photo captions cut from its texts with words of their own) and on a disc of
// one 50 MB document: the time to list the texts on the window thread, to read and index them,
// and from the start of the worker to the index being ready; the wait to cancel while a
// document is read; the index's memory; the time a query takes, typed letter by letter, with
// the snippets of the first rows the list shows; and, typing into a Find window, the longest
// the window thread is blocked (goal: under a 16 ms frame).
//
//   bench_find [DOCUMENTS [MEGABYTES]]     (default 2000 and 50)
//   FIND_SHOW='nomad|1956' bench_find      also lists the first results of these queries
#include "bench_find_discs.h"
#include "bench_find_typing.h"
#include "browse/find_indexer.h"
#include "browse/find_sources.h"
#include "common/proc_status.h"
#include "photos/photo_list.h"
#include "support/fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <malloc.h>

#include <algorithm>
#include <cstdio>

namespace {
// The rows a list of the Find window's size shows at once.
constexpr int VisibleRows = 8;
// A letter typed every so often, as a quick typist does.
constexpr int TypingGapMs = 60;

const QStringList Typed = {"chrome", "midnight onyx", "\"alpine white\"", "two-tone", "carburetor", "v8 engine",
                           "kel-vardo", "prairie gold", "hardtop", "stamp", "brochure", "turquoise convertible",
                           "zzzz", "power pack", "1956", "Coupé", "dashboard clock", "\"body tag\"", "murvo",
                           "sunburst", "the", "a"};
const QStringList TypedInLarge = {"the", "a", "chassis", "the body", "\"of a collector\"", "zzzz", "carburetor"};

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(std::min<qsizetype>(v.size() - 1, qsizetype(p * v.size())));
}

// Resident memory, after handing freed memory back, so that what is held is what counts.
long residentKb()
{
    malloc_trim(0);
    return procStatusKb("VmRSS:");
}

// The number of texts indexed.
int measure(const char* what, const QString& disc, const QStringList& typed, int cancelAfterMs)
{
    kv::Fixture fx;
    kv::AppContext& c = *fx.c;
    c.state.CdDrive = disc;
    c.state.PhotoDir = disc;
    kv::BuildPhotoList(c);

    QElapsedTimer t;
    t.start();
    std::vector<kv::FindSource> sources = kv::findSources(c);
    const double listMs = t.nsecsElapsed() / 1e6;

    const long rssBefore = residentKb();
    t.restart();
    std::atomic_bool cancel = false;
    std::unique_ptr<kv::FindLibrary> library = kv::buildFindLibrary(sources, cancel);
    const double buildMs = t.nsecsElapsed() / 1e6;
    const long rssAfter = residentKb();
    const long peak = procStatusKb("VmHWM:");

    // Closing the program while the worker reads: the wait for it to stop.
    double cancelMs = 0;
    {
        auto* early = new kv::FindIndexer;
        early->start(sources);
        QThread::msleep(cancelAfterMs);
        t.restart();
        delete early;
        cancelMs = t.nsecsElapsed() / 1e6;
    }

    QList<double> times;
    int results = 0;
    for (const QString& query : typed) {
        for (qsizetype n = 1; n <= query.size(); ++n) {
            t.restart();
            const QList<kv::FindIndex::Hit> hits = library->index.search(kv::parseFindQuery(query.left(n)));
            for (int row = 0; row < VisibleRows && row < hits.size(); ++row)
                library->index.snippet(hits.at(row), true);
            times << t.nsecsElapsed() / 1e6;
            if (n == query.size())
                results += int(hits.size());
        }
    }
    if (qEnvironmentVariableIsSet("FIND_SHOW")) {
        for (const QString& q : qEnvironmentVariable("FIND_SHOW").split(QLatin1Char('|'))) {
            const QList<kv::FindIndex::Hit> hits = library->index.search(kv::parseFindQuery(q));
            std::printf("%s -> %lld hits; %s\n", qPrintable(q), (long long)hits.size(), qPrintable(library->index.suggestion(q)));
            for (int i = 0; i < 5 && i < hits.size(); ++i)
                std::printf("   %d %s: %s\n", hits[i].score, qPrintable(library->sources[hits[i].text].label),
                            qPrintable(library->index.snippet(hits[i], false).left(110)));
        }
    }
    const qsizetype indexBytes = library->index.bytes();
    const std::size_t indexed = library->sources.size();
    library.reset();

    // As the program does it: on the worker, until the window thread hears it is ready; then
    // typed into the window.
    kv::FindIndexer indexer;
    QSignalSpy ready(&indexer, &kv::FindIndexer::ready);
    t.restart();
    indexer.start(sources);
    ready.wait(120000);
    const double workerMs = t.nsecsElapsed() / 1e6;
    const TypingFigures typing = typeIntoFindWindow(c, indexer, typed, TypingGapMs);

    std::printf("%s: %zu texts listed, %zu indexed, %d results for the %lld full queries\n", what, sources.size(),
                indexed, results, static_cast<long long>(typed.size()));
    std::printf("  list the texts (window thread)   %8.1f ms\n", listMs);
    std::printf("  read and index                   %8.1f ms\n", buildMs);
    std::printf("  worker start to index ready      %8.1f ms\n", workerMs);
    std::printf("  cancelled %4d ms into reading    %8.1f ms to stop\n", cancelAfterMs, cancelMs);
    std::printf("  index memory                     %8.1f MB (resident growth held %.1f MB, process peak %.1f MB)\n",
                indexBytes / 1048576.0, (rssAfter - rssBefore) / 1024.0, peak / 1024.0);
    std::printf("  query, %lld typed prefixes          %8.2f ms median, %.2f p95, %.2f worst (goal 20 ms p95)\n",
                static_cast<long long>(times.size()), percentile(times, 0.5), percentile(times, 0.95),
                percentile(times, 1.0));
    std::printf("  typed into the window            %8.1f ms longest block (goal 16 ms), %.1f ms of it the thread's own work\n",
                typing.longestBlockMs, typing.longestWorkMs);
    std::printf("  last letter to count shown       %8.1f ms worst query\n", typing.worstAnswerMs);
    return int(indexed);
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int documents = argc > 1 ? std::max(200, atoi(argv[1])) : 2000;
    const int megabytes = argc > 2 ? std::max(1, atoi(argv[2])) : 50;

    const int sampleTexts = measure("sample disc", QStringLiteral(KV_SAMPLE_DISC), Typed, 20);
    {
        QTemporaryDir dir;
        writeGeneratedDisc(dir.path(), documents, sampleTexts);
        measure(qPrintable(QStringLiteral("generated disc of %1 documents").arg(documents)), dir.path(), Typed, 20);
    }
    QTemporaryDir dir;
    writeLargeDocumentDisc(dir.path(), megabytes);
    measure(qPrintable(QStringLiteral("disc of one %1 MB document").arg(megabytes)), dir.path(), TypedInLarge, 500);
    return 0;
}
