// One Next step on 1600 by 1200 photos, from the key press to the picture painted, beside a
// bare QImageReader decode of the same files in the same run.
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "browse/topic_selection.h"
#include "support/fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {
// A photo-like picture: gradients and grain, so the JPEG is of realistic size.
void writeLargePhoto(const QString& path, int seed)
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 1600, 1200);
    g.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 180, 220));
    g.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 160, 60));
    p.fillRect(image.rect(), g);
    QRandomGenerator rng(seed);
    for (int i = 0; i < 4000; ++i) {
        p.setPen(QColor::fromRgb(rng.generate()));
        p.drawLine(rng.bounded(1600), rng.bounded(1200), rng.bounded(1600), rng.bounded(1200));
    }
    p.end();
    QDir().mkpath(QFileInfo(path).path());
    image.save(path, "JPG", 90);
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kv::Fixture fx;
    const QString disc = fx.disc();
    const int photos = 8;
    QStringList files;
    for (int i = 1; i <= photos; ++i) {
        files << disc + QStringLiteral("/Murvos/5500%1.JPG").arg(i);
        writeLargePhoto(files.last(), i);
    }
    kv::Form1& f = fx.openMain(disc);
    if (!QTest::qWaitForWindowExposed(&f))
        return 1;
    kv::cmdYR_Click(*fx.c, 1);
    f.focusYearButton(2);

    QList<double> steps;
    QList<double> decodes;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < photos; ++i) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(f.cmdYR[2], Qt::Key_Period);
            f.Image4->repaint();
            steps << t.nsecsElapsed() / 1e6;
            f.focusYearButton(2);

            t.restart();
            QImageReader reader(files.at(i));
            const QImage bare = reader.read();
            decodes << t.nsecsElapsed() / 1e6;
            if (bare.isNull())
                return 1;
        }
    }
    const double step = median(steps), decode = median(decodes);
    std::printf("platform                               %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("Next step, key to painted (1600x1200)  %7.2f ms median, %.2f worst\n", step,
                *std::max_element(steps.begin(), steps.end()));
    std::printf("bare QImageReader decode, same files   %7.2f ms median\n", decode);
    std::printf("step / bare decode                     %7.2f   (goal <= 1.3)\n", step / decode);
    return 0;
}
