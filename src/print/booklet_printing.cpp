#include "print/booklet_panel.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/rich_text.h"
#include "app/widgets/picture_view.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"
#include "platform/richtext/rich_text_box.h"
#include "print/booklet_job.h"

#include <QCheckBox>
#include <QPoint>
#include <QPushButton>

#include <optional>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
constexpr int OneInch = 1440;

enum Section { Cover = 0, Introduction = 1, Description = 3, Details = 4 };

// Why the booklet stopped: a content code for the error report, or the printer.
struct Stop
{
    QString code;       // empty when the printer failed
    Failure failure = Failure::Caught;
};

struct CoverPicture
{
    const char* folder;
    const char* file;
    QPoint at; // twips from the paper's corner
};

constexpr CoverPicture CoverPictures[] = {
    {"graphics", "title.jpg", {1600, 1600}},
    {"clipart", "1957.jpg", {2000, 4300}},
    {"graphics", "bklettxt.jpg", {500, 8800}},
    {"graphics", "orvanta3.jpg", {2800, 12000}},
};

class BookletPrinter
{
public:
    BookletPrinter(AppContext& c, BookletPanel& p)
        : m_c(c), m_p(p), m_job(c.printer(), ProductTitle + QStringLiteral(" Booklet"))
    {
    }

    // Steps 3 to 8; an empty optional means every chosen section printed.
    std::optional<Stop> run()
    {
        AppState& s = m_c.state;
        const QString from = m_p.yearCode(0);
        const QString to = m_p.yearCode(1);
        if (checked(Cover) && !printCover())
            return stop();
        if (checked(Introduction) && !printDocument(QStringLiteral("introduction.rtf")))
            return stop();
        if (!checked(Description) && !checked(Details))
            return std::nullopt;
        if (from.toInt() == 0 || to.toInt() == 0) {
            s.ErrCode = QStringLiteral("ER034");
            return Stop{s.ErrCode, Failure::Detected};
        }
        if (to.toInt() < from.toInt()) {
            s.ErrCode = QStringLiteral("ER036");
            return Stop{s.ErrCode, Failure::Detected};
        }
        for (int year = from.toInt(); year <= to.toInt(); ++year) {
            const QString code = QString::number(year);
            if (checked(Description) && !printDocument(code + QStringLiteral("desc.rtf")))
                return stop();
            if (checked(Details)) {
                for (const char* part : {"opts.rtf", "stats.rtf", "colors.rtf"}) {
                    if (!printDocument(code + QString::fromLatin1(part)))
                        return stop();
                }
            }
        }
        return std::nullopt;
    }

    BookletJob& job() { return m_job; }

private:
    bool checked(int index) const { return m_p.Check1[index]->isChecked(); }

    // A content failure keeps ER040; a printer failure has no code of its own.
    Stop stop() const { return m_job.printerError().isEmpty() ? Stop{m_c.state.ErrCode} : Stop{}; }

    bool printCover()
    {
        for (const CoverPicture& picture : CoverPictures) {
            const QString found = m_c.files().resolve(
                joinPath(m_c.state.CdDrive, QString::fromLatin1(picture.folder), QString::fromLatin1(picture.file)));
            const QImage image = found.isEmpty() ? QImage() : loadImage(found);
            if (image.isNull())
                return false;
            m_p.Picture3->setImage(image);
            if (!m_job.drawPicture(picture.at, m_p.Picture3->image()))
                return false;
        }
        m_p.Picture3->clear();
        m_job.endPage();
        return true;
    }

    bool printDocument(const QString& file)
    {
        AppState& s = m_c.state;
        s.DocPath = joinPath(s.CdDrive, QStringLiteral("RichText"), file);
        if (!loadRichText(m_c, m_p.rtbText, s.DocPath))
            return false;
        return m_job.printDocument(*m_p.rtbText->document(), OneInch);
    }

    AppContext& m_c;
    BookletPanel& m_p;
    BookletJob m_job;
};

// The same words the document viewer uses when its printing fails.
void reportPrinterFailure(AppContext& c, const QString& why)
{
    QString text = QStringLiteral("Unable to print the document.");
    if (!why.isEmpty())
        text += CrLf + CrLf + why;
    c.dialogs().messageBox(text, Buttons::Ok, Icon::Critical, ProductTitle);
}
} // namespace

void cmdPrint_Click(AppContext& c)
{
    BookletPanel& p = bookletPanel(c);
    AppState& s = c.state;
    if (!c.services.printer) {
        reportPrinterFailure(c, QStringLiteral("No printer is available."));
        return;
    }
    c.busy().busy();
    s.ErrCode = QStringLiteral("ER040");
    BookletPrinter booklet(c, p);
    const std::optional<Stop> stopped = booklet.run();
    // Pages already drawn go out in every case; none is drawn twice.
    const bool printerOk = booklet.job().finish();
    c.busy().normal();
    if (!printerOk) {
        if (!booklet.job().cancelled())
            reportPrinterFailure(c, booklet.job().printerError());
        return;
    }
    if (stopped) {
        s.ErrCode = stopped->code;
        ErrorReporter(c, stopped->failure);
        return;
    }
    s.MsgText = QStringLiteral("Booklet printed!") + CrLf;
    s.MsgAnswer = QString::number(c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Exclamation, ProductTitle));
    p.cmdPrint->setText(QStringLiteral("Print Again"));
    p.cmdOK->setText(QStringLiteral("Exit"));
}

} // namespace kv
