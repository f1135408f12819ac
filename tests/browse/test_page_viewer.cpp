#include "app/form1.h"
#include "app/layout_scale.h"
#include "app/widgets/spin_button.h"
#include "browse/frm_scroll.h"
#include "browse/page_widgets.h"
#include "browse/topic_selection.h"
#include "support/fixture.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <atomic>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kv;

namespace {
// Page n is (100 + n) pixels wide, so the width tells which file is shown.
void writePages(const QString& folder, const QString& stem, const QList<int>& pages, int damaged = -1)
{
    QDir().mkpath(folder);
    for (int n : pages) {
        const QString path = folder + QStringLiteral("/%1%2.jpg").arg(stem).arg(n, 2, 10, QLatin1Char('0'));
        if (n == damaged) {
            writeText(path, "not a picture");
            continue;
        }
        QImage page(100 + n, 150, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.save(path, "JPG");
    }
}

Form1& openYear(Fixture& fx, const QString& disc, int yearButton)
{
    fx.writePhotos(disc, {"55001.jpg", "56001.jpg", "57001.jpg"});
    Form1& f = fx.openMain(disc);
    cmdYR_Click(*fx.c, yearButton);
    return f;
}

FrmScroll* viewer(Fixture& fx)
{
    return qobject_cast<FrmScroll*>(fx.c->frmScroll.data());
}

// Opens the advertisement viewer and runs `whileOpen` inside its modal loop; closes it after.
bool withAdViewer(Fixture& fx, const std::function<void(FrmScroll&)>& whileOpen)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        FrmScroll* v = viewer(fx);
        if (!v || !v->isVisible() || seen)
            return;
        seen = true;
        whileOpen(*v);
        if (viewer(fx))
            viewer(fx)->close();
    });
    poll.start();
    cmdAd_Click(*fx.c);
    return seen;
}

// A named pipe whose every reader is let go at once (by a writer that opens and closes it),
// and counted: opening one blocks until a writer comes.
class WatchedPipe
{
public:
    explicit WatchedPipe(const QString& path)
        : m_path(QFile::encodeName(path))
    {
        made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (made)
            m_thread = std::thread([this] {
                while (!m_stop) {
                    const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0) {
                        ++readers;
                        ::close(fd);
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            });
    }
    ~WatchedPipe()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    bool made = false;
    std::atomic<int> readers = 0;

private:
    QByteArray m_path;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

void press(FrmScroll& v, char op)
{
    QTest::keyClick(v.sscommand1, op == 'u' ? '.' : ',');
}
} // namespace

class TestPageViewer : public QObject
{
    Q_OBJECT
private slots:
    void paging_data()
    {
        QTest::addColumn<bool>("brochure");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<int>("damaged");
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("lastPage");
        QTest::newRow("seven ads, up wraps") << false << QList<int>{0, 1, 2, 3, 4, 5, 6} << -1 << "uuuuuuu"
            << QStringList{"2 of 7", "3 of 7", "4 of 7", "5 of 7", "6 of 7", "7 of 7", "1 of 7"} << 0;
        QTest::newRow("seven ads, down from first") << false << QList<int>{0, 1, 2, 3, 4, 5, 6} << -1 << "d"
            << QStringList{"7 of 7"} << 6;
        QTest::newRow("brochure just opened, up") << true << QList<int>{0, 1, 2, 3} << -1 << "u"
            << QStringList{"2 of 4"} << 1;
        QTest::newRow("brochure just opened, down") << true << QList<int>{0, 1, 2, 3} << -1 << "d"
            << QStringList{"4 of 4"} << 3;
        QTest::newRow("single page") << false << QList<int>{0} << -1 << "udu"
            << QStringList{"1 of 1", "1 of 1", "1 of 1"} << 0;
        QTest::newRow("gaps 00 01 03") << false << QList<int>{0, 1, 3} << -1 << "uudu u"
            << QStringList{"2 of 4", "4 of 4", "2 of 4", "4 of 4", "1 of 4"} << 0;
        QTest::newRow("brochure page 10 both ways") << true << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << -1
            << "dduu" << QStringList{"11 of 11", "10 of 11", "11 of 11", "1 of 11"} << 0;
        QTest::newRow("damaged page is absent") << false << QList<int>{0, 1, 2} << 1 << "ud"
            << QStringList{"3 of 3", "1 of 3"} << 0;
    }
    void paging()
    {
        QFETCH(bool, brochure);
        QFETCH(QList<int>, pages);
        QFETCH(int, damaged);
        QFETCH(QString, ops);
        QFETCH(QStringList, labels);
        QFETCH(int, lastPage);
        Fixture fx;
        const QString disc = fx.disc();
        writePages(disc + (brochure ? "/Brochures" : "/ADS"), brochure ? "55brch" : "55GMCH", pages, damaged);
        openYear(fx, disc, 1);
        QStringList seen;
        int shownWidth = 0;
        auto run = [&](FrmScroll& v) {
            QCOMPARE(v.Text1->text(), QStringLiteral("1 of %1").arg(pages.last() + 1));
            for (QChar op : ops.remove(' ')) {
                press(v, op.toLatin1());
                seen << v.Text1->text();
                QVERIFY(!fx.t.busy->isBusy());
            }
            shownWidth = v.picChild->width();
        };
        if (brochure) {
            cmdBrochure_Click(*fx.c);
            QVERIFY(viewer(fx) && viewer(fx)->isVisible());
            run(*viewer(fx));
        } else {
            QVERIFY(withAdViewer(fx, run));
        }
        QCOMPARE(seen, labels);
        QCOMPARE(shownWidth, 100 + lastPage);
    }

    void spinArrowsPageAndGiveTheFocusBack()
    {
        Fixture fx;
        const QString disc = fx.disc();
        writePages(disc + "/brochures", "57brch", {0, 1, 2});
        openYear(fx, disc, 3);
        cmdBrochure_Click(*fx.c);
        FrmScroll* v = viewer(fx);
        QVERIFY(v);
        // Choosing another year leaves the open viewer on its own year's pages.
        writePages(disc + "/brochures", "55brch", {0, 2});
        cmdYR_Click(*fx.c, 1);
        QTest::mouseClick(v->SpinButton1->upButton(), Qt::LeftButton);
        QCOMPARE(v->Text1->text(), QString("2 of 3"));
        QTest::mouseClick(v->SpinButton1->downButton(), Qt::LeftButton);
        QTest::mouseClick(v->SpinButton1->downButton(), Qt::LeftButton);
        QCOMPARE(v->Text1->text(), QString("3 of 3"));
        QTRY_VERIFY(v->sscommand1->hasFocus());
    }

    void keysActWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("focus"); // the control tabbed to
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("label"); // empty: the viewer closed
        QTest::newRow("next arrow, '.'") << "next" << int(Qt::Key_Period) << "2 of 3";
        QTest::newRow("next arrow, ','") << "next" << int(Qt::Key_Comma) << "3 of 3";
        QTest::newRow("previous arrow, '.'") << "previous" << int(Qt::Key_Period) << "2 of 3";
        QTest::newRow("next arrow, Return") << "next" << int(Qt::Key_Return) << "2 of 3";
        QTest::newRow("previous arrow, Enter") << "previous" << int(Qt::Key_Enter) << "3 of 3";
        QTest::newRow("previous arrow, Space") << "previous" << int(Qt::Key_Space) << "3 of 3";
        QTest::newRow("close, ','") << "close" << int(Qt::Key_Comma) << "3 of 3";
        QTest::newRow("close, Return") << "close" << int(Qt::Key_Return) << "";
    }
    void keysActWhereverTheFocusIs()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, label);
        Fixture fx;
        const QString disc = fx.disc();
        writePages(disc + "/brochures", "56brch", {0, 1, 2});
        openYear(fx, disc, 2);
        cmdBrochure_Click(*fx.c);
        FrmScroll* v = viewer(fx);
        QVERIFY(v && QTest::qWaitForWindowActive(v));
        QWidget* target = focus == "next" ? static_cast<QWidget*>(v->SpinButton1->upButton())
            : focus == "previous"         ? static_cast<QWidget*>(v->SpinButton1->downButton())
                                          : static_cast<QWidget*>(v->sscommand1);
        for (int tabs = 0; tabs < 4 && v->focusWidget() != target; ++tabs)
            QTest::keyClick(v->focusWidget(), Qt::Key_Tab);
        QCOMPARE(v->focusWidget(), target);
        QTest::keyClick(target, Qt::Key(key));
        if (label.isEmpty()) {
            QTRY_VERIFY(!viewer(fx));
            return;
        }
        QVERIFY(v->isVisible());
        QCOMPARE(v->Text1->text(), label);
        QTRY_COMPARE(v->focusWidget(), static_cast<QWidget*>(v->sscommand1));
    }

    void brochureOpensNonModalInThePageView()
    {
        Fixture fx;
        const QString disc = fx.disc();
        writePages(disc + "/BROCHURES", "56BRCH", {0, 1, 3});
        Form1& f = openYear(fx, disc, 2);
        for (int round = 0; round < 2; ++round) {
            cmdBrochure_Click(*fx.c);
            FrmScroll* v = viewer(fx);
            QVERIFY(v && v->isVisible());
            QVERIFY(!v->isModal());
            // A window of its own, so the main window can be raised in front of it.
            QVERIFY(!v->parentWidget() && v->windowHandle() && !v->windowHandle()->transientParent());
            QCOMPARE(v->windowTitle(), QString("The Kel-Vardo Folivra    1956 Brochure & Manuals"));
            QCOMPARE(v->Text1->text(), QString("1 of 4"));
            QCOMPARE(v->size(), QSize(800, 600));
            QVERIFY(v->picParent->isVisible() && v->HScroll1->isVisible() && v->VScroll1->isVisible());
            QVERIFY(f.isEnabled());
            // Clicks and other keys do nothing here; a right click closes.
            QTest::mouseClick(v->picChild, Qt::LeftButton);
            QTest::keyClick(v->sscommand1, 'x');
            QVERIFY(v->picParent->isVisible());
            QTest::mouseClick(v->picChild, Qt::RightButton);
            QTRY_VERIFY(!viewer(fx));
        }
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        // It still goes with the main window.
        cmdBrochure_Click(*fx.c);
        QVERIFY(viewer(fx));
        f.close();
        QTRY_VERIFY(!viewer(fx));
    }

    void namedPipeAmongThePagesIsNeverOpened()
    {
        Fixture fx;
        const QString disc = fx.disc();
        writePages(disc + "/brochures", "55brch", {0, 2});
        WatchedPipe pipe(disc + "/brochures/55brch01.jpg");
        QVERIFY(pipe.made);
        openYear(fx, disc, 1);
        cmdBrochure_Click(*fx.c);
        FrmScroll* v = viewer(fx);
        QVERIFY(v);
        QTest::qWait(100); // time for the next page to be read ahead
        press(*v, 'u');
        QCOMPARE(v->Text1->text(), QString("3 of 3"));
        QCOMPARE(pipe.readers.load(), 0);
    }

    void pagesAddedOrDeletedCountAtTheNextOpening()
    {
        Fixture fx;
        const QString disc = fx.disc();
        const QString folder = disc + "/Brochures";
        // 1957's pages are spelt in capitals on the disc; the program asks in small letters.
        writePages(folder, "57BRCH", {0, 1, 2, 3, 4, 5});
        openYear(fx, disc, 3);
        auto open = [&](const QString& label) {
            if (viewer(fx))
                viewer(fx)->close();
            cmdBrochure_Click(*fx.c);
            QVERIFY(viewer(fx));
            QCOMPARE(viewer(fx)->Text1->text(), label);
        };
        open("1 of 6");
        writePages(folder, "57BRCH", {6});
        open("1 of 7");
        writePages(folder, "57brch", {7});
        open("1 of 8");
        FrmScroll& v = *viewer(fx);
        press(v, 'd');
        press(v, 'd');
        QCOMPARE(v.Text1->text(), QString("7 of 8"));
        QCOMPARE(v.picChild->width(), 106);
        for (const char* gone : {"57BRCH06.jpg", "57brch07.jpg", "57BRCH05.jpg"})
            QVERIFY(QFile::remove(folder + "/" + gone));
        open("1 of 5");
    }

    void missingFirstPage_data()
    {
        QTest::addColumn<bool>("brochure");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        const QString er044 = "Error number: ER044\r\n\r\n Unable to load Kel-Vardo Ad.\r\n\r\n"
                              "Make sure that the Kel-Vardo Folivra is in the CDROM drive.";
        const QString noAd = "Sorry!\r\n\r\nAd not found.\r\n";
        QTest::newRow("no brochure") << true << false << er044 << int(Icon::Critical);
        QTest::newRow("damaged brochure") << true << true << er044 << int(Icon::Critical);
        QTest::newRow("no ad") << false << false << noAd << int(Icon::Exclamation);
        QTest::newRow("damaged ad") << false << true << noAd << int(Icon::Exclamation);
    }
    void missingFirstPage()
    {
        QFETCH(bool, brochure);
        QFETCH(bool, damaged);
        QFETCH(QString, text);
        QFETCH(int, icon);
        Fixture fx;
        const QString disc = fx.disc();
        if (damaged)
            writePages(disc + (brochure ? "/brochures" : "/ads"), brochure ? "55brch" : "55gmch", {0, 1}, 0);
        openYear(fx, disc, 1);
        if (brochure)
            cmdBrochure_Click(*fx.c);
        else
            QVERIFY(!withAdViewer(fx, [](FrmScroll&) {}));
        QVERIFY(!viewer(fx));
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(fx.t.dialogs->lastText(), text);
        QCOMPARE(int(fx.t.dialogs->boxes.last().icon), icon);
        QVERIFY(!fx.t.busy->isBusy());
        QVERIFY(fx.c->form1->isEnabled());
    }

    void adSwitchesOverviewAndPageAndHandsTheFocusOn_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("focusAfter");
        QTest::newRow("1955") << 1 << 2;
        QTest::newRow("1957") << 3 << 0;
    }
    void adSwitchesOverviewAndPageAndHandsTheFocusOn()
    {
        QFETCH(int, year);
        QFETCH(int, focusAfter);
        Fixture fx;
        const QString disc = fx.disc();
        writePages(disc + "/ads", QString::number(54 + year) + "gmch", {0, 1});
        Form1& f = openYear(fx, disc, year);
        f.cmdAd->setFocus();
        const bool seen = withAdViewer(fx, [&](FrmScroll& v) {
            QVERIFY(v.isModal());
            QCOMPARE(v.windowTitle(), QStringLiteral("The Kel-Vardo Folivra    19%1 Advertisement").arg(54 + year));
            QVERIFY(!v.picParent->isVisible() && v.Image1->isVisible() && !v.HScroll1->isVisible());
            QTest::mouseClick(v.Image1, Qt::LeftButton);
            QVERIFY(v.picParent->isVisible() && v.HScroll1->isVisible());
            QTest::keyClick(v.sscommand1, 'x');
            QVERIFY(!v.picParent->isVisible() && !v.VScroll1->isVisible());
            QCOMPARE(v.Image1->height(), v.height());
            QCOMPARE(v.Image1->width(), int(0.77 * v.height()));
            QTest::mouseClick(v.Image1, Qt::RightButton);
        });
        QVERIFY(seen);
        QVERIFY(!viewer(fx));
        QCOMPARE(f.focusWidget(), focusAfter ? static_cast<QWidget*>(f.cmdYR[focusAfter]) : f.cmdAd);
    }

    void scrollBarsFollowThePageSize()
    {
        Fixture fx;
        const QString disc = fx.disc();
        QDir().mkpath(disc + "/brochures");
        QImage big(1800, 2400, QImage::Format_Grayscale8);
        big.fill(128);
        big.save(disc + "/brochures/55brch01.jpg", "JPG");
        writePages(disc + "/brochures", "55brch", {0});
        openYear(fx, disc, 1);
        cmdBrochure_Click(*fx.c);
        FrmScroll* v = viewer(fx);
        QVERIFY(!v->HScroll1->isEnabled() && !v->VScroll1->isEnabled());
        QTest::keyClick(v->sscommand1, '.');
        QVERIFY(v->HScroll1->isEnabled() && v->VScroll1->isEnabled());
        QCOMPARE(v->HScroll1->maximum(), 1800 - v->picParent->width());
        v->VScroll1->setValue(300);
        QCOMPARE(v->picChild->pos(), QPoint(0, -300));
        QTest::keyClick(v->sscommand1, Qt::Key_End);
        QCOMPARE(v->picChild->y(), -(2400 - v->picParent->height()));
        QTest::keyClick(v->sscommand1, '.');
        QCOMPARE(v->picChild->pos(), QPoint(0, 0));
        v->close();
    }

    // Read for the window's scale and pixel ratio, read ahead at it too, and read again when the
    // scale changes; the scroll bars follow the page's shown size.
    void pagesAreReadAtTheWindowsScale()
    {
        Fixture fx;
        fx.c->forcedScale = 2;
        const QString disc = fx.disc();
        writePages(disc + "/brochures", "55brch", {0});
        QImage big(400, 600, QImage::Format_RGB32);
        big.fill(Qt::gray);
        QVERIFY(big.save(disc + "/brochures/55brch01.jpg", "JPG"));
        openYear(fx, disc, 1);
        cmdBrochure_Click(*fx.c);
        FrmScroll* v = viewer(fx);
        QVERIFY(v);
        QCOMPARE(layoutScale(v), 2.0);
        const qreal ratio = v->devicePixelRatioF();
        QCOMPARE(v->picChild->size(), QSize(200, 300));
        QCOMPARE(v->picChild->picture().size(), QSize(200, 300) * ratio);
        press(*v, 'u');
        QCOMPARE(v->picChild->size(), QSize(800, 1200));
        QCOMPARE(v->picChild->picture().size(), QSize(800, 1200) * ratio);
        QCOMPARE(v->VScroll1->maximum(), 1200 - v->picParent->height());
        applyLayoutScale(v, 1.5);
        QCOMPARE(v->picChild->size(), QSize(600, 900));
        QCOMPARE(v->VScroll1->maximum(), 900 - v->picParent->height());
        press(*v, 'u');
        QCOMPARE(v->picChild->size(), QSize(150, 225));
        v->close();
    }

    void hugeScans_data()
    {
        QTest::addColumn<QSize>("claimed");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<QSize>("held");
        QTest::newRow("real 3000x6000, at full size") << QSize() << false << QSize(3000, 6000);
        QTest::newRow("baseline 10500x10000, over the pixel limit") << QSize(10500, 10000) << false << QSize();
        QTest::newRow("progressive 10500x10000") << QSize(10500, 10000) << true << QSize();
        QTest::newRow("baseline 20000x20000") << QSize(20000, 20000) << false << QSize();
    }
    void hugeScans()
    {
        QFETCH(QSize, claimed);
        QFETCH(bool, progressive);
        QFETCH(QSize, held);
        Fixture fx;
        const QString disc = fx.disc();
        const QString page = disc + "/brochures/55brch00.jpg";
        QDir().mkpath(disc + "/brochures");
        QImage scan(claimed.isValid() ? QSize(64, 48) : QSize(3000, 6000), QImage::Format_Grayscale8);
        scan.fill(200);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(progressive);
        QVERIFY(writer.write(scan));
        QByteArray bytes = buffer.data();
        if (claimed.isValid()) {
            // A small scan whose frame header claims the large size; the rest decodes as grey.
            const int sof = bytes.indexOf(QByteArray(progressive ? "\xFF\xC2" : "\xFF\xC0", 2));
            QVERIFY(sof > 0);
            bytes[sof + 5] = char(claimed.height() >> 8);
            bytes[sof + 6] = char(claimed.height() & 0xFF);
            bytes[sof + 7] = char(claimed.width() >> 8);
            bytes[sof + 8] = char(claimed.width() & 0xFF);
        }
        writeText(page, bytes);
        openYear(fx, disc, 1);
        cmdBrochure_Click(*fx.c);
        FrmScroll* v = viewer(fx);
        if (!held.isValid()) {
            QVERIFY(!v);
            QVERIFY(fx.t.dialogs->lastText().contains("ER044"));
            return;
        }
        QVERIFY(v);
        QCOMPARE(v->picChild->picture().size(), held);
        v->close();
    }
};

QTEST_MAIN(TestPageViewer)
#include "test_page_viewer.moc"
