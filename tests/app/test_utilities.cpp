// The Help menu, the about box and the screen-resolution check, as the user meets them.

#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/frm_about.h"
#include "app/help.h"
#include "app/utilities.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "support/fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace kv;

namespace {
struct App
{
    Fixture fx;
    QString cd = fx.disc();
    Form1& f;

    App() : f(open(fx, cd)) {}
    static Form1& open(Fixture& fx, const QString& cd)
    {
        fx.writePhotos(cd, {"55001.jpg"});
        return fx.openMain(cd);
    }
    // A stand-in photo window, open and on top.
    QWidget* openPhotoWindow()
    {
        auto* photo = new QWidget;
        photo->setWindowFlag(Qt::WindowStaysOnTopHint);
        photo->show();
        fx.c->frmSSPhoto = photo;
        return photo;
    }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
};

// Runs `inside` once the next modal window is up, then closes it.
void whileModal(std::function<void(QWidget*)> inside)
{
    QTimer::singleShot(0, [inside] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        inside(w);
        w->close();
    });
}
} // namespace

class TestUtilities : public QObject
{
    Q_OBJECT
private slots:
    void checkScreenResolution_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Icon>("icon");
        QTest::newRow("800x600") << QSize(800, 600)
                                 << "Your current screen resolution is set at 800x600.\r\n\r\n"
                                    "This is the optimum setting for the Kel-Vardo Folivra!"
                                 << Icon::None;
        QTest::newRow("1024x768") << QSize(1024, 768) << resolutionAdvice(1024, 768, false) << Icon::Exclamation;
        QTest::newRow("800x480") << QSize(800, 480) << resolutionAdvice(800, 480, false) << Icon::Exclamation;
    }
    void checkScreenResolution()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, text);
        QFETCH(Icon, icon);
        App a;
        QWidget* photo = a.openPhotoWindow();
        a.fx.t.screen->size = screen;
        a.f.mnuCheckResolution->trigger();
        QCOMPARE(a.dialogs().boxes.size(), 1);
        QCOMPARE(a.dialogs().lastText(), text);
        QCOMPARE(a.dialogs().boxes.last().icon, icon);
        QCOMPARE(a.dialogs().boxes.last().buttons, Buttons::Ok);
        // The one entry that leaves the photo window alone.
        QCOMPARE(a.fx.c->frmSSPhoto.data(), photo);
        delete photo;
    }

    void resolutionAdviceText()
    {
        const QStringList windows = resolutionAdvice(1024, 768, true).split(QStringLiteral("\r\n"));
        QCOMPARE(windows.size(), 19); // 18 lines and the closing line break
        QCOMPARE(windows.first(), QStringLiteral("Your current screen resolution is set at  1024 by 768 pixles."));
        QCOMPARE(windows.at(7), QStringLiteral("    1)  Click the right mouse button while the cursor is on the Windows desktop."));
        QCOMPARE(windows.at(12), QStringLiteral("         graphics card."));
        QCOMPARE(windows.at(17), QStringLiteral("You may now have to re-start your computer for the new settings to take affect."));
        QVERIFY(windows.last().isEmpty());

        // Elsewhere: the lines that hold everywhere, then a Linux desktop's own steps.
        const QString text = resolutionAdvice(1024, 768, false);
        const QStringList elsewhere = text.split(QStringLiteral("\r\n"));
        QCOMPARE(elsewhere.mid(0, 4), windows.mid(0, 4));
        QVERIFY(text.contains(QStringLiteral("display settings")));
        QVERIFY(text.contains(QStringLiteral("800 x 600")));
        for (const char* windowsOnly : {"Windows", "Small Fonts", "Properties", "re-start", "restart"})
            QVERIFY2(!text.contains(QLatin1String(windowsOnly)), windowsOnly);
        QVERIFY(elsewhere.last().isEmpty());
    }

    void messageBoxIsAsWideAsItsLongestLine()
    {
        QtDialogs dialogs;
        const QString tooWide = QString("word ").repeated(400);
        for (const QString& text : {resolutionAdvice(1024, 768, true), resolutionAdvice(1024, 768, false), tooWide}) {
            bool seen = false;
            whileModal([&](QWidget* box) {
                seen = true;
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                QVERIFY(label);
                const int screen = box->screen()->availableGeometry().width();
                int longest = 0;
                for (const QString& line : text.split("\r\n"))
                    longest = qMax(longest, label->fontMetrics().horizontalAdvance(line));
                QVERIFY(box->frameGeometry().width() <= screen);
                if (longest < screen - 100) // room for the icon and the margins
                    QVERIFY2(label->width() >= longest, qPrintable(QString("%1 < %2").arg(label->width()).arg(longest)));
            });
            dialogs.messageBox(text, Buttons::Ok, Icon::Exclamation, QString());
            QVERIFY(seen);
        }
    }

    void aboutPosition_data()
    {
        QTest::addColumn<QSize>("main");
        QTest::addColumn<QSize>("about");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("full screen") << QSize(800, 600) << QSize(440, 300) << QPoint(180, 150);
        QTest::newRow("odd sizes round down") << QSize(801, 601) << QSize(440, 300) << QPoint(180, 150);
        QTest::newRow("box larger than the window stays on screen") << QSize(320, 240) << QSize(440, 300) << QPoint(0, 0);
    }
    void aboutPosition()
    {
        QFETCH(QSize, main);
        QFETCH(QSize, about);
        QFETCH(QPoint, expected);
        QCOMPARE(FrmAbout::position(main, about), expected);
    }

    void aboutOpensCentredAndClosesThePhotoWindowFirst()
    {
        App a;
        a.f.setWindowState(Qt::WindowNoState);
        a.f.setGeometry(200, 100, 700, 500); // the box ignores where the window is
        a.openPhotoWindow();
        QPoint shownAt;
        bool photoClosed = false;
        int shown = 0;
        for (int round = 0; round < 2; ++round) {
            whileModal([&](QWidget* w) {
                auto* about = qobject_cast<FrmAbout*>(w);
                QVERIFY(about);
                ++shown;
                shownAt = about->pos();
                photoClosed = !a.fx.c->frmSSPhoto;
                QCOMPARE(about->SSPanel1->text(), QStringLiteral("Kel-Vardo Folivra"));
                QCOMPARE(about->focusWidget(), about->SSCommand1);
                QVERIFY(!about->Picture2->accessibleName().isEmpty());
                QVERIFY(!about->Image1->accessibleName().isEmpty());
            });
            a.f.mnuAbout->trigger();
            QCOMPARE(shown, round + 1);
            QCOMPARE(shownAt, FrmAbout::position(a.f.frameGeometry().size(), QSize(440, 300)));
            QVERIFY(!a.fx.c->frmAbout);
        }
        QVERIFY(photoClosed);
    }

    void aboutWebSiteButtonOpensTheMakersPage()
    {
        App a;
        FrmAbout about(*a.fx.c, &a.f);
        about.SSCommand2->click();
        QCOMPARE(a.fx.t.shell->urls, QStringList{makerWebSite()});
    }

    void webEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("url");
        QTest::newRow("web site") << "mnuorvanta" << makerWebSite();
        QTest::newRow("register on-line") << "mnuRegisterOL" << makerWebSite() + "register.htm";
    }
    void webEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, url);
        App a;
        a.openPhotoWindow();
        a.f.mnuHideStatus->trigger(); // the window on the whole screen
        QCOMPARE(a.f.mnuHideStatus->text(), QStringLiteral("ShowStatusBar"));
        a.f.findChild<QAction*>(entry)->trigger();
        QCOMPARE(a.fx.t.shell->urls, QStringList{url});
        QVERIFY(!a.fx.c->frmSSPhoto);
        QCOMPARE(a.f.mnuHideStatus->text(), QStringLiteral("ShowStatusBar"));
    }

    void contentsShowsTheHelpFileBesideTheProgram()
    {
        App a;
        a.openPhotoWindow();
        a.f.mnuContents->trigger();
        QCOMPARE(a.fx.t.help->shown.size(), 1);
        QCOMPARE(a.fx.t.help->shown.first().file, a.fx.programDir() + "/KelVardo.HLP");
        QCOMPARE(a.fx.t.help->shown.first().owner.data(), &a.f);
        QVERIFY(!a.fx.c->frmSSPhoto);
        QCOMPARE(a.f.mnuContents->shortcut(), QKeySequence(QKeySequence::HelpContents));
    }

    void helpForAWindowIsClosedWithIt()
    {
        App a;
        QWidget slide;
        slide.show();
        QVERIFY(QTest::qWaitForWindowActive(&slide));
        PrepareHelp(*a.fx.c, &slide);
        PrepareHelp(*a.fx.c, &slide); // a window prepared twice still answers F1
        QCOMPARE(a.fx.c->HelpWnd.data(), &slide);
        QTest::keyClick(&slide, Qt::Key_F1);
        QCOMPARE(a.fx.t.help->shown.size(), 1);
        QCOMPARE(a.fx.t.help->shown.first().owner.data(), &slide);
        CloseHelp(*a.fx.c);
        QCOMPARE(a.fx.t.help->quits, QList<QWidget*>{&slide});
    }
};

QTEST_MAIN(TestUtilities)
#include "test_utilities.moc"
