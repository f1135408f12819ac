#include "platform/richtext/rich_text_box.h"

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using kv::RichTextBox;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return path;
}

} // namespace

class TestRichTextBox : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFile();
    void failedLoadKeepsWhatWasShown_data();
    void failedLoadKeepsWhatWasShown();
    void reloadingReplacesTheDocument();
    void longDocumentScrolls();
    void clicksAreReported();
    void linksDoNotNavigate();
};

void TestRichTextBox::showsTheFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("desc.rtf"), "{\\rtf1 {\\b 1956} Description\\par}");
    RichTextBox box;
    QVERIFY(box.loadFile(path));
    QCOMPARE(box.toPlainText(), QStringLiteral("1956 Description"));
    QVERIFY(box.isReadOnly());
}

// A file that cannot be shown reports failure and leaves the box as it was.
void TestRichTextBox::failedLoadKeepsWhatWasShown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("missing file") << QString() << QByteArray();
    QTest::newRow("not RTF") << QStringLiteral("plain.rtf") << QByteArray("just some text");
    QTest::newRow("binary junk") << QStringLiteral("junk.rtf") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10);
    QTest::newRow("empty file") << QStringLiteral("empty.rtf") << QByteArray();
}

void TestRichTextBox::failedLoadKeepsWhatWasShown()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString good = writeFile(dir, QStringLiteral("good.rtf"), "{\\rtf1 shown before}");
    const QString bad = name.isEmpty() ? dir.filePath(QStringLiteral("absent.rtf")) : writeFile(dir, name, bytes);

    RichTextBox box;
    QVERIFY(box.loadFile(good));
    QVERIFY(!box.loadFile(bad));
    QCOMPARE(box.toPlainText(), QStringLiteral("shown before"));
    QVERIFY(!box.loadFile(dir.path())); // a folder is not a document either
    QCOMPARE(box.toPlainText(), QStringLiteral("shown before"));
}

void TestRichTextBox::reloadingReplacesTheDocument()
{
    RichTextBox box;
    QVERIFY(box.loadRtf("{\\rtf1 first}"));
    QPointer<QTextDocument> first = box.document();
    QVERIFY(box.loadRtf("{\\rtf1 second}"));
    QCOMPARE(box.toPlainText(), QStringLiteral("second"));
    QVERIFY(first.isNull()); // the old document does not pile up
    box.clearDocument();
    QVERIFY(box.toPlainText().isEmpty());
}

void TestRichTextBox::longDocumentScrolls()
{
    RichTextBox box;
    box.resize(300, 120);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.loadRtf("{\\rtf1 " + QByteArray("A line of the description.\\par ").repeated(200) + "}"));
    QTRY_VERIFY(box.verticalScrollBar()->maximum() > 0);
    QCOMPARE(box.verticalScrollBar()->value(), 0); // a new document shows its top
}

void TestRichTextBox::clicksAreReported()
{
    RichTextBox box;
    box.resize(200, 100);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.loadRtf("{\\rtf1 Click me}");
    QSignalSpy clicked(&box, &RichTextBox::clicked);
    QSignalSpy doubleClicked(&box, &RichTextBox::doubleClicked);
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(clicked.count(), 1);
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(doubleClicked.count(), 1);
}

void TestRichTextBox::linksDoNotNavigate()
{
    RichTextBox box;
    box.resize(300, 100);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.loadRtf("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://example.com/\"}{\\fldrslt LINKLINKLINK}}}");
    QSignalSpy anchor(&box, &QTextBrowser::anchorClicked);
    const QRect r = box.cursorRect(box.document()->find(QStringLiteral("LINKLINK")));
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(anchor.count(), 1);
    QCOMPARE(anchor.first().first().toUrl(), QUrl(QStringLiteral("http://example.com/")));
    QCOMPARE(box.toPlainText(), QStringLiteral("LINKLINKLINK")); // still the same document
    QVERIFY(box.source().isEmpty());
}

QTEST_MAIN(TestRichTextBox)
#include "test_rich_text_box.moc"
