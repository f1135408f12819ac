// One step, from the key press to the picture painted, with the main window's read-ahead and
// without it, on 1600 by 1200 photos and on the sample disc's own photos, beside decodes of the
// same files in the same run: the full decode and the decode at the size the main window asks
// for (the decoder's own 1/2, 1/4, 1/8). Steps go forward three times round, then back three
// times round; the first step after each turn is left out, as no read-ahead can foresee it.
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "browse/topic_selection.h"
#include "photos/photo_read_ahead.h"
#include "platform/image_loader.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
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

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

struct Figures
{
    double step = 0, worst = 0, full = 0, native = 0, exact = 0;
    QSize photo, decoded;
};

// Steps through `files` (all of 1955) three times round each way.
Figures measure(const QString& disc, const QStringList& files, bool readAhead)
{
    kv::Fixture fx;
    Figures out;
    kv::Form1& f = fx.openMain(disc);
    if (!QTest::qWaitForWindowExposed(&f))
        return out;
    kv::PhotoReadAhead::of(f).enabled = readAhead;
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
    out.worst = *std::max_element(steps.begin(), steps.end());
    out.full = median(fulls);
    out.native = median(natives);
    out.exact = median(exacts);
    return out;
}

void report(const char* what, const QString& disc, const QStringList& files)
{
    const Figures with = measure(disc, files, true);
    const Figures without = measure(disc, files, false);
    std::printf("%s: %dx%d photos, decoded at %dx%d for the photo box\n", what, with.photo.width(),
                with.photo.height(), with.decoded.width(), with.decoded.height());
    std::printf("  step with read-ahead, key to painted    %7.2f ms median, %.2f worst (goal 3 ms)\n",
                with.step, with.worst);
    std::printf("  step without read-ahead                 %7.2f ms median, %.2f worst\n", without.step,
                without.worst);
    std::printf("  full decode, same files                 %7.2f ms median\n", with.full);
    std::printf("  decode at the box's native scale        %7.2f ms median\n", with.native);
    std::printf("  decode to exactly the box               %7.2f ms median\n", with.exact);
    const auto ratio = [&](double step) { return with.native > 0 ? step / with.native : 0.0; };
    std::printf("  step / native-scale decode              %7.2f with read-ahead, %.2f without\n",
                ratio(with.step), ratio(without.step));
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
