#include "platform/printer/pdf_printer.h"
#include "platform/richtext/print_rich_text.h"
#include "rtf_test_util.h"

#include "pdf_inspect.h"

#include <QFile>
#include <QImage>
#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using kv::PdfPrinter;
using kv::PrintRichText;
using kv::test::readDoc;

namespace {

constexpr int Inch = 1440;

// Paragraphs "Line 1 ..." to "Line n ...", each word unique so a PDF word finds its place.
QByteArray numberedLines(int n, const QByteArray &extra = {})
{
    QByteArray body = "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs24 ";
    for (int i = 1; i <= n; ++i)
        body += "Line" + QByteArray::number(i) + " of the printed document" + extra + "\\par ";
    return body + "}";
}

// The first word printed on each page, read back from the PDF.
QStringList firstWordsOfPages(const kv::test::PdfWords &pdf)
{
    QStringList first;
    for (const kv::test::PdfWord &w : pdf.words) {
        if (w.page >= first.size())
            first.resize(w.page + 1);
        if (first[w.page].isEmpty())
            first[w.page] = w.text;
    }
    return first;
}

QString wordAt(const QTextDocument &doc, int position)
{
    const QString text = doc.toPlainText().mid(position);
    return text.section(QRegularExpression(QStringLiteral("\\s")), 0, 0, QString::SectionSkipEmpty);
}

} // namespace

class TestPrintRichText : public QObject
{
    Q_OBJECT

private slots:
    void onePageDocumentGivesOnePage();
    void longDocumentFillsPagesInsideMargins();
    void exactlyFullPageHasNoEmptyTrailingPage();
    void pageBreakStartsANewPage();
    void tableAcrossPagesLosesNoCell();
    void picturesArePrinted();
    void refusedJobPrintsNothing();
    void marginsLeavingNoRoomFail();
    void oneJobPerCall();

private:
    QTemporaryDir m_dir;
};

void TestPrintRichText::onePageDocumentGivesOnePage()
{
    const QString pdf = m_dir.filePath(QStringLiteral("one.pdf"));
    PdfPrinter printer(pdf);
    const auto doc = readDoc(numberedLines(5));
    QList<int> starts;
    QCOMPARE(PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("Short"), &starts), 1);
    QCOMPARE(starts, QList<int>{0});
    QCOMPARE(kv::test::pdfPageCount(pdf), 1);
    QCOMPARE(printer.lastTitle(), QStringLiteral("Short"));
}

void TestPrintRichText::longDocumentFillsPagesInsideMargins()
{
    const QString pdf = m_dir.filePath(QStringLiteral("long.pdf"));
    PdfPrinter printer(pdf);
    const auto doc = readDoc(numberedLines(300));
    QList<int> starts;
    const int pages = PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("Long"), &starts);
    // About 40 lines of 12 pt fit on 9 inches of a Letter page.
    QVERIFY2(pages >= 5 && pages <= 12, qPrintable(QString::number(pages)));
    QCOMPARE(kv::test::pdfPageCount(pdf), pages);
    QCOMPARE(starts.size(), pages);
    for (int i = 1; i < starts.size(); ++i)
        QVERIFY(starts[i] > starts[i - 1]);

    if (!kv::test::havePdfToText())
        QSKIP("pdftotext is not installed; page contents not checked");
    const kv::test::PdfWords words = kv::test::pdfWords(pdf);
    QVERIFY(!words.words.isEmpty());
    const QRectF body(72, 72, words.pageSize.width() - 144, words.pageSize.height() - 144);
    for (const kv::test::PdfWord &w : words.words)
        QVERIFY2(body.adjusted(-1, -1, 1, 1).contains(w.box), qPrintable(w.text));

    // Each page begins with the first line that did not fit on the one before, and none is lost.
    const QStringList first = firstWordsOfPages(words);
    QCOMPARE(first.size(), pages);
    for (int p = 0; p < pages; ++p)
        QCOMPARE(first[p], wordAt(*doc, starts[p]));
    int lines = 0;
    for (const kv::test::PdfWord &w : words.words)
        lines += w.text.startsWith(u"Line");
    QCOMPARE(lines, 300);
}

void TestPrintRichText::exactlyFullPageHasNoEmptyTrailingPage()
{
    // Find the longest document that still fits on one page, then print it.
    PdfPrinter probe(m_dir.filePath(QStringLiteral("probe.pdf")));
    int lo = 1, hi = 200;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        const auto doc = readDoc(numberedLines(mid));
        if (PrintRichText(probe, *doc, Inch, Inch, Inch, Inch, QStringLiteral("probe")) == 1)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QString pdf = m_dir.filePath(QStringLiteral("full.pdf"));
    PdfPrinter printer(pdf);
    const auto full = readDoc(numberedLines(lo));
    QCOMPARE(PrintRichText(printer, *full, Inch, Inch, Inch, Inch, QStringLiteral("Full")), 1);
    QCOMPARE(kv::test::pdfPageCount(pdf), 1);

    const auto oneMore = readDoc(numberedLines(lo + 1));
    QList<int> starts;
    QCOMPARE(PrintRichText(printer, *oneMore, Inch, Inch, Inch, Inch, QStringLiteral("More"), &starts), 2);
    QCOMPARE(wordAt(*oneMore, starts[1]), QStringLiteral("Line%1").arg(lo + 1));
}

void TestPrintRichText::pageBreakStartsANewPage()
{
    const QString pdf = m_dir.filePath(QStringLiteral("break.pdf"));
    PdfPrinter printer(pdf);
    const auto doc = readDoc("{\\rtf1 First page\\par\\page Second page\\par}");
    QList<int> starts;
    QCOMPARE(PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("Break"), &starts), 2);
    QCOMPARE(wordAt(*doc, starts[1]), QStringLiteral("Second"));
    QCOMPARE(kv::test::pdfPageCount(pdf), 2);
}

void TestPrintRichText::tableAcrossPagesLosesNoCell()
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int r = 1; r <= 120; ++r)
        rtf += "\\trowd\\clbrdrb\\brdrs\\cellx3000\\cellx6000\\pard\\intbl Left" + QByteArray::number(r)
               + "\\cell Right" + QByteArray::number(r) + "\\cell\\row ";
    rtf += "\\pard After}";
    const auto doc = readDoc(rtf);
    const QString pdf = m_dir.filePath(QStringLiteral("table.pdf"));
    PdfPrinter printer(pdf);
    const int pages = PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("Table"));
    QVERIFY(pages >= 2);
    QCOMPARE(kv::test::pdfPageCount(pdf), pages);
    if (!kv::test::havePdfToText())
        QSKIP("pdftotext is not installed; page contents not checked");
    QStringList texts;
    for (const kv::test::PdfWord &w : kv::test::pdfWords(pdf).words)
        texts << w.text;
    for (int r = 1; r <= 120; ++r) {
        QCOMPARE(texts.count(QStringLiteral("Left%1").arg(r)), 1);
        QCOMPARE(texts.count(QStringLiteral("Right%1").arg(r)), 1);
    }
    QCOMPARE(texts.count(QStringLiteral("After")), 1);
}

void TestPrintRichText::picturesArePrinted()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const auto doc = readDoc("{\\rtf1 a{\\pict\\pngblip\\picwgoal1440\\pichgoal1440 " + png.toHex() + "}b}");
    const QString pdf = m_dir.filePath(QStringLiteral("picture.pdf"));
    PdfPrinter printer(pdf);
    QCOMPARE(PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("Picture")), 1);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("/Subtype /Image"));
}

void TestPrintRichText::refusedJobPrintsNothing()
{
    const QString pdf = m_dir.filePath(QStringLiteral("refused.pdf"));
    PdfPrinter printer(pdf);
    printer.setRefuseJobs(true);
    const auto doc = readDoc(numberedLines(3));
    QCOMPARE(PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("No")), -1);
    QVERIFY(!printer.lastError().isEmpty());
    QVERIFY(!QFile::exists(pdf));
}

void TestPrintRichText::marginsLeavingNoRoomFail()
{
    PdfPrinter printer(m_dir.filePath(QStringLiteral("margins.pdf")));
    const auto doc = readDoc(numberedLines(3));
    QCOMPARE(PrintRichText(printer, *doc, 6 * Inch, Inch, 6 * Inch, Inch, QStringLiteral("Narrow")), -1);
    QCOMPARE(printer.jobCount(), 0);
}

void TestPrintRichText::oneJobPerCall()
{
    PdfPrinter printer(m_dir.filePath(QStringLiteral("jobs.pdf")));
    const auto doc = readDoc(numberedLines(100));
    const int pages = PrintRichText(printer, *doc, Inch, Inch, Inch, Inch, QStringLiteral("Jobs"));
    QVERIFY(pages > 1);
    QCOMPARE(printer.jobCount(), 1);
    QCOMPARE(printer.pageCount(), pages);
}

QTEST_MAIN(TestPrintRichText)
#include "test_print_rich_text.moc"
