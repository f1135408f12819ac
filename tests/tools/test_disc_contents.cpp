// Writes a fresh disc and checks it against the names and formats the program expects.
// Expected names are spelled out here, independent of the generator's own tables.
#include "disc_test_support.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>

using namespace disctest;

class TestDiscContents : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void foldersExist();
    void noNamesDifferOnlyInCase();
    void photoSetHasEveryCodeInMixedCase();
    void photosDecodeAtPhotoSize();
    void everyPhotoHasCaptionText();
    void detailTextsFollowDoubledNumbering();
    void catalogueDocumentsExist();
    void documentsAreWellFormedRtf();
    void documentsIncludeTableAndLongText();
    void artworkAndBookletPictures();
    void brochuresCountWithGap();
    void advertisementsForEveryYear();
    void soundsAreValidPcmWav();
    void moviesAreValidMjpegAvi();
    void moviesPlayThroughGStreamer();
    void programFolderFiles();

private:
    QString path(const QString &rel) const { return resolve(m_dir.path(), rel); }
    QImage decode(const QString &rel) const;
    QMap<QString, QStringList> photosByCode() const;

    QTemporaryDir m_dir;
};

void TestDiscContents::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const RunResult r = runGenerator({m_dir.path()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral("wrote")), qPrintable(r.out + r.err));
    qInfo("generation took %lld ms", r.ms);
}

QImage TestDiscContents::decode(const QString &rel) const
{
    QImageReader reader(path(rel));
    reader.setAllocationLimit(64);
    return reader.read();
}

QMap<QString, QStringList> TestDiscContents::photosByCode() const
{
    QMap<QString, QStringList> out;
    for (const QString &name : listCaseBlind(path(QStringLiteral("Murvos")), QStringLiteral("*.jpg")))
        out[name.left(2).toUpper()] << name;
    return out;
}

void TestDiscContents::foldersExist()
{
    for (const char *folder : {"Murvos", "richtext", "movies", "wav", "brochures", "ads", "ClipArt", "scripts",
                               "emblems", "graphics", "IndeoVideo"})
        QVERIFY2(QFileInfo(path(QString::fromLatin1(folder))).isDir(), folder);
}

void TestDiscContents::noNamesDifferOnlyInCase()
{
    // Two names equal but for case would make case-blind lookup ambiguous.
    QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QMap<QString, QSet<QString>> seen;
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        const QString key = fi.fileName().toLower();
        QVERIFY2(!seen[fi.path()].contains(key), qPrintable(fi.filePath()));
        seen[fi.path()].insert(key);
    }
}

void TestDiscContents::photoSetHasEveryCodeInMixedCase()
{
    const auto byCode = photosByCode();
    for (const char *code : {"55", "56", "57", "MA", "TD", "TF", "VM", "ZZ", "CW", "VC", "PT", "TE"}) {
        const int n = int(byCode.value(QString::fromLatin1(code)).size());
        QVERIFY2(n >= 5, qPrintable(QStringLiteral("%1 has %2 photos").arg(QString::fromLatin1(code)).arg(n)));
    }
    QVERIFY(byCode.value(QStringLiteral("ZZ")).size() >= 12);
    // Statistics for Franklin Mint photo 12 names tfm24, so that topic needs twelve photos.
    QVERIFY(byCode.value(QStringLiteral("TF")).size() >= 12);
    const QStringList all = listCaseBlind(path(QStringLiteral("Murvos")), QStringLiteral("*.jpg"));
    QVERIFY(all.contains(QStringLiteral("57053.JPG"), Qt::CaseInsensitive)); // shown before any choice
    bool lowerExt = false, upperExt = false, mixedLetters = false;
    for (const QString &n : all) {
        lowerExt |= n.endsWith(QStringLiteral(".jpg"));
        upperExt |= n.endsWith(QStringLiteral(".JPG"));
        const QString base = n.section(QLatin1Char('.'), 0, 0);
        mixedLetters |= base != base.toUpper();
    }
    QVERIFY(lowerExt);
    QVERIFY(upperExt);
    QVERIFY(mixedLetters);
}

void TestDiscContents::photosDecodeAtPhotoSize()
{
    for (const QString &name : listCaseBlind(path(QStringLiteral("Murvos")), QStringLiteral("*.jpg"))) {
        const QImage img = decode(QStringLiteral("Murvos/") + name);
        QVERIFY2(!img.isNull(), qPrintable(name));
        QCOMPARE(img.size(), QSize(640, 480));
    }
}

void TestDiscContents::everyPhotoHasCaptionText()
{
    for (const QString &name : listCaseBlind(path(QStringLiteral("Murvos")), QStringLiteral("*.jpg"))) {
        const QString caption = QStringLiteral("richtext/") + name.toUpper().section(QLatin1Char('.'), 0, 0)
                                + QStringLiteral(".rtf");
        QVERIFY2(!path(caption).isEmpty(), qPrintable(caption));
    }
}

void TestDiscContents::detailTextsFollowDoubledNumbering()
{
    // Photo n of a topic shows prefix + 2n; the prefix changes from n = 5 on.
    struct Rule {
        const char *code, *small, *large;
    };
    const Rule rules[] = {{"ZZ", "zz00", "zz0"}, {"TF", "tfm0", "tfm"}, {"TD", "tdm0", "tdm"},
                          {"VM", "vms0", "vms0"}, {"PT", "pt00", "pt0"}, {"TE", "tek00", "tek0"}};
    const auto byCode = photosByCode();
    for (const Rule &r : rules) {
        const int count = int(byCode.value(QString::fromLatin1(r.code)).size());
        for (int n = 1; n <= count; ++n) {
            const QString name = QString::fromLatin1(n < 5 ? r.small : r.large) + QString::number(2 * n)
                                 + QStringLiteral(".rtf");
            QVERIFY2(!path(QStringLiteral("richtext/") + name).isEmpty(), qPrintable(name));
        }
    }
    for (const char *example : {"zz006.rtf", "zz014.rtf", "tfm04.rtf", "tfm24.rtf"})
        QVERIFY2(!path(QStringLiteral("richtext/") + QString::fromLatin1(example)).isEmpty(), example);
}

void TestDiscContents::catalogueDocumentsExist()
{
    QStringList names{QStringLiteral("Introduction.rtf"), QStringLiteral("stamps.rtf"),
                      QStringLiteral("carstuff.rtf"), QStringLiteral("knives.rtf"), QStringLiteral("plates.rtf"),
                      QStringLiteral("franklin.rtf"), QStringLiteral("danbury.rtf"), QStringLiteral("monopoly.rtf"),
                      QStringLiteral("desperat.rtf"), QStringLiteral("ptdesc.rtf"), QStringLiteral("hvcolors.rtf"),
                      QStringLiteral("hvopts.rtf"), QStringLiteral("hvstats.rtf"), QStringLiteral("m3stats.rtf"),
                      QStringLiteral("msstats.rtf"), QStringLiteral("KelVardoAdsList.rtf"),
                      QStringLiteral("judging.rtf"), QStringLiteral("Nomads.rtf"),
                      QStringLiteral("WallPaper Instructions.rtf"), QStringLiteral("introduction.rtf"),
                      QStringLiteral("notice.rtf"), QStringLiteral("credits.rtf"), QStringLiteral("contrib.rtf"),
                      QStringLiteral("sshelp.rtf"), QStringLiteral("Register.rtf"), QStringLiteral("desc.rtf")};
    for (const QString &yy : {QStringLiteral("55"), QStringLiteral("56"), QStringLiteral("57")}) {
        for (const char *suffix : {"desc.rtf", "colors.rtf", "opts.rtf", "stats.rtf"})
            names << yy + QString::fromLatin1(suffix);
        names << QStringLiteral("nostalgia") + yy + QStringLiteral(".rtf");
        names << QStringLiteral("19") + yy + QStringLiteral("Models.rtf");
    }
    for (const QString &n : names)
        QVERIFY2(!path(QStringLiteral("richtext/") + n).isEmpty(), qPrintable(n));
    // Models before any choice must fail with its error message.
    QVERIFY(path(QStringLiteral("richtext/panYearModels.rtf")).isEmpty());
}

void TestDiscContents::documentsAreWellFormedRtf()
{
    const QStringList docs = listCaseBlind(path(QStringLiteral("richtext")), QStringLiteral("*.rtf"));
    QVERIFY(docs.size() > 100);
    for (const QString &d : docs) {
        const QByteArray rtf = readAll(path(QStringLiteral("richtext/") + d));
        QVERIFY2(rtf.startsWith("{\\rtf1"), qPrintable(d));
        QVERIFY2(rtf.contains("\\ansicpg1252") && rtf.contains("{\\fonttbl") && rtf.contains("{\\colortbl"),
                 qPrintable(d));
        QVERIFY2(rtfBracesBalanced(rtf), qPrintable(d));
        QVERIFY2(rtfPlainText(rtf).trimmed().size() > 20, qPrintable(d));
        for (char c : rtf) // plain 7-bit text; other characters travel as escapes
            QVERIFY2(quint8(c) < 0x80, qPrintable(d));
    }
}

void TestDiscContents::documentsIncludeTableAndLongText()
{
    const QByteArray stats = readAll(path(QStringLiteral("richtext/57stats.rtf")));
    QVERIFY(stats.contains("\\trowd") && stats.contains("\\cell") && stats.contains("\\row"));
    QCOMPARE(stats.count("\\trowd"), stats.count("\\row\r\n"));
    // Several printed pages at one-inch margins: well over 3000 characters a page is not needed,
    // but the texts must run to more than three pages of ordinary prose.
    for (const char *longDoc : {"57desc.rtf", "nostalgia57.rtf"}) {
        const QString text = rtfPlainText(readAll(path(QStringLiteral("richtext/") + QString::fromLatin1(longDoc))));
        QVERIFY2(text.size() > 9000, qPrintable(QStringLiteral("%1: %2 chars").arg(QString::fromLatin1(longDoc)).arg(text.size())));
    }
    const QByteArray caption = readAll(path(QStringLiteral("richtext/55001.rtf")));
    QVERIFY(rtfPlainText(caption).size() < 300); // captions fit the small detail box
    QVERIFY(caption.contains("\\b ") || caption.contains("\\b\\"));
}

void TestDiscContents::artworkAndBookletPictures()
{
    const QStringList pics{
        QStringLiteral("ClipArt/1955.jpg"),  QStringLiteral("ClipArt/1956.jpg"),  QStringLiteral("Clipart/1957.jpg"),
        QStringLiteral("scripts/scri55.jpg"), QStringLiteral("scripts/scri56.jpg"), QStringLiteral("SCRIPTS/scri57.jpg"),
        QStringLiteral("SCRIPTS/SCRIHV.jpg"), QStringLiteral("SCRIPTS/SCRIpt.jpg"), QStringLiteral("emblems/emb55.jpg"),
        QStringLiteral("emblems/emb56.jpg"), QStringLiteral("emblems/emb57.jpg"), QStringLiteral("emblems/embhv.jpg"),
        QStringLiteral("emblems/EMBpt.jpg"), QStringLiteral("graphics/title.jpg"), QStringLiteral("graphics/bklettxt.jpg"),
        QStringLiteral("graphics/orvanta3.jpg"), QStringLiteral("clipart/1957.jpg")};
    for (const QString &p : pics)
        QVERIFY2(!decode(p).isNull(), qPrintable(p));
    // The cover page places the four pictures at fixed twip positions on a letter page (15 twips/px).
    struct Placed {
        const char *rel;
        int x, y;
    };
    for (const Placed &p : {Placed{"graphics/title.jpg", 1600, 1600}, Placed{"clipart/1957.jpg", 2000, 4300},
                            Placed{"graphics/bklettxt.jpg", 500, 8800}, Placed{"graphics/orvanta3.jpg", 2800, 12000}}) {
        const QSize s = decode(QString::fromLatin1(p.rel)).size();
        QVERIFY2(p.x + s.width() * 15 <= 12240 && p.y + s.height() * 15 <= 15840, p.rel);
    }
}

void TestDiscContents::brochuresCountWithGap()
{
    bool sawGap = false;
    for (const QString &yy : {QStringLiteral("55"), QStringLiteral("56"), QStringLiteral("57")}) {
        int highest = -1;
        QList<int> present;
        for (int i = 0; i <= 99; ++i) {
            const QString rel = QStringLiteral("brochures/%1brch%2.jpg").arg(yy).arg(i, 2, 10, QLatin1Char('0'));
            if (!path(rel).isEmpty()) {
                present << i;
                highest = i;
            }
        }
        QVERIFY2(present.value(0, -1) == 0, qPrintable(yy)); // the viewer opens on page 00
        QVERIFY(!path(QStringLiteral("Brochures/") + yy + QStringLiteral("BRCH00.jpg")).isEmpty());
        sawGap |= present.size() < highest + 1;
        const QImage page = decode(QStringLiteral("brochures/%1brch00.jpg").arg(yy));
        QCOMPARE(page.size(), QSize(800, 1100));
    }
    QVERIFY(sawGap);
    QVERIFY(!path(QStringLiteral("brochures/55brch10.jpg")).isEmpty());
}

void TestDiscContents::advertisementsForEveryYear()
{
    int yearsWithAds = 0;
    for (const QString &yy : {QStringLiteral("55"), QStringLiteral("56"), QStringLiteral("57")}) {
        const QStringList pages = listCaseBlind(path(QStringLiteral("ads")), yy + QStringLiteral("gmch*.jpg"));
        if (pages.isEmpty())
            continue;
        ++yearsWithAds;
        QVERIFY(pages.contains(yy + QStringLiteral("gmch00.jpg"), Qt::CaseInsensitive));
        for (const QString &p : pages)
            QVERIFY2(!decode(QStringLiteral("ads/") + p).isNull(), qPrintable(p));
    }
    QCOMPARE(yearsWithAds, 3);
}

void TestDiscContents::soundsAreValidPcmWav()
{
    const QStringList effects{
        QStringLiteral("backfrng.wav"), QStringLiteral("car_door.wav"), QStringLiteral("carhorns.wav"),
        QStringLiteral("horns.wav"),    QStringLiteral("cop-car.wav"),  QStringLiteral("taxi.wav"),
        QStringLiteral("sportcar.wav"), QStringLiteral("18wheelr.wav"), QStringLiteral("peel-out.wav"),
        QStringLiteral("Track2.wav"),   QStringLiteral("nascar.wav"),   QStringLiteral("racecar.wav"),
        QStringLiteral("indy-car.wav"), QStringLiteral("mcycle.wav"),   QStringLiteral("batmoble.wav"),
        QStringLiteral("62dravo.wav"),  QStringLiteral("63dravo.wav"),  QStringLiteral("dravstart.wav"),
        QStringLiteral("passby.wav"),   QStringLiteral("dravane.wav"),  QStringLiteral("zr1start.wav"),
        QStringLiteral("motorcyc2.wav"), QStringLiteral("hot_rod.wav"), QStringLiteral("red_lght.wav"),
        QStringLiteral("porche.wav"),   QStringLiteral("stealth.wav"),  QStringLiteral("stuck.wav"),
        QStringLiteral("revnrun.wav"),  QStringLiteral("goingby.wav")};
    QCOMPARE(effects.size(), 29);
    QStringList all;
    for (const QString &e : effects)
        all << QStringLiteral("wav/") + e;
    all << QStringLiteral("wav/See The USA.wav") << QStringLiteral("passby.wav");
    QSet<QByteArray> digests;
    for (const QString &rel : all) {
        const QByteArray w = readAll(path(rel));
        QVERIFY2(w.size() > 44, qPrintable(rel));
        QCOMPARE(w.left(4), QByteArray("RIFF"));
        QCOMPARE(qsizetype(le32(w, 4)), w.size() - 8);
        QCOMPARE(w.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(le32(w, 16), 16u);
        QCOMPARE(le16(w, 20), quint16(1));     // PCM
        QCOMPARE(le16(w, 22), quint16(1));     // mono
        QCOMPARE(le32(w, 24), 22050u);
        QCOMPARE(le32(w, 28), 44100u);
        QCOMPARE(le16(w, 34), quint16(16));
        QCOMPARE(w.mid(36, 4), QByteArray("data"));
        const quint32 data = le32(w, 40);
        QCOMPARE(qsizetype(data), w.size() - 44);
        const double seconds = data / 44100.0;
        const bool isSong = rel.contains(QStringLiteral("USA"));
        QVERIFY2(isSong ? (seconds >= 2.5 && seconds <= 3.5) : (seconds >= 0.3 && seconds <= 1.5), qPrintable(rel));
        int peak = 0;
        for (qsizetype i = 44; i + 1 < w.size(); i += 2)
            peak = std::max(peak, std::abs(int(qint16(le16(w, i)))));
        QVERIFY2(peak > 3000, qPrintable(rel)); // audible, not silence
        digests.insert(QCryptographicHash::hash(w, QCryptographicHash::Sha1));
    }
    QCOMPARE(digests.size(), all.size()); // each sound differs
}

void TestDiscContents::moviesAreValidMjpegAvi()
{
    for (const char *name : {"55Motoramic.avi", "55Nosedive.avi", "56Parts.avi", "57Safety.avi", "57Murvo.avi",
                             "55SmokeyJoe.avi"}) {
        const QByteArray avi = readAll(path(QStringLiteral("movies/") + QString::fromLatin1(name)));
        QList<Chunk> top;
        QString why;
        QVERIFY2(parseChunks(avi, 0, avi.size(), top, &why), qPrintable(QString::fromLatin1(name) + why));
        QCOMPARE(top.size(), 1);
        QCOMPARE(top[0].id, QByteArray("RIFF"));
        QCOMPARE(top[0].listType, QByteArray("AVI "));
        const Chunk *hdrl = childChunk(top[0].children, "LIST", "hdrl");
        QVERIFY(hdrl);
        const Chunk *avih = childChunk(hdrl->children, "avih");
        QVERIFY(avih && avih->size == 56);
        const quint32 frames = le32(avi, avih->dataAt + 16);
        QCOMPARE(le32(avi, avih->dataAt + 32), 320u);
        QCOMPARE(le32(avi, avih->dataAt + 36), 240u);
        const double seconds = frames * le32(avi, avih->dataAt) / 1e6;
        QVERIFY(seconds >= 1.5 && seconds <= 3.0);
        const Chunk *strl = childChunk(hdrl->children, "LIST", "strl");
        QVERIFY(strl);
        const Chunk *strh = childChunk(strl->children, "strh");
        QVERIFY(strh);
        QCOMPARE(avi.mid(strh->dataAt, 8), QByteArray("vidsMJPG"));
        QCOMPARE(le32(avi, strh->dataAt + 32), frames); // stream length
        const Chunk *strf = childChunk(strl->children, "strf");
        QVERIFY(strf);
        QCOMPARE(avi.mid(strf->dataAt + 16, 4), QByteArray("MJPG"));

        const Chunk *movi = childChunk(top[0].children, "LIST", "movi");
        QVERIFY(movi);
        QList<const Chunk *> videoChunks;
        for (const Chunk &c : movi->children)
            if (c.id == "00dc")
                videoChunks << &c;
        QCOMPARE(quint32(videoChunks.size()), frames);
        for (const Chunk *c : videoChunks) {
            const QImage frame = QImage::fromData(avi.mid(c->dataAt, c->size), "JPG");
            QCOMPARE(frame.size(), QSize(320, 240));
        }
        // Index entries point at their chunks, counted from the 'movi' fourcc.
        const Chunk *idx1 = childChunk(top[0].children, "idx1");
        QVERIFY(idx1);
        QCOMPARE(idx1->size % 16, 0u);
        quint32 indexedFrames = 0;
        for (quint32 e = 0; e < idx1->size / 16; ++e) {
            const qsizetype at = idx1->dataAt + e * 16;
            const QByteArray id = avi.mid(at, 4);
            const qsizetype chunkAt = movi->dataAt + le32(avi, at + 8);
            QCOMPARE(avi.mid(chunkAt, 4), id);
            QCOMPARE(le32(avi, chunkAt + 4), le32(avi, at + 12));
            if (id == "00dc")
                ++indexedFrames;
        }
        QCOMPARE(indexedFrames, frames);
    }
}

void TestDiscContents::moviesPlayThroughGStreamer()
{
    const QString gst = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (gst.isEmpty())
        QSKIP("gst-launch-1.0 not installed");
    for (const char *name : {"55Motoramic.avi", "57Murvo.avi"}) {
        QProcess p;
        p.start(gst, {QStringLiteral("-q"), QStringLiteral("filesrc"),
                      QStringLiteral("location=") + path(QStringLiteral("movies/") + QString::fromLatin1(name)),
                      QStringLiteral("!"), QStringLiteral("avidemux"), QStringLiteral("name=d"),
                      QStringLiteral("d.video_0"), QStringLiteral("!"), QStringLiteral("queue"), QStringLiteral("!"),
                      QStringLiteral("jpegdec"), QStringLiteral("!"), QStringLiteral("fakesink"),
                      QStringLiteral("d.audio_0"), QStringLiteral("!"), QStringLiteral("queue"), QStringLiteral("!"),
                      QStringLiteral("fakesink")});
        QVERIFY(p.waitForFinished(30000));
        QVERIFY2(p.exitCode() == 0, qPrintable(QString::fromLatin1(name) + p.readAllStandardError()));
    }
}

void TestDiscContents::programFolderFiles()
{
    const QByteArray help = readAll(path(QStringLiteral("KelVardo.HLP")));
    QVERIFY(help.trimmed().startsWith("<!DOCTYPE html>"));
    QVERIFY(help.contains("<h1") && help.contains("</html>"));
    QVERIFY(help.count("<h2") >= 8); // real sections, not a stub
    // Every link inside the help leads somewhere.
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    const QString helpText = QString::fromUtf8(help);
    int links = 0;
    for (auto it = link.globalMatch(helpText); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        QVERIFY2(helpText.contains(QStringLiteral("id=\"%1\"").arg(target)), qPrintable(target));
    }
    QVERIFY(links >= 14);
    QVERIFY(readAll(path(QStringLiteral("KelVardo.scr"))).size() > 0);
    QVERIFY(readAll(path(QStringLiteral("IndeoVideo/iv5play.exe"))).size() > 0);
    QVERIFY(readAll(path(QStringLiteral("passby.wav"))).startsWith("RIFF"));
    const QString readme = QString::fromUtf8(readAll(path(QStringLiteral("README.txt"))));
    for (const char *folder : {"Murvos", "richtext", "movies", "wav", "brochures", "ads"})
        QVERIFY2(readme.contains(QString::fromLatin1(folder)), folder);
}

QTEST_GUILESS_MAIN(TestDiscContents)
#include "test_disc_contents.moc"
