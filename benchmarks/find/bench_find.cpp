// Find in Documents on the sample disc and on a generated disc of 2,000 documents (the sample's
// documents, and photo captions cut from its texts with words of their own): the time to list
// the texts on the window thread, to read and index them, and from the start of the worker to
// the index being ready; the index's memory; and the time a query takes, typed letter by letter,
// with the snippets of the first rows the list shows.
//
//   bench_find [DOCUMENTS]     (default 2000)
#include "browse/find_indexer.h"
#include "browse/find_sources.h"
#include "common/proc_status.h"
#include "photos/photo_list.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {
// The rows a list of the Find window's size shows at once.
constexpr int VisibleRows = 8;

const QStringList Typed = {"chrome", "midnight onyx", "\"alpine white\"", "two-tone", "carburetor", "v8 engine",
                           "kel-vardo", "prairie gold", "hardtop", "stamp", "brochure", "turquoise convertible",
                           "zzzz", "power pack", "1956", "Coupé", "dashboard clock", "\"body tag\"", "murvo",
                           "sunburst"};

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(std::min<qsizetype>(v.size() - 1, qsizetype(p * v.size())));
}

// A made-up word, the same for the same number.
QByteArray wordFor(unsigned n)
{
    static const char* const syllables[] = {"ka", "lo", "vin", "dra", "mo", "tes", "ri", "bun", "el", "sar", "quo", "fen"};
    QByteArray w;
    for (int i = 0; i < 3; ++i, n /= 12)
        w += syllables[n % 12];
    return w;
}

// The sample disc's texts and photo names, then photos and captions of their own until the
// disc holds `documents` texts in all; the sample alone gives `sampleTexts`.
void writeGeneratedDisc(const QString& root, int documents, int sampleTexts)
{
    const QString sample = QStringLiteral(KV_SAMPLE_DISC);
    QDir().mkpath(root + QStringLiteral("/richtext"));
    QDir().mkpath(root + QStringLiteral("/Murvos"));
    QList<QByteArray> texts;
    for (const QFileInfo& f : QDir(sample + QStringLiteral("/richtext")).entryInfoList({QStringLiteral("*.rtf")})) {
        QFile in(f.filePath());
        in.open(QIODevice::ReadOnly);
        texts << in.readAll();
        QFile::copy(f.filePath(), root + QStringLiteral("/richtext/") + f.fileName());
    }
    for (const QString& name : QDir(sample + QStringLiteral("/Murvos")).entryList({QStringLiteral("*.jpg")}))
        QFile(root + QStringLiteral("/Murvos/") + name).open(QIODevice::WriteOnly);
    const int photos = documents - sampleTexts;
    unsigned seed = 1;
    for (int i = 0; i < photos; ++i) {
        const QString name = QStringLiteral("%1%2").arg(55 + i % 3).arg(100 + i / 3, 3, 10, QLatin1Char('0'));
        QFile(root + QStringLiteral("/Murvos/") + name + QStringLiteral(".jpg")).open(QIODevice::WriteOnly);
        QByteArray own = "\\pard ";
        for (int w = 0; w < 30; ++w) {
            seed = seed * 1103515245u + 12345u;
            own += wordFor(seed >> 8) + ' ';
        }
        QByteArray rtf = texts.at(i % texts.size());
        rtf.insert(rtf.lastIndexOf('}'), own + "\\par ");
        QFile out(root + QStringLiteral("/richtext/") + name + QStringLiteral(".rtf"));
        out.open(QIODevice::WriteOnly);
        out.write(rtf);
    }
}

// The number of texts indexed.
int measure(const char* what, const QString& disc)
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

    const long rssBefore = procStatusKb("VmRSS:");
    t.restart();
    std::atomic_bool cancel = false;
    std::unique_ptr<kv::FindLibrary> library = kv::buildFindLibrary(sources, cancel);
    const double buildMs = t.nsecsElapsed() / 1e6;
    const long rssAfter = procStatusKb("VmRSS:");

    // As the program does it: on the worker, until the window thread hears it is ready.
    kv::FindIndexer indexer;
    QSignalSpy ready(&indexer, &kv::FindIndexer::ready);
    t.restart();
    indexer.start(sources);
    ready.wait(60000);
    const double workerMs = t.nsecsElapsed() / 1e6;

    // Closing the program while the worker reads: the wait for it to stop.
    double cancelMs = 0;
    {
        auto* early = new kv::FindIndexer;
        early->start(sources);
        QThread::msleep(20);
        t.restart();
        delete early;
        cancelMs = t.nsecsElapsed() / 1e6;
    }

    QList<double> times;
    int results = 0;
    for (const QString& query : Typed) {
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

    std::printf("%s: %zu texts listed, %zu indexed, %d results for the %lld full queries\n", what, sources.size(),
                library->sources.size(), results, static_cast<long long>(Typed.size()));
    std::printf("  list the texts (window thread)   %8.1f ms\n", listMs);
    std::printf("  read and index                   %8.1f ms\n", buildMs);
    std::printf("  worker start to index ready      %8.1f ms\n", workerMs);
    std::printf("  cancelled while reading, stopped %8.1f ms\n", cancelMs);
    std::printf("  index memory                     %8.1f MB (resident growth while building %.1f MB)\n",
                library->index.bytes() / 1048576.0, (rssAfter - rssBefore) / 1024.0);
    std::printf("  query, %lld typed prefixes          %8.2f ms median, %.2f p95, %.2f worst (goal 20 ms p95)\n",
                static_cast<long long>(times.size()), percentile(times, 0.5), percentile(times, 0.95),
                percentile(times, 1.0));
    return int(library->sources.size());
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int documents = argc > 1 ? std::max(200, atoi(argv[1])) : 2000;

    const int sampleTexts = measure("sample disc", QStringLiteral(KV_SAMPLE_DISC));
    QTemporaryDir dir;
    writeGeneratedDisc(dir.path(), documents, sampleTexts);
    measure(qPrintable(QStringLiteral("generated disc of %1 documents").arg(documents)), dir.path());
    return 0;
}
