#include "rtf_test_util.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>

using kv::test::readDoc;
using kv::test::rtfDocument;

namespace {

QVariant charProperty(const QTextCharFormat &f, const QString &name)
{
    if (name == u"bold")
        return f.fontWeight() >= QFont::Bold;
    if (name == u"italic")
        return f.fontItalic();
    if (name == u"underline")
        return int(f.underlineStyle());
    if (name == u"strike")
        return f.fontStrikeOut();
    if (name == u"points")
        return f.fontPointSize();
    if (name == u"family")
        return f.fontFamilies().toStringList().value(0);
    if (name == u"foreground")
        return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString();
    if (name == u"background")
        return f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : QString();
    if (name == u"valign")
        return int(f.verticalAlignment());
    if (name == u"caps")
        return int(f.fontCapitalization());
    if (name == u"href")
        return f.isAnchor() ? f.anchorHref() : QString();
    return {};
}

QVariant blockProperty(const QTextBlockFormat &f, const QString &name)
{
    if (name == u"align")
        return int(f.alignment() & Qt::AlignHorizontal_Mask);
    if (name == u"left")
        return f.leftMargin();
    if (name == u"right")
        return f.rightMargin();
    if (name == u"indent")
        return f.textIndent();
    if (name == u"before")
        return f.topMargin();
    if (name == u"after")
        return f.bottomMargin();
    if (name == u"line") {
        if (f.lineHeightType() == QTextBlockFormat::SingleHeight)
            return QStringLiteral("single");
        return QStringLiteral("%1:%2").arg(f.lineHeightType()).arg(f.lineHeight());
    }
    if (name == u"tabs") {
        QStringList out;
        for (const QTextOption::Tab &t : f.tabPositions())
            out << QStringLiteral("%1%2").arg(t.position).arg(t.type == QTextOption::RightTab    ? "R"
                                                               : t.type == QTextOption::CenterTab ? "C"
                                                               : t.type == QTextOption::DelimiterTab ? "D"
                                                                                                    : "L");
        return out.join(u' ');
    }
    if (name == u"pagebreak")
        return bool(f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    return {};
}

QByteArray hexOf(const QByteArray &bytes)
{
    QByteArray hex = bytes.toHex();
    for (qsizetype i = 128; i < hex.size(); i += 129)
        hex.insert(i, '\n'); // writers wrap picture data
    return hex;
}

QByteArray encodedImage(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QTextTable *firstTable(const QTextDocument &doc)
{
    for (QTextFrame *f : doc.rootFrame()->childFrames())
        if (auto *t = qobject_cast<QTextTable *>(f))
            return t;
    return nullptr;
}

QList<QTextImageFormat> imagesIn(const QTextDocument &doc)
{
    QList<QTextImageFormat> images;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images << it.fragment().charFormat().toImageFormat();
    return images;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void characterFormatting_data();
    void characterFormatting();
    void paragraphFormatting_data();
    void paragraphFormatting();
    void tabsLandWhereWritten_data();
    void tabsLandWhereWritten();
    void text_data();
    void text();
    void paragraphsAndBreaks_data();
    void paragraphsAndBreaks();
    void notRtfLeavesDocumentAlone();
    void defaultTabStops();
    void simpleTable();
    void tableRowsGrowAndShrink();
    void columnWidthsFollowTheColumns();
    void mergedCells();
    void nestedTable();
    void longTableKeepsEveryRowInOrder();
    void textAfterTableLeavesIt();
    void picture_data();
    void picture();
    void unsupportedPictureIsSkippedCleanly();
    void hyperlinkField();
    void unreadableFileFails();
};

// Each row: RTF body, the marker text to inspect, the property, its expected value.
void TestRtfReader::characterFormatting_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("bold") << QByteArray("plain {\\b X} plain") << "X" << "bold" << QVariant(true);
    QTest::newRow("bold off by b0") << QByteArray("\\b a\\b0 X") << "X" << "bold" << QVariant(false);
    QTest::newRow("bold ends with its group") << QByteArray("{\\b a}X") << "X" << "bold" << QVariant(false);
    QTest::newRow("italic") << QByteArray("\\i X") << "X" << "italic" << QVariant(true);
    QTest::newRow("underline") << QByteArray("\\ul X") << "X" << "underline"
                               << QVariant(int(QTextCharFormat::SingleUnderline));
    QTest::newRow("ulnone ends underline") << QByteArray("\\ul a\\ulnone X") << "X" << "underline"
                                           << QVariant(int(QTextCharFormat::NoUnderline));
    QTest::newRow("ul0 ends underline") << QByteArray("\\ul a\\ul0 X") << "X" << "underline"
                                        << QVariant(int(QTextCharFormat::NoUnderline));
    QTest::newRow("wave underline") << QByteArray("\\ulwave X") << "X" << "underline"
                                    << QVariant(int(QTextCharFormat::WaveUnderline));
    QTest::newRow("strike") << QByteArray("\\strike X") << "X" << "strike" << QVariant(true);
    QTest::newRow("size in half points") << QByteArray("\\fs36 X") << "X" << "points" << QVariant(18.0);
    QTest::newRow("odd half points") << QByteArray("\\fs23 X") << "X" << "points" << QVariant(11.5);
    QTest::newRow("default size") << QByteArray("X") << "X" << "points" << QVariant(12.0);
    QTest::newRow("absurd size is capped") << QByteArray("\\fs999999999 X") << "X" << "points" << QVariant(1638.0);
    QTest::newRow("negative size is the default") << QByteArray("\\fs-40 X") << "X" << "points" << QVariant(12.0);
    QTest::newRow("font family") << QByteArray("\\f3 X") << "X" << "family" << QVariant(QStringLiteral("Courier New"));
    QTest::newRow("default font") << QByteArray("X") << "X" << "family" << QVariant(QStringLiteral("Arial"));
    QTest::newRow("foreground colour") << QByteArray("\\cf1 X") << "X" << "foreground" << QVariant(QStringLiteral("#ff0000"));
    QTest::newRow("cf0 is automatic") << QByteArray("\\cf1 a\\cf0 X") << "X" << "foreground" << QVariant(QString());
    QTest::newRow("colour beyond the table") << QByteArray("\\cf99 X") << "X" << "foreground" << QVariant(QString());
    QTest::newRow("background colour") << QByteArray("\\cb2 X") << "X" << "background" << QVariant(QStringLiteral("#0000ff"));
    QTest::newRow("highlight") << QByteArray("\\highlight3 X") << "X" << "background" << QVariant(QStringLiteral("#ffff00"));
    QTest::newRow("highlight0 clears") << QByteArray("\\highlight3 a\\highlight0 X") << "X" << "background" << QVariant(QString());
    QTest::newRow("superscript") << QByteArray("\\super X") << "X" << "valign"
                                 << QVariant(int(QTextCharFormat::AlignSuperScript));
    QTest::newRow("subscript") << QByteArray("\\sub X") << "X" << "valign" << QVariant(int(QTextCharFormat::AlignSubScript));
    QTest::newRow("nosupersub") << QByteArray("\\super a\\nosupersub X") << "X" << "valign"
                                << QVariant(int(QTextCharFormat::AlignNormal));
    QTest::newRow("caps") << QByteArray("\\caps X") << "X" << "caps" << QVariant(int(QFont::AllUppercase));
    QTest::newRow("small caps") << QByteArray("\\scaps X") << "X" << "caps" << QVariant(int(QFont::SmallCaps));
    QTest::newRow("plain resets all") << QByteArray("\\b\\i\\fs40\\f3\\cf1 a\\plain X") << "X" << "bold" << QVariant(false);
    QTest::newRow("plain resets size") << QByteArray("\\fs40 a\\plain X") << "X" << "points" << QVariant(12.0);
    QTest::newRow("plain restores default font") << QByteArray("\\f3 a\\plain X") << "X" << "family"
                                                 << QVariant(QStringLiteral("Arial"));
    QTest::newRow("skipped group keeps formatting") << QByteArray("\\b {\\*\\unknown \\b0 junk}X") << "X" << "bold"
                                                    << QVariant(true);
}

void TestRtfReader::characterFormatting()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, marker);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);

    const auto doc = readDoc(rtfDocument(body));
    const QTextCursor found = doc->find(marker);
    QVERIFY2(!found.isNull(), qPrintable(doc->toPlainText()));
    QCOMPARE(charProperty(found.charFormat(), property), expected);
}

void TestRtfReader::paragraphFormatting_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("left") << QByteArray("\\ql X\\par") << "X" << "align" << QVariant(int(Qt::AlignLeft));
    QTest::newRow("centre") << QByteArray("\\qc X\\par") << "X" << "align" << QVariant(int(Qt::AlignHCenter));
    QTest::newRow("right") << QByteArray("\\qr X\\par") << "X" << "align" << QVariant(int(Qt::AlignRight));
    QTest::newRow("justify") << QByteArray("\\qj X\\par") << "X" << "align" << QVariant(int(Qt::AlignJustify));
    QTest::newRow("alignment given after the text") << QByteArray("X\\qc\\par") << "X" << "align"
                                                    << QVariant(int(Qt::AlignHCenter));
    QTest::newRow("pard resets") << QByteArray("\\qc a\\par\\pard X\\par") << "X" << "align" << QVariant(int(Qt::AlignLeft));
    QTest::newRow("properties carry to the next paragraph") << QByteArray("\\qr a\\par X\\par") << "X" << "align"
                                                            << QVariant(int(Qt::AlignRight));
    QTest::newRow("last paragraph without par") << QByteArray("\\qc X") << "X" << "align" << QVariant(int(Qt::AlignHCenter));
    QTest::newRow("left indent") << QByteArray("\\li1440 X\\par") << "X" << "left" << QVariant(96.0);
    QTest::newRow("right indent") << QByteArray("\\ri720 X\\par") << "X" << "right" << QVariant(48.0);
    QTest::newRow("hanging first line") << QByteArray("\\li720\\fi-360 X\\par") << "X" << "indent" << QVariant(-24.0);
    QTest::newRow("space before") << QByteArray("\\sb240 X\\par") << "X" << "before" << QVariant(16.0);
    QTest::newRow("space after") << QByteArray("\\sa120 X\\par") << "X" << "after" << QVariant(8.0);
    QTest::newRow("absurd indent is capped") << QByteArray("\\li2147483647 X\\par") << "X" << "left" << QVariant(2112.0);
    QTest::newRow("negative left indent is none") << QByteArray("\\li-500 X\\par") << "X" << "left" << QVariant(0.0);
    QTest::newRow("line spacing at least")
        << QByteArray("\\sl360 X\\par") << "X" << "line"
        << QVariant(QStringLiteral("%1:24").arg(int(QTextBlockFormat::MinimumHeight)));
    QTest::newRow("line spacing exactly")
        << QByteArray("\\sl-300 X\\par") << "X" << "line"
        << QVariant(QStringLiteral("%1:20").arg(int(QTextBlockFormat::FixedHeight)));
    QTest::newRow("line spacing multiple")
        << QByteArray("\\sl360\\slmult1 X\\par") << "X" << "line"
        << QVariant(QStringLiteral("%1:150").arg(int(QTextBlockFormat::ProportionalHeight)));
    QTest::newRow("single spacing") << QByteArray("X\\par") << "X" << "line" << QVariant(QStringLiteral("single"));
    QTest::newRow("tab stops by kind") << QByteArray("\\tx720\\tqr\\tx2880\\tqc\\tx1440\\tqdec\\tx4320 X\\par") << "X"
                                       << "tabs" << QVariant(QStringLiteral("48L 96C 192R 288D"));
    QTest::newRow("page break before paragraph") << QByteArray("a\\par\\pagebb X\\par") << "X" << "pagebreak"
                                                 << QVariant(true);
    QTest::newRow("page word breaks before the next text") << QByteArray("a\\page X") << "X" << "pagebreak"
                                                           << QVariant(true);
    QTest::newRow("page right after a table") << QByteArray("\\trowd\\cellx900\\intbl t\\cell\\row\\pard\\page X")
                                              << "X" << "pagebreak" << QVariant(true);
}

// Laid out: where the text after a tab starts, in pixels from the margin (RTF's tab origin).
void TestRtfReader::tabsLandWhereWritten_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<qreal>("x");
    QTest::addColumn<qreal>("wrapped"); // where the later lines start; 0 when there are none
    const QByteArray words = QByteArray("words ").repeated(40);
    QTest::newRow("bullet on a hanging indent, at the wrapped lines' start")
        << "\\li720\\fi-360 \\'95\\tab Marker " + words + "\\par" << 48.0 << 48.0;
    QTest::newRow("number on a hanging indent with its own stop")
        << "\\li1440\\fi-720\\tx1080 1.\\tab Marker " + words + "\\par" << 72.0 << 96.0;
    QTest::newRow("stop in an indented paragraph") << QByteArray("\\li720\\tx1440 a\\tab Marker\\par") << 96.0 << 0.0;
    QTest::newRow("stop without indent") << QByteArray("\\tx1440 a\\tab Marker\\par") << 96.0 << 0.0;
}

void TestRtfReader::tabsLandWhereWritten()
{
    QFETCH(QByteArray, body);
    QFETCH(qreal, x);
    QFETCH(qreal, wrapped);
    const auto doc = readDoc(rtfDocument(body));
    doc->setTextWidth(500);
    doc->size(); // lays it out
    const QTextCursor found = doc->find(QStringLiteral("Marker"));
    QVERIFY(!found.isNull());
    const QTextBlock block = found.block();
    const QTextLayout *layout = block.layout();
    const int at = found.selectionStart() - block.position();
    const QTextLine line = layout->lineForTextPosition(at);
    QCOMPARE(line.lineNumber(), 0);
    const qreal drawnAt = layout->position().x() + line.cursorToX(at) - doc->documentMargin();
    QVERIFY2(qAbs(drawnAt - x) < 1, qPrintable(QString::number(drawnAt)));
    if (wrapped > 0) {
        QVERIFY(layout->lineCount() > 1);
        QCOMPARE(layout->position().x() + layout->lineAt(1).x() - doc->documentMargin(), wrapped);
    }
}

void TestRtfReader::paragraphFormatting()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, marker);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);

    const auto doc = readDoc(rtfDocument(body));
    const QTextCursor found = doc->find(marker);
    QVERIFY2(!found.isNull(), qPrintable(doc->toPlainText()));
    QCOMPARE(blockProperty(found.blockFormat(), property), expected);
}

// Plain text that must come out of the RTF.
void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    // special characters
    QTest::newRow("escaped braces and backslash") << rtfDocument("\\{a\\}\\\\") << "{a}\\";
    QTest::newRow("named punctuation")
        << rtfDocument("\\lquote a\\rquote \\ldblquote b\\rdblquote \\emdash\\endash\\bullet")
        << QString::fromUtf8("‘a’“b”—–•");
    QTest::newRow("non-breaking space, soft and hard hyphen")
        << rtfDocument("a\\~b\\-c\\_d") << QString::fromUtf8("a\u00A0b\u00ADc\u2011d");
    QTest::newRow("tab and line break") << rtfDocument("a\\tab b\\line c") << QString::fromUtf8("a\tb\u2028c");
    QTest::newRow("line ends in the source are not text") << rtfDocument("a\r\nb\nc") << "abc";
    QTest::newRow("space after a control word is its delimiter") << rtfDocument("\\b word") << "word";

    // code pages
    QTest::newRow("windows-1252 by default") << rtfDocument("\\'e9t\\'e9 \\'80 \\'93q\\'94")
                                             << QString::fromUtf8("été € “q”");
    QTest::newRow("font charset picks Cyrillic") << rtfDocument("\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2")
                                                 << QString::fromUtf8("Привет");
    QTest::newRow("font charset picks Central European") << rtfDocument("\\f5 \\'9a\\'e8") << QString::fromUtf8("šč");
    QTest::newRow("double-byte Shift-JIS") << rtfDocument("\\f4 \\'93\\'fa\\'96\\'7b") << QString::fromUtf8("日本");
    QTest::newRow("ansicpg sets the document code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}") << QString::fromUtf8("Да");
    QTest::newRow("Thai code page 874") << QByteArray("{\\rtf1\\ansi\\ansicpg874 \\'a1\\'d2}") << QString::fromUtf8("กา");
    QTest::newRow("Symbol font bytes") << rtfDocument("{\\f2 \\'b7 a\\'b3}") << QString::fromUtf8("• α≥");
    QTest::newRow("Symbol font private-use unicode") << rtfDocument("{\\f2 \\u-3913?}") << QString::fromUtf8("•");
    QTest::newRow("unknown code page reads as 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg99999 \\'e9}")
                                                     << QString::fromUtf8("é");

    // unicode
    QTest::newRow("u with fallback skipped") << rtfDocument("\\u1046?\\u1072?") << QString::fromUtf8("Жа");
    QTest::newRow("negative u") << rtfDocument("\\u-200?") << QString(QChar(0xFF38));
    QTest::newRow("private-use bullet in a text font") << rtfDocument("\\u-3913?") << QString::fromUtf8("•");
    QTest::newRow("uc2 skips two fallback bytes") << rtfDocument("\\uc2\\u26085\\'93\\'fa!") << QString::fromUtf8("日!");
    QTest::newRow("uc0 skips nothing") << rtfDocument("\\uc0\\u233 x") << QString::fromUtf8("éx");
    QTest::newRow("fallback counts a hex escape as one") << rtfDocument("\\u233\\'e9x") << QString::fromUtf8("éx");
    QTest::newRow("fallback stops at the group end") << rtfDocument("{\\uc5\\u233}xy") << QString::fromUtf8("éxy");
    QTest::newRow("uc is scoped to its group") << rtfDocument("{\\uc3 a}\\u233?b") << QString::fromUtf8("aéb");
    QTest::newRow("huge uc is bounded") << rtfDocument("{\\uc2147483647\\u233 abc} after")
                                        << QString::fromUtf8("é after");
    QTest::newRow("surrogate pair") << rtfDocument("\\u-10179?\\u-9047?") << QString::fromUtf8("💩");
    QTest::newRow("lone surrogate becomes replacement") << rtfDocument("a\\u-10179?b") << QString::fromUtf8("a\uFFFDb");
    QTest::newRow("out of range u") << rtfDocument("\\u99999?x") << QString::fromUtf8("\uFFFDx");

    // destinations that are not body text
    QTest::newRow("font and colour tables") << rtfDocument("body") << "body";
    QTest::newRow("info") << rtfDocument("{\\info{\\title T}{\\author A}}body") << "body";
    QTest::newRow("stylesheet") << rtfDocument("{\\stylesheet{\\s1 heading 1;}}body") << "body";
    QTest::newRow("header and footer") << rtfDocument("{\\header H}{\\footerl F}body") << "body";
    QTest::newRow("unknown starred destination") << rtfDocument("{\\*\\foo {nested} x}body") << "body";
    QTest::newRow("starred destination with binary")
        << rtfDocument(QByteArray("{\\*\\blob \\bin4 }}{{}body")) << "body";
    QTest::newRow("unknown plain word is ignored") << rtfDocument("\\zzz body") << "body";
    QTest::newRow("footnote") << rtfDocument("a{\\footnote note}b") << "ab";
    QTest::newRow("hidden text") << rtfDocument("a{\\v hidden}b") << "ab";
    QTest::newRow("bookmark") << rtfDocument("a{\\*\\bkmkstart m}b") << "ab";
    QTest::newRow("list text is shown") << rtfDocument("{\\listtext \\'95\\tab}item") << QString::fromUtf8("•\titem");
    QTest::newRow("legacy numbering keeps its text") << rtfDocument("{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}item")
                                                     << QString::fromUtf8("1.\titem");
    QTest::newRow("field shows its result") << rtfDocument("{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}") << "7";
    QTest::newRow("object shows its result")
        << rtfDocument("{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result r}}") << "r";
    QTest::newRow("shape text is not body text")
        << rtfDocument("{\\shp{\\*\\shpinst{\\sp{\\sn t}{\\sv 1}}}{\\shprslt shown}}") << "shown";
    QTest::newRow("alternative picture is skipped") << rtfDocument("{\\*\\shppict x}{\\nonshppict y}") << "x";
    QTest::newRow("nested rtf group") << rtfDocument("{\\rtf1 inner} outer") << "inner outer";
    QTest::newRow("text after the last brace is ignored") << QByteArray("{\\rtf1 a}trailing") << "a";
    QTest::newRow("backslash line end is a paragraph") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb";
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    const auto doc = readDoc(rtf);
    // Raw text keeps no-break spaces and line separators as they are.
    QCOMPARE(doc->toRawText().replace(QChar::ParagraphSeparator, u'\n'), expected);
}

void TestRtfReader::paragraphsAndBreaks_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<QString>("text");

    QTest::newRow("final par adds no empty paragraph") << QByteArray("a\\par") << 1 << "a";
    QTest::newRow("two paragraphs") << QByteArray("a\\par b") << 2 << "a\nb";
    QTest::newRow("empty paragraph kept in between") << QByteArray("a\\par\\par b\\par") << 3 << "a\n\nb";
    QTest::newRow("sect ends a paragraph") << QByteArray("a\\sect b") << 2 << "a\nb";
}

void TestRtfReader::paragraphsAndBreaks()
{
    QFETCH(QByteArray, body);
    QFETCH(int, blocks);
    QFETCH(QString, text);
    const auto doc = readDoc(rtfDocument(body));
    QCOMPARE(doc->toPlainText(), text);
    QCOMPARE(doc->blockCount(), blocks);
}

void TestRtfReader::notRtfLeavesDocumentAlone()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("before"));
    QVERIFY(!kv::readRtf("plain text", &doc));
    QVERIFY(!kv::readRtf("\\foobar", &doc));
    QVERIFY(!kv::readRtf("", &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("before"));
    QVERIFY(kv::readRtf("\xEF\xBB\xBF \r\n{\\rtf1 x}", &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("x"));
}

void TestRtfReader::defaultTabStops()
{
    QTextDocument doc;
    QVERIFY(kv::readRtf("{\\rtf1\\deftab1440 a}", &doc));
    QCOMPARE(doc.defaultTextOption().tabStopDistance(), 96.0);
    QVERIFY(kv::readRtf("{\\rtf1 a}", &doc)); // a reused document starts from RTF's half inch again
    QCOMPARE(doc.defaultTextOption().tabStopDistance(), 48.0);
}

void TestRtfReader::simpleTable()
{
    const auto doc = readDoc(rtfDocument("before\\par"
                                         "\\trowd\\trgaph108\\clbrdrt\\brdrs\\cellx1440\\clbrdrt\\brdrs\\cellx4320"
                                         "\\pard\\intbl A1\\cell \\b B1\\b0\\cell\\row"
                                         "\\trowd\\cellx1440\\cellx4320\\pard\\intbl A2\\par more\\cell B2\\cell\\row"
                                         "\\pard after\\par"));
    QTextTable *table = firstTable(*doc);
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    auto cellText = [&](int r, int c) {
        QTextCursor cur = table->cellAt(r, c).firstCursorPosition();
        cur.setPosition(table->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
        return cur.selectedText();
    };
    QCOMPARE(cellText(0, 0), QStringLiteral("A1"));
    QCOMPARE(cellText(0, 1), QStringLiteral("B1"));
    QCOMPARE(cellText(1, 0), QStringLiteral("A2\u2029more"));
    QCOMPARE(cellText(1, 1), QStringLiteral("B2"));

    // A paragraph mark before the cell mark keeps its own alignment and adds no line.
    const auto marked = readDoc(rtfDocument("\\trowd\\cellx1000\\intbl{\\pard\\intbl\\qr R\\par}\\cell\\row"));
    const QTextCursor r = marked->find(QStringLiteral("R"));
    QCOMPARE(int(r.blockFormat().alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignRight));
    QCOMPARE(r.currentTable()->cellAt(0, 0).lastPosition(), r.position());
    QVERIFY(doc->find(QStringLiteral("B1")).charFormat().fontWeight() >= QFont::Bold);

    const QTextTableFormat f = table->format();
    QCOMPARE(f.columnWidthConstraints().size(), 2);
    QCOMPARE(f.columnWidthConstraints()[0].rawValue(), 96.0);  // 1440 twips
    QCOMPARE(f.columnWidthConstraints()[1].rawValue(), 192.0); // 2880 twips
    QCOMPARE(f.border(), 1.0);

    QVERIFY(doc->toPlainText().startsWith(u"before"));
    QVERIFY(doc->toPlainText().endsWith(u"after"));
    QCOMPARE(doc->find(QStringLiteral("after")).currentTable(), nullptr);
}

void TestRtfReader::tableRowsGrowAndShrink()
{
    // The second row has more cells than the first defines; a third has fewer.
    const auto doc = readDoc(rtfDocument("\\trowd\\cellx1000\\intbl a\\cell\\row"
                                         "\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl b\\cell c\\cell d\\cell\\row"
                                         "\\trowd\\cellx1000\\intbl e\\cell\\row"));
    QTextTable *table = firstTable(*doc);
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->format().border(), 0.0); // no borders were asked for
    for (const char *word : {"a", "b", "c", "d", "e"})
        QVERIFY2(doc->find(QString::fromLatin1(word)).currentTable() == table, word);
}

// A row defined after its cells, then a wider row: Qt writes past a width list
// shorter than the table when a column is added, so the two must always agree.
void TestRtfReader::columnWidthsFollowTheColumns()
{
    const auto doc = readDoc(rtfDocument("\\intbl a\\cell b\\cell c\\cell\\trowd\\cellx100\\row"
                                         "\\intbl a\\cell b\\cell c\\cell d\\cell\\row"));
    QTextTable *table = firstTable(*doc);
    QVERIFY(table);
    QCOMPARE(table->columns(), 4);
    QCOMPARE(table->format().columnWidthConstraints().size(), 4);
    QCOMPARE(table->format().columnWidthConstraints().first().rawValue(), 100 / 15.0);
    QVERIFY(doc->find(QStringLiteral("d")).currentTable() == table);
}

void TestRtfReader::mergedCells()
{
    const auto doc = readDoc(rtfDocument(
        "\\trowd\\clvmgf\\cellx1000\\cellx2000\\cellx3000\\intbl tall\\cell b0\\cell c0\\cell\\row"
        "\\trowd\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\intbl\\cell b1\\cell c1\\cell\\row"
        "\\trowd\\cellx1000\\clmgf\\cellx2000\\clmrg\\cellx3000\\intbl a2\\cell wide\\cell\\cell\\row"));
    QTextTable *table = firstTable(*doc);
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    const QTextTableCell tall = table->cellAt(doc->find(QStringLiteral("tall")));
    QCOMPARE(tall.row(), 0);
    QCOMPARE(tall.rowSpan(), 2);
    QCOMPARE(tall.columnSpan(), 1);
    const QTextTableCell wide = table->cellAt(doc->find(QStringLiteral("wide")));
    QCOMPARE(wide.row(), 2);
    QCOMPARE(wide.column(), 1);
    QCOMPARE(wide.columnSpan(), 2);
    QCOMPARE(table->cellAt(doc->find(QStringLiteral("c1"))).column(), 2);
}

void TestRtfReader::nestedTable()
{
    const auto doc = readDoc(rtfDocument("\\trowd\\cellx5000"
                                         "\\pard\\intbl\\itap1 outer\\par"
                                         "\\pard\\intbl\\itap2 inner1\\nestcell inner2\\nestcell"
                                         "{\\*\\nesttableprops\\trowd\\cellx2000\\cellx4000\\nestrow}"
                                         "\\pard\\intbl\\itap1 tail\\cell\\row"));
    QTextTable *outer = firstTable(*doc);
    QVERIFY(outer);
    QCOMPARE(outer->rows(), 1);
    QCOMPARE(outer->columns(), 1);
    QTextTable *inner = doc->find(QStringLiteral("inner1")).currentTable();
    QVERIFY(inner && inner != outer);
    QCOMPARE(inner->parentFrame(), outer);
    QCOMPARE(inner->columns(), 2);
    QCOMPARE(doc->find(QStringLiteral("inner2")).currentTable(), inner);
    QCOMPARE(doc->find(QStringLiteral("tail")).currentTable(), outer);
}

void TestRtfReader::longTableKeepsEveryRowInOrder()
{
    QByteArray rtf = "before\\par ";
    for (int r = 0; r < 250; ++r)
        rtf += "\\trowd\\cellx1000\\cellx2000\\intbl r" + QByteArray::number(r) + "a\\cell r" + QByteArray::number(r)
               + "b\\cell\\row ";
    const auto doc = readDoc(rtfDocument(rtf + "\\pard after"));
    int rows = 0;
    int lastPosition = -1;
    for (QTextFrame *f : doc->rootFrame()->childFrames()) {
        auto *t = qobject_cast<QTextTable *>(f);
        QVERIFY(t);
        QCOMPARE(t->columns(), 2);
        QCOMPARE(t->format().columnWidthConstraints().value(1).rawValue(), 1000 / 15.0);
        for (int r = 0; r < t->rows(); ++r, ++rows) {
            const QTextCursor cell = doc->find(QStringLiteral("r%1a").arg(rows));
            QCOMPARE(cell.currentTable(), t);
            QCOMPARE(t->cellAt(cell).row(), r);
            QVERIFY(cell.position() > lastPosition);
            lastPosition = cell.position();
        }
    }
    QCOMPARE(rows, 250);
    QVERIFY(doc->toPlainText().endsWith(u"after"));
}

void TestRtfReader::textAfterTableLeavesIt()
{
    // A cell mark without any table still keeps the texts apart.
    auto doc = readDoc(rtfDocument("Fax\\cell Phone\\cell"));
    QCOMPARE(doc->toPlainText(), QStringLiteral("Fax\tPhone\t"));
    QVERIFY(!firstTable(*doc));

    // A table left open at the end of the file still holds its text.
    doc = readDoc(QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl open"));
    QVERIFY(firstTable(*doc));
    QVERIFY(doc->toPlainText().contains(u"open"));
}

void TestRtfReader::picture_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("png") << QByteArray("\\pngblip") << QByteArray("PNG");
    QTest::newRow("jpeg") << QByteArray("\\jpegblip") << QByteArray("JPEG");
}

void TestRtfReader::picture()
{
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, format);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray pict = "{\\pict" + kind + "\\picw40\\pich20\\picwgoal1500\\pichgoal750 "
                            + hexOf(encodedImage(image, format.constData())) + "}";
    const auto doc = readDoc(rtfDocument("a{\\*\\shppict" + pict + "}{\\nonshppict{\\pict\\wmetafile8 0102}}b"));

    const QList<QTextImageFormat> images = imagesIn(*doc);
    QCOMPARE(images.size(), 1);
    QCOMPARE(images[0].width(), 100.0); // 1500 twips
    QCOMPARE(images[0].height(), 50.0);
    const QImage stored = doc->resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    QCOMPARE(stored.size(), QSize(40, 20));
    QCOMPARE(doc->toPlainText(), QStringLiteral("a\uFFFCb"));
}

void TestRtfReader::unsupportedPictureIsSkippedCleanly()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png = encodedImage(image, "PNG");
    png.truncate(png.size() / 2);
    const auto doc = readDoc(rtfDocument("a{\\pict\\wmetafile8\\picw10\\pich10 0102030405}"
                                         "b{\\pict\\emfblip 0a0b}"
                                         "c{\\pict\\pngblip " + hexOf(png) + "}"
                                         "d{\\pict\\pngblip\\bin6 \x89PNG}{}e"));
    QCOMPARE(doc->toPlainText(), QStringLiteral("abcde"));
    QVERIFY(imagesIn(*doc).isEmpty());
}

void TestRtfReader::hyperlinkField()
{
    const auto doc = readDoc(rtfDocument(
        "see {\\field{\\*\\fldinst{\\rtlch HYPERLINK \"http://example.com/a b\" \\\\o \"tip\"}}"
        "{\\fldrslt{\\ul\\cf2 the site}}} and {\\field{\\*\\fldinst HYPERLINK \\\\l \"part2\"}{\\fldrslt part}} end"));
    QCOMPARE(doc->toPlainText(), QStringLiteral("see the site and part end"));
    QCOMPARE(doc->find(QStringLiteral("site")).charFormat().anchorHref(), QStringLiteral("http://example.com/a b"));
    QCOMPARE(doc->find(QStringLiteral("part")).charFormat().anchorHref(), QStringLiteral("#part2"));
    QVERIFY(!doc->find(QStringLiteral("end")).charFormat().isAnchor());
}

void TestRtfReader::unreadableFileFails()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("kept"));
    QVERIFY(!kv::readRtfFile(QStringLiteral("/nonexistent/folder/x.rtf"), &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("kept"));
}

QTEST_MAIN(TestRtfReader)
#include "test_rtf_reader.moc"
