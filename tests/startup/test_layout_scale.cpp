#include "app/form1.h"
#include "app/help_menu.h"
#include "app/layout_scale.h"
#include "app/main_window.h"
#include "app/widgets/picture_view.h"
#include "browse/document_catalogue.h"
#include "browse/frm_scroll.h"
#include "browse/topic_selection.h"
#include "browse/txt_form.h"
#include "disc_generator.h"
#include "media/frm_movie.h"
#include "photos/photo_window.h"
#include "photos/slide_show.h"
#include "platform/help/help_window.h"
#include "platform/richtext/rich_text_box.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

using namespace kv;

namespace {

QString where(const QWidget* w)
{
    QStringList path;
    for (const QWidget* p = w; p; p = p->isWindow() ? nullptr : p->parentWidget())
        path.prepend(p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName());
    return path.join(QLatin1Char('/'));
}

// Controls whose caption does not fit their box in the font they use.
QStringList clippedTexts(QWidget* window)
{
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->width() <= 0)
            continue;
        QString text;
        QSize room;
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
                continue;
            text = label->text();
            room = label->contentsRect().size();
            if (label->wordWrap()) {
                if (!text.isEmpty() && label->heightForWidth(label->width()) > label->height() + 1)
                    found << where(w) + QStringLiteral(": wrapped text taller than its box");
                continue;
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            // The bevel and the indicator of a check or radio button take their share.
            room = button->size() - QSize(4, 2);
            if (!button->icon().isNull())
                room.rwidth() -= button->iconSize().width();
            if (button->inherits("QRadioButton") || button->inherits("QCheckBox"))
                room.rwidth() -= button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) + 4;
        }
        text = text.trimmed();
        if (text.isEmpty())
            continue;
        const QSize need = w->fontMetrics().size(Qt::TextShowMnemonic, text);
        if (need.width() > room.width() || need.height() > room.height() + 2)
            found << QStringLiteral("%1: \"%2\" needs %3x%4, has %5x%6")
                         .arg(where(w), text)
                         .arg(need.width())
                         .arg(need.height())
                         .arg(room.width())
                         .arg(room.height());
    }
    return found;
}

// Pictures the program draws that, once painted, have fewer pixels than their box shows.
QStringList enlargedPictures(QWidget* window)
{
    QStringList found;
    for (PictureView* view : window->findChildren<PictureView*>()) {
        if (!view->isVisibleTo(window) || !view->painted())
            continue;
        view->grab();
        const QSize box = view->displayBox();
        if ((view->image().width() < box.width() || view->image().height() < box.height()))
            found << QStringLiteral("%1: picture %2x%3 in a box of %4x%5")
                         .arg(where(view))
                         .arg(view->image().width())
                         .arg(view->image().height())
                         .arg(box.width())
                         .arg(box.height());
    }
    return found;
}

// Pairs of visible sibling controls that overlap, by name. A control over the page or picture
// that fills the window floats there by design.
QSet<QString> overlaps(QWidget* window)
{
    QSet<QString> found;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    auto fills = [window](const QWidget* w) { return w->width() * w->height() * 4 > window->width() * window->height(); };
    for (QWidget* a : all) {
        for (QWidget* b : all) {
            if (a >= b || a->parentWidget() != b->parentWidget() || !a->isVisibleTo(window) || !b->isVisibleTo(window)
                || fills(a) || fills(b))
                continue;
            // Named in the same order whichever was made first.
            if (a->geometry().intersects(b->geometry()))
                found << std::min(where(a), where(b)) + QStringLiteral(" & ") + std::max(where(a), where(b));
        }
    }
    return found;
}

// What each window showed at scale 1: the overlaps it was designed with.
QMap<QString, QSet<QString>> designedOverlaps;

} // namespace

class TestLayoutScale : public QObject
{
    Q_OBJECT
private slots:
    void everyWindowKeepsItsDesign_data()
    {
        QTest::addColumn<double>("scale");
        // Scale 1 first: it records what the others are compared with.
        for (double s : {1.0, 1.5, 2.0, 3.0})
            QTest::newRow(qPrintable(QString::number(s))) << s;
    }
    void everyWindowKeepsItsDesign()
    {
        QFETCH(double, scale);
        Fixture fx;
        const QString disc = fx.disc();
        const kvdisc::GenerateResult written = kvdisc::generateDisc(disc);
        QVERIFY2(written.ok, qPrintable(written.error));
        fx.c->forcedScale = scale;
        Form1& f = fx.openMain(disc);
        f.show();
        AppContext& c = *fx.c;
        cmdYR_Click(c, 1);
        QCOMPARE(layoutScale(f.stage), scale);
        QCOMPARE(f.Image4->size(), QSize(qRound(541 * scale), qRound(406 * scale)));

        QStringList found;
        auto check = [&](const QString& what, QWidget* window) {
            for (const QString& line : clippedTexts(window) + enlargedPictures(window))
                found << what + QStringLiteral(": ") + line;
            // The page viewer floats its arrows and caption over the page, wherever it lies.
            if (what == QLatin1String("brochures"))
                return;
            const QSet<QString> now = overlaps(window);
            if (scale == 1.0)
                designedOverlaps[what] += now;
            for (const QString& pair : now - designedOverlaps.value(what))
                found << what + QStringLiteral(": overlap ") + pair;
        };
        check(QStringLiteral("main"), &f);
        // The panels laid over the main window's photo, one at a time.
        const std::array<std::tuple<const char*, QFrame*, std::function<void()>>, 5> panels = {{
            {"copy panel", f.pnlProgress, [&] { f.mnuCopy->trigger(); }},
            {"saver panel", f.pnlSSaver, [&] { f.mnuSaver->trigger(); }},
            {"booklet panel", f.pnlPrint, [&] { f.mnuPrnt->trigger(); }},
            {"sound panel", f.pnlSound, [&] { f.mnuSound->trigger(); }},
            {"songs panel", f.ssPnlSongs, [&] { f.mnuUSA->trigger(); }},
        }};
        for (const auto& [what, panel, open] : panels) {
            open();
            QVERIFY2(panel->isVisible(), what);
            check(QString::fromLatin1(what), &f);
            panel->hide();
        }
        const std::array<std::pair<const char*, std::function<void()>>, 8> windows = {{
            {"about", [&] { mnuAbout_Click(c); }},
            {"document", [&] { cmdDesc_Click(c); }},
            {"slide show", [&] { ssCmdSlide_Click(c); }},
            {"brochures", [&] { cmdBrochure_Click(c); }},
            {"photo", [&] { OpenPhotoWindow(c); }},
            {"movies", [&] { mnuMovies_Click(c); }},
            {"find", [&] { f.mnuHelp->actions().constLast()->trigger(); }},
            {"help", [&] {
                 auto* help = new HelpWindow(&f);
                 help->openFile(disc + QStringLiteral("/KelVardo.HLP"));
                 help->show();
             }},
        }};
        for (const auto& [what, open] : windows) {
            const bool opened = inWindowsOpenedBy(fx, open, [&, name = QString::fromLatin1(what)](QWidget* w) {
                if (!w->isMaximized() && !w->isFullScreen())
                    QVERIFY2(qAbs(layoutScale(w) - scale) < 1e-9, qPrintable(name));
                check(name, w);
            });
            QVERIFY2(opened, what);
        }
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(QLatin1Char('\n') + found.join(QLatin1Char('\n'))));
    }

    void mainWindowFollowsItsSize()
    {
        Fixture fx;
        fx.t.screen->size = QSize(1920, 1080);
        fx.t.screen->available = QSize(1920, 1050);
        Form1& f = fx.openMainWith({"55001.jpg"});
        f.show();
        // The largest step that fits: 1.75 leaves room for the frame.
        QCOMPARE(layoutScale(f.stage), 1.75);
        QCOMPARE(f.stage->size(), QSize(1400, 952));
        QVERIFY(f.Image4->width() >= 541 * 1.5 && f.Image4->height() >= 406 * 1.5);

        const double barPoints = f.menuBar()->font().pointSizeF(), menuPoints = f.mnuFile->font().pointSizeF();
        f.resize(1920, 1050);
        // Fitted by hundredths of the scale, under the menu bar, which grows with it.
        auto fills = [&f] {
            const int room = 1050 - f.menuBar()->height();
            return f.stage->height() <= room && f.stage->height() > room - 6;
        };
        QTRY_VERIFY(fills());
        QVERIFY(f.menuBar()->font().pointSizeF() > barPoints);
        QCOMPARE(f.mnuFile->font().pointSizeF() / menuPoints, f.menuBar()->font().pointSizeF() / barPoints);
        QCOMPARE(f.stage->x(), (1920 - f.stage->width()) / 2);
        QCOMPARE(f.Image4->geometry(), QRect(QPoint(12, 74) * layoutScale(f.stage), f.Image4->size()));
        f.resize(700, 500); // never below the design
        QTRY_COMPARE(layoutScale(f.stage), 1.0);
        QCOMPARE(f.Image4->size(), QSize(541, 406));

        // Remembered by the step below it, for this screen's size, and taken at the next start.
        f.resize(1300, 900);
        QTRY_VERIFY(layoutScale(f.stage) > 1.5);
        f.close();
        const QString key = QStringLiteral("The Kel-Vardo Folivra/Settings/Scale1920x1080");
        QCOMPARE(fx.t.settings->values.value(key), QStringLiteral("1.5"));
        fx.t.settings->values.remove(QStringLiteral("The Kel-Vardo Folivra/Settings/MainWidth"));
        restoreGeometry(*fx.c);
        f.show();
        QTRY_COMPARE(layoutScale(f.stage), 1.5);

        // A scale forced on the command line stays, whatever the window's size.
        fx.c->forcedScale = 1;
        f.resize(1900, 1000);
        QTRY_COMPARE(f.stage->size(), QSize(800, 544));
        QCOMPARE(layoutScale(f.stage), 1.0);
    }

    void documentViewerGivesTheTextTheRoom()
    {
        Fixture fx;
        const QString disc = fx.disc();
        QVERIFY(kvdisc::generateDisc(disc).ok);
        fx.c->forcedScale = 1.5;
        Form1& f = fx.openMain(disc);
        TxtForm viewer(*fx.c, &f);
        QVERIFY(viewer.loadDocument(disc + QStringLiteral("/richtext/56stats.rtf")));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(viewer.size(), QSize(797, 684));
        QCOMPARE(viewer.minimumSize(), viewer.size());
        QVERIFY(viewer.maximumWidth() > 2000);
        // The printer is drawn at the icon's scaled size.
        QCOMPARE(viewer.cmdPrint->icon().pixmap(viewer.cmdPrint->iconSize(), 1.0).size(), QSize(24, 24));

        viewer.resize(1400, 900);
        QTRY_COMPARE(viewer.rtbText->width(), 1400 - 12 - 15);
        QCOMPARE(viewer.SSCommand1->y(), 900 - 480 * 3 / 2 / 15);
        QCOMPARE(viewer.cmdPrint->geometry().right(), viewer.rtbText->geometry().right());
        QCOMPARE(viewer.SSCommand1->geometry().right() + 1 + qRound(4 * 1.5 / 15), viewer.cmdPrint->x());
        // The tables fit: nothing to scroll sideways.
        QTRY_VERIFY(!viewer.rtbText->horizontalScrollBar()->isVisible());
    }
};

// A screen larger than the windows at the largest scale, so that none is cut to the screen.
int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 96}]})") < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestLayoutScale test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_layout_scale.moc"
