#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/topic_buttons.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "browse/document_catalogue.h"
#include "browse/topic_selection.h"
#include "viewer_probe.h"

#include <QAction>
#include <QFile>
#include <QTest>

using namespace kv;

namespace {
const QString T7 = "The Kel-Vardo Folivra       ";
const QString T5 = "The Kel-Vardo Folivra     ";
const QString Halvic = "The Classic Halvic ";

const QStringList Photos = {"55001.jpg", "56001.jpg", "57001.jpg", "ZZ001.jpg", "TF001.jpg"};

// Every document of the catalogue as the disc spells it; each one says its own name.
const QStringList DiscDocuments = {
    "Introduction.rtf", "stamps.rtf", "carstuff.rtf", "knives.rtf", "plates.rtf", "franklin.rtf", "danbury.rtf",
    "monopoly.rtf", "desperat.rtf", "ptdesc.rtf", "55desc.rtf", "56desc.rtf", "57desc.rtf", "55colors.rtf",
    "56colors.rtf", "57colors.rtf", "hvcolors.rtf", "55opts.rtf", "57opts.rtf", "hvopts.rtf", "56stats.rtf",
    "hvstats.rtf", "m3stats.rtf", "msstats.rtf", "1956Models.rtf", "nostalgia56.rtf", "sshelp.rtf",
    "KelVardoAdsList.rtf", "judging.rtf", "Nomads.rtf", "WallPaper Instructions.rtf", "notice.rtf", "credits.rtf",
    "contrib.rtf", "zz006.rtf", "zz014.rtf", "tfm04.rtf", "tfm24.rtf"};

void writeDocuments(const QString& disc, const QStringList& names)
{
    for (const QString& name : names)
        writeText(disc + "/richtext/" + name, rtfSaying("This is " + name));
}

void press(AppContext& c, const QString& what)
{
    static const QHash<QString, void (*)(AppContext&)> handlers = {
        {"Description", cmdDesc_Click},   {"Colors", cmdColors_Click},       {"Options", cmdOptions_Click},
        {"Statistics", cmdStats_Click},   {"Models", cmdModels_Click},       {"Nostalgia", cmdNostalgia_Click},
        {"Saver help", SSCommand5_Click}, {"Wallpaper", mnuWallPaper_Click}, {"Intro menu", mnuIntro_Click},
        {"Notice", mnuNotice_Click},      {"Credits", mnuCredits_Click},     {"Contributions", mnuContrib_Click},
    };
    if (what.startsWith("Misc "))
        mnuMisc_Click(c, what.mid(5).toInt());
    else
        handlers.value(what)(c);
}

struct Opened
{
    Fixture fx;
    Form1* form = nullptr;
    QString disc;
    explicit Opened(const QStringList& documents)
    {
        disc = fx.disc();
        fx.writePhotos(disc, Photos);
        writeDocuments(disc, documents);
        form = &fx.openMain(disc);
        form->activateWindow();
    }
    void choose(const QString& topic, const QString& photo = "1")
    {
        setSelection(*fx.c, choiceByCaption(topic));
        form->panPhoto->setText(photo);
    }
};
} // namespace

class TestDocumentCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void everyEntryOpensItsDocument_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        auto row = [](const QString& topic, const QString& entry, const QString& file, const QString& caption) {
            QTest::addRow("%s %s", qPrintable(entry), qPrintable(topic.isEmpty() ? "-" : topic))
                << topic << entry << file << caption;
        };
        row("panYear", "Description", "Introduction.rtf", T7 + "Introduction");
        for (const QString& t : QStringList{"Kel-Vardo Calendars ", "Franklin Mint Collector Knives ",
                                 "Franklin Mint Collector Plates ", "Franklin Mint Die Cast Models ",
                                 "Danbury Mint Die Cast Models ", "The Kel-Vardo Monopoly Game ",
                                 "Kel-Vardo Metal Signs ", "Kel-Vardo Postage Stamps "}) {
            static const QHash<QString, QString> files = {
                {"Kel-Vardo Calendars ", "carstuff.rtf"}, {"Franklin Mint Collector Knives ", "knives.rtf"},
                {"Franklin Mint Collector Plates ", "plates.rtf"}, {"Franklin Mint Die Cast Models ", "franklin.rtf"},
                {"Danbury Mint Die Cast Models ", "danbury.rtf"}, {"The Kel-Vardo Monopoly Game ", "monopoly.rtf"},
                {"Kel-Vardo Metal Signs ", "desperat.rtf"}, {"Kel-Vardo Postage Stamps ", "stamps.rtf"}};
            row(t, "Description", files.value(t), T7 + t);
        }
        row("Early Kel-Vardo Prototypes ", "Description", "ptdesc.rtf",
            T7 + "Early Kel-Vardo Prototypes Description ");
        row("1956", "Description", "56desc.rtf", T7 + "1956 Description");
        row("1955", "Colors", "55colors.rtf", T7 + "1955 Colors");
        row(Halvic, "Colors", "hvcolors.rtf", T7 + "The Classic Halvic  Colors");
        row("1957", "Options", "57opts.rtf", T7 + "1957 Options");
        row(Halvic, "Options", "hvopts.rtf", T7 + "The Classic Halvic  Options");
        row("1956", "Statistics", "56stats.rtf", T7 + "1956 Statistics");
        row(Halvic, "Statistics", "hvstats.rtf", T7 + "The Classic Halvic  Specifications");
        row("Kel-Vardo Mach III ", "Statistics", "m3stats.rtf", T7 + "Kel-Vardo Mach III  Specifications");
        row("Kel-Vardo Super Stallion ", "Statistics", "msstats.rtf", T7 + "Kel-Vardo Super Stallion  Specifications");
        row("1956", "Models", "1956Models.rtf", T7 + "1956 Murvo Models");
        row("1956", "Nostalgia", "nostalgia56.rtf", T5 + "Nostalgia 1956");
        row("1955", "Saver help", "sshelp.rtf", T7 + "Install Screen Saver Help");
        row("1955", "Misc 1", "KelVardoAdsList.rtf", T7 + "Advertising Checklist");
        row("1955", "Misc 2", "judging.rtf", T7 + "Judging Outline");
        row("1955", "Misc 3", "Nomads.rtf", T7 + "Nomads");
        row("1955", "Wallpaper", "WallPaper Instructions.rtf", T5 + "Wallpaper Instructions");
        row("panYear", "Intro menu", "Introduction.rtf", T7 + "Introduction");
        row("1955", "Notice", "notice.rtf", T7 + "Notice");
        row("1955", "Credits", "credits.rtf", T7 + "Credits");
        row("1955", "Contributions", "contrib.rtf", T7 + "Contributions");
    }
    void everyEntryOpensItsDocument()
    {
        QFETCH(QString, topic);
        QFETCH(QString, entry);
        QFETCH(QString, file);
        QFETCH(QString, caption);
        Opened o(DiscDocuments);
        o.choose(topic);
        const ViewerSeen seen = runWithViewer(o.fx, [&] { press(*o.fx.c, entry); });
        QCOMPARE(seen.opened, 1);
        QVERIFY(seen.modal);
        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.text.trimmed(), "This is " + file);
        QCOMPARE(o.fx.c->state.DocTitle, caption);
        QVERIFY(o.fx.t.dialogs->boxes.isEmpty());
        // Closed and gone again.
        QVERIFY(o.fx.c->txtForm.isNull());
    }

    void missingDocumentReportsItsCode_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("code");
        QTest::newRow("description") << "1955" << "Description" << "ER002";
        QTest::newRow("introduction") << "panYear" << "Description" << "ER002";
        QTest::newRow("colors") << "1955" << "Colors" << "ER029";
        QTest::newRow("options") << Halvic << "Options" << "ER026";
        QTest::newRow("statistics viewer") << "1955" << "Statistics" << "ER027";
        QTest::newRow("statistics detail") << "Kel-Vardo Postage Stamps " << "Statistics" << "ER027";
        QTest::newRow("models") << "1955" << "Models" << "ER009";
        QTest::newRow("models, nothing chosen") << "panYear" << "Models" << "ER009";
        QTest::newRow("nostalgia") << "1955" << "Nostalgia" << "ER005";
        QTest::newRow("saver help") << "1955" << "Saver help" << "ER052";
        QTest::newRow("misc 1") << "1955" << "Misc 1" << "ER009";
        QTest::newRow("misc 3") << "1955" << "Misc 3" << "ER009";
        QTest::newRow("wallpaper") << "1955" << "Wallpaper" << "ER008";
        QTest::newRow("intro menu") << "1955" << "Intro menu" << "ER007";
        QTest::newRow("notice") << "1955" << "Notice" << "ER025";
        QTest::newRow("credits") << "1955" << "Credits" << "ER010";
        QTest::newRow("contributions") << "1955" << "Contributions" << "ER053";
    }
    void missingDocumentReportsItsCode()
    {
        QFETCH(QString, topic);
        QFETCH(QString, entry);
        QFETCH(QString, code);
        Opened o({});
        o.choose(topic);
        const ViewerSeen seen = runWithViewer(o.fx, [&] { press(*o.fx.c, entry); });
        QCOMPARE(seen.opened, 0);
        QCOMPARE(o.fx.t.dialogs->boxes.size(), 1);
        QCOMPARE(o.fx.t.dialogs->lastText(), errorMessageText(code));
        QCOMPARE(o.fx.t.dialogs->boxes.last().icon, Icon::Critical);
        QCOMPARE(o.fx.c->state.ErrCode, code);
        QVERIFY(!o.form->rtbDetails->isVisibleTo(o.form));
        QVERIFY(o.form->isEnabled());
        QVERIFY(!o.fx.t.busy->isBusy());
    }

    // Damaged files show what can be read; files that are not rich text at all are reported.
    void badDocuments_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << false << QString();
        QTest::newRow("plain text") << QByteArray("Just some words.\r\n") << false << QString();
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << false << QString();
        QTest::newRow("cut short") << QByteArray("{\\rtf1\\ansi {\\b Half a doc") << true << "Half a doc";
        QTest::newRow("unbalanced") << QByteArray("{\\rtf1 One}}}} Two") << true << "One";
        QTest::newRow("deep groups") << QByteArray("{\\rtf1 Top ") + QByteArray(100000, '{') + "Deep" << true << "Top";
    }
    void badDocuments()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, shown);
        QFETCH(QString, text);
        Opened o({});
        writeText(o.disc + "/richtext/notice.rtf", bytes);
        const ViewerSeen seen = runWithViewer(o.fx, [&] { mnuNotice_Click(*o.fx.c); });
        QCOMPARE(seen.opened, shown ? 1 : 0);
        if (shown) {
            QVERIFY2(seen.text.contains(text), qPrintable(seen.text));
            QVERIFY(o.fx.t.dialogs->boxes.isEmpty());
        } else {
            QCOMPARE(o.fx.t.dialogs->lastText(), errorMessageText("ER025"));
        }
    }

    void nothingChosenYetDoesNothing_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("colors") << "Colors";
        QTest::newRow("options") << "Options";
        QTest::newRow("statistics") << "Statistics";
        QTest::newRow("nostalgia") << "Nostalgia";
    }
    void nothingChosenYetDoesNothing()
    {
        QFETCH(QString, entry);
        Opened o(DiscDocuments);
        o.fx.c->state.ErrCode = "ER000";
        const ViewerSeen seen = runWithViewer(o.fx, [&] { press(*o.fx.c, entry); });
        QCOMPARE(seen.opened, 0);
        QVERIFY(o.fx.t.dialogs->boxes.isEmpty());
        QCOMPARE(o.fx.c->state.ErrCode, QString("ER000"));
        QVERIFY(o.fx.c->state.TopicCode.isEmpty());
    }

    void yearButtonThenDescription()
    {
        Opened o(DiscDocuments);
        cmdYR_Click(*o.fx.c, 2);
        const ViewerSeen seen = runWithViewer(o.fx, [&] { o.form->cmdDesc->click(); });
        QCOMPARE(seen.caption, T7 + "1956 Description");
        QCOMPARE(o.fx.c->state.DocPath, o.disc + "/richtext/56desc.rtf");
        QCOMPARE(o.fx.c->state.ErrCode, QString("ER002"));
        // Closing hands the focus to the year button after the current one.
        QTRY_COMPARE(o.form->focusedYearButton(), 3);
    }

    void lookedUpNameIsTheDiscsSpelling()
    {
        Opened o({});
        writeText(o.disc + "/RichText/INTRODUCTION.RTF", rtfSaying("Welcome"));
        const ViewerSeen seen = runWithViewer(o.fx, [&] { o.form->cmdDesc->click(); });
        QCOMPARE(seen.text.trimmed(), QString("Welcome"));
        QCOMPARE(o.fx.c->state.DocPath.section('/', -1), QString("INTRODUCTION.RTF"));
    }

    void menuEntriesAreWired()
    {
        Opened o(DiscDocuments);
        o.choose("1955");
        const ViewerSeen misc = runWithViewer(o.fx, [&] { o.form->mnuMisc[2]->trigger(); });
        QCOMPARE(misc.caption, T7 + "Judging Outline");
        const ViewerSeen wall = runWithViewer(o.fx, [&] { o.form->mnuWallPaper->trigger(); });
        QCOMPARE(wall.caption, T5 + "Wallpaper Instructions");
    }

    void nostalgiaSetsTheTopicCode()
    {
        Opened o(DiscDocuments);
        cmdYR_Click(*o.fx.c, 1);
        o.fx.c->state.TopicCode = "XX";
        o.fx.t.busy->busy();
        runWithViewer(o.fx, [&] { o.form->cmdNostalgia->click(); });
        QCOMPARE(o.fx.c->state.TopicCode, QString("55"));
        // nostalgia55.rtf is not on this disc: the report comes, then the normal pointer.
        QCOMPARE(o.fx.t.dialogs->lastText(), errorMessageText("ER005"));
        QVERIFY(!o.fx.t.busy->isBusy());
    }

    void detailFileNames_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("photo");
        QTest::addColumn<QString>("file");
        QTest::newRow("stamps 3") << "Kel-Vardo Postage Stamps " << "3" << "zz006.rtf";
        QTest::newRow("stamps 4") << "Kel-Vardo Postage Stamps " << "4" << "zz008.rtf";
        QTest::newRow("stamps 5") << "Kel-Vardo Postage Stamps " << "5" << "zz010.rtf";
        QTest::newRow("stamps 7") << "Kel-Vardo Postage Stamps " << "7" << "zz014.rtf";
        QTest::newRow("franklin 2") << "Franklin Mint Die Cast Models " << "2" << "tfm04.rtf";
        QTest::newRow("franklin 12") << "Franklin Mint Die Cast Models " << "12" << "tfm24.rtf";
        QTest::newRow("danbury 6") << "Danbury Mint Die Cast Models " << "6" << "tdm12.rtf";
        QTest::newRow("signs 3") << "Kel-Vardo Metal Signs " << "3" << "vms06.rtf";
        QTest::newRow("prototypes 4") << "Early Kel-Vardo Prototypes " << "4" << "pt008.rtf";
        QTest::newRow("mach I 9") << "Kel-Vardo Mach I " << "9" << "m1018.rtf";
        QTest::newRow("art print 2") << "Bram Tollis Art Print " << "2" << "glbt04.rtf";
        QTest::newRow("cookies 1") << "Kel-Vardo Cookies " << "1" << "usa002.rtf";
        QTest::newRow("monopoly 3") << "The Kel-Vardo Monopoly Game " << "3" << "vck006.rtf";
        QTest::newRow("knives 5") << "Franklin Mint Collector Knives " << "5" << "tek010.rtf";
        QTest::newRow("caption with text after the number") << "Kel-Vardo Postage Stamps " << "7 of 14" << "zz014.rtf";
    }
    void detailFileNames()
    {
        QFETCH(QString, topic);
        QFETCH(QString, photo);
        QFETCH(QString, file);
        const StatisticsDocument d = statisticsDocument(choiceByCaption(topic), leadingNumber(photo));
        QVERIFY(d.inDetailBox);
        QCOMPARE(d.document.file, file);
    }

    void statisticsTogglesTheDetailBox()
    {
        Opened o(DiscDocuments);
        mnuStuff_Click(*o.fx.c, 7);
        o.form->panPhoto->setText("7");
        RichTextBox* box = o.form->rtbDetails;
        const ViewerSeen seen = runWithViewer(o.fx, [&] { cmdStats_Click(*o.fx.c); });
        QCOMPARE(seen.opened, 0);
        QVERIFY(box->isVisibleTo(o.form));
        QCOMPARE(box->toPlainText().trimmed(), QString("This is zz014.rtf"));
        QCOMPARE(box->size(), QSize(329, 106));
        const QRect ad = o.form->cmdAd->geometry();
        QCOMPARE(box->geometry().right() + 1, ad.right() + 1 - 10);
        QCOMPARE(box->y(), o.form->Image4->y() + 9);
        QCOMPARE(o.fx.c->state.ErrCode, QString("ER027"));

        cmdStats_Click(*o.fx.c);
        QVERIFY(!box->isVisibleTo(o.form));
        cmdStats_Click(*o.fx.c);
        QVERIFY(box->isVisibleTo(o.form));

        // A click on the box hides it and hands the focus on.
        o.form->cmdYR[3]->setFocus();
        QTest::mouseClick(box->viewport(), Qt::LeftButton);
        QVERIFY(!box->isVisibleTo(o.form));
        QTRY_COMPARE(o.form->focusedYearButton(), 1);
        QVERIFY(o.fx.t.dialogs->boxes.isEmpty());
    }

    void missingDetailTextKeepsTheBoxHidden()
    {
        Opened o(DiscDocuments);
        mnuStuff_Click(*o.fx.c, 3);
        o.form->panPhoto->setText("9");
        cmdStats_Click(*o.fx.c);
        QCOMPARE(o.fx.t.dialogs->lastText(), errorMessageText("ER027"));
        QVERIFY(!o.form->rtbDetails->isVisibleTo(o.form));
        QCOMPARE(o.form->rtbDetails->size(), QSize(329, 106));
    }
};

QTEST_MAIN(TestDocumentCatalogue)
#include "test_document_catalogue.moc"
