#include "app/form1.h"
#include "app/main_window.h"
#include "app/widgets/picture_view.h"
#include "app/window_helpers.h"
#include "support/fixture.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace kv;

namespace {
QString stored(Fixture& fx, const char* key)
{
    return fx.t.settings->values.value(QString("The Kel-Vardo Folivra/Settings/") + key);
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void menuBarInOrder()
    {
        Fixture fx;
        Form1& f = fx.openMain(fx.disc());
        QStringList top;
        for (QAction* a : f.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, QStringList({"File", "Sound Effects", "Movies", "Miscellaneous", "KelVardo Stuff",
                                   "See the U.S.A.", "HideStatusBar", "Help"}));
        QStringList file;
        for (QAction* a : f.mnuFile->actions())
            file << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(file, QStringList({"-", "Create &Wallpaper Instructions", "Copy Photo", "-",
                                    "Copy CD-ROM photos to hard drive", "Remove photos from hard drive", "-",
                                    "Copy CD-ROM movies to hard drive", "Remove movies from hard drive", "-",
                                    "Install Screen saver", "Install Intel Video Software", "-", "Print Photo",
                                    "PrintBooklet", "Print Setup", "-", "Check Screen Resolution", "-",
                                    "Show File &Names", "-", "Exit"}));
        // The leading separator is drawn, not folded away.
        f.show();
        f.mnuFile->popup(f.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(f.mnuFile));
        QVERIFY(!f.mnuFile->actionGeometry(f.mnuFile->actions().first()).isEmpty());
        f.mnuFile->close();
        QCOMPARE(f.findChild<QAction*>("mnuStuff_3")->text(), QString("The Franklin Mint Die Cast Models"));
        QCOMPARE(f.findChild<QAction*>("mnuorvanta")->text(), QString("Visit the Orvanta Software website "));
    }

    void storedGeometryIsMadeVisible_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QRect>("expected");
        const QSize screen(1024, 768);
        QTest::newRow("missing: full screen") << QStringList{"", "", "", ""} << QRect(0, 0, 1024, 768);
        QTest::newRow("stored") << QStringList{"1500", "750", "9000", "6000"} << QRect(100, 50, 600, 400);
        QTest::newRow("not numbers") << QStringList{"abc", "1e9", "wide", "?"} << QRect(0, 0, 1024, 768);
        QTest::newRow("negative") << QStringList{"-30000", "-15", "-9000", "-6000"} << QRect(0, 0, 320, 240);
        QTest::newRow("huge") << QStringList{"99999999", "99999999", "999999999", "9000"}
                              << QRect(0, 0, 1024, 600);
        QTest::newRow("off every screen") << QStringList{"60000", "60000", "9000", "6000"}
                                          << QRect(1024 - 600, 768 - 400, 600, 400);
    }
    void storedGeometryIsMadeVisible()
    {
        QFETCH(QStringList, values);
        QFETCH(QRect, expected);
        QCOMPARE(sanitizedGeometry(values[0], values[1], values[2], values[3], QSize(1024, 768)), expected);
    }

    void closingStoresGeometryUnlessMinimized()
    {
        Fixture fx;
        fx.t.screen->size = QSize(1024, 768);
        fx.t.settings->values["The Kel-Vardo Folivra/Settings/MainWidth"] = "9000";
        fx.t.settings->values["The Kel-Vardo Folivra/Settings/MainHeight"] = "6000";
        Form1& f = fx.openMain(fx.disc());
        f.move(30, 20);
        f.resize(640, 500);
        f.close();
        QCOMPARE(stored(fx, "MainLeft"), QString("450"));
        QCOMPARE(stored(fx, "MainTop"), QString("300"));
        QCOMPARE(stored(fx, "MainWidth"), QString("9600"));
        QCOMPARE(stored(fx, "MainHeight"), QString("7500"));
        QVERIFY(fx.t.media->log->last().endsWith("|close"));

        f.show();
        f.resize(700, 500);
        f.showMinimized();
        QTRY_VERIFY(f.isMinimized());
        f.close();
        QCOMPARE(stored(fx, "MainWidth"), QString("9600"));
    }

    void hideStatusBarToggle()
    {
        Fixture fx;
        fx.t.screen->size = QSize(1024, 768);
        Form1& f = fx.openMain(fx.disc());
        f.setWindowState(Qt::WindowNoState);
        f.resize(500, 400);
        ToggleTaskbar(*fx.c);
        QCOMPARE(f.mnuHideStatus->text(), QString("ShowStatusBar"));
        QCOMPARE(f.pos(), QPoint(0, 0));
        QCOMPARE(f.size(), QSize(1024, 768));
        QTest::qWait(50);
        QCOMPARE(f.mnuHideStatus->text(), QString("ShowStatusBar")); // its own resize keeps it hidden

        f.resize(900, 700); // the user drags the border
        QTRY_COMPARE(f.mnuHideStatus->text(), QString("HideStatusBar"));

        ToggleTaskbar(*fx.c);
        QCOMPARE(f.mnuHideStatus->text(), QString("ShowStatusBar"));
        ToggleTaskbar(*fx.c);
        QCOMPARE(f.mnuHideStatus->text(), QString("HideStatusBar"));
    }

    void topmostKeepsPlaceAndVisibility()
    {
        QWidget w;
        w.setGeometry(40, 50, 300, 200);
        w.show();
        SetTopmost(&w, true);
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QCOMPARE(w.geometry(), QRect(40, 50, 300, 200));
        SetTopmost(&w, false);
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QWidget hidden;
        SetTopmost(&hidden, true);
        QVERIFY(!hidden.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
