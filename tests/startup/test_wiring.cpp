// Every menu entry and button of the main window, pressed on the wired window: each must open
// its own window, panel or box, or make its own service call.
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "disc_generator.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace kv;

namespace {
// What pressing a control must bring up.
enum Opens
{
    Modal,      // a modal window: object name and title
    Window,     // a window left open: object name and title
    Panel,      // a panel of the main window, holding a control with this text (pictures: none)
    Shows,      // a control or menu entry that now reads this text
    Box,        // a message box whose first line is this
    WebPage,    // the shell opens this address
    Help,       // the help engine shows this file for the main window
    PrintSetup, // the printer set-up dialog
    Closes,     // the main window closes
};

const QString T7 = QStringLiteral("The Kel-Vardo Folivra       ");

// The parts of the sample disc the controls reach: every photo and text, the 1955 pages and
// artwork, and the film the movie window starts with.
void writeDisc(const QString& root)
{
    const QStringList parts = {"Murvos/", "richtext/", "ads/55gmch00", "brochures/55brch00", "ClipArt/1955",
                               "scripts/scri55", "emblems/emb55", "movies/55Motoramic"};
    for (const kvdisc::PlannedFile& file : kvdisc::planDisc()) {
        const bool wanted = std::any_of(parts.cbegin(), parts.cend(), [&](const QString& part) {
            return file.relPath.startsWith(part, Qt::CaseInsensitive);
        });
        if (wanted)
            writeText(root + QLatin1Char('/') + file.relPath, file.make());
    }
}

QString textOf(QObject* o)
{
    if (auto* action = qobject_cast<QAction*>(o))
        return action->text();
    if (auto* panel = qobject_cast<Panel3D*>(o))
        return panel->text();
    return o->property("text").toString();
}

void press(Form1& f, const QString& control)
{
    if (control == QLatin1String("SpinUp") || control == QLatin1String("SpinDown"))
        (control == QLatin1String("SpinUp") ? f.SpinButton1->upButton() : f.SpinButton1->downButton())->click();
    else if (auto* action = f.findChild<QAction*>(control))
        action->trigger();
    else if (auto* button = f.findChild<QAbstractButton*>(control))
        button->click();
    else
        QFAIL(qPrintable("no control " + control));
}

QWidget* openWindow(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}
} // namespace

class TestWiring : public QObject
{
    Q_OBJECT
    QTemporaryDir m_disc;

private slots:
    void initTestCase()
    {
        QVERIFY(m_disc.isValid());
        writeDisc(m_disc.path());
    }

    void pressingOpensItsOwnThing_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("yearFirst");
        QTest::addColumn<int>("opens");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        auto row = [](const char* control, bool yearFirst, Opens opens, const QString& name, const QString& caption) {
            QTest::newRow(control) << QString::fromLatin1(control) << yearFirst << int(opens) << name << caption;
        };
        const QString viewer = QStringLiteral("txtForm");
        // File
        row("mnuWallPaper", false, Modal, viewer, "The Kel-Vardo Folivra     Wallpaper Instructions");
        row("mnuCopyPhoto", false, Window, "frmSSPhoto", "The Kel-Vardo Folivra");
        row("mnuCopy", false, Panel, "pnlProgress", "Copy Photos");
        row("mnuRemove", false, Box, {}, "Would you like to remove all Kel-Vardo Folivra photos from your hard drive?");
        row("mnuCopyMovies", false, Panel, "pnlProgress", "Copy Movies");
        row("mnuRemoveMovies", false, Box, {}, "Would you like to remove all Kel-Vardo Folivra movies from your hard drive?");
        row("mnuSaver", false, Panel, "pnlSSaver", "Install");
        row("mnuVideo", false, Box, {}, "If you are experiencing difficulties running the Kel-Vardo movies,");
        row("mnuPrintPhoto", false, Box, {}, "Would you like to print this photograph?");
        row("mnuPrnt", false, Panel, "pnlPrint", "Print");
        row("mnuPrint", false, PrintSetup, {}, {});
        row("mnuCheckResolution", false, Box, {}, "Your current screen resolution is set at 800x600.");
        row("mnuNames", true, Shows, "txtFile", "55001.JPG");
        row("mnuExit", false, Closes, {}, {});
        // The menu bar's own entries
        row("mnuSound", false, Panel, "pnlSound", "Backfiring");
        row("mnuMovies", false, Modal, "frmMovie", "Kel-Vardo Movies");
        row("mnuUSA", false, Panel, "ssPnlSongs", "Play Song");
        row("mnuHideStatus", false, Shows, "mnuHideStatus", "ShowStatusBar");
        row("mnuMisc_1", false, Modal, viewer, T7 + "Advertising Checklist");
        row("mnuMisc_2", false, Modal, viewer, T7 + "Judging Outline");
        row("mnuMisc_3", false, Modal, viewer, T7 + "Nomads");
        row("mnuStuff_0", false, Shows, "panYear", "Kel-Vardo Matchbook Covers ");
        row("mnuStuff_1", false, Shows, "panYear", "Danbury Mint Die Cast Models ");
        row("mnuStuff_3", false, Shows, "panYear", "Franklin Mint Die Cast Models ");
        row("mnuStuff_5", false, Shows, "panYear", "Kel-Vardo Metal Signs ");
        row("mnuStuff_7", false, Shows, "panYear", "Kel-Vardo Postage Stamps ");
        // Help
        row("mnuContents", false, Help, "KelVardo.HLP", {});
        row("mnuorvanta", false, WebPage, {}, "https://www.orvanta.example/");
        row("mnuRegisterOL", false, WebPage, {}, "https://www.orvanta.example/register.htm");
        row("mnuRegister", false, Modal, viewer, "Orvanta Software Registration Form");
        row("mnuIntro", false, Modal, viewer, T7 + "Introduction");
        row("mnuNotice", false, Modal, viewer, T7 + "Notice");
        row("mnuCredits", false, Modal, viewer, T7 + "Credits");
        row("mnuContrib", false, Modal, viewer, T7 + "Contributions");
        row("mnuAbout", false, Modal, "frmAbout", "About the Kel-Vardo Folivra");
        row("mnuFind", false, Window, "frmFind", "Find");
        // Buttons
        row("cmdYR_1", false, Shows, "panYear", "1955");
        row("cmdYR_2", false, Shows, "panYear", "1956");
        row("cmdYR_3", false, Shows, "panYear", "1957");
        row("ssCmdSlide", false, Modal, "frmSlide", "The Kel-Vardo Folivra Slide Show");
        row("cmdExit", false, Closes, {}, {});
        row("SpinUp", true, Shows, "panPhoto", "2");
        row("SpinDown", true, Shows, "panPhoto", "6");
        row("cmdDesc", true, Modal, viewer, T7 + "1955 Description");
        row("cmdStats", true, Modal, viewer, T7 + "1955 Statistics");
        row("cmdColors", true, Modal, viewer, T7 + "1955 Colors");
        row("cmdOptions", true, Modal, viewer, T7 + "1955 Options");
        row("cmdModels", true, Modal, viewer, T7 + "1955 Murvo Models");
        row("cmdAd", true, Modal, "frmScroll", "The Kel-Vardo Folivra    1955 Advertisement");
        row("cmdClipArt", true, Panel, "picClipArt", {});
        row("cmdEmblem", true, Panel, "picEmblem", {});
        row("cmdScript", true, Panel, "picScript", {});
        row("cmdNostalgia", true, Modal, viewer, "The Kel-Vardo Folivra     Nostalgia 1955");
        row("cmdBrochure", true, Window, "frmScroll", "The Kel-Vardo Folivra    1955 Brochure & Manuals");
    }

    void pressingOpensItsOwnThing()
    {
        QFETCH(QString, control);
        QFETCH(bool, yearFirst);
        QFETCH(int, opens);
        QFETCH(QString, name);
        QFETCH(QString, caption);

        Fixture fx;
        QPointer<Form1> f = &fx.openMain(m_disc.path());
        if (yearFirst)
            f->cmdYR[1]->click();
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        fx.t.dialogs->answers = {No}; // questions are declined: nothing is removed or installed
        QSignalSpy closing(f.data(), &Form1::closing);

        // A modal window is looked at and closed from inside its own event loop.
        QString modalName, modalTitle;
        QTimer closer;
        closer.setInterval(20);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalName = modal->objectName();
                modalTitle = modal->windowTitle();
                closer.stop();
                modal->close();
            }
        });
        closer.start();
        press(*f, control);
        closer.stop();

        const auto& boxes = fx.t.dialogs->boxes;
        if (opens == Box) {
            QVERIFY(!boxes.isEmpty());
            QCOMPARE(boxes.first().text.section(QStringLiteral("\r\n"), 0, 0), caption);
            return;
        }
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.isEmpty() ? QString() : boxes.first().text));
        switch (opens) {
        case Modal:
            QCOMPARE(modalName, name);
            QCOMPARE(modalTitle, caption);
            break;
        case Window: {
            QWidget* w = openWindow(name);
            QVERIFY2(w, qPrintable(name));
            QCOMPARE(w->windowTitle(), caption);
            break;
        }
        case Panel: {
            auto* panel = f->findChild<QWidget*>(name);
            QVERIFY2(panel && panel->isVisible(), qPrintable(name));
            if (caption.isEmpty()) {
                QVERIFY(qobject_cast<PictureView*>(panel)->hasImage());
                break;
            }
            const QList<QWidget*> inside = panel->findChildren<QWidget*>();
            QVERIFY2(std::any_of(inside.cbegin(), inside.cend(), [&](QWidget* w) { return textOf(w) == caption; }),
                     qPrintable(caption));
            break;
        }
        case Shows: {
            QObject* o = f->findChild<QObject*>(name);
            QVERIFY2(o, qPrintable(name));
            if (auto* w = qobject_cast<QWidget*>(o))
                QVERIFY(w->isVisible());
            QCOMPARE(textOf(o), caption);
            break;
        }
        case WebPage:
            QCOMPARE(fx.t.shell->urls, QStringList{caption});
            break;
        case Help:
            QCOMPARE(fx.t.help->shown.size(), 1);
            QCOMPARE(QFileInfo(fx.t.help->shown.first().file).fileName(), name);
            QCOMPARE(fx.t.help->shown.first().owner.data(), f.data());
            break;
        case PrintSetup:
            QCOMPARE(fx.t.printer->setupDialogCount(), 1);
            break;
        case Closes:
            QCOMPARE(closing.count(), 1);
            QVERIFY(!f || !f->isVisible());
            break;
        default:
            QFAIL("unknown expectation");
        }
        if (opens != Modal)
            QVERIFY2(modalName.isEmpty(), qPrintable(modalName));
    }
};

QTEST_MAIN(TestWiring)
#include "test_wiring.moc"
