// "Print Registration Form" in the Help menu: the form in the viewer, or ER008 when it is missing.

#include "app/error_reporter.h"
#include "app/form1.h"
#include "platform/richtext/rich_text_box.h"
#include "support/fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

using namespace kv;

class TestRegistrationForm : public QObject
{
    Q_OBJECT
private slots:
    void registrationForm()
    {
        Fixture fx;
        const QString cd = fx.disc();
        fx.writePhotos(cd, {"55001.jpg"});
        Form1& f = fx.openMain(cd);
        writeText(cd + "/richtext/register.rtf", "{\\rtf1\\ansi Registration form\\par}");
        QString caption, text;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w);
            caption = w->windowTitle();
            text = w->findChild<RichTextBox*>("rtbText")->toPlainText();
            w->close();
        });
        f.mnuRegister->trigger();
        QCOMPARE(caption, QStringLiteral("Orvanta Software Registration Form"));
        QCOMPARE(text, QStringLiteral("Registration form"));
        QVERIFY(fx.t.dialogs->boxes.isEmpty());

        QFile::remove(cd + "/richtext/register.rtf");
        f.mnuRegister->trigger();
        QCOMPARE(fx.c->state.ErrCode, QStringLiteral("ER008"));
        QCOMPARE(fx.t.dialogs->lastText(), errorMessageText("ER008"));
        QVERIFY(!fx.c->txtForm);
    }
};

QTEST_MAIN(TestRegistrationForm)
#include "test_registration_form.moc"
