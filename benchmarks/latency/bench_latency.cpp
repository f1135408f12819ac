// The first response of every action as the user sees it, measured from outside the program:
// a key press or click sent through XTEST to the moment the new pixels of the photo box reach
// the X server (DAMAGE). Beside it, under the same server and in the same run, a bare Qt window
// of the same size swaps pictures scaled beforehand in a box of the same place and size: the
// floor for any Qt program. Steps ("." and ",") and selections (a year button clicked), on the
// sample disc's photos and on 1600x1200 ones, on a quiet machine and with another process kept
// busy; then the first opening of Movies and of the slide show after start-up.
//
//     bench_latency [--set sample|large|both|none] [--load quiet|busy|both] [--no-opens] [--gap MS]
//                   [--program PATH] [--scale N]
//
// Without DISPLAY it starts an Xvfb of its own. --program measures another build of the title
// (one from before a change), with the sample disc beside it. --scale runs the title at that layout
// scale (its photo box that much larger) and the bare window with a box of the same size.
#include "floor_window.h"
#include "x_session.h"

#include "app/form1.h"
#include "app/main_window.h"
#include "app/widgets/picture_view.h"
#include "busy_photo.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {
// The main window's own size on any screen but one of exactly 800 by 600: the compact layout.
// At scale 1; the probe sets the size at the scale measured.
QSize WindowSize(800, 607);
constexpr std::uint32_t KeyPeriod = 0x2e;
constexpr std::uint32_t KeyComma = 0x2c;
constexpr int Timeout = 3000;

struct Options
{
    QStringList sets{QStringLiteral("sample"), QStringLiteral("large")};
    QStringList loads{QStringLiteral("quiet"), QStringLiteral("busy")};
    bool opens = true;
    int gap = 450; // ms between actions, as a user's
    QString program = QStringLiteral(KV_SAMPLE_DISC "/kelvardo");
    double scale = 1;
};

// Where the main window's controls lie, in window coordinates, as the window lays them out.
struct Layout
{
    QRect box;
    QPoint year[4];
    QPoint slideShow;
    QPoint movies;
};

Layout probeLayout(double scale)
{
    kv::Fixture fx;
    fx.t.screen->size = QSize(3840, 2160);
    fx.c->forcedScale = scale;
    kv::Form1& f = fx.openMain(QStringLiteral(KV_SAMPLE_DISC));
    kv::ApplyCompactLayout(*fx.c);
    QCoreApplication::processEvents();
    WindowSize = f.size();
    Layout l;
    l.box = QRect(f.Image4->mapTo(&f, QPoint(0, 0)), f.Image4->size());
    for (int i = 1; i <= 3; ++i)
        l.year[i] = f.cmdYR[i]->mapTo(&f, f.cmdYR[i]->rect().center());
    l.slideShow = f.ssCmdSlide->mapTo(&f, f.ssCmdSlide->rect().center());
    l.movies = f.menuBar()->mapTo(&f, f.menuBar()->actionGeometry(f.mnuMovies).center());
    return l;
}

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(qMin(v.size() - 1, int(v.size() * p)));
}

struct Series
{
    QList<double> ms;
    int missed = 0;
    void add(std::optional<double> t)
    {
        if (t)
            ms << *t;
        else
            ++missed;
    }
    double median() const { return percentile(ms, 0.5); }
    double p90() const { return percentile(ms, 0.9); }
};

// An X server for the run: the one in DISPLAY, or an Xvfb of our own.
class XServer
{
public:
    XServer()
    {
        m_name = qEnvironmentVariable("DISPLAY");
        if (!m_name.isEmpty())
            return;
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QString::number(fds[1]), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(WindowSize.width() * 2 + 80).arg(std::max(720, WindowSize.height() + 100)),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        ::close(fds[1]);
        char number[16] = {};
        const ssize_t n = m_xvfb.waitForStarted() ? ::read(fds[0], number, sizeof number - 1) : -1;
        ::close(fds[0]);
        if (n > 0)
            m_name = QLatin1Char(':') + QString::fromLatin1(number).trimmed();
    }
    ~XServer()
    {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(3000);
    }
    QString name() const { return m_name; }

private:
    QProcess m_xvfb;
    QString m_name;
};

// Another process keeping one core busy, as a compression would.
class Load
{
public:
    explicit Load(bool on)
    {
        if (on)
            m_spin.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--spin")});
    }
    ~Load()
    {
        m_spin.kill();
        m_spin.waitForFinished(3000);
    }

private:
    QProcess m_spin;
};

[[noreturn]] void spin()
{
    QByteArray data(4 << 20, Qt::Uninitialized);
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = char((i * 7919) >> 5);
    for (;;)
        qCompress(data, 6);
}

// A disc like the sample disc whose photos are all 1600x1200.
bool writeLargeDisc(const QString& root)
{
    const QDir sample(QStringLiteral(KV_SAMPLE_DISC));
    for (const QFileInfo& fi : sample.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (fi.fileName() != QLatin1String("Murvos") && !QFile::link(fi.filePath(), root + QLatin1Char('/') + fi.fileName()))
            return false;
    }
    QDir().mkpath(root + QStringLiteral("/Murvos"));
    int seed = 0;
    for (const QFileInfo& fi : QDir(sample.filePath(QStringLiteral("Murvos"))).entryInfoList(QDir::Files))
        writeBusyPhoto(root + QStringLiteral("/Murvos/") + fi.fileName(), 1600, 1200, ++seed);
    return true;
}

QProcessEnvironment childEnvironment(const QString& display, const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    return env;
}

// The title, started on `disc` in a home of its own with its window at the top left.
class Program
{
public:
    Program(const QString& path, const QString& display, const QStringList& discArguments)
    {
        const QString home = m_home.path();
        for (const char* sub : {"config", "data", "run"})
            QDir().mkpath(home + QLatin1Char('/') + QLatin1String(sub));
        QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile ini(home + QStringLiteral("/config/The Kel-Vardo Folivra.ini"));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write(QStringLiteral("[Settings]\nMainLeft=0\nMainTop=0\nMainWidth=%1\nMainHeight=%2\n")
                          .arg(WindowSize.width() * 15)
                          .arg(WindowSize.height() * 15)
                          .toUtf8());
        }
        ini.close();
        m_process.setProcessEnvironment(childEnvironment(display, home));
        m_process.setWorkingDirectory(QFileInfo(path).path());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(path, discArguments);
    }
    ~Program()
    {
        m_process.kill();
        m_process.waitForFinished(3000);
    }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

class Floor
{
public:
    Floor(const QString& display, const QRect& window, const QRect& box, const QStringList& files)
    {
        QStringList args{QStringLiteral("--floor")};
        for (int v : {window.x(), window.y(), window.width(), window.height(), box.x(), box.y(), box.width(),
                      box.height()})
            args << QString::number(v);
        m_process.setProcessEnvironment(childEnvironment(display, QDir::tempPath()));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(), args + files);
    }
    ~Floor()
    {
        m_process.kill();
        m_process.waitForFinished(3000);
    }

private:
    QProcess m_process;
};

void sleepMs(int ms)
{
    QThread::msleep(ms);
}

struct Figures
{
    Series steps, selections;
};

// Steps round the year's photos, forward half the time, then back; then year after year chosen.
Figures act(XSession& x, xcb_window_t window, const QRect& box, const QPoint (&years)[4], const Options& o)
{
    Figures f;
    const QPoint at = x.origin(window);
    x.focus(window);
    x.watch(window);
    sleepMs(o.gap);
    for (int i = 0; i < 36; ++i) {
        f.steps.add(x.keyToDamage(i < 18 ? KeyPeriod : KeyComma, box, Timeout));
        sleepMs(o.gap);
    }
    for (int i = 0; i < 6; ++i) {
        f.selections.add(x.clickToDamage(at + years[i % 3 + 1], box, Timeout));
        sleepMs(o.gap);
    }
    return f;
}

void print(const char* what, const Series& program, const Series& floor)
{
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("  %-10s program %6.2f ms, p90 %6.2f | floor %5.2f ms, p90 %5.2f | ratio %5.2f, p90 %5.2f", what,
                program.median(), program.p90(), floor.median(), floor.p90(), ratio(program.median(), floor.median()),
                ratio(program.p90(), floor.p90()));
    if (program.missed || floor.missed)
        std::printf("  (%d/%d without damage)", program.missed, floor.missed);
    std::printf("\n");
}

// A build from before scaling knows no --scale.
QStringList scaleArguments(const Options& o)
{
    return o.scale == 1 ? QStringList() : QStringList{QStringLiteral("--scale"), QString::number(o.scale)};
}

// Finds the photo box where the program really painted it: the probe's layout, moved by where a
// step's damage of the box's width lies.
Layout calibrate(XSession& x, xcb_window_t window, Layout l)
{
    x.focus(window);
    x.watch(window);
    x.key(KeyPeriod);
    const QList<QRect> rects = x.collect(600);
    QRect found;
    for (const QRect& r : rects) {
        if (r.width() == l.box.width())
            found = found.isNull() ? r : found.united(r);
    }
    if (found.size() != l.box.size()) {
        std::printf("  (photo box not found in the damage; the probe's layout is used)\n");
        return l;
    }
    const QPoint shift = found.topLeft() - l.box.topLeft();
    l.box.translate(shift);
    for (QPoint& p : l.year)
        p += shift;
    l.slideShow += shift;
    return l;
}

void measureSet(const QString& display, const QString& set, const Layout& probe, const Options& o)
{
    QTemporaryDir large;
    QStringList discArgs{QStringLiteral("HWI")};
    QString disc = QStringLiteral(KV_SAMPLE_DISC);
    if (set == QLatin1String("large")) {
        if (!writeLargeDisc(large.path()))
            return;
        disc = large.path();
        discArgs = {QStringLiteral("--disc"), disc};
    }
    QStringList files;
    for (const QFileInfo& fi : QDir(disc + QStringLiteral("/Murvos")).entryInfoList({QStringLiteral("55*")}, QDir::Files))
        files << fi.filePath();

    XSession x(display);
    if (!x.ok()) {
        std::printf("%s\n", qPrintable(x.error()));
        return;
    }
    Program program(o.program, display, discArgs + scaleArguments(o));
    const auto main = x.waitForWindow(WindowSize, 30000);
    if (!main) {
        std::printf("%s: the main window did not show\n", qPrintable(set));
        return;
    }
    // A user looks at the window a moment before the first choice.
    sleepMs(2000);
    x.focus(*main);
    x.click(x.origin(*main) + probe.year[1]);
    sleepMs(1000);
    const Layout l = calibrate(x, *main, probe);
    const QRect floorGeometry(QPoint(WindowSize.width() + 40, 0), WindowSize);
    Floor floor(display, floorGeometry, l.box, files);
    const auto bare = x.waitForWindow(WindowSize, 10000, *main);
    std::printf("%s photos, %d of 1955 stepped through\n", set == QLatin1String("large") ? "1600x1200" : "sample disc",
                int(files.size()));
    if (!bare) {
        std::printf("  the bare window did not show\n");
        return;
    }
    sleepMs(500);
    for (const QString& load : o.loads) {
        Load busy(load == QLatin1String("busy"));
        if (load == QLatin1String("busy"))
            sleepMs(300);
        const Figures p = act(x, *main, l.box, l.year, o);
        const Figures f = act(x, *bare, l.box, l.year, o);
        std::printf(" %s:\n", load == QLatin1String("busy") ? "another process busy" : "quiet");
        print("step", p.steps, f.steps);
        print("selection", p.selections, f.selections);
    }
}
// The first Movies and the first slide show after start-up, each in a program of its own, from the
// click to the new window painted.
void measureOpens(const QString& display, const Layout& probe, const Options& o)
{
    std::printf("first opens after start-up, click to the window painted:\n");
    for (const bool movies : {true, false}) {
        QList<double> times;
        for (int run = 0; run < 3; ++run) {
            XSession x(display);
            if (!x.ok())
                return;
            Program program(o.program, display, QStringList{QStringLiteral("HWI")} + scaleArguments(o));
            const auto main = x.waitForWindow(WindowSize, 30000);
            if (!main)
                return;
            sleepMs(3000);
            x.focus(*main);
            const QPoint at = x.origin(*main);
            std::optional<double> t;
            if (movies) {
                t = x.clickToNewWindow(at + probe.movies, QSize(200, 150), Timeout);
            } else {
                x.click(at + probe.year[1]);
                sleepMs(1000);
                const Layout l = calibrate(x, *main, probe);
                sleepMs(1000);
                t = x.clickToNewWindow(at + l.slideShow, QSize(200, 150), Timeout);
            }
            times << t.value_or(-1);
        }
        std::printf("  %-10s", movies ? "Movies" : "slide show");
        for (double t : times)
            std::printf(" %7.1f ms", t);
        std::printf("   (-1: no window within %d ms)\n", Timeout);
    }
}
} // namespace

int main(int argc, char* argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // figures as they come, even into a pipe
    const QString role = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (role == QLatin1String("--spin"))
        spin();
    if (role == QLatin1String("--floor")) {
        QApplication app(argc, argv);
        return runFloor(QApplication::arguments().mid(2));
    }
    Options o;
    for (int i = 1; i < argc; ++i) {
        const QString key = QString::fromLocal8Bit(argv[i]);
        if (key == QLatin1String("--no-opens")) {
            o.opens = false;
            continue;
        }
        const QString value = i + 1 < argc ? QString::fromLocal8Bit(argv[++i]) : QString();
        // "both" is the default's pair.
        const bool both = value == QLatin1String("both");
        if (key == QLatin1String("--set") && !value.isEmpty())
            o.sets = value == QLatin1String("none") ? QStringList() : both ? Options().sets : QStringList{value};
        else if (key == QLatin1String("--load") && !value.isEmpty())
            o.loads = both ? Options().loads : QStringList{value};
        else if (key == QLatin1String("--gap"))
            o.gap = value.toInt();
        else if (key == QLatin1String("--program"))
            o.program = QFileInfo(value).absoluteFilePath();
        else if (key == QLatin1String("--scale") && value.toDouble() >= 1)
            o.scale = value.toDouble();
        else {
            std::printf("usage: bench_latency [--set sample|large|both|none] [--load quiet|busy|both]\n"
                        "                     [--gap MS] [--program PATH] [--scale N] [--no-opens]\n");
            return key == QLatin1String("--help") ? 0 : 2;
        }
    }
    // The probe lays the window out off screen; the programs measured run on the X server.
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const Layout probe = probeLayout(o.scale);
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
    XServer server;
    if (server.name().isEmpty()) {
        std::printf("no X server: set DISPLAY or install Xvfb\n");
        return 1;
    }
    std::printf("%s on X server %s; %d ms between actions; medians and p90 of 36 steps and 6 selections\n",
                qPrintable(o.program), qPrintable(server.name()), o.gap);
    for (const QString& set : o.sets)
        measureSet(server.name(), set, probe, o);
    if (o.opens)
        measureOpens(server.name(), probe, o);
    return 0;
}
