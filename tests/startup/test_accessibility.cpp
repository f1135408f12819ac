#include "app/form1.h"
#include "app/form2.h"
#include "app/help_menu.h"
#include "browse/artwork_panels.h"
#include "browse/document_catalogue.h"
#include "browse/frm_scroll.h"
#include "browse/topic_selection.h"
#include "browse/txt_form.h"
#include "copies/copy_routines.h"
#include "copies/saver_install.h"
#include "disc_generator.h"
#include "media/frm_movie.h"
#include "media/sound_panels.h"
#include "photos/frm_slide.h"
#include "photos/photo_stepping.h"
#include "photos/photo_window.h"
#include "photos/slide_show.h"
#include "platform/help/help_window.h"
#include "print/booklet_panel.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace kv;

namespace {
// What a label or button shows, as a screen reader would have to say it.
QString shownText(QString text, bool rich)
{
    if (rich) {
        QTextDocument doc;
        doc.setHtml(text);
        text = doc.toPlainText();
    }
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    return text.replace(mnemonic, QStringLiteral("\\1")).trimmed();
}

QString where(QWidget* w)
{
    QStringList path;
    for (QWidget* p = w; p; p = p->isWindow() ? nullptr : p->parentWidget())
        path.prepend(p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName());
    return path.join(QLatin1Char('/'));
}

// One line for each widget of the window that a screen reader reads otherwise than it shows,
// or that it cannot name at all.
QStringList misread(QWidget* window)
{
    QStringList found;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window))
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        const QString name = iface ? iface->text(QAccessible::Name).trimmed() : QString();
        QString shown;
        bool showsValue = false; // a label, or a box that only shows a value
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const bool rich = label->textFormat() == Qt::RichText
                || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
            shown = shownText(label->text(), rich);
            showsValue = label->pixmap().isNull() && !label->movie();
        } else if (auto* box = qobject_cast<QLineEdit*>(w); box && box->isReadOnly()) {
            shown = box->text().trimmed();
            showsValue = true;
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            shown = shownText(button->text(), false);
        } else if (auto* text = qobject_cast<QTextEdit*>(w); text && text->isReadOnly()) {
            // A text is read as itself: by its text interface, with a caret the keyboard moves.
            if (!name.isEmpty())
                found << QStringLiteral("%1 reads \"%2\" instead of its text").arg(where(w), name);
            if (!iface || iface->role() != QAccessible::EditableText || !iface->state().readOnly)
                found << QStringLiteral("%1 is not a read-only text").arg(where(w));
            QAccessibleTextInterface* reading = iface ? iface->textInterface() : nullptr;
            const QString plain = text->toPlainText();
            if (!reading || reading->text(0, reading->characterCount()).size() != plain.size())
                found << QStringLiteral("%1 does not give its text to a screen reader").arg(where(w));
            if (!(text->focusPolicy() & Qt::TabFocus) || !(text->textInteractionFlags() & Qt::TextSelectableByKeyboard))
                found << QStringLiteral("%1 cannot be read by caret").arg(where(w));
            continue;
        }
        // One not yet filled must not carry a name that will hide its value.
        if (showsValue && shown.isEmpty() && !name.isEmpty())
            found << QStringLiteral("%1 shows nothing yet but reads \"%2\"").arg(where(w), name);
        if (!shown.isEmpty() && name != shown)
            found << QStringLiteral("%1 shows \"%2\" but reads \"%3\"").arg(where(w), shown, name);
        const bool control = (w->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(w);
        if (control && name.isEmpty())
            found << QStringLiteral("%1 has no name").arg(where(w));
    }
    return found;
}

// Reads every window `open` shows.
QStringList misreadInWindowsOpenedBy(Fixture& fx, const std::function<void()>& open)
{
    QStringList found;
    if (!inWindowsOpenedBy(fx, open, [&](QWidget* w) { found << misread(w); }))
        found << QStringLiteral("no window opened");
    return found;
}
} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    // Walks every window on the sample disc: each label and button reads as what it shows,
    // and each control has a name.
    void everyWindowReadsAsItShows()
    {
        Fixture fx;
        const QString disc = fx.disc();
        const kvdisc::GenerateResult written = kvdisc::generateDisc(disc);
        QVERIFY2(written.ok, qPrintable(written.error));
        Form1& f = fx.openMain(disc);
        f.show();
        AppContext& c = *fx.c;
        cmdYR_Click(c, 1);

        QStringList found = misread(&f);
        const std::array<std::function<void()>, 9> panels = {
            [&] { mnuNames_Click(c); },   [&] { mnuSound_Click(c); },   [&] { mnuUSA_Click(c); },
            [&] { mnuSaver_Click(c); },   [&] { ShowCopyPanel(c); },    [&] { mnuPrnt_Click(c); },
            [&] { cmdClipArt_Click(c); }, [&] { cmdEmblem_Click(c); },  [&] { cmdScript_Click(c); },
        };
        for (const auto& openPanel : panels) {
            openPanel();
            found << misread(&f);
        }

        const std::array<std::pair<const char*, std::function<void()>>, 9> windows = {{
            {"splash", [&] { (new Form2(c))->show(); }},
            {"about", [&] { mnuAbout_Click(c); }},
            {"document", [&] { cmdDesc_Click(c); }},
            {"slide show", [&] { ssCmdSlide_Click(c); }},
            {"brochures", [&] { cmdBrochure_Click(c); }},
            {"advertisements", [&] { cmdAd_Click(c); }},
            {"photo", [&] { OpenPhotoWindow(c); }},
            {"movies", [&] { mnuMovies_Click(c); }},
            {"help", [&] {
                 auto* help = new HelpWindow(&f);
                 help->openFile(disc + QStringLiteral("/KelVardo.HLP"));
                 help->show();
             }},
        }};
        for (const auto& [what, open] : windows) {
            const QStringList inWindow = misreadInWindowsOpenedBy(fx, open);
            for (const QString& line : inWindow)
                found << QString::fromLatin1(what) + QStringLiteral(": ") + line;
        }
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(QLatin1Char('\n') + found.join(QLatin1Char('\n'))));
    }

    void everyControlHasANameAndEnterPressesTheFocusedButton()
    {
        Fixture fx;
        Form1& f = fx.openMain(fx.disc());
        TxtForm viewer(*fx.c, &f);
        QWidget* slides = OpenSlideShow(*fx.c);
        QStringList nameless;
        for (QWidget* window : {static_cast<QWidget*>(&f), static_cast<QWidget*>(&viewer), slides}) {
            window->ensurePolished();
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
                if (b->text().isEmpty() && b->accessibleName().isEmpty() && !b->objectName().startsWith("qt_"))
                    nameless << window->objectName() + "/" + b->objectName();
            }
            for (QScrollBar* b : window->findChildren<QScrollBar*>()) {
                if (b->accessibleName().isEmpty())
                    nameless << window->objectName() + "/scroll bar";
            }
        }
        slides->close();
        QCOMPARE(nameless, QStringList());

        viewer.rtbText->setPlainText(QStringLiteral("First line\nSecond line"));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QCOMPARE(viewer.focusWidget(), viewer.SSCommand1);
        // Tab reaches the text; the arrows move the caret a screen reader follows.
        for (int tabs = 0; tabs < 3 && viewer.focusWidget() != viewer.rtbText; ++tabs)
            QTest::keyClick(viewer.focusWidget(), Qt::Key_Tab);
        QCOMPARE(viewer.focusWidget(), viewer.rtbText);
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(viewer.rtbText)->textInterface();
        QVERIFY(text);
        QCOMPARE(text->cursorPosition(), 0);
        QTest::keyClick(viewer.rtbText, Qt::Key_Down);
        QCOMPARE(text->cursorPosition(), int(QStringLiteral("First line\n").size()));
        int start = 0, end = 0;
        QCOMPARE(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("Second line"));
        QTest::keyClick(viewer.SSCommand1, Qt::Key_Return);
        QVERIFY(!viewer.isVisible());
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
