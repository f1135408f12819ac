#include "platform/printer/pdf_printer.h"
#include "platform/printer/qt_printer.h"

#include "pdf_inspect.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

using kv::PdfPrinter;
using kv::QtPrinter;

class TestPrinter : public QObject
{
    Q_OBJECT

private slots:
    void paperSize_data();
    void paperSize();
    void textAndPicturesLandAtTheirTwips();
    void endWithoutJobFails();
    void refusedJobWritesNothing_data();
    void refusedJobWritesNothing();
    void noPrinterAsksForPdf_data();
    void noPrinterAsksForPdf();

private:
    QTemporaryDir m_dir;
};

void TestPrinter::paperSize_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("letter") << int(QPageSize::Letter) << QRect(0, 0, 12240, 15840);
    QTest::newRow("A4") << int(QPageSize::A4) << QRect(0, 0, 11906, 16838);
}

void TestPrinter::paperSize()
{
    QFETCH(int, paper);
    QFETCH(QRect, twips);
    PdfPrinter printer(m_dir.filePath(QStringLiteral("size.pdf")), QPageSize(QPageSize::PageSizeId(paper)));
    QCOMPARE(printer.paperRectTwips(), twips);
}

void TestPrinter::textAndPicturesLandAtTheirTwips()
{
    const QString pdf = m_dir.filePath(QStringLiteral("draw.pdf"));
    PdfPrinter printer(pdf);
    QVERIFY(printer.beginJob(QStringLiteral("Photo")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12);
    printer.drawText(1440, 2880, QStringLiteral("Hello"), font); // 1 inch from the left, 2 from the top
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    printer.drawImage(QRect(1440, 4320, 2880, 1440), image);
    printer.newPage();
    printer.drawText(7200, 1440, QStringLiteral("Second"), font);
    QVERIFY(printer.endJob());
    QCOMPARE(printer.pageCount(), 2);
    QCOMPARE(kv::test::pdfPageCount(pdf), 2);

    if (!kv::test::havePdfToText())
        QSKIP("pdftotext is not installed; positions not checked");
    const kv::test::PdfWords words = kv::test::pdfWords(pdf);
    QCOMPARE(words.words.size(), 2);
    const kv::test::PdfWord hello = words.words[0];
    QCOMPARE(hello.text, QStringLiteral("Hello"));
    QCOMPARE(hello.page, 0);
    QVERIFY2(qAbs(hello.box.left() - 72) < 2 && qAbs(hello.box.top() - 144) < 3,
             qPrintable(QStringLiteral("%1,%2").arg(hello.box.left()).arg(hello.box.top())));
    const kv::test::PdfWord second = words.words[1];
    QCOMPARE(second.page, 1);
    QVERIFY(qAbs(second.box.left() - 360) < 2);
}

void TestPrinter::endWithoutJobFails()
{
    PdfPrinter printer(m_dir.filePath(QStringLiteral("none.pdf")));
    QVERIFY(!printer.endJob());
    QVERIFY(!printer.lastError().isEmpty());
    QCOMPARE(printer.painter(), nullptr);
}

void TestPrinter::refusedJobWritesNothing_data()
{
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<QString>("name");
    QTest::newRow("printer refuses") << true << QStringLiteral("refused.pdf");
    QTest::newRow("file cannot be written") << false << QStringLiteral("no/such/folder/x.pdf");
}

void TestPrinter::refusedJobWritesNothing()
{
    QFETCH(bool, refuse);
    QFETCH(QString, name);
    const QString pdf = m_dir.filePath(name);
    PdfPrinter printer(pdf);
    printer.setRefuseJobs(refuse);
    QVERIFY(!printer.beginJob(QStringLiteral("x")));
    QVERIFY(!printer.lastError().isEmpty());
    QCOMPARE(printer.painter(), nullptr);
    printer.drawText(0, 0, QStringLiteral("ignored"), QFont()); // harmless outside a job
    QVERIFY(!QFile::exists(pdf));
}

void TestPrinter::noPrinterAsksForPdf_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("user names a file") << true;
    QTest::newRow("user cancels") << false;
}

void TestPrinter::noPrinterAsksForPdf()
{
    QFETCH(bool, answer);
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("A printer is installed here; the PDF fallback is not used.");
    const QString pdf = m_dir.filePath(answer ? QStringLiteral("fallback.pdf") : QStringLiteral("cancel.pdf"));
    int asked = 0;
    QtPrinter printer([&] {
        ++asked;
        return answer ? pdf : QString();
    });
    QVERIFY(!printer.hasPrinter());
    const bool began = printer.beginJob(QStringLiteral("Doc"));
    QCOMPARE(asked, 1);
    QCOMPARE(began, answer);
    if (!answer) {
        QVERIFY(!printer.lastError().isEmpty());
        QVERIFY(!QFile::exists(pdf));
        return;
    }
    printer.drawText(1440, 1440, QStringLiteral("Fallback"), QFont());
    QVERIFY(printer.endJob());
    QCOMPARE(printer.lastPdfPath(), pdf);
    QCOMPARE(kv::test::pdfPageCount(pdf), 1);
}

QTEST_MAIN(TestPrinter)
#include "test_printer.moc"
