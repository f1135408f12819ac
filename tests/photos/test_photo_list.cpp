#include "photos/photo_list.h"
#include "support/fixture.h"

#include <QTest>

using namespace kv;

class TestPhotoList : public QObject
{
    Q_OBJECT
private slots:
    void sortedUpperCasedAndNumberedPerCode()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55002.JPG", "57001.jpg", "55001.JPG", "PT001.JPG", "56001.JPG"});
        writeText(disc + "/Murvos/readme.txt", "not a photo");
        fx.c->state.PhotoDir = disc;
        BuildPhotoList(*fx.c);
        const AppState& s = fx.c->state;
        QCOMPARE(s.PhotoCount, std::int16_t(5));
        QStringList names;
        for (int i = 1; i <= s.PhotoCount; ++i)
            names << s.PhotoList(i).mid(disc.size());
        QCOMPARE(names, QStringList({"/Murvos/55001.JPG", "/Murvos/55002.JPG", "/Murvos/56001.JPG",
                                     "/Murvos/57001.JPG", "/Murvos/PT001.JPG"}));
        QCOMPARE(s.PhotoNumbers.items(), QStringList({"1", "2", "1", "1", "1"}));
        QVERIFY(s.PhotoList(6).isEmpty()); // the empty entry after the last
        QCOMPARE(s.PhotoCursor, std::int16_t(6));
        QCOMPARE(s.ErrCode, QString("ER037"));
    }

    void ordinalOrderPutsDigitsBeforeLetters()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"zz002.jpg", "ZZ010.jpg", "Ma001.Jpg", "CW001.jpg", "ZZ001.JPG", "57002.jpg"});
        fx.c->state.PhotoDir = disc;
        BuildPhotoList(*fx.c);
        QStringList names;
        for (const QString& p : fx.c->state.PhotoList.items())
            names << p.section('/', -1);
        QCOMPARE(names, QStringList({"57002.JPG", "CW001.JPG", "MA001.JPG", "ZZ001.JPG", "ZZ002.JPG", "ZZ010.JPG"}));
        QCOMPARE(fx.c->state.PhotoNumbers.items(), QStringList({"1", "1", "1", "1", "2", "3"}));
    }

    void emptyOrMissingFolderGivesEmptyList()
    {
        Fixture fx;
        fx.c->state.PhotoDir = fx.disc() + "/nowhere";
        BuildPhotoList(*fx.c);
        QCOMPARE(fx.c->state.PhotoCount, std::int16_t(0));
        QCOMPARE(fx.c->state.PhotoCursor, std::int16_t(1));
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    void unreadableFolderAsksRetryOrCancel()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg"});
        fx.t.files->failDrive(disc);
        fx.t.dialogs->answers = {Retry};
        fx.c->state.PhotoDir = disc;
        BuildPhotoList(*fx.c);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER037\r\n\r\n Unable to load the photo array."));
        QCOMPARE(fx.c->state.PhotoCount, std::int16_t(0));
        QVERIFY(!fx.c->ended);
    }

    void rebuildReplacesTheWholeList()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "55002.jpg"});
        fx.c->state.PhotoDir = disc;
        BuildPhotoList(*fx.c);
        QFile::remove(disc + "/Murvos/55002.jpg");
        BuildPhotoList(*fx.c); // reads the folder again, not what it saw before

        QCOMPARE(fx.c->state.PhotoCount, std::int16_t(1));
        QVERIFY(fx.c->state.PhotoList(2).isEmpty());
        QCOMPARE(fx.c->state.PhotoNumbers.size(), 1);
    }
};

QTEST_MAIN(TestPhotoList)
#include "test_photo_list.moc"
