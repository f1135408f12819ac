// One step, from the key press to the picture painted, with the main window's read-ahead and
// without it, on 1600 by 1200 photos and on the sample disc's own photos, beside the floor for
// any Qt program (a bare window of the same size swapping pictures scaled beforehand in a box of
// the same place and size, timed the same way) and decodes of the same files in the same run.
// Steps go forward three times round, then back three times round; the first step after each
// turn is left out, as no read-ahead can foresee it.
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "browse/topic_selection.h"
#include "app/picture_read_ahead.h"
#include "photos/photo_cursor.h"
#include "platform/image_loader.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {
// A photo-like picture: soft gradients and a few large shapes, as a camera would give; noise
// would make every decode slow alike and hide what scaling saves.
void writeLargePhoto(const QString& path, int seed)
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 1200);
    sky.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 140, 70));
    p.fillRect(image.rect(), sky);
    for (int i = 0; i < 12; ++i) {
        QRadialGradient blob(QPointF((seed * 131 + i * 257) % 1600, (seed * 71 + i * 173) % 1200), 120 + i * 20);
        blob.setColorAt(0, QColor::fromHsv((seed * 53 + i * 29) % 360, 160, 200));
        blob.setColorAt(1, Qt::transparent);
        p.setBrush(blob);
        p.setPen(Qt::NoPen);
        p.drawEllipse(blob.center(), blob.radius(), blob.radius() * 0.7);
    }
    p.end();
    QDir().mkpath(QFileInfo(path).path());
    image.save(path, "JPG", 90);
}

constexpr int KeyRepeatGap = 30; // ms between steps, as a held key gives

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(qMin(v.size() - 1, int(v.size() * p)));
}
double median(const QList<double>& v)
{
    return percentile(v, 0.5);
}

struct Figures
{
    double step = 0, p90 = 0, worst = 0, full = 0, native = 0, exact = 0;
    QSize photo, decoded;
};

// The least any Qt program does for a step: one key event, one repaint of a box that copies a
// picture made beforehand at its size, one flush.
class FloorWindow : public QWidget
{
public:
    FloorWindow(const QList<QImage>& pictures, const QRect& box, const QSize& size)
        : m_pictures(pictures)
    {
        resize(size);
        m_box = new Box(this);
        m_box->setGeometry(box);
        m_box->picture = m_pictures.value(0);
        setFocusPolicy(Qt::StrongFocus);
    }
    QWidget* box() const { return m_box; }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int n = int(m_pictures.size());
        m_index = (m_index + (event->key() == Qt::Key_Comma ? n - 1 : 1)) % n;
        m_box->picture = m_pictures.at(m_index);
        m_box->update();
    }

private:
    struct Box : QWidget
    {
        using QWidget::QWidget;
        QImage picture;
        void paintEvent(QPaintEvent*) override
        {
            QPainter p(this);
            p.fillRect(rect(), Qt::black);
            const QSize logical = picture.deviceIndependentSize().toSize();
            p.drawImage((width() - logical.width()) / 2, (height() - logical.height()) / 2, picture);
        }
    };
    QList<QImage> m_pictures;
    Box* m_box = nullptr;
    int m_index = 0;
};

// The floor: the same files, made display-ready beforehand, stepped the same way.
Figures floorSteps(const QStringList& files, const QRect& box, const QSize& window)
{
    QList<QImage> pictures;
    QSize boxPixels;
    {
        FloorWindow probe({QImage()}, box, window);
        boxPixels = box.size() * probe.devicePixelRatioF();
        for (const QString& file : files)
            pictures << kv::loadDisplayPicture(file, boxPixels, probe.devicePixelRatioF()).display;
    }
    FloorWindow w(pictures, box, window);
    w.show();
    Figures out;
    if (!QTest::qWaitForWindowExposed(&w))
        return out;
    QList<double> steps;
    for (int round = 0; round < 6; ++round) {
        const bool back = round >= 3;
        for (int i = 0; i < files.size(); ++i) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(&w, back ? Qt::Key_Comma : Qt::Key_Period);
            w.box()->repaint();
            if (round != 0 && !(round == 3 && i == 0))
                steps << t.nsecsElapsed() / 1e6;
            QTest::qWait(KeyRepeatGap);
        }
    }
    out.step = median(steps);
    out.p90 = percentile(steps, 0.9);
    out.worst = *std::max_element(steps.begin(), steps.end());
    return out;
}

// Steps through `files` (all of 1955) three times round each way.
Figures measure(const QString& disc, const QStringList& files, bool readAhead)
{
    kv::Fixture fx;
    Figures out;
    kv::Form1& f = fx.openMain(disc);
    if (!QTest::qWaitForWindowExposed(&f))
        return out;
    f.photoPictures->enabled = readAhead;
    kv::cmdYR_Click(*fx.c, 1);
    f.focusYearButton(2);
    const QSize box = f.Image4->size() * f.devicePixelRatioF();
    QList<double> steps, fulls, natives, exacts;
    for (int round = 0; round < 6; ++round) {
        const bool back = round >= 3;
        for (const QString& file : files) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(f.cmdYR[2], back ? Qt::Key_Comma : Qt::Key_Period);
            f.Image4->repaint();
            if (round != 0 && !(round == 3 && file == files.first()))
                steps << t.nsecsElapsed() / 1e6;
            f.focusYearButton(2);
            // A key repeat's gap, in which the window's own events and timers run.
            QTest::qWait(KeyRepeatGap);

            t.restart();
            QImageReader reader(file);
            const QImage full = reader.read();
            fulls << t.nsecsElapsed() / 1e6;
            t.restart();
            const QImage native = kv::loadImage(file, box);
            natives << t.nsecsElapsed() / 1e6;
            t.restart();
            QImageReader exact(file);
            exact.setScaledSize(full.size().scaled(box, Qt::KeepAspectRatio));
            const QImage boxed = exact.read();
            exacts << t.nsecsElapsed() / 1e6;
            if (boxed.isNull())
                return out;
            out.photo = full.size();
            out.decoded = native.size();
        }
    }
    out.step = median(steps);
    out.p90 = percentile(steps, 0.9);
    out.worst = *std::max_element(steps.begin(), steps.end());
    out.full = median(fulls);
    out.native = median(natives);
    out.exact = median(exacts);
    return out;
}

void report(const char* what, const QString& disc, const QStringList& files)
{
    QRect box;
    QSize window;
    {
        kv::Fixture fx;
        kv::Form1& f = fx.openMain(disc);
        box = QRect(f.Image4->mapTo(&f, QPoint(0, 0)), f.Image4->size());
        window = f.size();
    }
    const Figures with = measure(disc, files, true);
    const Figures without = measure(disc, files, false);
    const Figures floor = floorSteps(files, box, window);
    std::printf("%s: %dx%d photos, decoded at %dx%d for the photo box\n", what, with.photo.width(),
                with.photo.height(), with.decoded.width(), with.decoded.height());
    std::printf("  step with read-ahead, key to painted    %7.2f ms median, p90 %.2f, worst %.2f\n", with.step,
                with.p90, with.worst);
    std::printf("  step without read-ahead                 %7.2f ms median, p90 %.2f, worst %.2f\n", without.step,
                without.p90, without.worst);
    std::printf("  bare Qt window, same box, same pictures %7.2f ms median, p90 %.2f, worst %.2f\n", floor.step,
                floor.p90, floor.worst);
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("  step / bare window                      %7.2f median (goal 1.3), %.2f p90 (goal 2)\n",
                ratio(with.step, floor.step), ratio(with.p90, floor.p90));
    std::printf("  full decode, same files                 %7.2f ms median\n", with.full);
    std::printf("  decode at the box's native scale        %7.2f ms median\n", with.native);
    std::printf("  decode to exactly the box               %7.2f ms median\n", with.exact);
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    QTemporaryDir large;
    QStringList files;
    for (int i = 1; i <= 8; ++i) {
        files << large.path() + QStringLiteral("/Murvos/5500%1.JPG").arg(i);
        writeLargePhoto(files.last(), i);
    }
    report("1600x1200 photo-like", large.path(), files);

    // The sample disc beside the program, when it has been written.
    const QString disc = QStringLiteral(KV_SAMPLE_DISC);
    QStringList own;
    for (const QFileInfo& fi : QDir(disc + QStringLiteral("/Murvos")).entryInfoList({QStringLiteral("55*")}, QDir::Files))
        own << fi.filePath();
    if (!own.isEmpty())
        report("sample disc 1955", disc, own);
    return 0;
}
