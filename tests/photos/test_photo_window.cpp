#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "app/window_helpers.h"
#include "browse/topic_selection.h"
#include "photos/frm_slide.h"
#include "photos/frm_ssphoto.h"
#include "photos/photo_window.h"
#include "photos/saver_buttons.h"
#include "photos/slide_show.h"
#include "platform/dialogs.h"
#include "platform/printer/pdf_inspect.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kv;

namespace {
const QString CrLf = "\r\n";

struct Window
{
    Fixture fx;
    QString disc;

    explicit Window(const QStringList& photos = {"55001.jpg", "56001.jpg", "57053.jpg"})
    {
        disc = fx.disc();
        fx.writePhotos(disc, photos);
        fx.openMain(disc);
        fx.c->form1->show();
    }
    FrmSSPhoto& open()
    {
        mnuCopyPhoto_Click(*fx.c);
        auto* w = qobject_cast<FrmSSPhoto*>(fx.c->frmSSPhoto.data());
        if (!w)
            qFatal("photo window did not open");
        return *w;
    }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
    QString set(const QString& name) const { return fx.programDir() + "/ssKel-Vardos/" + name; }
};

// Answers the real boxes and dialogs as they open: `onBox` and `onDialog` act on each.
struct ScreenUser
{
    QTimer timer;
    ScreenUser(std::function<void(QMessageBox*)> onBox, std::function<void(QFileDialog*)> onDialog = {})
    {
        QObject::connect(&timer, &QTimer::timeout, [onBox, onDialog] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible())
                onBox(box);
            else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && dialog->isVisible() && onDialog)
                onDialog(dialog);
        });
        timer.start(20);
    }
};

bool addOffered(FrmSSPhoto& w)
{
    return w.SSCommand7->isEnabled() && !w.SSCommand8->isEnabled();
}
bool removeOffered(FrmSSPhoto& w)
{
    return !w.SSCommand7->isEnabled() && w.SSCommand8->isEnabled();
}
} // namespace

class TestPhotoWindow : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTopWithTheBuiltInPhoto()
    {
        Window t;
        FrmSSPhoto& w = t.open();
        QCOMPARE(w.windowTitle(), QString("The Kel-Vardo Folivra"));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(QDir(t.fx.programDir() + "/ssKel-Vardos").exists());
        QCOMPARE(t.fx.c->state.CopyTarget, t.set("57053.JPG"));
        QVERIFY(addOffered(w));

        // Before any choice the disc's 57053.JPG is offered and copied.
        const QString chosen = t.fx.dir.path() + "/out/mine";
        QDir().mkpath(t.fx.dir.path() + "/out");
        t.dialogs().saveNames = {chosen};
        w.SSCommand4_Click();
        QVERIFY(copiesEnded(*t.fx.c));
        QVERIFY(t.dialogs().saveSuggested.first().endsWith("/57053.JPG"));
        QCOMPARE(t.dialogs().saveCaptions.first(), QString("Copy Kel-Vardo photo to disk"));
        QVERIFY(QFile::exists(chosen + ".jpg"));
        QCOMPARE(t.dialogs().lastText(), "Photo copied to: " + CrLf + CrLf + QDir::toNativeSeparators(chosen + ".jpg"));
    }

    void refusesTheSourceAndThePhotoFolder_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("warning");
        QTest::newRow("same file through a symlink") << "/link/56001.jpg"
                                                     << "The target file name and location can not be the same as the source file name and location!";
        QTest::newRow("same file, other case") << "/cd/murvos/56001.JPG"
                                               << "The target file name and location can not be the same as the source file name and location!";
        QTest::newRow("photo folder, other name") << "/CD/MURVOS/copy.jpg"
                                                  << "The target file directory location can not be the same as the Kel-Vardo Folivra photos!";
    }
    void refusesTheSourceAndThePhotoFolder()
    {
        QFETCH(QString, target);
        QFETCH(QString, warning);
        Window t;
        QFile::link(t.disc + "/Murvos", t.fx.dir.path() + "/link");
        cmdYR_Click(*t.fx.c, 2);
        FrmSSPhoto& w = t.open();
        // The refusal opens the dialog again; then the user cancels.
        t.dialogs().saveNames = {t.fx.dir.path() + target};
        w.SSCommand4_Click();
        QCOMPARE(t.dialogs().saveCaptions.size(), 2);
        QCOMPARE(t.dialogs().boxes.size(), 1);
        QVERIFY(t.dialogs().boxes.first().text.startsWith(warning + CrLf + CrLf + "Please choose a different location"));
        QCOMPARE(t.dialogs().boxes.first().icon, Icon::Exclamation);
        QCOMPARE(QDir(t.disc + "/Murvos").count(), 3u + 2u);
    }

    void addAndRemoveKeepOneButtonOffered_data()
    {
        QTest::addColumn<QString>("photo");
        QTest::newRow("plain name") << "56001.jpg";
        QTest::newRow("spaces and accents") << "56 Coupé ñ.jpg";
    }
    void addAndRemoveKeepOneButtonOffered()
    {
        QFETCH(QString, photo);
        Window t({"55001.jpg", photo});
        // Large enough for the gauge to move.
        QImage big(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x)
                big.setPixel(x, y, qRgb(x * y % 256, x % 256, y % 256));
        big.save(t.disc + "/Murvos/" + photo, "JPG");
        cmdYR_Click(*t.fx.c, 2);
        const QString name = photo.toUpper();
        FrmSSPhoto* w = &t.open();
        QVERIFY(addOffered(*w));
        // While the photo copies, a second click cannot start a second copy.
        bool addClickable = false;
        connect(w->ProgressGuage, &FloodGauge::floodChanged, w, [&] { addClickable |= w->SSCommand7->isEnabled(); });
        w->SSCommand7_Click();
        QVERIFY(copiesEnded(*t.fx.c));
        QVERIFY(!addClickable);
        QCOMPARE(t.dialogs().lastText(), QString("Photo Successfully Copied!"));
        QVERIFY(QFile::exists(t.set(name)));
        QVERIFY(removeOffered(*w));

        // Closed and opened again: the same photo is still in the set.
        w->SSCommand9_Click();
        QTRY_VERIFY(!t.fx.c->frmSSPhoto);
        w = &t.open();
        QVERIFY(removeOffered(*w));
        w->SSCommand8_Click();
        QCOMPARE(t.dialogs().lastText(), QString("Photo Successfully Removed!"));
        QVERIFY(!QFile::exists(t.set(name)));
        QVERIFY(addOffered(*w));
        QCOMPARE(w->ProgressGuage->floodPercent(), 0.0);
    }

    void removeAllOnAnEmptySet()
    {
        Window t;
        FrmSSPhoto& w = t.open();
        t.dialogs().answers = {Yes};
        w.SSCommand2_Click();
        QCOMPARE(t.dialogs().boxes.first().text,
                 "Would you like to remove all photos from the Kel-Vardo Folivra Screen Saver list?");
        QCOMPARE(t.dialogs().lastText(), "All Photos Successfully Removed!" + CrLf + CrLf
                                             + "You must re-install The Kel-Vardo Folivra Screen Saver " + CrLf
                                             + "if you have previously installed it to play Selected Photos.");
        QVERIFY(addOffered(w));
        QVERIFY(!w.SSCommand2->isEnabled());
    }

    void failedAddIsReportedAndNotOfferedForRemoval()
    {
        Window t;
        FrmSSPhoto& w = t.open();
        t.fx.t.files->readOnlyRoot = t.fx.programDir();
        w.SSCommand7_Click();
        QVERIFY(copiesEnded(*t.fx.c));
        QVERIFY(t.dialogs().lastText().startsWith("Error number: ER060"));
        QVERIFY(addOffered(w));
    }

    void printsTheYearUnderTheTitle()
    {
        if (!test::havePdfToText())
            QSKIP("pdftotext is not installed");
        Window t;
        cmdYR_Click(*t.fx.c, 2);
        auto printer = std::make_shared<PdfPrinter>(t.fx.dir.path() + "/photo.pdf");
        t.fx.c->services.printer = printer;
        t.dialogs().answers = {Ok};
        QVERIFY(PrintPhoto(*t.fx.c));
        QCOMPARE(t.dialogs().boxes.first().text, QString("Would you like to print this photograph?"));
        const test::PdfWords pdf = test::pdfWords(printer->path());
        QStringList words;
        for (const auto& word : pdf.words)
            words << word.text;
        QCOMPARE(words, QStringList({"The", "Kel-Vardo", "Folivra", "1956"}));
        const QRectF title = pdf.words.at(0).box;
        const QRectF year = pdf.words.at(3).box;
        // Twelve fixed-pitch spaces: one inch in, like the picture; the year two lines lower.
        QVERIFY2(qAbs(title.left() - 72) < 2, qPrintable(QString::number(title.left())));
        QVERIFY(qAbs(year.left() - title.left()) < 1);
        QVERIFY(qAbs(year.top() - title.top() - 24) < 1);
    }

    void printsThePhotoAtItsNaturalSize()
    {
        struct RecordingPrinter : PdfPrinter
        {
            using PdfPrinter::PdfPrinter;
            QRect picture;
            void drawImage(const QRect& rectTwips, const QImage& image) override
            {
                picture = rectTwips;
                PdfPrinter::drawImage(rectTwips, image);
            }
        };
        Window t;
        QImage photo(640, 480, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        photo.save(t.disc + "/Murvos/56001.jpg", "JPG");
        cmdYR_Click(*t.fx.c, 2);
        auto printer = std::make_shared<RecordingPrinter>(t.fx.dir.path() + "/photo.pdf", QPageSize(QPageSize::A4));
        t.fx.c->services.printer = printer;
        t.dialogs().answers = {Ok};
        QVERIFY(PrintPhoto(*t.fx.c));
        QCOMPARE(printer->picture, QRect(1440, 3000, 640 * 15, 480 * 15));
    }

    void boxesBelongToThePhotoWindow()
    {
        // The photo window stays on top: a box owned by any other window would open under it.
        Window t;
        FrmSSPhoto& w = t.open();
        auto dialogs = std::make_shared<QtDialogs>();
        dialogs->setParent(t.fx.c->form1);
        t.fx.c->services.dialogs = dialogs;
        t.fx.c->form1->activateWindow();
        QTRY_VERIFY(t.fx.c->form1->isActiveWindow());
        QList<QWidget*> owners;
        ScreenUser user([&](QMessageBox* box) {
            owners << box->parentWidget();
            box->button(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)->click();
        });
        w.SSCommand2_Click();
        QCOMPARE(owners, QList<QWidget*>({&w, &w}));
    }

    void bareNameAsksBeforeReplacing()
    {
        Window t;
        FrmSSPhoto& w = t.open();
        t.fx.c->services.dialogs = std::make_shared<QtDialogs>();
        const QString out = t.fx.dir.path() + "/out";
        writeText(out + "/mine2.jpg", "mine");
        QStringList asked;
        bool typed = false;
        ScreenUser user(
            [&](QMessageBox* box) {
                asked << box->text();
                box->button(box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok)->click();
            },
            [&](QFileDialog* dialog) {
                // The user types a bare name and presses Enter; once asked, gives up.
                if (!asked.isEmpty()) {
                    dialog->reject();
                } else if (!typed) {
                    typed = true;
                    dialog->setDirectory(out);
                    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                    name->setText("mine2");
                    QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
                }
            });
        w.SSCommand4_Click();
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.first().contains("mine2.jpg already exists"), qPrintable(asked.first()));
        QFile kept(out + "/mine2.jpg");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("mine"));
    }

    void closedUnderItsOwnNoticeIsLeftAlone()
    {
        // Another menu entry, chosen while the notice is up, closes the window under it.
        Window t;
        QPointer<FrmSSPhoto> w = &t.open();
        t.dialogs().answers = {Yes};
        t.dialogs().onBox = [&](const FakeDialogs::Box& box) {
            if (!box.text.startsWith("All Photos"))
                return;
            closePhotoWindow(*t.fx.c);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        w->SSCommand2_Click();
        QVERIFY(!w);
        QCOMPARE(t.dialogs().boxes.size(), 2);
    }

    void reopensAfterASlideShow()
    {
        Window t;
        t.open();
        FrmSlide* show = OpenSlideShow(*t.fx.c);
        QTRY_VERIFY(!t.fx.c->frmSSPhoto);
        show->close();
        FrmSSPhoto& again = t.open();
        QVERIFY(again.isVisible());
        QVERIFY(again.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(addOffered(again));
    }
};

QTEST_MAIN(TestPhotoWindow)
#include "test_photo_window.moc"
