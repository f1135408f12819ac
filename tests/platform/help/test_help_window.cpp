// The help engine: the help file in a window of ours, its links followed by keyboard.

#include "platform/help/help_window.h"
#include "platform/help/qt_help.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace kv;

namespace {
void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray htmlHelp()
{
    QByteArray filler;
    for (int i = 0; i < 80; ++i)
        filler += "<p>Filler paragraph " + QByteArray::number(i) + "</p>\n";
    return "<!DOCTYPE html><html><head><title>Test Help</title></head><body>\n"
           "<h1>Contents</h1><p><a href=\"#far\">Far section</a> <a href=\"more.htm\">More</a></p>\n"
           + filler + "<h2 id=\"far\">Far section</h2><p>The end.</p></body></html>";
}

// Moves the keyboard to the next link of the page and activates it.
void followNextLink(QTextBrowser* browser)
{
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
}
} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private slots:
    void kindIsJudgedByContent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::newRow("html") << QByteArray("\n<!doctype HTML><p>x</p>") << int(HelpWindow::Kind::Html);
        QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi Help\\par}") << int(HelpWindow::Kind::Rtf);
        QTest::newRow("old binary help") << QByteArray("?_\x03\0\0\0\0", 7) << int(HelpWindow::Kind::Other);
    }
    void kindIsJudgedByContent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QTemporaryDir dir;
        write(dir.filePath("KelVardo.HLP"), bytes);
        QCOMPARE(int(HelpWindow::kindOf(dir.filePath("KelVardo.HLP"))), kind);
        QCOMPARE(int(HelpWindow::kindOf(dir.filePath("missing.HLP"))), int(HelpWindow::Kind::Missing));
    }

    void htmlHelpFollowsItsLinks()
    {
        QTemporaryDir dir;
        write(dir.filePath("KelVardo.HLP"), htmlHelp());
        write(dir.filePath("more.htm"), "<html><body><p>More page</p></body></html>");
        QWidget owner;
        owner.show();
        QtHelp help;
        QVERIFY(help.showContents(dir.filePath("KelVardo.HLP"), &owner));
        HelpWindow* w = help.windowFor(&owner);
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Test Help"));
        QTextBrowser* browser = w->browser();
        QVERIFY(browser->toPlainText().startsWith(QStringLiteral("Contents")));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);

        browser->setFocus();
        followNextLink(browser);
        QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
        QCOMPARE(browser->source().fragment(), QStringLiteral("far"));

        // Back at the top, the second link opens the other page; Back returns.
        w->findChild<QPushButton*>("cmdHelpContents")->click();
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QTest::keyClick(browser, Qt::Key_Tab);
        followNextLink(browser);
        QTRY_COMPARE(browser->toPlainText().trimmed(), QStringLiteral("More page"));
        auto* back = w->findChild<QPushButton*>("cmdHelpBack");
        QVERIFY(back->isEnabled());
        back->click();
        QVERIFY(browser->toPlainText().startsWith(QStringLiteral("Contents")));
    }

    void rtfAndMissingFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<QString>("shows");
        QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi Help in rich text\\par}") << "Help in rich text";
        QTest::newRow("missing") << QByteArray() << "The help file cannot be found or read:";
    }
    void rtfAndMissingFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shows);
        QTemporaryDir dir;
        if (!bytes.isNull())
            write(dir.filePath("KelVardo.HLP"), bytes);
        QtHelp help;
        QVERIFY(help.showContents(dir.filePath("KelVardo.HLP"), nullptr));
        HelpWindow* w = help.windowFor(nullptr);
        QVERIFY(w);
        QVERIFY2(w->browser()->toPlainText().contains(shows), qPrintable(w->browser()->toPlainText()));
    }

    void oneWindowPerOwnerClosedByQuit()
    {
        QTemporaryDir dir;
        write(dir.filePath("KelVardo.HLP"), htmlHelp());
        QWidget main, slide;
        QtHelp help;
        help.showContents(dir.filePath("KelVardo.HLP"), &main);
        QPointer<HelpWindow> forMain = help.windowFor(&main);
        help.showContents(dir.filePath("KelVardo.HLP"), &main);
        QCOMPARE(help.windowFor(&main), forMain.data());
        help.showContents(dir.filePath("KelVardo.HLP"), &slide);
        QPointer<HelpWindow> forSlide = help.windowFor(&slide);
        QVERIFY(forSlide && forSlide != forMain);
        help.quit(&slide);
        QVERIFY(!forSlide);
        QVERIFY(forMain && forMain->isVisible());
        // Closed by the user, it opens again.
        forMain->close();
        QTRY_VERIFY(!forMain);
        QVERIFY(help.showContents(dir.filePath("KelVardo.HLP"), &main));
        QVERIFY(help.windowFor(&main));
    }

    void sampleDiscHelpLinksWork()
    {
        const QString file = QStringLiteral(KV_SAMPLE_DISC) + "/KelVardo.HLP";
        if (!QFile::exists(file))
            QSKIP("the sample disc has not been written");
        QtHelp help;
        QVERIFY(help.showContents(file, nullptr));
        QTextBrowser* browser = help.windowFor(nullptr)->browser();
        browser->setFocus();
        followNextLink(browser);
        QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
        QVERIFY(!browser->source().fragment().isEmpty());
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
