#include "app/form1.h"
#include "app/topic_buttons.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "browse/topic_selection.h"
#include "browse/txt_form.h"
#include "photos/frm_slide.h"
#include "photos/photo_stepping.h"
#include "support/fixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

using namespace kv;

namespace {
const QStringList AllPhotos = {"55001.jpg", "55002.jpg", "56001.jpg", "57001.jpg", "MA001.jpg", "TD001.jpg",
                               "TF001.jpg", "VM001.jpg", "ZZ001.jpg", "ZZ002.jpg"};

// Enabled state of the eleven topic buttons, as a string of 1 and 0 in the order below.
QString buttons(Form1& f)
{
    QString out;
    for (QPushButton* b : {f.cmdDesc, f.cmdStats, f.cmdColors, f.cmdOptions, f.cmdClipArt, f.cmdEmblem, f.cmdScript,
                           f.cmdAd, f.cmdModels, f.cmdNostalgia, f.cmdBrochure})
        out += b->isEnabled() ? '1' : '0';
    return out;
}

// Runs a user action that opens a modal window of the program; once that window is active and
// events have run for a while, notes whether it is still open, then closes it.
bool staysOpen(const std::function<QWidget*()>& window, const std::function<void()>& action)
{
    bool stayed = false;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QPointer<QWidget> w = window();
        if (!w || !w->isVisible())
            return;
        poll.stop();
        if (QTest::qWaitForWindowActive(w))
            QTest::qWait(50);
        stayed = w && w->isVisible();
        if (w)
            w->close();
    });
    poll.start();
    action();
    return stayed;
}

// Offscreen, no other program can take over; the platform's notice is given by hand.
void anotherProgramTakesOver()
{
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
}
} // namespace

class TestTopicSelection : public QObject
{
    Q_OBJECT
private slots:
    void yearButtonShowsFirstPhotoOfTheYear()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "55002.jpg", "56002.jpg", "56001.jpg"});
        Form1& f = fx.openMain(disc);
        f.activateWindow();
        QVERIFY(!f.panPhoto->isVisibleTo(&f));
        cmdYR_Click(*fx.c, 2);
        QCOMPARE(f.panYear->text(), QString("1956"));
        QCOMPARE(fx.c->state.TopicCode, QString("56"));
        QCOMPARE(fx.c->state.CurrentPhoto, disc + "/Murvos/56001.JPG");
        QCOMPARE(fx.c->state.PhotoIndex, std::int16_t(3));
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(2));
        QCOMPARE(f.panPhoto->text(), QString("1"));
        QVERIFY(f.panPhoto->isVisibleTo(&f));
        QVERIFY(f.SpinButton1->isVisibleTo(&f));
        QVERIFY(f.Image4->hasImage());
        QTRY_COMPARE(f.focusedYearButton(), 3);
        cmdYR_Click(*fx.c, 3);
        QTRY_COMPARE(f.focusedYearButton(), 1);
        QVERIFY(!fx.c->state.SlideShowRunning);
        QVERIFY(!fx.t.busy->isBusy());
    }

    void buttonRulesPerTopic_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("stats");
        QTest::newRow("matchbook") << 0 << "Kel-Vardo Matchbook Covers " << "MA" << "00000000000" << "Details";
        QTest::newRow("danbury") << 1 << "Danbury Mint Die Cast Models " << "TD" << "11000000000" << "Details";
        QTest::newRow("franklin") << 3 << "Franklin Mint Die Cast Models " << "TF" << "11000000000" << "Details";
        QTest::newRow("signs") << 5 << "Kel-Vardo Metal Signs " << "VM" << "11000000000" << "Details";
        QTest::newRow("stamps") << 7 << "Kel-Vardo Postage Stamps " << "ZZ" << "10000000000" << "Details";
    }
    void buttonRulesPerTopic()
    {
        QFETCH(int, menu);
        QFETCH(QString, caption);
        QFETCH(QString, code);
        QFETCH(QString, enabled);
        QFETCH(QString, stats);
        Fixture fx;
        Form1& f = fx.openMainWith(AllPhotos);
        f.activateWindow();
        cmdYR_Click(*fx.c, 2);
        QCOMPARE(buttons(f), QString("11111111111"));
        f.picClipArt->show();
        mnuStuff_Click(*fx.c, menu);
        QCOMPARE(f.panYear->text(), caption);
        QCOMPARE(fx.c->state.TopicCode, code);
        QCOMPARE(buttons(f), enabled);
        QCOMPARE(f.cmdStats->text(), stats);
        QVERIFY(!f.picClipArt->isVisibleTo(&f));
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(0));
        QCOMPARE(fx.c->state.CurrentPhoto.section('/', -1), code + "001.JPG");
        QTRY_COMPARE(f.focusedYearButton(), 1);

        // A year button brings every button back but leaves the caption alone.
        cmdYR_Click(*fx.c, 1);
        QCOMPARE(buttons(f), QString("11111111111"));
        QCOMPARE(f.cmdStats->text(), stats);
    }

    void photoClickRunsThroughTheCycle()
    {
        Fixture fx;
        Form1& f = fx.openMainWith(AllPhotos);
        f.activateWindow();
        cmdYR_Click(*fx.c, 1);
        struct Expect
        {
            QString caption;
            int yearButton;
            int focus;
            QString stats;
        };
        const QList<Expect> cycle = {
            {"1956", 2, 3, "Statistics"},
            {"1957", 3, 1, "Statistics"},
            {"Kel-Vardo Matchbook Covers ", 3, 1, "Details"},
            {"Danbury Mint Die Cast Models ", 3, 1, "Details"},
            {"Franklin Mint Die Cast Models ", 3, 1, "Details"},
            {"Kel-Vardo Metal Signs ", 3, 1, "Details"},
            {"Kel-Vardo Postage Stamps ", 1, 2, "Details"},
            {"1955", 1, 2, "Statistics"},
            {"1956", 2, 3, "Statistics"},
        };
        for (const Expect& e : cycle) {
            NextPhoto(*fx.c); // a step first: the click must start the new choice at photo 1
            Image4_MouseDown(*fx.c, false);
            QCOMPARE(f.panYear->text(), e.caption);
            QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(e.yearButton));
            QCOMPARE(f.panPhoto->text(), QString("1"));
            QCOMPARE(fx.c->state.PhotoCursor, std::int16_t(0));
            QCOMPARE(f.cmdStats->text(), e.stats);
            QTRY_COMPARE(f.focusedYearButton(), e.focus);
        }
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        // Signs and Franklin come through the collectibles routine: extras switched off.
        QVERIFY(fx.c->state.TopicChosen);
    }

    void photoClickAfterMenuTopicGoesTo1955()
    {
        Fixture fx;
        Form1& f = fx.openMainWith(AllPhotos);
        setSelection(*fx.c, TopicChoice(topicById(TopicId::Cookies)));
        fx.c->state.CurrentYearButton = 0;
        Image4_MouseDown(*fx.c, false);
        QCOMPARE(f.panYear->text(), QString("1955"));
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(1));
    }

    void rightClickMakesTheSaverFolder()
    {
        Fixture fx;
        Form1& f = fx.openMainWith(AllPhotos);
        cmdYR_Click(*fx.c, 1);
        Image4_MouseDown(*fx.c, true);
        QVERIFY(QFileInfo(fx.programDir() + "/ssKel-Vardos").isDir());
        Image4_MouseDown(*fx.c, true); // already there: nothing said
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        QCOMPARE(f.panYear->text(), QString("1955"));
    }

    void firstBackgroundClickChooses1955Once()
    {
        Fixture fx;
        Form1& f = fx.openMainWith(AllPhotos);
        f.activateWindow();
        QTest::mouseClick(f.stage, Qt::LeftButton, {}, QPoint(700, 20));
        QCOMPARE(f.panYear->text(), QString("1955"));
        QVERIFY(!f.cmdYR[1]->isEnabled());
        QTRY_COMPARE(f.focusedYearButton(), 2);
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(1));
        QVERIFY(!fx.c->state.AwaitingFirstClick);
        QVERIFY(!fx.c->state.TopicChosen); // the background click is not a choice by button
        cmdYR_Click(*fx.c, 3);
        QTest::mouseClick(f.stage, Qt::LeftButton, {}, QPoint(700, 20));
        QCOMPARE(f.panYear->text(), QString("1957"));
        QVERIFY(f.cmdYR[1]->isEnabled());
    }

    void yearButtonKeys()
    {
        Fixture fx;
        Form1& f = fx.openMainWith({"55001.jpg", "56001.jpg", "56002.jpg", "56003.jpg"});
        f.activateWindow();
        f.focusYearButton(2);
        QTest::keyClick(f.cmdYR[2], Qt::Key_Space);
        QCOMPARE(f.panYear->text(), QString("1956"));
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(2));
        QVERIFY(fx.c->state.TopicChosen);
        QTRY_COMPARE(f.focusedYearButton(), 3);
        QTest::keyClick(f.cmdYR[3], Qt::Key_Period);
        QCOMPARE(f.panPhoto->text(), QString("2"));
        QTest::keyClick(f.cmdYR[3], Qt::Key_Comma);
        QCOMPARE(f.panPhoto->text(), QString("1"));
        QTest::keyClick(f.cmdYR[3], Qt::Key_Less, Qt::ShiftModifier); // Shift on the comma key
        QCOMPARE(f.panPhoto->text(), QString("3"));
        QTest::keyClick(f.cmdYR[3], Qt::Key_Period, Qt::KeypadModifier); // the keypad's point
        QCOMPARE(f.panPhoto->text(), QString("3"));

        // After the first choice the keys press the button like any other.
        QTest::keyClick(f.cmdYR[3], Qt::Key_Space);
        QCOMPARE(f.panYear->text(), QString("1957"));
        f.focusYearButton(1);
        QTest::keyClick(f.cmdYR[1], Qt::Key_Return);
        QCOMPARE(f.panYear->text(), QString("1955"));
        QCOMPARE(fx.c->state.CurrentYearButton, std::int16_t(1));
    }

    void choosingClosesSlideShowAndViewer()
    {
        Fixture fx;
        fx.openMainWith(AllPhotos);
        auto* slide = new QWidget;
        auto* viewer = new QWidget;
        slide->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        slide->show();
        viewer->show();
        fx.c->frmSlide = slide;
        fx.c->txtForm = viewer;
        cmdYR_Click(*fx.c, 1);
        QTRY_VERIFY(fx.c->frmSlide.isNull());
        QTRY_VERIFY(fx.c->txtForm.isNull());
    }

    void windowsOpenedAfterASlideShowStayOpen()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, AllPhotos);
        writeText(disc + "/richtext/55desc.rtf", "{\\rtf1 The 1955 cars}");
        Form1& f = fx.openMain(disc);
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        cmdYR_Click(*fx.c, 1);
        auto slideShow = [&] { return fx.c->frmSlide.data(); };
        auto viewer = [&] { return fx.c->txtForm.data(); };
        // The user clicks the main window: it is the active window again.
        auto backToMain = [&] {
            QTest::mouseClick(f.stage, Qt::LeftButton, {}, QPoint(700, 20));
            f.activateWindow();
            return QTest::qWaitForWindowActive(&f);
        };
        QVERIFY(staysOpen(slideShow, [&] { f.ssCmdSlide->click(); }));
        QVERIFY(fx.c->state.SlideShowRunning);
        QVERIFY(backToMain());
        QVERIFY(staysOpen(viewer, [&] { f.cmdDesc->click(); }));
        QVERIFY(backToMain());
        QVERIFY(staysOpen(slideShow, [&] { f.ssCmdSlide->click(); }));
        QVERIFY(backToMain());
        QVERIFY(staysOpen(slideShow, [&] { f.ssCmdSlide->click(); }));
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    void anotherProgramTakingOverAfterASlideShow_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QString>("code");
        QTest::newRow("stamps") << 7 << "ZZ";
        QTest::newRow("danbury") << 1 << "TD";
    }
    void anotherProgramTakingOverAfterASlideShow()
    {
        QFETCH(int, menu);
        QFETCH(QString, code);
        Fixture fx;
        Form1& f = fx.openMainWith({"55001.jpg", "TD001.jpg", "TD002.jpg", "ZZ001.jpg", "ZZ002.jpg"});
        f.activateWindow();
        mnuStuff_Click(*fx.c, menu);
        QVERIFY(staysOpen([&] { return fx.c->frmSlide.data(); }, [&] { f.ssCmdSlide->click(); }));
        f.Image4->hide();
        anotherProgramTakesOver();
        QVERIFY(f.Image4->isVisibleTo(&f));
        QVERIFY(!fx.c->state.SlideShowRunning);
        QCOMPARE(fx.c->state.TopicCode, code);
        QStringList shown;
        for (int i = 0; i < 2; ++i) {
            NextPhoto(*fx.c);
            shown << f.panPhoto->text();
        }
        QCOMPARE(shown, QStringList({"1", "2"}));
        anotherProgramTakesOver(); // the show has not run since: nothing happens
        QCOMPARE(f.panPhoto->text(), QString("2"));
    }

    void clicksOnPanelsAndLogoAreNotOnTheBackground()
    {
        Fixture fx;
        Form1& f = fx.openMainWith(AllPhotos);
        cmdYR_Click(*fx.c, 3);
        for (QWidget* w : std::initializer_list<QWidget*>{f.panYear, f.panPhoto, f.picLogo})
            QTest::mouseClick(w, Qt::LeftButton);
        QCOMPARE(f.panYear->text(), QString("1957"));
        QTest::mouseClick(f.stage, Qt::LeftButton, {}, QPoint(700, 20));
        QCOMPARE(f.panYear->text(), QString("1955"));
    }

    void slideCaptions_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("caption");
        QTest::newRow("CW") << "CW" << "The Renlow Kel-Vardo ";
        QTest::newRow("TE") << "TE" << "Franklin Mint Collector Knives ";
        QTest::newRow("ZZ") << "ZZ" << "Kel-Vardo Postage Stamps ";
        QTest::newRow("57") << "57" << "1957 ";
        QTest::newRow("VC") << "VC" << "Kel-Vardo Cookies ";
    }
    void slideCaptions()
    {
        QFETCH(QString, code);
        QFETCH(QString, caption);
        QCOMPARE(slideCaptionFor(code), caption);
    }
};

QTEST_MAIN(TestTopicSelection)
#include "test_topic_selection.moc"
