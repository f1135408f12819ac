// Booklet printing as the user meets it: the panel over the main window, the pages that reach
// the printer (a PDF read back with pdftotext), and the messages.

#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "platform/printer/pdf_inspect.h"
#include "print/booklet_panel.h"
#include "support/fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace kv;


namespace {
const QString Printed = QStringLiteral("Booklet printed!\r\n");

// One word per page: "a\page b" prints the words a and b on two pages.
QByteArray rtfPages(const QStringList& words)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " + words.join(QStringLiteral("\\page ")).toLatin1()
        + "\\par}";
}

struct Booklet
{
    Fixture fx;
    QString cd = fx.disc();

    Booklet()
    {
        fx.writePhotos(cd, {"55001.jpg"});
        for (const char* picture : {"/graphics/title.jpg", "/ClipArt/1957.jpg", "/graphics/bklettxt.jpg",
                                    "/graphics/orvanta3.jpg"})
            writePhoto(cd + QString::fromLatin1(picture));
        writeDoc("Introduction.rtf", {"IntroA", "IntroB"});
        for (const char* year : {"55", "56", "57"}) {
            for (const char* part : {"desc", "opts", "stats", "colors"})
                writeDoc(QString::fromLatin1(year) + part + ".rtf", {QStringLiteral("Doc%1%2").arg(year, part)});
        }
        // The year lists are filled as the splash tick fills them once the main window is open.
        fx.openMain(cd);
        fillYearLists(*fx.c);
        fx.c->form1->mnuPrnt->trigger();
    }
    void writeDoc(const QString& name, const QStringList& pages)
    {
        writeText(cd + "/richtext/" + name, rtfPages(pages));
    }
    BookletPanel& panel() { return bookletPanel(*fx.c); }
    void choose(const QList<int>& boxes, int from, int to)
    {
        for (int i : boxes)
            panel().Check1[i]->click();
        if (from >= 0)
            panel().List1[0]->setCurrentRow(from);
        if (to >= 0)
            panel().List1[1]->setCurrentRow(to);
    }
    void print() { QTest::mouseClick(panel().cmdPrint, Qt::LeftButton); }
    QString pdf() const { return fx.t.printer->path(); }
    // The words of each printed page, joined; "" for a page of pictures only.
    QStringList pages() const
    {
        QStringList result(test::pdfPageCount(pdf()), QString());
        for (const test::PdfWord& w : test::pdfWords(pdf()).words) {
            if (w.page >= 0 && w.page < result.size())
                result[w.page] += (result[w.page].isEmpty() ? QString() : QStringLiteral(" ")) + w.text;
        }
        return result;
    }
    QString lastBox() const { return fx.t.dialogs->lastText(); }
};

QStringList years(int from, int to, const QStringList& parts)
{
    QStringList docs;
    for (int y = from; y <= to; ++y) {
        for (const QString& p : parts)
            docs << QStringLiteral("Doc%1%2").arg(y).arg(p);
    }
    return docs;
}
} // namespace

class TestBooklet : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        if (!test::havePdfToText())
            QSKIP("pdftotext is not installed");
    }

    void panelOpensOverTheMainWindow()
    {
        Booklet b;
        BookletPanel& p = b.panel();
        Form1& f = *b.fx.c->form1;
        QVERIFY(p.pnlPrint->isVisible());
        QCOMPARE(p.pnlPrint->objectName(), QStringLiteral("pnlPrint"));
        QCOMPARE(p.pnlPrint->size(), QSize(401, 377));
        const int exitRight = f.cmdExit->mapTo(f.stage, QPoint(f.cmdExit->width(), 0)).x();
        QCOMPARE(p.pnlPrint->pos(), QPoint((exitRight - 401) / 2, f.Image4->y() + 5));
        QTRY_VERIFY(p.cmdOK->hasFocus());
        for (QListWidget* list : p.List1) {
            QCOMPARE(list->count(), 3);
            QCOMPARE(list->item(2)->text(), QStringLiteral("1957"));
            QVERIFY(list->selectedItems().isEmpty());
        }
        QVERIFY(!p.cmdPrint->isEnabled());
        for (int hidden : {2, 5, 6, 7})
            QVERIFY(!p.Check1[hidden]->isVisible());
        // Checking and unchecking one section follows the Print button.
        p.Check1[4]->click();
        QVERIFY(p.cmdPrint->isEnabled());
        p.Check1[4]->click();
        QVERIFY(!p.cmdPrint->isEnabled());
        p.cmdOK->click();
        QVERIFY(!p.pnlPrint->isVisible());
    }

    void pagesComeOutInOrder_data()
    {
        QTest::addColumn<QList<int>>("boxes");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("code"); // empty: "Booklet printed!"

        const QStringList all = {"desc", "opts", "stats", "colors"};
        QTest::newRow("1955 to 1957, description and details")
            << QList<int>{3, 4} << 0 << 2 << years(55, 57, all) << QString();
        QTest::newRow("one year") << QList<int>{3, 4} << 1 << 1 << years(56, 56, all) << QString();
        QTest::newRow("cover, then the introduction without an empty page")
            << QList<int>{0, 1} << -1 << -1 << QStringList{"", "IntroA", "IntroB"} << QString();
        QTest::newRow("only the cover") << QList<int>{0} << -1 << -1 << QStringList{""} << QString();
        QTest::newRow("everything") << QList<int>{0, 1, 3} << 1 << 2
                                    << QStringList{"", "IntroA", "IntroB", "Doc56desc", "Doc57desc"} << QString();
        QTest::newRow("To before From: ER036 after the cover and introduction")
            << QList<int>{0, 1, 3} << 2 << 0 << QStringList{"", "IntroA", "IntroB"} << "ER036";
        QTest::newRow("no years chosen: ER034 after the introduction")
            << QList<int>{1, 4} << 0 << -1 << QStringList{"IntroA", "IntroB"} << "ER034";
    }
    void pagesComeOutInOrder()
    {
        QFETCH(QList<int>, boxes);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, expected);
        QFETCH(QString, code);

        Booklet b;
        b.choose(boxes, from, to);
        b.print();
        QCOMPARE(b.pages(), expected);
        QCOMPARE(b.fx.t.printer->jobCount(), 1);
        QVERIFY(!b.fx.t.busy->isBusy());
        BookletPanel& p = b.panel();
        QVERIFY(p.pnlPrint->isVisible());
        if (code.isEmpty()) {
            QCOMPARE(b.lastBox(), Printed);
            QCOMPARE(b.fx.t.dialogs->boxes.last().icon, Icon::Exclamation);
            QCOMPARE(p.cmdPrint->text(), QStringLiteral("Print Again"));
            QCOMPARE(p.cmdOK->text(), QStringLiteral("Exit"));
        } else {
            QCOMPARE(b.lastBox(), errorMessageText(code));
            QCOMPARE(p.cmdPrint->text(), QStringLiteral("Print"));
        }
        // The choices stay for another try.
        for (int i : boxes)
            QVERIFY(p.Check1[i]->isChecked());
    }

    void missingDocumentStopsTheBookletKeepingThePagesSent()
    {
        Booklet b;
        QFile::remove(b.cd + "/richtext/56opts.rtf");
        b.choose({3, 4}, 0, 2);
        b.print();
        QCOMPARE(b.lastBox(), errorMessageText("ER040"));
        QCOMPARE(b.pages(), years(55, 55, {"desc", "opts", "stats", "colors"}) << "Doc56desc");
        QCOMPARE(b.panel().cmdPrint->text(), QStringLiteral("Print"));

        // The panel is still usable: with the file back, Print prints the whole booklet.
        b.writeDoc("56opts.rtf", {"Doc56opts"});
        b.print();
        QCOMPARE(b.lastBox(), Printed);
        QCOMPARE(b.pages().size(), 12);
    }

    void damagedPictureIsER040()
    {
        Booklet b;
        writePhoto(b.cd + "/graphics/bklettxt.jpg", "not a picture");
        b.choose({0, 1}, -1, -1);
        b.print();
        QCOMPARE(b.fx.c->state.ErrCode, QStringLiteral("ER040"));
        QCOMPARE(b.lastBox(), errorMessageText("ER040"));
    }

    void printerFailureIsNeverReportedAsPrinted_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("failAfter");
        QTest::newRow("no printer and no PDF file") << true << 0;
        QTest::newRow("printer stops after two pages") << false << 2;
    }
    void printerFailureIsNeverReportedAsPrinted()
    {
        QFETCH(bool, refuse);
        QFETCH(int, failAfter);
        Booklet b;
        b.fx.t.printer->setRefuseJobs(refuse);
        b.fx.t.printer->setFailAfterPages(failAfter);
        b.choose({1, 3}, 0, 2);
        b.print();
        QVERIFY(b.lastBox().startsWith(QStringLiteral("Unable to print the document.\r\n\r\n")));
        QCOMPARE(b.fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(b.panel().cmdPrint->text(), QStringLiteral("Print"));
        QVERIFY(!b.fx.t.busy->isBusy());
    }

    void clearAfterPrintingStartsOver()
    {
        Booklet b;
        b.choose({0}, 0, 1);
        b.print();
        BookletPanel& p = b.panel();
        QCOMPARE(p.cmdOK->text(), QStringLiteral("Exit"));
        p.SSCommand7->click();
        QCOMPARE(p.cmdPrint->text(), QStringLiteral("Print"));
        QCOMPARE(p.cmdOK->text(), QStringLiteral("Cancel"));
        QVERIFY(!p.cmdPrint->isEnabled());
        QVERIFY(!p.Check1[0]->isChecked());
        QVERIFY(p.List1[0]->selectedItems().isEmpty() && p.List1[1]->selectedItems().isEmpty());
        // Reopened after Exit, the panel starts over the same way.
        p.Check1[3]->click();
        p.cmdOK->click();
        b.fx.c->form1->mnuPrnt->trigger();
        QVERIFY(p.pnlPrint->isVisible());
        QVERIFY(!p.Check1[3]->isChecked());
        QVERIFY(!p.cmdPrint->isEnabled());
    }

    void printSetupOpensThePrinterDialog()
    {
        Booklet b;
        auto photo = new QWidget;
        b.fx.c->frmSSPhoto = photo;
        photo->show();
        b.fx.c->form1->mnuPrint->trigger();
        QCOMPARE(b.fx.t.printer->setupDialogCount(), 1);
        QVERIFY(!b.fx.c->frmSSPhoto);
    }
};

QTEST_MAIN(TestBooklet)
#include "test_booklet.moc"
