#include "app/form1.h"
#include "app/picture_read_ahead.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "browse/topic_selection.h"
#include "photos/frm_slide.h"
#include "photos/photo_cursor.h"
#include "photos/photo_stepping.h"
#include "photos/slide_bar.h"
#include "photos/slide_clock.h"
#include "photos/slide_delay.h"
#include "photos/slide_order.h"
#include "photos/slide_show.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"
#include "platform/twips.h"
#include "support/fixture.h"

#include <QDateTime>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QFontMetrics>
#include <QApplication>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>

#include <random>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

using namespace kv;

namespace {
QStringList numbered(const QString& code, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("%1%2.jpg").arg(code).arg(i, 3, 10, QLatin1Char('0'));
    return names;
}

// The window shown and active, as it is before the user can click anything in it.
FrmSlide* settled(FrmSlide* w)
{
    if (!QTest::qWaitForWindowActive(w))
        qWarning("slide show not active");
    return w;
}

// A disc with these photos, the main window open on 1955, the slide show opened at `index`.
FrmSlide* openAt(Fixture& fx, const QStringList& photos, int index = 1)
{
    fx.openMainWith(photos);
    cmdYR_Click(*fx.c, 1);
    fx.c->state.PhotoIndex = static_cast<std::int16_t>(index);
    return settled(OpenSlideShow(*fx.c));
}

QString position(FrmSlide* w)
{
    return w->pnlPhotoNumber->text();
}

// The picture on show, as a colour: every test photo has its own.
QRgb shown(FrmSlide* w)
{
    const QImage& i = w->Image1->image();
    return i.pixel(i.width() / 2, i.height() / 2);
}

// List position `position` as the slide shows it.
QImage slideOf(Fixture& fx, FrmSlide* w, int position)
{
    const QString path = fx.c->files().resolve(fx.c->state.PhotoList(position));
    return loadImage(path, w->Image1->size() * w->devicePixelRatioF());
}

// Keeps every worker of the read-ahead pool busy, so that work handed to it waits in its queue;
// the workers go free on release, or after five seconds whatever happens.
class PoolHold
{
public:
    PoolHold()
        : m_count(readAheadPool().maxThreadCount())
    {
        for (int i = 0; i < m_count; ++i)
            readAheadPool().start([this] {
                m_started.release();
                m_gate.tryAcquire(1, 5000);
            });
        m_holding = m_started.tryAcquire(m_count, 5000);
    }
    ~PoolHold() { release(); }
    bool holding() const { return m_holding; }
    void release()
    {
        m_gate.release(m_count);
        m_count = 0;
    }

private:
    QSemaphore m_gate, m_started;
    int m_count;
    bool m_holding = false;
};

bool workersDone()
{
    return readAheadPool().waitForDone(5000);
}

// The calling thread's nice value; 0 where there is none.
int threadNiceness()
{
#ifdef Q_OS_LINUX
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
#else
    return 0;
#endif
}
} // namespace

class TestSlideShow : public QObject
{
    Q_OBJECT
private slots:
    void init() { restartSlideRandom(); }

    void manualSteps_data()
    {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("jump forward from 8 wraps to 1") << 8 << int(SlideBar::Step) << "1 of 10";
        QTest::newRow("jump forward never lands on the last") << 0 << int(SlideBar::Step) << "1 of 10";
        QTest::newRow("jump forward from 1") << 1 << int(SlideBar::Step) << "1 of 10";
        QTest::newRow("jump back from 3 wraps to the last") << 3 << int(SlideBar::Back) << "10 of 10";
        QTest::newRow("jump back from 11 gives 1") << 11 << int(SlideBar::Back) << "1 of 10";
        QTest::newRow("next on the last gives 1") << 10 << int(SlideBar::Next) << "1 of 10";
        QTest::newRow("next") << 4 << int(SlideBar::Next) << "5 of 10";
        QTest::newRow("previous on the first gives the last") << 1 << int(SlideBar::Prev) << "10 of 10";
        QTest::newRow("previous") << 7 << int(SlideBar::Prev) << "6 of 10";
    }
    void manualSteps()
    {
        QFETCH(int, cursor);
        QFETCH(int, button);
        QFETCH(QString, expected);
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 10), 5);
        fx.c->state.PhotoCursor = static_cast<std::int16_t>(cursor);
        fx.c->state.SlideShowRunning = true;
        const QRgb before = shown(w);
        w->mmSlide->click(static_cast<SlideBar::Button>(button));
        QCOMPARE(position(w), expected);
        QCOMPARE(fx.c->state.PhotoCursor, expected.section(' ', 0, 0).toShort());
        QCOMPARE(w->panYear->text(), QString("1955 "));
        QVERIFY(!fx.c->state.SlideShowRunning);
        if (expected != "5 of 10")
            QVERIFY(shown(w) != before);
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    void keysOnBeginningStepToo()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 4), 2);
        QTest::keyClick(w->SSCommand1, Qt::Key_Period);
        QCOMPARE(position(w), QString("3 of 4"));
        QTest::keyClick(w->SSCommand1, Qt::Key_Comma);
        QTest::keyClick(w->SSCommand1, Qt::Key_Comma);
        QCOMPARE(position(w), QString("1 of 4"));
    }

    void opensAtTheMainWindowsPhotoAndPlaysOn()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 300), 57);
        QCOMPARE(position(w), QString("57 of 300"));
        QVERIFY(w->pnlPhotoNumber->isVisible());
        QCOMPARE(w->panYear->text(), QString("1955 "));
        QCOMPARE(w->panInterval->text(), QString(" 1 second"));
        QCOMPARE(fx.c->state.SlideDelay, 1000);
        QVERIFY(w->optSeq[0]->isChecked());
        QVERIFY(!w->mmSlide->isButtonEnabled(SlideBar::Pause));
        QVERIFY(!w->Timer1->isActive());

        w->mmSlide->click(SlideBar::Play);
        QVERIFY(w->mmSlide->isButtonEnabled(SlideBar::Pause));
        for (auto b : {SlideBar::Prev, SlideBar::Next, SlideBar::Back, SlideBar::Step})
            QVERIFY(!w->mmSlide->isButtonEnabled(b));
        QVERIFY(w->mmSlide->isButtonEnabled(SlideBar::Play));
        QVERIFY(w->mmSlide->isButtonEnabled(SlideBar::Stop));
        QVERIFY(!w->SSCommand1->isEnabled() && !w->SpinInterval->isEnabled());
        QVERIFY(fx.c->state.SlideShowRunning);
        // The real timer, one second on.
        QTRY_COMPARE_WITH_TIMEOUT(position(w), QString("58 of 300"), 3000);

        w->mmSlide->click(SlideBar::Pause);
        QVERIFY(!w->Timer1->isActive());
        QCOMPARE(fx.c->state.PhotoCursor, std::int16_t(58)); // the slide on show
        QVERIFY(w->SSCommand1->isEnabled() && w->SpinInterval->isEnabled());
        QVERIFY(!fx.c->state.SlideShowRunning);
    }

    void lastPhotoStaysForTwoIntervals()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 5), 4);
        w->mmSlide->click(SlideBar::Play);
        w->Timer1->stop(); // ticks by hand
        QStringList seen;
        QList<QRgb> pictures;
        for (int i = 0; i < 4; ++i) {
            w->Timer1_Timer();
            seen << position(w);
            pictures << shown(w);
        }
        QCOMPARE(seen, QStringList({"5 of 5", "5 of 5", "1 of 5", "2 of 5"}));
        QCOMPARE(pictures[0], pictures[1]);
        // Pausing on the wrapped tick points at the last photo, which is on show.
        w->mmSlide->click(SlideBar::Play);
        w->Timer1->stop();
        fx.c->state.PhotoCursor = 6;
        w->Timer1_Timer();
        w->mmSlide->click(SlideBar::Pause);
        QCOMPARE(fx.c->state.PhotoCursor, std::int16_t(5));
    }

    void theCursorStaysInsideTheLongestList()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 2), 2);
        AppState& s = fx.c->state;
        QStringList list, numbers;
        for (int i = 0; i < 32766; ++i) {
            list << s.PhotoList(1 + i % 2);
            numbers << QString::number(i + 1);
        }
        s.PhotoList.assign(list);
        s.PhotoNumbers.assign(numbers);
        s.PhotoCount = 32766;
        // Paused one past the last photo, as its tick leaves the cursor; Play steps on from there.
        moveSlideCursor(*fx.c, 32767);
        w->mmSlide->click(SlideBar::Play);
        w->Timer1->stop();
        QCOMPARE(s.PhotoCursor, std::int16_t(32767));
        QStringList seen;
        for (int i = 0; i < 3; ++i) {
            w->Timer1_Timer();
            seen << position(w);
        }
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        QCOMPARE(seen.last(), QString("2 of 32766"));
    }

    void delays_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("caption");
        QTest::newRow("down from 1 wraps to 60") << 1000 << false << 60000 << "60 seconds";
        QTest::newRow("up from 60 wraps to 1") << 60000 << true << 1000 << "1 seconds";
        QTest::newRow("up 1 to 2") << 1000 << true << 2000 << "2 seconds";
        QTest::newRow("up 5 to 10") << 5000 << true << 10000 << "10 seconds";
        QTest::newRow("down 10 to 5") << 10000 << false << 5000 << "5 seconds";
        QTest::newRow("up 55 to 60") << 55000 << true << 60000 << "60 seconds";
        QTest::newRow("down 60 to 55") << 60000 << false << 55000 << "55 seconds";
        QTest::newRow("down 2 to 1") << 2000 << false << 1000 << "1 seconds";
        QTest::newRow("up 15 to 20") << 15000 << true << 20000 << "20 seconds";
    }
    void delays()
    {
        QFETCH(int, delay);
        QFETCH(bool, up);
        QFETCH(int, expected);
        QFETCH(QString, caption);
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 3));
        fx.c->state.SlideDelay = delay;
        emit(up ? w->SpinInterval->spinUp() : w->SpinInterval->spinDown());
        QCOMPARE(fx.c->state.SlideDelay, expected);
        QCOMPARE(w->panInterval->text(), caption);
    }

    void delaysWalkTheWholeCircle()
    {
        QList<int> upward{1000};
        while (upward.size() < 20)
            upward << nextSlideDelay(upward.last(), true);
        QCOMPARE(upward.mid(0, 16), QList<int>({1000, 2000, 3000, 4000, 5000, 10000, 15000, 20000, 25000,
                                                30000, 35000, 40000, 45000, 50000, 55000, 60000}));
        QCOMPARE(upward.at(16), 1000);
        for (int i = 15; i > 0; --i)
            QCOMPARE(nextSlideDelay(upward.at(i), false), upward.at(i - 1));
    }

    void randomOrderIsTheSameOnEveryRun()
    {
        auto run = [](QStringList& out) {
            restartSlideRandom();
            Fixture fx;
            FrmSlide* w = openAt(fx, numbered("55", 40));
            w->optSeq[1]->setChecked(true);
            w->mmSlide->click(SlideBar::Play);
            w->Timer1->stop();
            for (int i = 0; i < 25; ++i) {
                w->Timer1_Timer();
                out << position(w);
            }
        };
        QStringList first, second;
        run(first);
        run(second);
        QCOMPARE(first, second);
        QVERIFY(QSet<QString>(first.begin(), first.end()).size() > 10);
    }

    // The next slide is decoded ahead of its tick; a decode for a slide that is no longer next,
    // whether still waiting or already done, never reaches the screen.
    void aStaleReadAheadIsNeverShown_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("pending");
        for (const char* action : {"next", "previous", "beginning", "middle", "random"}) {
            QTest::addRow("%s while the read-ahead waits", action) << QString(action) << true;
            QTest::addRow("%s after the read-ahead is done", action) << QString(action) << false;
        }
    }
    void aStaleReadAheadIsNeverShown()
    {
        QFETCH(QString, action);
        QFETCH(bool, pending);
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 10), 5);
        fx.c->state.SlideDelay = 60000; // ticks by hand, the timer running
        std::optional<PoolHold> hold;
        if (pending) {
            hold.emplace();
            QVERIFY(hold->holding());
        }
        w->mmSlide->click(SlideBar::Play); // reads 6 ahead
        const QImage stale = slideOf(fx, w, 6);
        if (!pending)
            QVERIFY(workersDone());

        int expected = 0;
        if (action == "next") {
            w->mmSlide_NextClick();
            expected = 7;
        } else if (action == "previous") {
            w->mmSlide_PrevClick();
            expected = 5;
        } else if (action == "beginning") {
            w->SSCommand1_Click();
            expected = 1;
        } else if (action == "middle") {
            w->SSCommand2_Click();
            expected = 5;
        } else {
            w->optSeq[1]->setChecked(true);
            std::mt19937 generator;
            expected = int(10 * (double(generator()) / 4294967296.0) + 1);
        }
        QVERIFY2(slideOf(fx, w, expected) != stale, "the test needs two different pictures");
        if (action != "random") {
            QCOMPARE(w->Image1->image(), slideOf(fx, w, expected));
            QCOMPARE(position(w), QString("%1 of 10").arg(expected));
        }

        if (hold)
            hold->release();
        QVERIFY(workersDone());
        QCoreApplication::processEvents();
        if (action != "random")
            QCOMPARE(w->Image1->image(), slideOf(fx, w, expected));

        // The next tick shows the slide the cursor stands on, not the one read ahead before.
        w->Timer1_Timer();
        QCOMPARE(position(w), QString("%1 of 10").arg(expected));
        QCOMPARE(w->Image1->image(), slideOf(fx, w, expected));
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    // A tick whose slide still waits for the read-ahead thread (busy with a read no longer
    // wanted) reads it at once, at the window's own priority.
    void aSlideWaitingForTheReadAheadIsReadAtOnce()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 10), 5);
        fx.c->state.SlideDelay = 60000; // ticks by hand, the timer running
        const int niceness = threadNiceness();
        PoolHold hold;
        QVERIFY(hold.holding());
        w->mmSlide->click(SlideBar::Play); // reads 6 ahead, queued behind the hold
        w->Timer1_Timer();
        QVERIFY(!readAheadPool().waitForDone(0)); // the hold still runs: nothing waited for it
        QCOMPARE(position(w), QString("6 of 10"));
        QCOMPARE(w->Image1->image(), slideOf(fx, w, 6));
        QCOMPARE(threadNiceness(), niceness);
        hold.release();
        QVERIFY(workersDone());
    }

    void randomOrderIsTheSameWithReadAhead()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 40), 1);
        fx.c->state.SlideDelay = 60000; // ticks by hand, the timer running: every tick reads ahead
        w->optSeq[1]->setChecked(true);
        w->mmSlide->click(SlideBar::Play);
        QVERIFY(w->Timer1->isActive());

        std::mt19937 generator;
        int cursor = 2;
        for (int i = 0; i < 30; ++i) {
            const QString before = position(w);
            w->Timer1_Timer();
            if (cursor > 40) {
                cursor = 1;
                QCOMPARE(position(w), before);
                continue;
            }
            const int expected = int(40 * (double(generator()) / 4294967296.0) + 1);
            QCOMPARE(position(w), QString("%1 of 40").arg(expected));
            QCOMPARE(w->Image1->image(), slideOf(fx, w, expected));
            cursor = expected + 1;
            // Half the ticks come after the read-ahead has finished, half before.
            if (i % 2 == 0)
                QVERIFY(workersDone());
        }
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    void anUnreadableSlideReadAheadIsReportedOnItsTick()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, numbered("55", 5));
        writePhoto(disc + "/Murvos/55003.jpg", "not a picture");
        fx.openMain(disc);
        cmdYR_Click(*fx.c, 1);
        FrmSlide* w = OpenSlideShow(*fx.c);
        fx.c->state.SlideDelay = 60000;
        w->mmSlide->click(SlideBar::Play);
        w->Timer1_Timer();
        QCOMPARE(position(w), QString("2 of 5"));
        QVERIFY(workersDone()); // 3 has been tried ahead
        QCoreApplication::processEvents();
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        w->Timer1_Timer();
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().contains("ER016"));
        QCOMPARE(position(w), QString("2 of 5"));
        QCOMPARE(w->Image1->image(), slideOf(fx, w, 2));
        w->Timer1_Timer();
        QCOMPARE(position(w), QString("4 of 5"));
        QCOMPARE(w->Image1->image(), slideOf(fx, w, 4));
    }

    void middle_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("middle");
        QTest::newRow("301: 150.5 goes down to even") << 301 << 150;
        QTest::newRow("303: 151.5 goes up to even") << 303 << 152;
        QTest::newRow("300") << 300 << 150;
        QTest::newRow("one photo is its own middle") << 1 << 1;
        QTest::newRow("3: 1.5 goes to 2") << 3 << 2;
        QTest::newRow("none") << 0 << 0;
    }
    void middle()
    {
        QFETCH(int, count);
        QFETCH(int, middle);
        QCOMPARE(middlePosition(count), middle);
    }

    void middleAndBeginningCaptionTheirOwnSlide()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, QStringList{"55001.jpg"} + numbered("ZZ", 4), 1);
        w->SSCommand2_Click();
        QCOMPARE(position(w), QString("2 of 5")); // 2.5 goes to the even 2
        QCOMPARE(w->panYear->text(), QString("Kel-Vardo Postage Stamps "));
        w->SSCommand1_Click();
        QCOMPARE(position(w), QString("1 of 5"));
        QCOMPARE(w->panYear->text(), QString("1955")); // Beginning names the first year, not a slide
        QCOMPARE(fx.c->state.PhotoCursor, std::int16_t(1));
    }

    void aLongTopicCaptionFitsTheYearPanel()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, QStringList{"55001.jpg"} + numbered("TE", 2), 1);
        w->SSCommand2_Click();
        QCOMPARE(w->panYear->text(), QString("Franklin Mint Collector Knives "));
        const QRect box = w->panYear->contentsRect();
        const QRect need = QFontMetrics(w->panYear->captionFont()).boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, w->panYear->text());
        QVERIFY2(box.contains(need), qPrintable(QString("%1x%2 in %3x%4").arg(need.width()).arg(need.height()).arg(box.width()).arg(box.height())));
        w->SSCommand1_Click();
        QCOMPARE(w->panYear->captionFont(), w->panYear->font()); // "1955" needs no smaller type
    }

    void aTopicBecomes55WhileTheShowRuns()
    {
        Fixture fx;
        fx.openMainWith({"55001.jpg", "ZZ001.jpg"});
        mnuStuff_Click(*fx.c, 7);
        QCOMPARE(fx.c->state.TopicCode, QString("ZZ"));
        FrmSlide* w = OpenSlideShow(*fx.c);
        QCOMPARE(fx.c->state.TopicCode, QString("55"));
        QCOMPARE(w->panYear->text(), QString("Kel-Vardo Postage Stamps "));
        QCOMPARE(position(w), QString("2 of 2"));
    }

    void exitHandsTheSlideToTheMainWindow_data()
    {
        QTest::addColumn<int>("nexts");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("yearButton");
        QTest::addColumn<int>("focused");
        QTest::addColumn<QString>("stats");
        QTest::addColumn<QString>("after");
        // List: 55001 55002 56001 56002 56003 ZZ001 ZZ002 ZZ003
        QTest::newRow("stamp") << 6 << "Kel-Vardo Postage Stamps " << "ZZ" << "2" << 0 << 1 << "Details" << "3";
        QTest::newRow("1956") << 3 << "1956 " << "56" << "2" << 2 << 3 << "Engines" << "3";
        QTest::newRow("1955") << 1 << "1955 " << "55" << "2" << 1 << 2 << "Engines" << "1";
    }
    void exitHandsTheSlideToTheMainWindow()
    {
        QFETCH(int, nexts);
        QFETCH(QString, caption);
        QFETCH(QString, topic);
        QFETCH(QString, number);
        QFETCH(int, yearButton);
        QFETCH(int, focused);
        QFETCH(QString, stats);
        QFETCH(QString, after);
        Fixture fx;
        FrmSlide* w = openAt(fx, {"55001.jpg", "55002.jpg", "56001.jpg", "56002.jpg", "56003.jpg", "ZZ001.jpg",
                                  "ZZ002.jpg", "ZZ003.jpg"});
        Form1& f = *fx.c->form1;
        f.activateWindow();
        for (int i = 0; i < nexts; ++i)
            w->mmSlide->click(SlideBar::Next);
        const QRgb slide = shown(w);
        const int at = 1 + nexts;
        w->mmSlide->click(SlideBar::Stop);

        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        QVERIFY(!fx.c->frmSlide);
        QCOMPARE(f.panYear->text(), caption);
        QCOMPARE(fx.c->state.TopicCode, topic);
        QCOMPARE(f.panPhoto->text(), number);
        QCOMPARE(fx.c->state.PhotoIndex, std::int16_t(at));
        QCOMPARE(fx.c->state.CurrentPhoto, fx.c->state.PhotoList(at));
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(yearButton));
        QCOMPARE(f.cmdStats->text(), stats);
        QCOMPARE(f.cmdOptions->isEnabled(), stats == "Engines");
        const QImage& main = f.Image4->image();
        QCOMPARE(main.pixel(main.width() / 2, main.height() / 2), slide);
        QTRY_COMPARE(f.focusedYearButton(), focused);

        // The main window steps on from the handed-over photo in both directions.
        NextPhoto(*fx.c);
        QCOMPARE(f.panPhoto->text(), after);
        PreviousPhoto(*fx.c);
        QCOMPARE(f.panPhoto->text(), number);
    }

    void exitWhilePlayingTakesTheSlideOnShow()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 6), 2);
        w->mmSlide->click(SlideBar::Play);
        w->Timer1->stop();
        w->Timer1_Timer();
        QCOMPARE(position(w), QString("3 of 6"));
        w->mmSlide->click(SlideBar::Stop);
        QCOMPARE(fx.c->state.PhotoIndex, std::int16_t(3));
        QCOMPARE(fx.c->form1->panPhoto->text(), QString("3"));
    }

    void theBarsButtonsAnswerKeysThoughTheyTakeNoFocus()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 30), 2);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        QTest::keyClick(focused, Qt::Key_P);
        QVERIFY(w->Timer1->isActive());
        QTest::keyClick(focused, Qt::Key_P, Qt::ShiftModifier);
        QVERIFY(!w->Timer1->isActive());
        const QString before = position(w);
        QTest::keyClick(focused, Qt::Key_PageDown);
        QVERIFY(position(w) != before);
        const int shown = position(w).section(' ', 0, 0).toInt();
        QTest::keyClick(focused, Qt::Key_Return, Qt::ControlModifier);
        QTRY_VERIFY(!fx.c->frmSlide);
        QCOMPARE(fx.c->state.PhotoIndex, std::int16_t(shown));
    }

    void exitBeforeAnyChoiceOnlyCloses()
    {
        Fixture fx;
        Form1& f = fx.openMainWith(numbered("55", 3));
        FrmSlide* w = OpenSlideShow(*fx.c);
        QVERIFY(!w->pnlPhotoNumber->isVisibleTo(w));
        w->mmSlide->click(SlideBar::Stop);
        QVERIFY(!fx.c->frmSlide);
        QCOMPARE(f.panYear->text(), QString("panYear"));
        QCOMPARE(fx.c->state.PhotoIndex, std::int16_t(0));
    }

    void onlyAPlayingShowKeepsTheScreenAwake_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("pause") << "pause";
        QTest::newRow("exit button") << "exit";
        QTest::newRow("close box") << "close";
        QTest::newRow("window destroyed") << "destroy";
    }

    void onlyAPlayingShowKeepsTheScreenAwake()
    {
        QFETCH(QString, ending);
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 3));
        QVERIFY(!fx.t.awake->holding());
        w->mmSlide->click(SlideBar::Play);
        QVERIFY(fx.t.awake->holding());
        if (ending == "pause")
            w->mmSlide->click(SlideBar::Pause);
        else if (ending == "exit")
            w->mmSlide->click(SlideBar::Stop);
        else if (ending == "close")
            w->close();
        else
            delete w;
        QVERIFY(!fx.t.awake->holding());
    }

    void aButtonHeldThroughARepaintStillClicks()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 3));
        QTest::mousePress(w->cmdExit, Qt::LeftButton);
        w->repaint(); // the window refocuses its first button when painted
        QTest::mouseRelease(w->cmdExit, Qt::LeftButton);
        QVERIFY(!fx.c->frmSlide);
    }

    void closingMarksTheShowAsRun()
    {
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 3));
        QPointer<FrmSlide> alive = w;
        w->cmdExit->click();
        QVERIFY(!fx.c->frmSlide);
        QVERIFY(fx.c->state.SlideShowRunning);
        QTRY_VERIFY(!alive);
    }

    void unreadableSlidesAreReportedAndPassed_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("caption");
        QTest::newRow("next") << int(SlideBar::Next) << "ER014" << "2 of 12";
        QTest::newRow("previous") << int(SlideBar::Prev) << "ER015" << "3 of 12";
        QTest::newRow("jump back") << int(SlideBar::Back) << "ER013" << "2 of 12";
        QTest::newRow("jump forward") << int(SlideBar::Step) << "ER018" << "3 of 12";
    }
    void unreadableSlidesAreReportedAndPassed()
    {
        QFETCH(int, button);
        QFETCH(QString, code);
        QFETCH(QString, caption);
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, numbered("55", 12));
        writePhoto(disc + "/Murvos/55003.jpg", "not a picture");
        fx.openMain(disc);
        cmdYR_Click(*fx.c, 1);
        fx.c->state.PhotoIndex = button == SlideBar::Back ? 13 : button == SlideBar::Prev ? 4 : 2;
        FrmSlide* w = OpenSlideShow(*fx.c);
        if (button == SlideBar::Back)
            fx.c->state.PhotoCursor = 13; // back ten lands on 3
        if (button == SlideBar::Step)
            fx.c->state.PhotoCursor = -7; // forward ten lands on 3
        const QRgb before = shown(w);
        const QString captionBefore = position(w);
        w->mmSlide->click(static_cast<SlideBar::Button>(button));
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().contains(code));
        QVERIFY(fx.t.dialogs->lastText().contains("Unable to load Slide Show photo."));
        QCOMPARE(shown(w), before);
        QCOMPARE(position(w), button == SlideBar::Prev || button == SlideBar::Step ? QString("3 of 12")
                                                                                    : captionBefore);
        Q_UNUSED(caption);
        QCOMPARE(fx.c->state.PhotoCursor, std::int16_t(3));
    }

    void theShowPlaysPastAnUnreadableSlide()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, numbered("55", 5));
        writePhoto(disc + "/Murvos/55003.jpg", "not a picture");
        fx.openMain(disc);
        cmdYR_Click(*fx.c, 1);
        FrmSlide* w = OpenSlideShow(*fx.c);
        w->mmSlide->click(SlideBar::Play);
        QStringList seen;
        fx.t.dialogs->onBox = [&](const FakeDialogs::Box&) {
            seen << "box";
            QVERIFY(!w->Timer1->isActive()); // no second report behind this one
        };
        for (int i = 0; i < 3; ++i) {
            w->Timer1_Timer();
            seen << position(w);
        }
        QCOMPARE(seen, QStringList({"2 of 5", "box", "2 of 5", "4 of 5"}));
        QVERIFY(fx.t.dialogs->lastText().contains("ER016"));
        QVERIFY(w->Timer1->isActive());
    }

    void anEmptyListOpensAndPlaysQuietly()
    {
        Fixture fx;
        const QString disc = fx.disc();
        Form1& f = fx.openMain(disc);
        Q_UNUSED(f);
        FrmSlide* w = OpenSlideShow(*fx.c);
        QVERIFY(w->Image1->hasImage()); // the title photo
        w->mmSlide->click(SlideBar::Play);
        w->Timer1->stop();
        for (int i = 0; i < 5; ++i)
            w->Timer1_Timer();
        w->mmSlide->click(SlideBar::Pause);
        for (auto b : {SlideBar::Next, SlideBar::Prev, SlideBar::Back, SlideBar::Step})
            w->mmSlide->click(b);
        w->SSCommand1_Click();
        w->SSCommand2_Click();
        w->optSeq[1]->setChecked(true);
        w->mmSlide->click(SlideBar::Play);
        w->Timer1_Timer();
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        QVERIFY(!position(w).contains(" of 0") || !w->pnlPhotoNumber->isVisibleTo(w));
    }

    void rightClickCopiesTheSlide_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("yes") << int(Yes) << QStringList({"clear", "image"});
        QTest::newRow("no") << int(No) << QStringList();
    }
    void rightClickCopiesTheSlide()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, calls);
        Fixture fx;
        FrmSlide* w = openAt(fx, numbered("55", 2), 2);
        fx.t.dialogs->answers = {answer};
        QTest::mouseClick(w->Image1, Qt::RightButton);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(fx.t.dialogs->boxes[0].text, QString("Would you like to copy this image to the Windows Clipboard?"));
        QCOMPARE(fx.t.dialogs->boxes[0].buttons, Buttons::YesNo);
        QCOMPARE(fx.t.dialogs->boxes[0].icon, Icon::Question);
        QCOMPARE(fx.t.clipboard->calls, calls);
        if (answer == Yes)
            QCOMPARE(fx.t.clipboard->image.size(), QSize(64, 48)); // the photo itself, not the scaled slide
    }

    void clock_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("afternoon") << QDateTime(QDate(2024, 3, 5), QTime(15, 7, 9)) << "Tuesday" << "03/05/24"
                                   << "03:07:09 pm";
        QTest::newRow("just after midnight") << QDateTime(QDate(1999, 12, 31), QTime(0, 5, 0)) << "Friday"
                                             << "12/31/99" << "12:05:00 am";
        QTest::newRow("noon") << QDateTime(QDate(2000, 1, 1), QTime(12, 0, 0)) << "Saturday" << "01/01/00"
                              << "12:00:00 pm";
    }
    void clock()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, day);
        QFETCH(QString, date);
        QFETCH(QString, time);
        const SlideClock c = slideClockAt(when);
        QCOMPARE(c.day, day);
        QCOMPARE(c.date, date);
        QCOMPARE(c.time, time);
    }

    void layoutsKeepEveryControlApartAndOnScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("800 by 600") << QSize(800, 600);
        QTest::newRow("640 by 480") << QSize(640, 480);
    }
    void layoutsKeepEveryControlApartAndOnScreen()
    {
        QFETCH(QSize, screen);
        Fixture fx;
        fx.t.screen->size = screen;
        FrmSlide* w = openAt(fx, numbered("55", 3));
        w->resize(w->designSize());
        QVERIFY(w->designSize().width() <= screen.width());
        const QList<QWidget*> controls{w->Image1, w->optSeq[0], w->optSeq[1], w->pnlPhotoNumber, w->SSCommand1,
                                       w->SSCommand2, w->panYear, w->panInterval, w->SpinInterval, w->PnlCoStar,
                                       w->StatusDay, w->StatusDate, w->StatusTime, w->mmSlide, w->cmdExit};
        for (QWidget* a : controls) {
            QVERIFY2(w->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : controls) {
                if (a != b)
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        }
        QCOMPARE(w->designTwips(w->Image1).topLeft(), QPoint(120, 110));
        if (screen == QSize(640, 480)) {
            QCOMPARE(w->designTwips(w->Image1).size(), QSize(9302, 5850));
            const QRect first = w->designTwips(w->SSCommand1);
            QCOMPARE(first, QRect(3100, 5900, 1377, first.height()));
            QCOMPARE(w->designTwips(w->SSCommand2).left(), 3100 + 1377);
            QCOMPARE(w->designTwips(w->mmSlide), QRect(3100, 6140, 2736, w->designTwips(w->mmSlide).height()));
            const QRect interval = w->designTwips(w->panInterval);
            QCOMPARE(interval.left(), 9600 - interval.width() - 140);
            QCOMPARE(w->designTwips(w->SpinInterval).left() + w->designTwips(w->SpinInterval).width(), interval.left());
            QCOMPARE(w->designTwips(w->cmdExit).width(), 1400);
            QCOMPARE(w->designTwips(w->StatusTime).top(), 6500);
        }
        // A larger window gives the room to the slide.
        const QSize before = w->Image1->size();
        w->resize(w->designSize() + QSize(400, 300));
        QCOMPARE(w->Image1->size(), before + QSize(400, 300));
    }
};

QTEST_MAIN(TestSlideShow)
#include "test_slide_show.moc"
