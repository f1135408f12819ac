#include "app/form1.h"
#include "app/picture_read_ahead.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "browse/topic_selection.h"
#include "photos/first_photos.h"
#include "photos/photo_cursor.h"
#include "photos/photo_list.h"
#include "photos/photo_stepping.h"
#include "support/fixture.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QThreadPool>

using namespace kv;

namespace {
// Steps given as "N" and "P"; returns the numbers shown after each.
QStringList step(Fixture& fx, const QString& steps)
{
    QStringList shown;
    for (QChar s : steps) {
        if (s == 'N')
            NextPhoto(*fx.c);
        else
            PreviousPhoto(*fx.c);
        shown << fx.c->form1->panPhoto->text();
    }
    return shown;
}

QString shownName(Fixture& fx)
{
    return fx.c->state.CurrentPhoto.section('/', -1);
}
} // namespace

class TestPhotoStepping : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("next three times") << "NNN" << QStringList{"2", "3", "1"};
        QTest::newRow("previous first") << "P" << QStringList{"3"};
        QTest::newRow("mixed") << "NPPN" << QStringList{"2", "1", "3", "1"};
        QTest::newRow("back round twice") << "PPPP" << QStringList{"3", "2", "1", "3"};
        QTest::newRow("forth and back") << "NNPPP" << QStringList{"2", "3", "2", "1", "3"};
    }
    void sequences()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, numbers);
        Fixture fx;
        fx.openMainWith({"55001.jpg", "56001.jpg", "56002.jpg", "56003.jpg", "57001.jpg"});
        cmdYR_Click(*fx.c, 2);
        QCOMPARE(fx.c->form1->panPhoto->text(), QString("1"));
        QCOMPARE(step(fx, steps), numbers);
        // The name shown always matches the number shown.
        QCOMPARE(shownName(fx), QString("5600%1.JPG").arg(numbers.last()));
        QCOMPARE(fx.c->state.PhotoList(fx.c->state.PhotoIndex), fx.c->state.CurrentPhoto);
    }

    void onePhotoSelectionStaysPut()
    {
        Fixture fx;
        fx.openMainWith({"55001.jpg", "56001.jpg", "57001.jpg"});
        cmdYR_Click(*fx.c, 2);
        QCOMPARE(step(fx, "NNPPN"), QStringList({"1", "1", "1", "1", "1"}));
        QCOMPARE(shownName(fx), QString("56001.JPG"));
    }

    void stepsBeforeAnyChoiceOnlyFocus1955()
    {
        Fixture fx;
        Form1& f = fx.openMainWith({"55001.jpg"});
        f.activateWindow();
        f.cmdYR[1]->setEnabled(false);
        NextPhoto(*fx.c);
        QVERIFY(f.cmdYR[1]->isEnabled());
        QTRY_COMPARE(f.focusedYearButton(), 1);
        f.focusYearButton(3);
        PreviousPhoto(*fx.c);
        QTRY_COMPARE(f.focusedYearButton(), 1);
        QVERIFY(fx.c->state.CurrentPhoto.isEmpty());
    }

    void focusFollowsTheShownYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("focused");
        QTest::newRow("1955") << 1 << 2;
        QTest::newRow("1956") << 2 << 3;
        QTest::newRow("1957") << 3 << 1;
    }
    void focusFollowsTheShownYear()
    {
        QFETCH(int, year);
        QFETCH(int, focused);
        Fixture fx;
        Form1& f = fx.openMainWith({"55001.jpg", "55002.jpg", "56001.jpg", "56002.jpg", "57001.jpg", "57002.jpg"});
        f.activateWindow();
        cmdYR_Click(*fx.c, year);
        f.focusYearButton(year);
        NextPhoto(*fx.c);
        QTRY_COMPARE(f.focusedYearButton(), focused);
        f.focusYearButton(year);
        PreviousPhoto(*fx.c);
        QTRY_COMPARE(f.focusedYearButton(), focused);
    }

    void fileNamesFollowTheSteps()
    {
        Fixture fx;
        Form1& f = fx.openMainWith({"55001.jpg", "PT001.JPG", "PT002.JPG"});
        mnuNames_Click(*fx.c); // before any choice: nothing
        QVERIFY(!fx.c->state.ShowFileNames);
        cmdYR_Click(*fx.c, 1);
        fx.c->state.TopicCode = "PT"; // a code no menu offers, stepped as any other
        fx.c->state.SkipFirstMatch = false;
        mnuNames_Click(*fx.c);
        QVERIFY(f.txtFile->isVisibleTo(&f));
        QCOMPARE(f.mnuNames->text(), QString("Hide File &Names"));
        QCOMPARE(f.txtFile->text(), QString("55001.JPG"));
        NextPhoto(*fx.c);
        QCOMPARE(f.txtFile->text(), QString("PT001.JPG"));
        txtFile_Click(*fx.c);
        QVERIFY(!f.txtFile->isVisibleTo(&f));
        QVERIFY(!fx.c->state.ShowFileNames);
        QCOMPARE(f.mnuNames->text(), QString("Show File &Names"));
        NextPhoto(*fx.c);
        QCOMPARE(f.txtFile->text(), QString("PT001.JPG")); // hidden, so left alone
    }

    void doubleClickOnNumberRestartsFromTheTop()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "55002.jpg", "55003.jpg"});
        Form1& f = fx.openMain(disc);
        cmdYR_Click(*fx.c, 1);
        fx.writePhotos(disc, {"55000.jpg"}); // a photo comes after start: the rebuild sees it
        panPhoto_DblClick(*fx.c);
        QCOMPARE(f.panPhoto->text(), QString("2")); // no step since the choice
        QCOMPARE(shownName(fx), QString("55001.JPG"));
        PreviousPhoto(*fx.c);
        panPhoto_DblClick(*fx.c);
        QCOMPARE(f.panPhoto->text(), QString("1"));
        QCOMPARE(shownName(fx), QString("55000.JPG"));
    }

    void aPhotoChangedOrRemovedAfterItsReadAheadIsShownAsItIsNow()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"56001.jpg", "56002.jpg", "56003.jpg"});
        Form1& f = fx.openMain(disc);
        cmdYR_Click(*fx.c, 2);
        NextPhoto(*fx.c); // 2 on show, 3 read ahead once it is painted
        QTRY_VERIFY(f.photoPictures->active());
        readAheadPool().waitForDone();
        const QString third = disc + "/Murvos/56003.jpg";
        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(third, "JPG"));
        QFile(third).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
        NextPhoto(*fx.c);
        const QColor shown = f.Image4->image().pixelColor(32, 24);
        QVERIFY2(shown.red() > 200 && shown.green() < 60, qPrintable(shown.name()));

        PreviousPhoto(*fx.c); // 2 on show, 1 read ahead
        QTRY_VERIFY(f.photoPictures->active());
        readAheadPool().waitForDone();
        QVERIFY(QFile::remove(disc + "/Murvos/56001.jpg"));
        const QImage second = f.Image4->image();
        PreviousPhoto(*fx.c);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER011"));
        QCOMPARE(f.Image4->image(), second);
    }

    void aChoiceShowsTheKeptFirstPhotoOrTheFileAsItIsNow()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "56001.jpg", "56002.jpg", "57001.jpg"});
        Form1& f = fx.openMain(disc);
        cmdYR_Click(*fx.c, 1); // the others' first photos are kept from now on
        const QString y56 = disc + "/Murvos/56001.jpg";
        const QString y57 = disc + "/Murvos/57001.jpg";
        QTRY_VERIFY(f.photoPictures->keeps(y57, f.Image4->displayBox()));
        readAheadPool().waitForDone();

        const QImage kept = f.photoPictures->take(y56, f.Image4->displayBox()).decoded;
        QVERIFY(!kept.isNull());
        cmdYR_Click(*fx.c, 2);
        QCOMPARE(f.Image4->image().constBits(), kept.constBits()); // shown as kept, not read again

        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(y57, "JPG"));
        QFile(y57).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
        cmdYR_Click(*fx.c, 3);
        const QColor shown = f.Image4->image().pixelColor(32, 24);
        QVERIFY2(shown.red() > 200 && shown.green() < 60, qPrintable(shown.name()));
        // Kept again as it is now, for the next choice.
        QTRY_VERIFY(f.photoPictures->keeps(y57, f.Image4->displayBox()));

        QVERIFY(QFile::remove(disc + "/Murvos/55001.jpg"));
        cmdYR_Click(*fx.c, 1);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER023"));
    }

    void captionTextComesFromTheDiscEvenWithLocalPhotos()
    {
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(fx.programDir(), {"56011.jpg", "56012.jpg"});
        writeText(disc + "/RichText/56012.RTF", "{\\rtf1 Caption of twelve}");
        Form1& f = fx.openMain(disc);
        fx.c->state.PhotoDir = fx.programDir();
        BuildPhotoList(*fx.c);
        cmdYR_Click(*fx.c, 2);
        f.rtbDetails->show();
        NextPhoto(*fx.c);
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
        QCOMPARE(fx.c->state.DocPath, disc + "/richtext/56012.rtf");
        QVERIFY(f.rtbDetails->toPlainText().contains("Caption of twelve"));
        const QRect ad = f.cmdAd->geometry();
        QCOMPARE(f.rtbDetails->geometry().right() + 1, ad.x() + ad.width() - 10);
        QCOMPARE(f.rtbDetails->y(), f.Image4->y() + 9);

        NextPhoto(*fx.c); // 56011 has no caption text
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER012"));
    }

    void brokenPhotoKeepsThePreviousAndIsPassedOver_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("zero bytes") << QByteArray("");
        QTest::newRow("not a jpeg") << QByteArray("GIF89a this is no picture at all");
        QTest::newRow("truncated") << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11);
    }
    void brokenPhotoKeepsThePreviousAndIsPassedOver()
    {
        QFETCH(QByteArray, bytes);
        Fixture fx;
        const QString disc = fx.disc();
        fx.writePhotos(disc, {"57001.jpg", "57003.jpg"});
        writePhoto(disc + "/Murvos/57002.jpg", bytes);
        Form1& f = fx.openMain(disc);
        cmdYR_Click(*fx.c, 3);
        const QImage first = f.Image4->image();
        NextPhoto(*fx.c);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER012\r\n\r\n Unable to load photo."));
        QCOMPARE(f.panPhoto->text(), QString("1"));
        QCOMPARE(f.Image4->image(), first);
        QCOMPARE(shownName(fx), QString("57001.JPG"));

        // Each step moves one photo from the one on show, passing over the broken one; a
        // failed step back is reported once ("P" after "3" with no move), then passed over.
        QCOMPARE(step(fx, "PNNNPNPPP"), QStringList({"3", "1", "1", "3", "3", "1", "3", "3", "1"}));
        QCOMPARE(fx.t.dialogs->boxes.size(), 4);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER011"));
        QCOMPARE(fx.c->state.PhotoList(fx.c->state.PhotoIndex), fx.c->state.CurrentPhoto);
    }

    void topicWithoutPhotosNeverLoops()
    {
        Fixture fx;
        Form1& f = fx.openMainWith({"55001.jpg", "57001.jpg"});
        cmdYR_Click(*fx.c, 2);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: ER023"));
        QVERIFY(!f.Image4->isVisibleTo(&f));
        NextPhoto(*fx.c);
        PreviousPhoto(*fx.c);
        NextPhoto(*fx.c);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
    }

    void emptyPhotoFolderReportsAndCarriesOn()
    {
        Fixture fx;
        fx.openMain(fx.disc());
        for (int year = 1; year <= 3; ++year)
            cmdYR_Click(*fx.c, year);
        mnuStuff_Click(*fx.c, 7);
        NextPhoto(*fx.c);
        PreviousPhoto(*fx.c);
        QCOMPARE(fx.t.dialogs->boxes.size(), 4);
        for (const auto& box : fx.t.dialogs->boxes)
            QVERIFY(box.text.startsWith("Error number: ER023"));
    }
};

QTEST_MAIN(TestPhotoStepping)
#include "test_photo_stepping.moc"
