#include "app/error_reporter.h"
#include "app/form1.h"
#include "support/fixture.h"

#include <QPushButton>
#include <QTest>

using namespace kv;

class TestErrorReporter : public QObject
{
    Q_OBJECT
private slots:
    void boxTexts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        const QString cd = "\r\n\r\nMake sure that the Kel-Vardo Folivra is in the CDROM drive.";
        QTest::newRow("ER023") << "ER023"
                               << "Error number: ER023\r\n\r\n Kel-Vardo photo not found for year selected." + cd;
        QTest::newRow("ER044") << "ER044" << "Error number: ER044\r\n\r\n Unable to load Kel-Vardo Ad." + cd;
        QTest::newRow("ER002 double spaces") << "ER002"
                                             << "Error number: ER002\r\n\r\n Unable to load  Description  for year selected." + cd;
        QTest::newRow("ER034 trailing space")
            << "ER034" << "Error number: ER034\r\n\r\n You must select both a Start Year and an End Year. " + cd;
        QTest::newRow("ER060 short") << "ER060"
                                     << "Error number: ER060\r\n\r\n Unable to copy photo to disk. Make sure target media is writeable.";
        QTest::newRow("ER036 short") << "ER036" << "Error number: ER036\r\n\r\n 'TO' year may not be earlier than 'FROM' year.";
        QTest::newRow("unknown code") << "ER099" << "Error number: ER099\r\n\r\n" + cd;
    }
    void boxTexts()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        Fixture fx;
        fx.c->state.ErrCode = code;
        QCOMPARE(ErrorReporter(*fx.c, Failure::Caught), int(Ok));
        QCOMPARE(fx.t.dialogs->boxes.size(), 1);
        const auto& box = fx.t.dialogs->boxes.first();
        QCOMPARE(box.text, text);
        QCOMPARE(fx.c->state.MsgText, text);
        QCOMPARE(box.title, QString("The Kel-Vardo Folivra"));
        QCOMPARE(int(box.buttons), int(Buttons::Ok));
        QCOMPARE(int(box.icon), int(Icon::Critical));
    }

    void retryCancelCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("answer");
        for (const char* code : {"ER001", "ER037", "ER055"}) {
            QTest::newRow(QByteArray(code) + " retry") << code << int(Retry);
            QTest::newRow(QByteArray(code) + " cancel") << code << int(Cancel);
        }
    }
    void retryCancelCodes()
    {
        QFETCH(QString, code);
        QFETCH(int, answer);
        Fixture fx;
        fx.t.dialogs->answers = {answer};
        fx.c->state.ErrCode = code;
        int quits = 0;
        fx.c->quitApplication = [&quits] { ++quits; };
        ErrorReporter(*fx.c, Failure::Detected);
        const auto& box = fx.t.dialogs->boxes.first();
        QCOMPARE(int(box.buttons), int(Buttons::RetryCancel));
        QCOMPARE(int(box.icon), int(Icon::None));
        QCOMPARE(fx.c->state.MsgAnswer, QString::number(answer));
        QCOMPARE(fx.c->ended, answer == Cancel);
        // Cancel ends through the application's quit, the single-instance claim given up first.
        QCOMPARE(quits, answer == Cancel ? 1 : 0);
        QCOMPARE(fx.t.shell->releaseCount, answer == Cancel ? 1 : 0);
    }

    // Detected failures move the focus on; caught ones leave it where it was.
    void focusRule_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("detected");
        QTest::addColumn<int>("focused");
        QTest::newRow("none chosen") << 0 << true << 1;
        QTest::newRow("1955") << 1 << true << 2;
        QTest::newRow("1956") << 2 << true << 3;
        QTest::newRow("1957 wraps") << 3 << true << 1;
    }
    void focusRule()
    {
        QFETCH(int, current);
        QFETCH(bool, detected);
        QFETCH(int, focused);
        Fixture fx;
        Form1& f = fx.openMain(fx.disc());
        f.activateWindow();
        f.focusYearButton(3);
        fx.c->state.CurrentYearButton = static_cast<std::int16_t>(current);
        fx.c->state.ErrCode = QStringLiteral("ER023");
        ErrorReporter(*fx.c, detected ? Failure::Detected : Failure::Caught);
        QTRY_COMPARE(f.focusedYearButton(), focused);
    }

    void okBoxEnablesMainWindow()
    {
        Fixture fx;
        Form1& f = fx.openMain(fx.disc());
        f.setEnabled(false);
        fx.c->state.ErrCode = QStringLiteral("ER045");
        ErrorReporter(*fx.c, Failure::Caught);
        QVERIFY(f.isEnabled());
    }
};

QTEST_MAIN(TestErrorReporter)
#include "test_error_reporter.moc"
