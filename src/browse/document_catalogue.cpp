#include "browse/document_catalogue.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/rich_text.h"
#include "app/topics.h"
#include "app/window_helpers.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "browse/txt_form.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QFileInfo>
#include <QPushButton>

#include <array>

namespace kv {

namespace {
// Seven spaces, or five where a caption says so; both are part of the captions.
const QString Title7 = ProductTitle + QStringLiteral("       ");
const QString Title5 = ProductTitle + QStringLiteral("     ");
const QString LowerFolder = QStringLiteral("richtext");
const QString MixedFolder = QStringLiteral("RichText");

enum class Naming { Direct, LookedUp };

// A topic's own file, or empty.
const QString& ownFile(const TopicChoice& topic, QString TopicFiles::*file)
{
    static const QString none;
    return topic.topic() ? topic.topic()->files.*file : none;
}

CatalogueDocument yearRule(const TopicChoice& topic, const QString& suffix, const QString& titleWord)
{
    const QString yy = topic.digits();
    return {LowerFolder, yy + suffix, Title7 + QStringLiteral("19") + yy + titleWord};
}

QString pathOf(const AppContext& c, const CatalogueDocument& d)
{
    return joinPath(c.state.CdDrive, d.folder, d.file);
}

// The common steps of every opener. Looked-up files are reported before anything is shown;
// a direct file that cannot be loaded is reported when the load fails.
void openDocument(AppContext& c, const CatalogueDocument& d, const QString& code, Naming naming)
{
    AppState& s = c.state;
    if (naming == Naming::LookedUp) {
        s.ErrCode = code;
        const QString found = c.files().resolve(pathOf(c, d));
        if (found.isEmpty()) {
            ErrorReporter(c, Failure::Detected);
            return;
        }
        s.DocPath = joinPath(s.CdDrive, LowerFolder, QFileInfo(found).fileName());
    } else {
        s.DocPath = pathOf(c, d);
    }
    s.DocTitle = d.caption;
    if (!ShowDocument(c)) {
        s.ErrCode = code;
        ErrorReporter(c, Failure::Caught);
    }
}

void openMenuDocument(AppContext& c, MenuDocument which, Naming naming = Naming::Direct)
{
    const MenuDocumentEntry& entry = menuDocument(which);
    openDocument(c, entry.document, entry.errCode, naming);
}

const std::array<MenuDocumentEntry, 10>& menuDocuments()
{
    auto doc = [](const QString& folder, const char* file, const QString& caption, const char* code) {
        return MenuDocumentEntry{{folder, QString::fromLatin1(file), caption}, QString::fromLatin1(code)};
    };
    // In MenuDocument order.
    static const std::array<MenuDocumentEntry, 10> documents = {{
        doc(MixedFolder, "KelVardoAdsList.rtf", Title7 + QStringLiteral("Advertising Checklist"), "ER009"),
        doc(LowerFolder, "judging.rtf", Title7 + QStringLiteral("Judging Outline"), "ER009"),
        doc(LowerFolder, "Nomads.rtf", Title7 + QStringLiteral("Nomads"), "ER009"),
        doc(LowerFolder, "WallPaper Instructions.rtf", Title5 + QStringLiteral("Wallpaper Instructions"), "ER008"),
        doc(MixedFolder, "introduction.rtf", Title7 + QStringLiteral("Introduction"), "ER007"),
        doc(LowerFolder, "notice.rtf", Title7 + QStringLiteral("Notice"), "ER025"),
        doc(LowerFolder, "credits.rtf", Title7 + QStringLiteral("Credits"), "ER010"),
        doc(LowerFolder, "contrib.rtf", Title7 + QStringLiteral("Contributions"), "ER053"),
        doc(LowerFolder, "sshelp.rtf", Title7 + QStringLiteral("Install Screen Saver Help"), "ER052"),
        doc(MixedFolder, "Register.rtf", QStringLiteral("Orvanta Software Registration Form"), "ER008"),
    }};
    return documents;
}
} // namespace

const MenuDocumentEntry& menuDocument(MenuDocument which)
{
    return menuDocuments().at(std::size_t(which));
}

int leadingNumber(const QString& caption)
{
    const QString text = caption.trimmed();
    int value = 0;
    // Nine digits cannot overflow; a photo number never comes near that.
    for (int i = 0; i < text.size() && i < 9 && text.at(i).isDigit(); ++i)
        value = value * 10 + text.at(i).digitValue();
    return value;
}

CatalogueDocument descriptionDocument(const TopicChoice& topic)
{
    if (topic.isNone())
        return {LowerFolder, QStringLiteral("Introduction.rtf"), Title7 + QStringLiteral("Introduction")};
    if (const QString& own = ownFile(topic, &TopicFiles::description); !own.isEmpty())
        return {LowerFolder, own, Title7 + topic.caption() + topic.topic()->files.descriptionTail};
    return yearRule(topic, QStringLiteral("desc.rtf"), QStringLiteral(" Description"));
}

CatalogueDocument colorsDocument(const TopicChoice& topic)
{
    if (const QString& own = ownFile(topic, &TopicFiles::colors); !own.isEmpty())
        return {MixedFolder, own, Title7 + topic.caption() + QStringLiteral(" Colors")};
    return yearRule(topic, QStringLiteral("colors.rtf"), QStringLiteral(" Colors"));
}

CatalogueDocument optionsDocument(const TopicChoice& topic)
{
    if (const QString& own = ownFile(topic, &TopicFiles::options); !own.isEmpty())
        return {MixedFolder, own, Title7 + topic.caption() + QStringLiteral(" Options")};
    return yearRule(topic, QStringLiteral("opts.rtf"), QStringLiteral(" Options"));
}

CatalogueDocument modelsDocument(const TopicChoice& topic)
{
    // Named after panYear's text, whatever it reads.
    const QString shown = topic.shownCaption();
    return {LowerFolder, shown + QStringLiteral("Models.rtf"), Title7 + shown + QStringLiteral(" Murvo Models")};
}

CatalogueDocument nostalgiaDocument(const TopicChoice& topic)
{
    return {LowerFolder, QStringLiteral("nostalgia") + topic.digits() + QStringLiteral(".rtf"),
            Title5 + QStringLiteral("Nostalgia ") + topic.caption().left(4)};
}

StatisticsDocument statisticsDocument(const TopicChoice& topic, int photoNumber)
{
    if (const Topic* row = topic.topic(); row && !row->files.detailSmall.isEmpty()) {
        const QString& prefix = photoNumber < 5 ? row->files.detailSmall : row->files.detailLarge;
        return {true, {LowerFolder, prefix + QString::number(2 * photoNumber) + QStringLiteral(".rtf"), QString()}};
    }
    if (const QString& own = ownFile(topic, &TopicFiles::statistics); !own.isEmpty())
        return {false, {LowerFolder, own, Title7 + topic.caption() + QStringLiteral(" Specifications")}};
    return {false, yearRule(topic, QStringLiteral("stats.rtf"), QStringLiteral(" Statistics"))};
}

std::vector<CatalogueDocument> catalogueDocuments()
{
    std::vector<CatalogueDocument> docs = {descriptionDocument(TopicChoice())};
    for (int button = 1; button <= YearButtonCount; ++button) {
        const TopicChoice year(yearTopic(button));
        for (const CatalogueDocument& d : {descriptionDocument(year), statisticsDocument(year, 1).document,
                                           colorsDocument(year), optionsDocument(year), modelsDocument(year),
                                           nostalgiaDocument(year)})
            docs.push_back(d);
    }
    // The topics' own documents; per-photo details are listed with their photos.
    for (const Topic& row : allTopics()) {
        const TopicChoice topic(row);
        if (!row.files.description.isEmpty())
            docs.push_back(descriptionDocument(topic));
        if (!row.files.colors.isEmpty())
            docs.push_back(colorsDocument(topic));
        if (!row.files.options.isEmpty())
            docs.push_back(optionsDocument(topic));
        if (!row.files.statistics.isEmpty())
            docs.push_back(statisticsDocument(topic, 1).document);
    }
    // Help > Introduction names the file Description opens before any choice, listed first.
    for (std::size_t i = 0; i < menuDocuments().size(); ++i) {
        if (MenuDocument(i) != MenuDocument::Introduction)
            docs.push_back(menuDocuments()[i].document);
    }
    return docs;
}

void cmdDesc_Click(AppContext& c)
{
    openDocument(c, descriptionDocument(c.state.Selection), QStringLiteral("ER002"), Naming::LookedUp);
}

void cmdColors_Click(AppContext& c)
{
    const TopicChoice& topic = c.state.Selection;
    if (topic.isNone())
        return;
    openDocument(c, colorsDocument(topic), QStringLiteral("ER029"), Naming::LookedUp);
}

void cmdOptions_Click(AppContext& c)
{
    const TopicChoice& topic = c.state.Selection;
    if (topic.isNone())
        return;
    openDocument(c, optionsDocument(topic), QStringLiteral("ER026"), Naming::LookedUp);
}

void cmdModels_Click(AppContext& c)
{
    openDocument(c, modelsDocument(c.state.Selection), QStringLiteral("ER009"), Naming::Direct);
}

void cmdNostalgia_Click(AppContext& c)
{
    const TopicChoice& topic = c.state.Selection;
    if (topic.isNone())
        return;
    c.state.TopicCode = topic.digits();
    openDocument(c, nostalgiaDocument(topic), QStringLiteral("ER005"), Naming::Direct);
    c.busy().normal();
}

void cmdStats_Click(AppContext& c)
{
    Form1& f = *c.form1;
    const TopicChoice& topic = c.state.Selection;
    if (topic.isNone())
        return;
    c.state.ErrCode = QStringLiteral("ER027");
    FocusNextYearButton(c);
    if (f.rtbDetails->isVisible()) {
        f.rtbDetails->hide();
        return;
    }
    f.rtbDetails->raise();
    f.rtbDetails->resize(329, 106);
    const QRect ad = f.cmdAd->geometry();
    f.rtbDetails->move(ad.x() + ad.width() - f.rtbDetails->width() - 10, f.Image4->y() + 9);

    const StatisticsDocument stats = statisticsDocument(topic, leadingNumber(f.panPhoto->text()));
    if (!stats.inDetailBox) {
        openDocument(c, stats.document, QStringLiteral("ER027"), Naming::LookedUp);
        return;
    }
    if (!loadRichText(c, f.rtbDetails, pathOf(c, stats.document))) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    f.rtbDetails->show();
}

void SSCommand5_Click(AppContext& c)
{
    openMenuDocument(c, MenuDocument::SaverHelp, Naming::LookedUp);
}

void mnuMisc_Click(AppContext& c, int index)
{
    static constexpr MenuDocument misc[] = {MenuDocument::AdsChecklist, MenuDocument::JudgingOutline,
                                            MenuDocument::Nomads};
    if (index < 1 || index > 3)
        return;
    openMenuDocument(c, misc[index - 1]);
}

void mnuWallPaper_Click(AppContext& c)
{
    openMenuDocument(c, MenuDocument::WallPaper);
}

void mnuIntro_Click(AppContext& c)
{
    closePhotoWindow(c);
    openMenuDocument(c, MenuDocument::Introduction);
}

void mnuNotice_Click(AppContext& c)
{
    openMenuDocument(c, MenuDocument::Notice);
}

void mnuCredits_Click(AppContext& c)
{
    openMenuDocument(c, MenuDocument::Credits);
}

void mnuContrib_Click(AppContext& c)
{
    openMenuDocument(c, MenuDocument::Contributions);
}

void rtbDetails_Click(AppContext& c)
{
    c.form1->rtbDetails->hide();
    FocusNextYearButton(c);
}

} // namespace kv
