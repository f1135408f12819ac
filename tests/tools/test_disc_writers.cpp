// Unit tests of the generator's writers: RTF, WAV, AVI, pictures and the file plan.
#include "disc_test_support.h"

#include "avi_writer.h"
#include "disc_generator.h"
#include "disc_plan.h"
#include "pictures.h"
#include "rtf_builder.h"
#include "wav_synth.h"

#include <QImage>
#include <QSet>
#include <QTest>

using namespace disctest;
using namespace kvdisc;

class TestDiscWriters : public QObject {
    Q_OBJECT

private slots:
    void rtfEscapesSpecialCharacters_data();
    void rtfEscapesSpecialCharacters();
    void rtfMarkupTogglesFormatting();
    void rtfUnclosedMarkupStaysBalanced();
    void rtfTableCellEdgesAccumulate();
    void wavHeaderAndSampleBytes();
    void synthesisIsDeterministicAndSized();
    void aviPadsOddFramesAndIndexesThem();
    void aviAudioSlicesCoverTrack();
    void picturesHaveRequestedSize();
    void detailNamesUseDoubledNumber();
    void planHasUniqueRelativePaths();
};

void TestDiscWriters::rtfEscapesSpecialCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("braces") << QStringLiteral("a{b}c") << QByteArray("a\\{b\\}c");
    QTest::newRow("backslash") << QStringLiteral("x\\y") << QByteArray("x\\\\y");
    QTest::newRow("latin1") << QStringLiteral("caf\u00e9") << QByteArray("caf\\'e9");
    QTest::newRow("cp1252 dash") << QStringLiteral("a\u2013b") << QByteArray("a\\'96b");
    QTest::newRow("euro") << QStringLiteral("\u20ac5") << QByteArray("\\'805");
    QTest::newRow("quotes") << QStringLiteral("\u201cq\u201d") << QByteArray("\\'93q\\'94");
    QTest::newRow("beyond cp1252") << QStringLiteral("\u03a9") << QByteArray("\\u937?");
    QTest::newRow("high bmp signed") << QStringLiteral("\uff21") << QByteArray("\\u-223?");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
}

void TestDiscWriters::rtfEscapesSpecialCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, rtf);
    QCOMPARE(RtfBuilder::escape(text), rtf);
}

void TestDiscWriters::rtfMarkupTogglesFormatting()
{
    QCOMPARE(RtfBuilder::markup(QStringLiteral("a **b** c")), QByteArray("a {\\b b} c"));
    QCOMPARE(RtfBuilder::markup(QStringLiteral("//i//")), QByteArray("{\\i i}"));
    QCOMPARE(RtfBuilder::markup(QStringLiteral("^^c^^")), QByteArray("{\\cf2 c}"));
    QCOMPARE(RtfBuilder::markup(QStringLiteral("**//bi//**")), QByteArray("{\\b\\i bi}"));
    // A single slash or star is text, not markup.
    QCOMPARE(RtfBuilder::markup(QStringLiteral("1/2 * 3")), QByteArray("1/2 * 3"));
}

void TestDiscWriters::rtfUnclosedMarkupStaysBalanced()
{
    RtfBuilder b;
    b.title(QStringLiteral("T{")).para(QStringLiteral("**open bold and {brace")).bullet(QStringLiteral("//x"));
    const QByteArray doc = b.finish();
    QVERIFY(doc.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtfBracesBalanced(doc));
    QVERIFY(doc.trimmed().endsWith('}'));
}

void TestDiscWriters::rtfTableCellEdgesAccumulate()
{
    RtfBuilder b;
    b.table({{QStringLiteral("H1"), QStringLiteral("H2")}, {QStringLiteral("a")}}, {1000, 2500});
    const QByteArray doc = b.finish();
    QCOMPARE(doc.count("\\trowd"), 2);
    QCOMPARE(doc.count("\\cellx1000"), 2);
    QCOMPARE(doc.count("\\cellx3500"), 2);
    QCOMPARE(doc.count("\\cell\r\n"), 4); // a short row is padded with empty cells
    QCOMPARE(doc.count("\\row"), 2);
    QVERIFY(rtfBracesBalanced(doc));
}

void TestDiscWriters::wavHeaderAndSampleBytes()
{
    const QByteArray w = wavFile({0, 1, -1, 32767, -32768}, 8000);
    QCOMPARE(w.size(), 44 + 10);
    QCOMPARE(w.left(4), QByteArray("RIFF"));
    QCOMPARE(le32(w, 4), quint32(w.size() - 8));
    QCOMPARE(le32(w, 24), 8000u);
    QCOMPARE(le32(w, 28), 16000u);
    QCOMPARE(le16(w, 32), quint16(2));
    QCOMPARE(le32(w, 40), 10u);
    QCOMPARE(w.mid(44), QByteArray::fromHex("00000100ffffff7f0080"));
}

void TestDiscWriters::synthesisIsDeterministicAndSized()
{
    const QList<SoundRecipe> recipes = soundEffects();
    QCOMPARE(recipes.size(), 29);
    for (const SoundRecipe &r : recipes) {
        const QList<qint16> a = synthesize(r);
        QCOMPARE(a.size(), qsizetype(r.seconds * kSampleRate));
        QCOMPARE(synthesize(r), a);
    }
    SoundRecipe other = recipes.first();
    other.seed += 1;
    QVERIFY(synthesize(other) != synthesize(recipes.first()));
}

void TestDiscWriters::aviPadsOddFramesAndIndexesThem()
{
    AviParams params;
    params.width = 16;
    params.height = 8;
    params.fps = 5;
    params.jpegFrames = {QByteArray("abc"), QByteArray("defg"), QByteArray("h")};
    const QByteArray avi = buildMjpegAvi(params);
    QList<Chunk> top;
    QString why;
    QVERIFY2(parseChunks(avi, 0, avi.size(), top, &why), qPrintable(why));
    QCOMPARE(le32(avi, 4), quint32(avi.size() - 8));
    const Chunk *hdrl = childChunk(top[0].children, "LIST", "hdrl");
    const Chunk *avih = childChunk(hdrl->children, "avih");
    QCOMPARE(le32(avi, avih->dataAt), 200000u); // microseconds per frame at 5 fps
    QCOMPARE(le32(avi, avih->dataAt + 16), 3u);
    QCOMPARE(le32(avi, avih->dataAt + 24), 1u); // one stream without audio
    const Chunk *movi = childChunk(top[0].children, "LIST", "movi");
    QCOMPARE(movi->children.size(), 3);
    QCOMPARE(movi->children[0].size, 3u); // the pad byte is not counted
    QCOMPARE(avi.mid(movi->children[1].dataAt, 4), QByteArray("defg"));
    const Chunk *idx1 = childChunk(top[0].children, "idx1");
    QCOMPARE(idx1->size, 48u);
    QCOMPARE(le32(avi, idx1->dataAt + 8), 4u); // first chunk right after the 'movi' fourcc
}

void TestDiscWriters::aviAudioSlicesCoverTrack()
{
    AviParams params;
    params.jpegFrames = {QByteArray("a"), QByteArray("b"), QByteArray("c")};
    params.audio = AviAudio{22050, QByteArray(2 * 1001, '\x01')}; // does not divide evenly
    const QByteArray avi = buildMjpegAvi(params);
    QList<Chunk> top;
    QString why;
    QVERIFY2(parseChunks(avi, 0, avi.size(), top, &why), qPrintable(why));
    const Chunk *hdrl = childChunk(top[0].children, "LIST", "hdrl");
    QCOMPARE(le32(avi, childChunk(hdrl->children, "avih")->dataAt + 24), 2u);
    int strls = 0;
    for (const Chunk &c : hdrl->children)
        strls += c.listType == "strl";
    QCOMPARE(strls, 2);
    const Chunk *movi = childChunk(top[0].children, "LIST", "movi");
    quint32 audioBytes = 0;
    for (const Chunk &c : movi->children)
        if (c.id == "01wb") {
            audioBytes += c.size;
            QCOMPARE(c.size % 2, 0u); // whole samples in every slice
        }
    QCOMPARE(audioBytes, 2002u);
}

void TestDiscWriters::picturesHaveRequestedSize()
{
    const QByteArray jpeg = renderPicture({QSize(200, 100), QStringLiteral("X.JPG"), QStringLiteral("sub"),
                                           Qt::red, Qt::blue, PictureStyle::Photo, 1, 80});
    QVERIFY(jpeg.startsWith("\xff\xd8"));
    QCOMPARE(QImage::fromData(jpeg, "JPG").size(), QSize(200, 100));
    const QByteArray frame = renderMovieFrame(QStringLiteral("m.avi"), QStringLiteral("c"), 0, 20, Qt::green);
    QCOMPARE(QImage::fromData(frame, "JPG").size(), QSize(320, 240));
    // Successive frames differ: the counter and the bar move.
    QVERIFY(frame != renderMovieFrame(QStringLiteral("m.avi"), QStringLiteral("c"), 1, 20, Qt::green));
}

void TestDiscWriters::detailNamesUseDoubledNumber()
{
    const DetailRule stamps{QStringLiteral("Kel-Vardo Postage Stamps "), QStringLiteral("zz00"),
                            QStringLiteral("zz0"), 14};
    QCOMPARE(detailFileName(stamps, 3), QStringLiteral("zz006.rtf"));
    QCOMPARE(detailFileName(stamps, 4), QStringLiteral("zz008.rtf"));
    QCOMPARE(detailFileName(stamps, 5), QStringLiteral("zz010.rtf"));
    QCOMPARE(detailFileName(stamps, 7), QStringLiteral("zz014.rtf"));
    const DetailRule franklin{QString(), QStringLiteral("tfm0"), QStringLiteral("tfm"), 12};
    QCOMPARE(detailFileName(franklin, 2), QStringLiteral("tfm04.rtf"));
    QCOMPARE(detailFileName(franklin, 12), QStringLiteral("tfm24.rtf"));
}

void TestDiscWriters::planHasUniqueRelativePaths()
{
    const QList<PlannedFile> plan = planDisc();
    QSet<QString> seen;
    for (const PlannedFile &f : plan) {
        QVERIFY2(!f.relPath.startsWith(QLatin1Char('/')) && !f.relPath.contains(QStringLiteral("..")),
                 qPrintable(f.relPath));
        QVERIFY2(!seen.contains(f.relPath.toLower()), qPrintable(f.relPath));
        seen.insert(f.relPath.toLower());
        QVERIFY(f.make);
    }
    QCOMPARE(plan.last().relPath, QStringLiteral("README.txt"));
    // Photos sort so that each topic's numbering follows its names.
    for (const PhotoTopic &t : photoTopics()) {
        QStringList upper;
        for (const PhotoEntry &p : t.photos)
            upper << p.fileName.toUpper();
        QStringList sorted = upper;
        sorted.sort();
        QCOMPARE(upper, sorted);
        for (const QString &n : upper)
            QVERIFY2(n.startsWith(t.code), qPrintable(n));
    }
}

QTEST_MAIN(TestDiscWriters)
#include "test_disc_writers.moc"
