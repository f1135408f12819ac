#include "rtf_test_util.h"

#include "platform/richtext/rtf_parser.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTextTable>

using kv::test::readDoc;
using kv::test::rtfDocument;

namespace {

// The reader's work (tokens, document edits, table cells rebuilt) for one input, and the bound
// it must stay within: the inputs here take at most one step a byte; a reader that is not
// linear (a long table in one piece, say) goes far past two.
constexpr qint64 WorkPerByte = 2;

qint64 workOf(const QByteArray &rtf, QTextDocument *doc)
{
    doc->setUndoRedoEnabled(false);
    kv::rtf::Parser parser(rtf, doc);
    parser.run();
    return parser.work();
}

#define VERIFY_LINEAR(rtf, doc)                                                                              \
    do {                                                                                                      \
        const qint64 work = workOf(rtf, doc);                                                                 \
        QVERIFY2(work <= WorkPerByte * (rtf).size(),                                                          \
                 qPrintable(QStringLiteral("%1 steps for %2 bytes").arg(work).arg((rtf).size())));            \
    } while (false)

QByteArray pngHex(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toHex();
}

// A document that exercises most of the reader, for cutting up.
QByteArray richSample()
{
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    return rtfDocument("{\\b bold}{\\i\\'e9} \\u1046? {\\f4 \\'93\\'fa}\\par"
                       "\\trowd\\clbrdrt\\brdrs\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard "
                       "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}"
                       "{\\pict\\pngblip\\picwgoal300\\pichgoal300 " + pngHex(image) + "}"
                       "{\\*\\shppict{\\pict\\jpegblip 00ff}}{\\nonshppict x}\\tx720\\tab end\\par");
}

// Text that can only come from reading markup as if it were text.
bool leaksMarkup(const QString &text)
{
    static const QRegularExpression markup(QStringLiteral(
        "\\\\(par|pard|f\\d|fs\\d|cf\\d|'[0-9a-f]{2}|rtf1|fonttbl|colortbl|pict|u-?\\d)|fcharset|panose|\\{\\\\"));
    return markup.match(text).hasMatch();
}

} // namespace

class TestRtfRobustness : public QObject
{
    Q_OBJECT

private slots:
    void damagedInput_data();
    void damagedInput();
    void everyTruncationReadsSomething();
    void deepNestingIsBoundedAndRecovers();
    void hugeInputsStayBounded_data();
    void hugeInputsStayBounded();
    void oversizedPictureIsRefused();
    void randomBytesNeverCrash();
    void corpus_data();
    void corpus();
    void fuzzRegressions_data();
    void fuzzRegressions();
};

// Damaged files: the reader keeps what it can and says it read RTF.
void TestRtfRobustness::damagedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("missing closing brace") << QByteArray("{\\rtf1 {\\b Hello} world") << "Hello world";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}} b") << "a";
    QTest::newRow("unbalanced opening braces") << QByteArray("{\\rtf1 {{{{ a") << "a";
    QTest::newRow("ends inside a control word") << QByteArray("{\\rtf1 abc\\pa") << "abc";
    QTest::newRow("ends after a backslash") << QByteArray("{\\rtf1 abc\\") << "abc";
    QTest::newRow("ends inside a hex escape") << QByteArray("{\\rtf1 abc\\'4") << "abc";
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 x\\'zzy}") << "xzzy";
    QTest::newRow("ends inside the font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "";
    QTest::newRow("ends inside a picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47") << "a";
    QTest::newRow("ends inside a field instruction") << QByteArray("{\\rtf1 a{\\field{\\*\\fldinst HYPER") << "a";
    QTest::newRow("ends inside a skipped group") << QByteArray("{\\rtf1 a{\\*\\foo {{") << "a";
    QTest::newRow("absurd numbers")
        << QByteArray("{\\rtf1\\fs999999999\\li-2147483648\\fi99999999999999999999\\sl-2147483648"
                      "\\sb-5\\f-2147483648\\cf2147483647\\cb-7\\highlight99999\\tx-5\\tx2147483647"
                      "\\ansicpg-1\\deff-99 ok}")
        << "ok";
    QTest::newRow("negative uc") << QByteArray("{\\rtf1\\uc-5\\u233 ab}") << QString::fromUtf8("éab");
    QTest::newRow("binary length beyond the end") << QByteArray("{\\rtf1 a\\bin2147483647 }}}") << "a";
    QTest::newRow("negative binary length") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("binary data is not markup") << QByteArray("{\\rtf1 a{\\*\\x\\bin3 }{\\}b}") << "ab";
    QTest::newRow("10000-letter control word") << QByteArray("{\\rtf1 a\\") + QByteArray(10000, 'x') + " b}" << "ab";
    QTest::newRow("5000-digit parameter") << QByteArray("{\\rtf1 a\\fs") + QByteArray(5000, '9') + " b}" << "ab";
    QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b}", 10) << "ab";
    QTest::newRow("cells and rows with no table") << QByteArray("{\\rtf1 a\\row b\\nestrow c}") << "a b c";
    QTest::newRow("skipped nesting levels") << QByteArray("{\\rtf1\\pard\\intbl\\itap5 deep\\nestcell\\nestrow\\pard x}")
                                            << "deep x";
    QTest::newRow("nesting level beyond the cap") << QByteArray("{\\rtf1\\pard\\intbl\\itap2147483647 deep\\nestcell}")
                                                  << "deep";
    QTest::newRow("fldrslt without field") << QByteArray("{\\rtf1{\\fldrslt r}{\\*\\fldinst i}}") << "r";
    QTest::newRow("pict inside pict") << QByteArray("{\\rtf1{\\pict\\pngblip{\\pict 00}}x}") << "x";
}

void TestRtfRobustness::damagedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument doc;
    QVERIFY(kv::readRtf(rtf, &doc));
    QCOMPARE(doc.toPlainText().simplified(), expected);
}

void TestRtfRobustness::everyTruncationReadsSomething()
{
    const QByteArray sample = richSample();
    const auto whole = readDoc(sample);
    QVERIFY(whole->toPlainText().contains(u"end"));
    for (qsizetype n = 2; n < sample.size(); ++n) {
        QTextDocument doc;
        QVERIFY(kv::readRtf(sample.left(n), &doc));
        QVERIFY2(!leaksMarkup(doc.toPlainText()), qPrintable(QString::number(n) + doc.toPlainText()));
    }
}

void TestRtfRobustness::deepNestingIsBoundedAndRecovers()
{
    const int depth = 200000;
    const QByteArray rtf = "{\\rtf1 start" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " tail}";
    QTextDocument doc;
    VERIFY_LINEAR(rtf, &doc);
    QVERIFY(doc.toPlainText().startsWith(u"start"));
    QVERIFY(doc.toPlainText().endsWith(u" tail"));

    // A million open groups and nothing else.
    const QByteArray open = "{\\rtf1 a" + QByteArray(1000000, '{');
    QTextDocument openDoc;
    VERIFY_LINEAR(open, &openDoc);
    QCOMPARE(openDoc.toPlainText(), QStringLiteral("a"));
}

void TestRtfRobustness::hugeInputsStayBounded_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("mustContain");

    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 50000; ++i)
        fonts += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    QTest::newRow("50000 fonts") << fonts + "}\\f49999 ok}" << "ok";

    QTest::newRow("100000 colours") << "{\\rtf1{\\colortbl" + QByteArray(100000, ';') + "}\\cf99999 ok}" << "ok";

    QByteArray cells = "{\\rtf1\\trowd";
    for (int i = 1; i <= 5000; ++i)
        cells += "\\cellx" + QByteArray::number(i * 10);
    cells += "\\intbl";
    for (int i = 0; i < 3000; ++i)
        cells += "c\\cell ";
    QTest::newRow("5000 cell definitions, 3000 cells") << cells + "\\row\\pard ok}" << "ok";

    QByteArray fields = "{\\rtf1 ";
    for (int i = 0; i < 2000; ++i)
        fields += "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt ";
    fields += "in";
    for (int i = 0; i < 2000; ++i)
        fields += "}}";
    QTest::newRow("fields 2000 deep") << fields + " ok}" << "ok";

    QTest::newRow("many paragraphs") << "{\\rtf1 " + QByteArray("p\\par ").repeated(100000) + "ok}" << "ok";
    QTest::newRow("long skipped hex") << "{\\rtf1{\\*\\blob " + QByteArray(4000000, 'a') + "} ok}" << "ok";
    QByteArray rows = "{\\rtf1 ";
    for (int i = 0; i < 40000; ++i)
        rows += "\\trowd\\cellx900\\cellx1800\\cellx2700\\intbl a\\cell b\\cell c\\cell\\row ";
    QTest::newRow("40000 table rows") << rows + "\\pard ok}" << "ok";
    QTest::newRow("tab stops without end") << "{\\rtf1 " + QByteArray("\\tx100").repeated(100000) + " ok\\par}" << "ok";
}

void TestRtfRobustness::hugeInputsStayBounded()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, mustContain);
    QTextDocument doc;
    VERIFY_LINEAR(rtf, &doc);
    QVERIFY(doc.toPlainText().contains(mustContain));
}

void TestRtfRobustness::oversizedPictureIsRefused()
{
    // Small on disk, 50 megapixels decoded.
    QImage big(10000, 5000, QImage::Format_Mono);
    big.fill(0);
    const auto doc = readDoc("{\\rtf1 a{\\pict\\pngblip " + pngHex(big) + "}b}");
    QCOMPARE(doc->toPlainText(), QStringLiteral("ab"));
}

void TestRtfRobustness::randomBytesNeverCrash()
{
    // Fragments of RTF shuffled at random, from a fixed seed so a failure repeats.
    static const char *pieces[] = {"{", "}", "\\par ", "\\cell ", "\\row ", "\\trowd", "\\cellx500", "\\intbl ",
                                   "\\itap3 ", "\\nestcell ", "\\nestrow ", "{\\pict\\pngblip ", "89504e", "\\bin5 ",
                                   "{\\*\\x ", "\\u-10179?", "\\uc3 ", "\\'e9", "\\'", "text ", "{\\field",
                                   "{\\*\\fldinst HYPERLINK ", "{\\fldrslt ", "\\page ", "\\f1 ", "\\fs-1 ",
                                   "{\\fonttbl{\\f1\\fcharset128 A;}", "{\\colortbl;\\red9;", "\\plain ", "\\pard ",
                                   "\\\n", "{\\object{\\result ", "\\~", "\\-", "\\tx-9 "};
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        const int count = 20 + int(rng.bounded(400));
        for (int i = 0; i < count; ++i)
            rtf += pieces[rng.bounded(int(std::size(pieces)))];
        QTextDocument doc;
        QVERIFY(kv::readRtf(rtf, &doc));
    }
}

static QString corpusDir()
{
    return QStringLiteral(KV_RTF_CORPUS_DIR);
}

void TestRtfRobustness::corpus_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("mustContain");

    const QDir dir(corpusDir());
    if (!dir.exists()) {
        // One row, so that the test itself runs and says why it skips.
        QTest::newRow("no corpus") << QString() << QString();
        return;
    }
    // Text each of these is known to hold; the rest must at least read cleanly.
    const QHash<QString, QString> known = {
        {QStringLiteral("calibre_lorem_ipsum.rtf"), QStringLiteral("Lorem ipsum dolor sit amet")},
        {QStringLiteral("word_cyrillic_big_tables_stress.rtf"), QStringLiteral("Таблиця розподілу номерного ресурсу")},
        {QStringLiteral("openoffice_japanese_table_lists.rtf"), QStringLiteral("ゾルゲと尾崎")},
        {QStringLiteral("word_issue23_tables_hdrftr_links.rtf"), QStringLiteral("就诊时间")},
        {QStringLiteral("pages_table_sample.rtf"), QStringLiteral("Hier steht wieder normaler Text.")},
        {QStringLiteral("rtfjs_surrogate_pair_emoji.rtf"), QStringLiteral("Iñtërnâtiônàlizætiøn☃💩")},
        {QStringLiteral("riched20_pn_bullets_numbers.rtf"), QStringLiteral("•\tA")},
        {QStringLiteral("word_thai_cp874.rtf"), QStringLiteral("Some more test text")},
        {QStringLiteral("striprtf_textedit_hyperlink.rtf"), QStringLiteral("github")},
        {QStringLiteral("rtfpipe_fail3_unclosed_group.rtf"), QStringLiteral("Hello world in {RTF}…")},
        {QStringLiteral("pandoc_cmd_11211_bare_field.rtf"), QStringLiteral("link")},
        {QStringLiteral("tika_invalid_unicode_surrogates.rtf"), QStringLiteral("Unpaired hi \uFFFD here")},
    };
    QDirIterator it(dir.path(), {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString &path : files) {
        const QString name = QFileInfo(path).fileName();
        QTest::newRow(qPrintable(name)) << path << known.value(name);
    }
}

void TestRtfRobustness::corpus()
{
    QFETCH(QString, path);
    QFETCH(QString, mustContain);
    if (!QDir(corpusDir()).exists())
        QSKIP("The shared RTF corpus is not beside the repository.");

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    QTextDocument doc;
    const bool read = kv::readRtf(bytes, &doc);
    if (!kv::looksLikeRtf(bytes)) {
        QVERIFY(!read); // the one file in the corpus that is not RTF
        return;
    }
    QVERIFY(read);
    QTextDocument counted;
    VERIFY_LINEAR(bytes, &counted);
    const QString text = doc.toPlainText();
    const QString name = QFileInfo(path).fileName();
    // This one explains RTF and quotes it in its text.
    if (name != u"phprtflite_document_sections.rtf")
        QVERIFY2(!leaksMarkup(text), qPrintable(text.left(400)));
    if (!mustContain.isEmpty())
        QVERIFY2(text.contains(mustContain), qPrintable(text.left(400)));
    // Apart from crash cases and a file holding only an embedded drawing, every file has text.
    if (!path.contains(u"/adversarial/") && name != u"wordpad_ole_object_wmf.rtf")
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\w"))), qPrintable(path));
}

// Inputs that once crashed or hung the reader.
void TestRtfRobustness::fuzzRegressions_data()
{
    QTest::addColumn<QString>("path");
    QDirIterator it(QStringLiteral(KV_RTF_REGRESSION_DIR), QDir::Files);
    int rows = 0;
    for (; it.hasNext(); ++rows) {
        const QString path = it.next();
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }
    if (rows == 0)
        QTest::newRow("none") << QString();
}

void TestRtfRobustness::fuzzRegressions()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("No regression inputs yet.");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QTextDocument doc;
    kv::readRtf(bytes, &doc);
    QTextDocument counted;
    VERIFY_LINEAR(bytes, &counted);
}

QTEST_MAIN(TestRtfRobustness)
#include "test_rtf_robustness.moc"
