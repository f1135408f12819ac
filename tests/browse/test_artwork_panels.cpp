#include "app/form1.h"
#include "app/topic_buttons.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "browse/artwork_panels.h"
#include "browse/topic_selection.h"
#include "support/fixture.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace kv;

namespace {
// Every artwork file of the disc, each with a size of its own so a panel tells which it shows.
const QList<std::pair<QString, QSize>> Artwork = {
    {"Clipart/1955.jpg", {300, 41}},  {"Clipart/1956.jpg", {301, 41}},  {"Clipart/1957.jpg", {302, 41}},
    {"scripts/scri55.jpg", {97, 41}}, {"scripts/scri56.jpg", {98, 41}}, {"scripts/scri57.jpg", {99, 41}},
    {"SCRIPTS/SCRIHV.jpg", {90, 40}}, {"emblems/emb55.jpg", {97, 50}},   {"emblems/emb56.jpg", {97, 51}},
    {"emblems/emb57.jpg", {97, 52}},  {"emblems/embhv.jpg", {90, 50}},
};

Form1& openDisc(Fixture& fx, bool withArtwork = true)
{
    const QString disc = fx.disc();
    fx.writePhotos(disc, {"55001.jpg", "56001.jpg", "57001.jpg"});
    for (const auto& [name, size] : Artwork) {
        if (!withArtwork)
            break;
        QDir().mkpath(disc + "/" + name.section('/', 0, 0));
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        picture.save(disc + "/" + name, "JPG");
    }
    Form1& f = fx.openMain(disc);
    f.activateWindow();
    return f;
}
} // namespace

class TestArtworkPanels : public QObject
{
    Q_OBJECT
private slots:
    void panelsShowTheSelectionsPictures_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("clipArt");
        QTest::addColumn<QSize>("script");
        QTest::addColumn<QSize>("emblem");
        QTest::newRow("1955") << 1 << QString() << QSize(300, 41) << QSize(97, 41) << QSize(97, 50);
        QTest::newRow("1956") << 2 << QString() << QSize(301, 41) << QSize(98, 41) << QSize(97, 51);
        QTest::newRow("1957") << 3 << QString() << QSize(302, 41) << QSize(99, 41) << QSize(97, 52);
        QTest::newRow("Classic Halvic") << 1 << "The Classic Halvic " << QSize(300, 41) << QSize(90, 40)
                                        << QSize(90, 50);
    }
    void panelsShowTheSelectionsPictures()
    {
        QFETCH(int, year);
        QFETCH(QString, caption);
        QFETCH(QSize, clipArt);
        QFETCH(QSize, script);
        QFETCH(QSize, emblem);
        Fixture fx;
        Form1& f = openDisc(fx);
        cmdYR_Click(*fx.c, year);
        QTest::mouseClick(f.cmdClipArt, Qt::LeftButton);
        if (!caption.isEmpty())
            setSelection(*fx.c, choiceByCaption(caption));
        QTest::mouseClick(f.cmdScript, Qt::LeftButton);
        QTest::mouseClick(f.cmdEmblem, Qt::LeftButton);
        QCOMPARE(f.picClipArt->image().size(), clipArt);
        QCOMPARE(f.picScript->image().size(), script);
        QCOMPARE(f.picEmblem->image().size(), emblem);
        for (PictureView* p : {f.picClipArt, f.picScript, f.picEmblem})
            QVERIFY(p->isVisible());
        QCOMPARE(f.picClipArt->pos(), QPoint(f.Image4->width() - clipArt.width() + 6, f.Image4->y()));
        QCOMPARE(f.picScript->pos(), QPoint(f.Image4->x() + 1, f.Image4->y() + 25));
        QCOMPARE(f.picEmblem->pos(),
                 QPoint(f.Image4->width() - emblem.width() + 9, f.Frame1->y() - emblem.height() - 1));
        QVERIFY(fx.t.dialogs->boxes.isEmpty());
    }

    void shownPanelsFollowTheYear()
    {
        Fixture fx;
        Form1& f = openDisc(fx);
        cmdYR_Click(*fx.c, 1);
        QTest::mouseClick(f.cmdClipArt, Qt::LeftButton);
        QTest::mouseClick(f.cmdScript, Qt::LeftButton);
        cmdYR_Click(*fx.c, 3);
        QCOMPARE(f.picClipArt->image().size(), QSize(302, 41));
        QCOMPARE(f.picScript->image().size(), QSize(99, 41));
        QVERIFY(f.picEmblem->isHidden());
        mnuStuff_Click(*fx.c, 1);
        QVERIFY(f.picClipArt->isHidden() && f.picScript->isHidden());
    }

    void buttonsAndClicksHide()
    {
        Fixture fx;
        Form1& f = openDisc(fx);
        for (QPushButton* b : {f.cmdClipArt, f.cmdScript, f.cmdEmblem})
            b->click(); // nothing before any choice
        QVERIFY(f.picClipArt->isHidden() && f.picScript->isHidden() && f.picEmblem->isHidden());
        cmdYR_Click(*fx.c, 2);
        f.cmdScript->click();
        QVERIFY(f.picScript->isVisible());
        f.cmdScript->click();
        QVERIFY(f.picScript->isHidden());
        f.cmdEmblem->click();
        QTest::mouseClick(f.picEmblem, Qt::LeftButton);
        QVERIFY(f.picEmblem->isHidden());
        QTRY_COMPARE(f.focusedYearButton(), 3);
    }

    void missingArtworkIsReported_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("code");
        QTest::newRow("clip art") << "cmdClipArt" << "ER035";
        QTest::newRow("script") << "cmdScript" << "ER021";
        QTest::newRow("emblem") << "cmdEmblem" << "ER022";
    }
    void missingArtworkIsReported()
    {
        QFETCH(QString, button);
        QFETCH(QString, code);
        Fixture fx;
        Form1& f = openDisc(fx, false);
        cmdYR_Click(*fx.c, 1);
        f.findChild<QPushButton*>(button)->click();
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        QVERIFY(fx.t.dialogs->lastText().startsWith("Error number: " + code));
        QVERIFY(f.picClipArt->isHidden() && f.picScript->isHidden() && f.picEmblem->isHidden());
    }

    void copyQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("No leaves the clipboard") << int(No);
        QTest::newRow("Yes copies the pressed panel") << int(Yes);
    }
    void copyQuestion()
    {
        QFETCH(int, answer);
        Fixture fx;
        Form1& f = openDisc(fx);
        cmdYR_Click(*fx.c, 2);
        f.cmdScript->click();
        f.cmdEmblem->click();
        fx.t.dialogs->answers = {answer};
        QTest::mouseClick(f.picEmblem, Qt::RightButton);
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        const auto box = fx.t.dialogs->boxes.last();
        QCOMPARE(box.text, QString("Would you like to copy this image to the Windows Clipboard?"));
        QCOMPARE(box.buttons, Buttons::YesNo);
        QCOMPARE(int(box.icon), int(Icon::Question));
        QCOMPARE(box.title, QString("The Kel-Vardo Folivra"));
        QCOMPARE(fx.c->state.QuestionAnswer, std::int16_t(answer));
        if (answer == No) {
            QVERIFY(fx.t.clipboard->calls.isEmpty());
        } else {
            QCOMPARE(fx.t.clipboard->calls, QStringList({"clear", "image"}));
            QCOMPARE(fx.t.clipboard->image, f.picEmblem->image());
        }
        QVERIFY(f.picEmblem->isVisible());
    }
};

QTEST_MAIN(TestArtworkPanels)
#include "test_artwork_panels.moc"
