#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "browse/document_catalogue.h"
#include "browse/topic_selection.h"
#include "platform/printer/qt_printer.h"
#include "platform/richtext/print_rich_text.h"
#include "viewer_probe.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

using namespace kv;

namespace {
const QString Caption = "The Kel-Vardo Folivra       1956 Description";

QByteArray longRtf(int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 ";
    for (int i = 1; i <= paragraphs; ++i)
        rtf += "Paragraph " + QByteArray::number(i) + " of the long document, with enough words to fill a line.\\par ";
    return rtf + "}";
}

struct Viewer
{
    Fixture fx;
    QString disc;
    std::shared_ptr<PdfPrinter> printer;
    std::unique_ptr<TxtForm> form;

    explicit Viewer(const QByteArray& rtf = rtfSaying("A short document."))
    {
        disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "56001.jpg", "57001.jpg"});
        fx.openMain(disc);
        printer = std::make_shared<PdfPrinter>(fx.dir.path() + "/printed.pdf");
        fx.c->services.printer = printer;
        writeText(disc + "/richtext/doc.rtf", rtf);
        fx.c->state.DocTitle = Caption;
        // Opened non-modally so the test can drive it.
        form = std::make_unique<TxtForm>(*fx.c);
        if (!form->loadDocument(disc + "/richtext/doc.rtf"))
            qFatal("document did not load");
        form->show();
    }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
};
} // namespace

class TestDocumentViewer : public QObject
{
    Q_OBJECT
private slots:
    void layoutFollowsTheDesign()
    {
        Viewer v;
        TxtForm& f = *v.form;
        QCOMPARE(f.objectName(), QString("txtForm"));
        QCOMPARE(f.windowTitle(), Caption);
        QCOMPARE(f.size(), QSize(531, 456));
        // Centred on the 800 by 600 screen.
        QCOMPARE(f.pos(), QPoint((800 - 531) / 2, (600 - 456) / 2));
        QCOMPARE(f.rtbText->geometry(), QRect(8, 8, 513, 409));
        QCOMPARE(f.cmdPrint->geometry(), QRect(496, 424, 25, 25));
        QCOMPARE(f.SSCommand1->geometry(), QRect(8, 424, 488, 25));
        QCOMPARE(f.cmdPrint->geometry().right(), f.rtbText->geometry().right());
        QVERIFY(f.cmdPrint->text().isEmpty());
        QVERIFY(!f.cmdPrint->icon().isNull());
        QCOMPARE(f.SSCommand1->text(), QString("OK"));
        QCOMPARE(f.rtbText->objectName(), QString("rtbText"));
        QCOMPARE(f.SSCommand1->objectName(), QString("SSCommand1"));
        QCOMPARE(f.cmdPrint->objectName(), QString("cmdPrint"));
        f.activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.SSCommand1));
    }

    void printQuestionShowsTheCaption_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("jobs");
        QTest::newRow("yes") << int(Yes) << 1;
        QTest::newRow("no") << int(No) << 0;
    }
    void printQuestionShowsTheCaption()
    {
        QFETCH(int, answer);
        QFETCH(int, jobs);
        Viewer v;
        v.dialogs().answers = {answer};
        v.form->cmdPrint->click();
        const auto& question = v.dialogs().boxes.first();
        QCOMPARE(question.text, "Would you like to print the \r\n\r\n" + Caption + "?");
        QCOMPARE(question.buttons, Buttons::YesNo);
        QCOMPARE(question.icon, Icon::Question);
        QCOMPARE(question.title, QString("The Kel-Vardo Folivra"));
        QCOMPARE(v.fx.c->state.MsgText, question.text);
        QCOMPARE(v.fx.c->state.MsgAnswer, QString::number(answer));
        QCOMPARE(v.printer->jobCount(), jobs);
        QCOMPARE(QFile::exists(v.printer->path()), jobs > 0);
        if (jobs == 0) {
            QCOMPARE(v.dialogs().boxes.size(), 1);
        } else {
            QCOMPARE(v.dialogs().boxes.size(), 2);
            QCOMPARE(v.dialogs().lastText(), QString("Printing complete!"));
            QCOMPARE(v.dialogs().boxes.last().icon, Icon::Exclamation);
            QCOMPARE(v.printer->pageCount(), 1);
            QCOMPARE(v.printer->lastTitle(), Caption);
        }
        QVERIFY(v.form->isVisible());
        QVERIFY(!v.fx.t.busy->isBusy());
    }

    void longDocumentPrintsOnSeveralPages()
    {
        Viewer v(longRtf(150));
        v.form->cmdPrint->click();
        QCOMPARE(v.dialogs().lastText(), QString("Printing complete!"));
        const int pages = v.printer->pageCount();
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));

        // Every page starts further on than the one before, and the last one still has text.
        PdfPrinter again(v.fx.dir.path() + "/again.pdf");
        QList<int> starts;
        QCOMPARE(PrintRichText(again, *v.form->rtbText->document(), 1440, 1440, 1440, 1440, Caption, &starts), pages);
        QCOMPARE(starts.size(), pages);
        for (int i = 1; i < starts.size(); ++i)
            QVERIFY(starts.at(i) > starts.at(i - 1));
        QVERIFY(starts.last() < v.form->rtbText->document()->characterCount() - 1);
    }

    void printFailureKeepsTheViewerOpen_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("noPrinter");
        QTest::newRow("printer refuses the job") << true << false;
        QTest::newRow("file cannot be written") << false << false;
        QTest::newRow("no printer service") << false << true;
    }
    void printFailureKeepsTheViewerOpen()
    {
        QFETCH(bool, refuse);
        QFETCH(bool, noPrinter);
        Viewer v;
        if (refuse)
            v.printer->setRefuseJobs(true);
        else if (noPrinter)
            v.fx.c->services.printer.reset();
        else
            v.fx.c->services.printer = std::make_shared<PdfPrinter>(v.fx.dir.path() + "/no/such/folder/x.pdf");
        v.form->cmdPrint->click();
        QCOMPARE(v.dialogs().boxes.size(), 2);
        QVERIFY(v.dialogs().lastText().startsWith("Unable to print the document."));
        QCOMPARE(v.dialogs().boxes.last().icon, Icon::Critical);
        QVERIFY(v.form->isVisible());
        QVERIFY(!v.fx.t.busy->isBusy());
    }

    void cancellingThePdfQuestionSaysNothing()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("A printer is installed here; no PDF file is asked for.");
        Viewer v;
        int asked = 0;
        v.fx.c->services.printer = std::make_shared<QtPrinter>([&] {
            ++asked;
            return QString(); // the file dialog cancelled
        });
        v.form->cmdPrint->click();
        QCOMPARE(asked, 1);
        QCOMPARE(v.dialogs().boxes.size(), 1); // the print question only
        QVERIFY(v.form->isVisible());
        QVERIFY(!v.fx.t.busy->isBusy());
    }

    void okAndDoubleClickClose_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("OK") << false;
        QTest::newRow("double click") << true;
    }
    void okAndDoubleClickClose()
    {
        QFETCH(bool, doubleClick);
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "56001.jpg", "57001.jpg"});
        Form1& f = fx.openMain(disc);
        f.activateWindow();
        writeText(disc + "/richtext/56desc.rtf", rtfSaying("Words to click on."));
        cmdYR_Click(*fx.c, 2);
        f.cmdYR[1]->setFocus();
        const ViewerSeen seen = runWithViewer(fx, [&] { cmdDesc_Click(*fx.c); }, [&](TxtForm& viewer) {
            QVERIFY(!f.isActiveWindow() || viewer.isActiveWindow());
            if (doubleClick)
                QTest::mouseDClick(viewer.rtbText->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        });
        QCOMPARE(seen.opened, 1);
        QVERIFY(fx.c->txtForm.isNull());
        QVERIFY(f.isEnabled());
        QTRY_COMPARE(f.focusedYearButton(), 3);
    }

    void choosingAYearClosesTheViewer()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "56001.jpg", "57001.jpg"});
        Form1& f = fx.openMain(disc);
        writeText(disc + "/richtext/notice.rtf", rtfSaying("Notice"));
        const ViewerSeen seen = runWithViewer(fx, [&] { mnuNotice_Click(*fx.c); },
                                              [&](TxtForm&) { cmdYR_Click(*fx.c, 1); });
        QCOMPARE(seen.opened, 1);
        QVERIFY(fx.c->txtForm.isNull());
        QCOMPARE(f.panYear->text(), QString("1955"));
    }

    void openingClosesThePhotoWindow_data()
    {
        QTest::addColumn<bool>("fromIntroMenu");
        QTest::newRow("any document") << false;
        QTest::newRow("introduction menu, document missing") << true;
    }
    void openingClosesThePhotoWindow()
    {
        QFETCH(bool, fromIntroMenu);
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg"});
        fx.openMain(disc);
        writeText(disc + "/richtext/credits.rtf", rtfSaying("Credits"));
        QPointer<QWidget> photo = new QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        photo->setObjectName("frmSSPhoto");
        photo->show();
        fx.c->frmSSPhoto = photo.data();
        bool photoOpenWithViewer = false;
        const ViewerSeen seen = runWithViewer(fx, [&] { fromIntroMenu ? mnuIntro_Click(*fx.c) : mnuCredits_Click(*fx.c); },
                      [&](TxtForm&) { photoOpenWithViewer = photo && photo->isVisible(); });
        QCOMPARE(seen.opened, fromIntroMenu ? 0 : 1);
        QVERIFY(!photoOpenWithViewer);
        QVERIFY(fx.c->frmSSPhoto.isNull());
        QTRY_VERIFY(photo.isNull());
    }
};

QTEST_MAIN(TestDocumentViewer)
#include "test_document_viewer.moc"
