// Measures RTF load-and-layout speed on a generated document with mixed formatting
// and a table, beside "unrtf --html" on the same file, and the time a 200 KB
// document takes to appear in the rich-text box, and hostile inputs against a time limit (the
// tests bound the same inputs by the work counted, which no machine's speed changes).
//
//   bench_rtf [MEGABYTES]     (default 2)

#include "platform/richtext/rich_text_box.h"
#include "platform/richtext/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const char *const kWords[] = {"chrome", "bumper", "V8", "engine", "two-tone", "paint", "hardtop", "convertible",
                              "wagon", "upholstery", "dashboard", "grille", "tail", "fin", "emblem", "script"};

// About `bytes` of RTF: a header with fonts and colours, paragraphs in several
// styles with accented, Cyrillic and Unicode text, and a long bordered table.
QByteArray generateRtf(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                     "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\fmodern\\fcharset204 Courier New Cyr;}}"
                     "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue160;\\red255\\green255\\blue0;}"
                     "{\\info{\\title Benchmark}{\\author Bench}}\\paperw12240\\paperh15840\n";
    const qsizetype tableStart = bytes * 2 / 3;
    unsigned n = 1;
    auto word = [&n] {
        n = n * 1103515245u + 12345u;
        return QByteArray(kWords[(n >> 16) % std::size(kWords)]);
    };
    int para = 0;
    while (rtf.size() < tableStart) {
        rtf += "\\pard\\sa120\\li" + QByteArray::number((para % 3) * 360) + (para % 5 == 0 ? "\\qc " : "\\qj ");
        for (int w = 0; w < 60; ++w) {
            switch (w % 12) {
            case 0: rtf += "{\\b " + word() + "} "; break;
            case 3: rtf += "{\\i\\cf1 " + word() + "} "; break;
            case 5: rtf += "{\\f1\\fs28\\ul " + word() + "} "; break;
            case 7: rtf += "caf\\'e9 "; break;
            case 8: rtf += "{\\f2 \\'cc\\'e0\\'f8\\'e8\\'ed\\'e0} "; break;
            case 9: rtf += "\\u8364? "; break;
            case 10: rtf += "{\\highlight3 " + word() + "}\\tab "; break;
            default: rtf += word() + " "; break;
            }
        }
        rtf += "\\par\n";
        ++para;
    }
    int row = 0;
    while (rtf.size() < bytes) {
        rtf += "\\trowd\\trgaph108\\clbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx2000\\clbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx5000"
               "\\clbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx8000\\pard\\intbl {\\b " + QByteArray::number(++row)
               + "}\\cell " + word() + " " + word() + "\\cell {\\i " + word() + "} \\'e9\\cell\\row\n";
    }
    return rtf + "\\pard The end.\\par}";
}

struct Timing {
    double readMs = 0;
    double totalMs = 0;
};

Timing loadAndLayout(const QByteArray &rtf)
{
    QElapsedTimer timer;
    timer.start();
    QTextDocument doc;
    kv::readRtf(rtf, &doc);
    const double read = timer.nsecsElapsed() / 1e6;
    doc.setPageSize(QSizeF(624, 864)); // 6.5 by 9 inches at 96 dpi
    (void)doc.pageCount();
    return {read, timer.nsecsElapsed() / 1e6};
}

double unrtfMs(const QString &path, bool *ok)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    *ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    return timer.nsecsElapsed() / 1e6;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Inputs built to make a reader that is not linear hang.
QList<std::pair<const char *, QByteArray>> hostileInputs()
{
    QByteArray rows = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i)
        rows += "\\trowd\\cellx900\\cellx1800\\cellx2700\\intbl a\\cell b\\cell c\\cell\\row ";
    return {
        {"200000 nested groups", "{\\rtf1 start" + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + "}"},
        {"a million open groups", "{\\rtf1 a" + QByteArray(1000000, '{')},
        {"100000 paragraphs", "{\\rtf1 " + QByteArray("p\\par ").repeated(100000) + "}"},
        {"100000 tab stops", "{\\rtf1 " + QByteArray("\\tx100").repeated(100000) + " ok\\par}"},
        {"20000 table rows", rows + "\\pard ok}"},
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double megabytes = argc > 1 ? QByteArray(argv[1]).toDouble() : 2.0;
    const int runs = 5;

    const QByteArray rtf = generateRtf(qsizetype(megabytes * 1024 * 1024));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.rtf"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(rtf);
    }
    const double mb = rtf.size() / (1024.0 * 1024.0);
    std::printf("document: %.2f MB generated RTF (paragraphs with mixed formatting, then a 3-column table)\n", mb);

    QList<double> ours;
    QList<double> reads;
    for (int i = 0; i < runs; ++i) {
        const Timing t = loadAndLayout(rtf);
        ours << t.totalMs;
        reads << t.readMs;
    }
    const double oursMs = median(ours);
    const double readMs = median(reads);
    std::printf("%-28s %9.1f ms  %7.2f MB/s  (median of %d)\n", "kv::readRtf + layout", oursMs, mb / (oursMs / 1000),
                runs);
    std::printf("%-28s %9.1f ms  %7.2f MB/s\n", "  of which reading", readMs, mb / (readMs / 1000));
    if (qEnvironmentVariableIsSet("KV_BENCH_KEEP")) {
        QFile::remove(qEnvironmentVariable("KV_BENCH_KEEP"));
        QFile::copy(path, qEnvironmentVariable("KV_BENCH_KEEP"));
    }

    if (QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty()) {
        std::printf("%-28s skipped: unrtf is not installed\n", "unrtf --html");
    } else {
        QList<double> theirs;
        bool ok = true;
        for (int i = 0; i < runs && ok; ++i)
            theirs << unrtfMs(path, &ok);
        if (ok) {
            const double theirsMs = median(theirs);
            std::printf("%-28s %9.1f ms  %7.2f MB/s  (median of %d)\n", "unrtf --html", theirsMs,
                        mb / (theirsMs / 1000), runs);
            std::printf("speed-up over unrtf: %.2fx\n", theirsMs / oursMs);
        } else {
            std::printf("%-28s failed to run\n", "unrtf --html");
        }
    }

    // The box: load a 200 KB document and paint its first screen.
    const QByteArray small = generateRtf(200 * 1024);
    kv::RichTextBox box;
    box.resize(640, 480);
    box.show();
    QApplication::processEvents();
    QList<double> shown;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        box.loadRtf(small);
        (void)box.grab(); // forces layout of what is visible and a paint
        shown << timer.nsecsElapsed() / 1e6;
    }
    const double shownMs = median(shown);
    std::printf("%-28s %9.1f ms  (goal under 100 ms: %s)\n", "200 KB shown in the box", shownMs,
                shownMs < 100 ? "met" : "MISSED");

    // A reader near this limit on any of them has a hang, whatever the machine.
    constexpr double HostileLimitMs = 5000;
    for (const auto &[name, input] : hostileInputs()) {
        QElapsedTimer timer;
        timer.start();
        QTextDocument doc;
        kv::readRtf(input, &doc);
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("%-28s %9.1f ms  (limit %.0f ms: %s)\n", name, ms, HostileLimitMs,
                    ms < HostileLimitMs ? "within" : "EXCEEDED");
    }
    return 0;
}
