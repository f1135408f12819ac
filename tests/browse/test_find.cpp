#include "app/form1.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "browse/find_index.h"
#include "browse/find_indexer.h"
#include "browse/find_placement.h"
#include "browse/find_window.h"
#include "platform/richtext/rtf_reader.h"
#include "viewer_probe.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

using namespace kv;

namespace {
// The main window on a disc of these photos and documents, with the texts read and Find open.
struct Found
{
    Fixture fx;
    Form1* form = nullptr;
    FindWindow* window = nullptr;

    // A document given as null is a folder by that name.
    Found(const QStringList& photos, const QHash<QString, QByteArray>& documents)
    {
        const QString disc = fx.disc();
        fx.writePhotos(disc, photos);
        QDir().mkpath(disc + "/richtext");
        for (auto it = documents.begin(); it != documents.end(); ++it) {
            if (it.value().isNull())
                QDir().mkpath(disc + "/richtext/" + it.key());
            else
                writeText(disc + "/richtext/" + it.key(), it.value());
        }
        form = &fx.openMain(disc);
        auto* indexer = form->findChild<FindIndexer*>("findIndexer");
        QTRY_VERIFY(indexer && indexer->isReady());
        form->findChild<QAction*>("mnuFind")->trigger();
        window = form->findChild<FindWindow*>("frmFind");
    }
    // Types the query; true once the window counts what it found.
    bool type(const QString& query, const QString& count)
    {
        QTest::keyClicks(window->txtFind, query);
        return QTest::qWaitFor([&] { return window->lblCount->text() == count; });
    }
};

QByteArray longRtfEndingWith(const QString& last)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    for (int i = 0; i < 80; ++i)
        rtf += "Paragraph " + QByteArray::number(i) + " about the chassis and the body.\\par ";
    return rtf + last.toLatin1() + "\\par}";
}
} // namespace

class TestFind : public QObject
{
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("found"); // best first
        QTest::newRow("prefix") << "carbur" << QList<int>{0};
        QTest::newRow("inside a word is no match") << "arburettor" << QList<int>{};
        QTest::newRow("case") << "CONTINENTAL" << QList<int>{1};
        QTest::newRow("accent in the text") << "coupe" << QList<int>{1};
        QTest::newRow("accent in the query") << "Cöupé" << QList<int>{1};
        QTest::newRow("all words, closer first") << "barrel four" << QList<int>{0, 2};
        QTest::newRow("one word missing") << "four kit" << QList<int>{};
        QTest::newRow("phrase") << "\"four barrel\"" << QList<int>{0};
        QTest::newRow("hyphenated words are a phrase") << "four-barrel" << QList<int>{0};
        QTest::newRow("phrase in the wrong order") << "\"barrel four\"" << QList<int>{};
    }
    void matching()
    {
        QFETCH(QString, query);
        QFETCH(QList<int>, found);
        FindIndex index;
        index.add("The Four-Barrel carburettor fed the V8.");
        index.add("A continental kit was offered in 1956 on the Coupé.");
        index.add("Barrel roll and four doors.");
        index.finish();
        QList<int> texts;
        for (const FindIndex::Hit& hit : index.search(parseFindQuery(query)))
            texts << hit.text;
        QCOMPARE(texts, found);
        if (query == "four-barrel")
            QCOMPARE(index.snippet(index.search(parseFindQuery(query)).first(), true),
                     "The <b>Four-Barrel</b> carburettor fed the V8.");
    }

    // What a reader expects first: the title over the body, the word over a longer one, the
    // passage where the words meet, and the spellings texts and readers use.
    void readerAnswers_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("first"); // -1: nothing found
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("shows"); // in the first result's snippet, else the spelling offered
        QTest::newRow("title above body") << "nomad" << 1 << 3 << "";
        QTest::newRow("exact word above prefix") << "stamp" << 3 << 3 << "A <b>stamp</b> of 1957";
        QTest::newRow("passage where the words meet")
            << "nomad tailgate" << 4 << 1 << "<b>Nomads</b> have a stamped <b>tailgate</b> number";
        QTest::newRow("spelling variant offered") << "carburetor" << -1 << 0 << "carburettor";
        QTest::newRow("one word for a hyphenated pair") << "kelvardo" << 5 << 2 << "<b>Kel-Vardo</b>";
        QTest::newRow("hyphenated pair for one word") << "kel-vardo" << 5 << 2 << "";
        QTest::newRow("digits for a number word") << "4-barrel" << 5 << 1 << "<b>four-barrel</b>";
    }
    void readerAnswers()
    {
        QFETCH(QString, query);
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(QString, shows);
        QString far;
        for (int i = 0; i < 30; ++i)
            far += "The chassis and the body of the wagon.\n";
        FindIndex index;
        index.add("Wagons\nA nomad here, a nomad there, a nomad everywhere.", "Nostalgia");
        index.add("The sport wagon\nIts owners are proud of it.", "Nomads");
        index.add("The body was stamped, stamped and stamped again.");
        index.add("A stamp of 1957 on a letter.");
        index.add("Nomad wagons were built in small numbers and sold to families all over the country.\n" + far
                  + "The tailgate glass came from one supplier.\n" + far
                  + "Nomads have a stamped tailgate number that should match the body tag.");
        index.add("The four-barrel carburettor of the Kel-Vardo.");
        index.add("The KelVardo Stuff menu.");
        index.finish();
        const QList<FindIndex::Hit> hits = index.search(parseFindQuery(query));
        QCOMPARE(hits.isEmpty() ? -1 : hits.first().text, first);
        QCOMPARE(hits.size(), count);
        if (!hits.isEmpty())
            QVERIFY2(index.snippet(hits.first(), true).contains(shows), qPrintable(index.snippet(hits.first(), true)));
        else
            QCOMPARE(index.suggestion(query), shows);
    }

    void readingStopsWithinALargeDocument()
    {
        QByteArray rtf = "{\\rtf1\\ansi ";
        QString text;
        for (int i = 0; i < 20000; ++i) {
            rtf += "Paragraph " + QByteArray::number(i) + " about the chassis.\\par ";
            text += QStringLiteral("Paragraph %1 about the chassis.\n").arg(i);
        }
        rtf += "}";
        const std::atomic_bool stop = true;
        QTextDocument doc;
        QVERIFY(readRtf(rtf, &doc, &stop));
        QVERIFY(doc.characterCount() < text.size() / 4);
        FindIndex index;
        QCOMPARE(index.add(text, "Chassis", &stop), -1);
        index.finish();
        QCOMPARE(index.size(), 0);
        QVERIFY(index.search(parseFindQuery("chassis")).isEmpty());
    }

    void windowKeepsThePhotoInSight_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("main");
        QTest::newRow("1280x1024, a window's width short of room beside") << QSize(1280, 1024) << QRect(0, 0, 808, 630);
        QTest::newRow("800x600, the main window fills it") << QSize(800, 600) << QRect(0, 0, 800, 600);
    }
    void windowKeepsThePhotoInSight()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, main);
        const QRect photo(main.left() + 12, main.top() + 100, 541, 406);
        const QSize smallest(228, 272);
        const QRect spot = findWindowPlace(QRect(QPoint(0, 0), screen), main, photo, QSize(488, 462), smallest);
        QVERIFY(!spot.isNull());
        QVERIFY(QRect(QPoint(0, 0), screen).contains(spot));
        QVERIFY(!spot.intersects(photo));
        QVERIFY(spot.width() >= smallest.width() && spot.height() >= smallest.height());
    }

    void firstKeysAfterFindReachTheField()
    {
        Found f({"55001.jpg"}, {{"55desc.rtf", rtfSaying("A continental kit.")}});
        f.window->close();
        delete f.window;
        QCoreApplication::processEvents();
        // The window is new again; the main window still has the keyboard when typing starts.
        f.form->findChild<QAction*>("mnuFind")->trigger();
        QTest::keyClicks(f.form->focusWidget() ? f.form->focusWidget() : f.form, "nt");
        f.window = f.form->findChild<FindWindow*>("frmFind");
        QCOMPARE(f.window->txtFind->text(), "nt");
        // The field's clear button, a picture only, is named for a screen reader.
        const QList<QToolButton*> buttons = f.window->txtFind->findChildren<QToolButton*>();
        QVERIFY(std::any_of(buttons.begin(), buttons.end(), [](QToolButton* b) {
            return b->isVisibleTo(b->window()) && QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name) == "Clear";
        }));
    }

    void documentHitOpensTheViewerOnTheMatch()
    {
        Found f({"55001.jpg"}, {{"55desc.rtf", longRtfEndingWith("The Continental kit came in 1955.")}});
        QVERIFY(f.type("contin", "1 result"));
        QString selected;
        bool inView = false;
        const ViewerSeen seen = runWithViewer(
            f.fx, [&] { QTest::keyClick(f.window->txtFind, Qt::Key_Return); },
            [&](TxtForm& viewer) {
                QTRY_VERIFY(viewer.rtbText->verticalScrollBar()->value() > 0);
                selected = viewer.rtbText->textCursor().selectedText();
                inView = viewer.rtbText->viewport()->rect().contains(viewer.rtbText->cursorRect());
            });
        QCOMPARE(seen.opened, 1);
        QCOMPARE(seen.caption, "The Kel-Vardo Folivra       1955 Description");
        QCOMPARE(selected, "Continental");
        QVERIFY(inView);
        QVERIFY(f.fx.t.dialogs->boxes.isEmpty());
    }

    void photoHitShowsThePhoto_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("photo");
        QTest::newRow("year") << "ornament" << "1955" << "2" << "55002.JPG";
        QTest::newRow("collectibles topic") << "cent stamp" << "Kel-Vardo Postage Stamps " << "2" << "ZZ004.JPG";
    }
    void photoHitShowsThePhoto()
    {
        QFETCH(QString, query);
        QFETCH(QString, topic);
        QFETCH(QString, number);
        QFETCH(QString, photo);
        Found f({"55001.jpg", "55002.jpg", "55003.jpg", "ZZ002.jpg", "ZZ004.jpg"},
                {{"55002.rtf", rtfSaying("A chrome hood ornament.")}, {"zz004.rtf", rtfSaying("The four-cent stamp.")}});
        QVERIFY(f.type(query, "1 result"));
        QTest::keyClick(f.window->txtFind, Qt::Key_Return);
        QCOMPARE(f.form->panYear->text(), topic);
        QCOMPARE(f.form->panPhoto->text(), number);
        QVERIFY(f.fx.c->state.CurrentPhoto.endsWith("/" + photo));
        QVERIFY(f.form->rtbDetails->isVisible());
        QVERIFY(!f.form->rtbDetails->textCursor().selectedText().isEmpty());
        // Stepping goes on from the photo shown.
        QTest::keyClick(f.form->cmdYR[1], Qt::Key_Period);
        QCOMPARE(f.form->panPhoto->text(), QString::number(number.toInt() % (topic == "1955" ? 3 : 2) + 1));
    }

    void damagedDocumentsAreSkipped_data()
    {
        QTest::addColumn<bool>("withGood");
        QTest::addColumn<QString>("ready");
        QTest::newRow("damaged beside a good one") << true << "1 document to search.";
        QTest::newRow("nothing readable") << false << "This disc has no documents to search.";
    }
    void damagedDocumentsAreSkipped()
    {
        QFETCH(bool, withGood);
        QFETCH(QString, ready);
        QHash<QString, QByteArray> documents = {{"56desc.rtf", QByteArray("\x89PNG\r\n\x1a\n chrome", 13)},
                                                {"57desc.rtf", QByteArray("")},
                                                {"55colors.rtf", QByteArray()}};
        if (withGood)
            documents.insert("55desc.rtf", rtfSaying("Chrome trim."));
        Found f({"55001.jpg"}, documents);
        QCOMPARE(f.window->lblCount->text(), ready);
        QVERIFY(f.type("chrome", withGood ? "1 result" : ready));
        QVERIFY(f.fx.t.dialogs->boxes.isEmpty());
    }
};

QTEST_MAIN(TestFind)
#include "test_find.moc"
