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
#include "platform/file_system.h"

#include <QFileInfo>
#include <QPushButton>

#include <array>

namespace kv {

namespace {
const QString& NoChoice = NoChoiceCaption;
// Seven spaces, or five where a caption says so; both are part of the captions.
const QString Title7 = QStringLiteral("The Kel-Vardo Folivra       ");
const QString Title5 = QStringLiteral("The Kel-Vardo Folivra     ");
const QString LowerFolder = QStringLiteral("richtext");
const QString MixedFolder = QStringLiteral("RichText");

enum class Naming { Direct, LookedUp };

// The selection as the user sees it: its documents follow the caption, "panYear" before any.
QString topicOf(const AppContext& c)
{
    return hasChoice(c) ? currentCaption(c) : NoChoiceCaption;
}

const QString& captionOf(TopicId id)
{
    return topicById(id).caption;
}

CatalogueDocument yearRule(const QString& topic, const QString& suffix, const QString& titleWord)
{
    const QString yy = captionDigits(topic);
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

// Description: the topics with a document of their own; the caption is the topic's, then `tail`.
struct DescriptionRow
{
    TopicId topic;
    const char* file;
    const char* tail;
};
constexpr std::array<DescriptionRow, 9> DescriptionRows = {{
    {TopicId::Stamps, "stamps.rtf", ""},
    {TopicId::Calendars, "carstuff.rtf", ""},
    {TopicId::Knives, "knives.rtf", ""},
    {TopicId::Plates, "plates.rtf", ""},
    {TopicId::FranklinModels, "franklin.rtf", ""},
    {TopicId::Danbury, "danbury.rtf", ""},
    {TopicId::Monopoly, "monopoly.rtf", ""},
    {TopicId::MetalSigns, "desperat.rtf", ""},
    {TopicId::Prototypes, "ptdesc.rtf", "Description "},
}};

// Statistics of the collectibles: a detail text per photo, named by the photo number.
struct DetailRule
{
    TopicId topic;
    const char* small; // prefix while the photo number is below 5
    const char* large;
};
constexpr std::array<DetailRule, 10> DetailRules = {{
    {TopicId::Prototypes, "pt00", "pt0"},
    {TopicId::MachI, "m100", "m10"},
    {TopicId::ArtPrint, "glbt0", "glbt0"},
    {TopicId::Cookies, "usa00", "usa00"},
    {TopicId::Monopoly, "vck00", "vck00"},
    {TopicId::MetalSigns, "vms0", "vms0"},
    {TopicId::Stamps, "zz00", "zz0"},
    {TopicId::Knives, "tek00", "tek0"},
    {TopicId::FranklinModels, "tfm0", "tfm"},
    {TopicId::Danbury, "tdm0", "tdm"},
}};

// Statistics of the cars that are not a year: one document each, shown in the viewer.
struct StatsRow
{
    TopicId topic;
    const char* file;
};
constexpr std::array<StatsRow, 3> StatsRows = {{
    {TopicId::Halvic, "hvstats.rtf"},
    {TopicId::MachIII, "m3stats.rtf"},
    {TopicId::SuperStallion, "msstats.rtf"},
}};

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

CatalogueDocument descriptionDocument(const QString& topic)
{
    if (topic == NoChoice)
        return {LowerFolder, QStringLiteral("Introduction.rtf"), Title7 + QStringLiteral("Introduction")};
    for (const DescriptionRow& r : DescriptionRows) {
        if (topic == captionOf(r.topic))
            return {LowerFolder, QString::fromLatin1(r.file), Title7 + topic + QString::fromLatin1(r.tail)};
    }
    return yearRule(topic, QStringLiteral("desc.rtf"), QStringLiteral(" Description"));
}

CatalogueDocument colorsDocument(const QString& topic)
{
    if (topic == captionOf(TopicId::Halvic))
        return {MixedFolder, QStringLiteral("hvcolors.rtf"), Title7 + topic + QStringLiteral(" Colors")};
    return yearRule(topic, QStringLiteral("colors.rtf"), QStringLiteral(" Colors"));
}

CatalogueDocument optionsDocument(const QString& topic)
{
    if (topic == captionOf(TopicId::Halvic))
        return {MixedFolder, QStringLiteral("hvopts.rtf"), Title7 + topic + QStringLiteral(" Options")};
    return yearRule(topic, QStringLiteral("opts.rtf"), QStringLiteral(" Options"));
}

CatalogueDocument modelsDocument(const QString& topic)
{
    return {LowerFolder, topic + QStringLiteral("Models.rtf"), Title7 + topic + QStringLiteral(" Murvo Models")};
}

CatalogueDocument nostalgiaDocument(const QString& topic)
{
    return {LowerFolder, QStringLiteral("nostalgia") + captionDigits(topic) + QStringLiteral(".rtf"),
            Title5 + QStringLiteral("Nostalgia ") + topic.left(4)};
}

StatisticsDocument statisticsDocument(const QString& topic, int photoNumber)
{
    const QString twice = QString::number(2 * photoNumber);
    for (const DetailRule& r : DetailRules) {
        if (topic == captionOf(r.topic)) {
            const char* prefix = photoNumber < 5 ? r.small : r.large;
            return {true, {LowerFolder, QString::fromLatin1(prefix) + twice + QStringLiteral(".rtf"), QString()}};
        }
    }
    for (const StatsRow& r : StatsRows) {
        if (topic == captionOf(r.topic))
            return {false, {LowerFolder, QString::fromLatin1(r.file), Title7 + topic + QStringLiteral(" Specifications")}};
    }
    return {false, yearRule(topic, QStringLiteral("stats.rtf"), QStringLiteral(" Statistics"))};
}

std::vector<CatalogueDocument> catalogueDocuments()
{
    std::vector<CatalogueDocument> docs = {descriptionDocument(NoChoice)};
    for (int button = 1; button <= YearButtonCount; ++button) {
        const QString& year = yearTopic(button).caption;
        for (const CatalogueDocument& d : {descriptionDocument(year), statisticsDocument(year, 1).document,
                                           colorsDocument(year), optionsDocument(year), modelsDocument(year),
                                           nostalgiaDocument(year)})
            docs.push_back(d);
    }
    for (const DescriptionRow& r : DescriptionRows)
        docs.push_back(descriptionDocument(captionOf(r.topic)));
    const QString& halvic = captionOf(TopicId::Halvic);
    docs.push_back(colorsDocument(halvic));
    docs.push_back(optionsDocument(halvic));
    for (const StatsRow& r : StatsRows)
        docs.push_back(statisticsDocument(captionOf(r.topic), 1).document);
    // Help > Introduction names the file Description opens before any choice, listed first.
    for (std::size_t i = 0; i < menuDocuments().size(); ++i) {
        if (MenuDocument(i) != MenuDocument::Introduction)
            docs.push_back(menuDocuments()[i].document);
    }
    return docs;
}

void cmdDesc_Click(AppContext& c)
{
    openDocument(c, descriptionDocument(topicOf(c)), QStringLiteral("ER002"), Naming::LookedUp);
}

void cmdColors_Click(AppContext& c)
{
    const QString topic = topicOf(c);
    if (topic == NoChoice)
        return;
    openDocument(c, colorsDocument(topic), QStringLiteral("ER029"), Naming::LookedUp);
}

void cmdOptions_Click(AppContext& c)
{
    const QString topic = topicOf(c);
    if (topic == NoChoice)
        return;
    openDocument(c, optionsDocument(topic), QStringLiteral("ER026"), Naming::LookedUp);
}

void cmdModels_Click(AppContext& c)
{
    openDocument(c, modelsDocument(topicOf(c)), QStringLiteral("ER009"), Naming::Direct);
}

void cmdNostalgia_Click(AppContext& c)
{
    const QString topic = topicOf(c);
    if (topic == NoChoice)
        return;
    c.state.TopicCode = captionDigits(topic);
    openDocument(c, nostalgiaDocument(topic), QStringLiteral("ER005"), Naming::Direct);
    c.busy().normal();
}

void cmdStats_Click(AppContext& c)
{
    Form1& f = *c.form1;
    const QString topic = topicOf(c);
    if (topic == NoChoice)
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
