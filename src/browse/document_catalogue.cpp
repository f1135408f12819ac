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
const QString Halvic = QStringLiteral("The Classic Halvic ");
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

// Characters 3 and 4 of the caption: "55" for "1955".
QString yearDigits(const QString& topic)
{
    return topic.mid(2, 2);
}

CatalogueDocument yearRule(const QString& topic, const QString& suffix, const QString& titleWord)
{
    const QString yy = yearDigits(topic);
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

struct DetailRule
{
    const char* topic;
    const char* small; // prefix while the photo number is below 5
    const char* large;
};

constexpr std::array<DetailRule, 10> DetailRules = {{
    {"Early Kel-Vardo Prototypes ", "pt00", "pt0"},
    {"Kel-Vardo Mach I ", "m100", "m10"},
    {"Bram Tollis Art Print ", "glbt0", "glbt0"},
    {"Kel-Vardo Cookies ", "usa00", "usa00"},
    {"The Kel-Vardo Monopoly Game ", "vck00", "vck00"},
    {"Kel-Vardo Metal Signs ", "vms0", "vms0"},
    {"Kel-Vardo Postage Stamps ", "zz00", "zz0"},
    {"Franklin Mint Collector Knives ", "tek00", "tek0"},
    {"Franklin Mint Die Cast Models ", "tfm0", "tfm"},
    {"Danbury Mint Die Cast Models ", "tdm0", "tdm"},
}};
} // namespace

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
    struct Row
    {
        const char* topic;
        const char* file;
        const char* caption;
    };
    static constexpr std::array<Row, 10> rows = {{
        {"panYear", "Introduction.rtf", "Introduction"},
        {"Kel-Vardo Postage Stamps ", "stamps.rtf", "Kel-Vardo Postage Stamps "},
        {"Kel-Vardo Calendars ", "carstuff.rtf", "Kel-Vardo Calendars "},
        {"Franklin Mint Collector Knives ", "knives.rtf", "Franklin Mint Collector Knives "},
        {"Franklin Mint Collector Plates ", "plates.rtf", "Franklin Mint Collector Plates "},
        {"Franklin Mint Die Cast Models ", "franklin.rtf", "Franklin Mint Die Cast Models "},
        {"Danbury Mint Die Cast Models ", "danbury.rtf", "Danbury Mint Die Cast Models "},
        {"The Kel-Vardo Monopoly Game ", "monopoly.rtf", "The Kel-Vardo Monopoly Game "},
        {"Kel-Vardo Metal Signs ", "desperat.rtf", "Kel-Vardo Metal Signs "},
        {"Early Kel-Vardo Prototypes ", "ptdesc.rtf", "Early Kel-Vardo Prototypes Description "},
    }};
    for (const Row& r : rows) {
        if (topic == QLatin1String(r.topic))
            return {LowerFolder, QString::fromLatin1(r.file), Title7 + QString::fromLatin1(r.caption)};
    }
    return yearRule(topic, QStringLiteral("desc.rtf"), QStringLiteral(" Description"));
}

CatalogueDocument colorsDocument(const QString& topic)
{
    if (topic == Halvic)
        return {MixedFolder, QStringLiteral("hvcolors.rtf"), Title7 + topic + QStringLiteral(" Colors")};
    return yearRule(topic, QStringLiteral("colors.rtf"), QStringLiteral(" Colors"));
}

CatalogueDocument optionsDocument(const QString& topic)
{
    if (topic == Halvic)
        return {MixedFolder, QStringLiteral("hvopts.rtf"), Title7 + topic + QStringLiteral(" Options")};
    return yearRule(topic, QStringLiteral("opts.rtf"), QStringLiteral(" Options"));
}

CatalogueDocument modelsDocument(const QString& topic)
{
    return {LowerFolder, topic + QStringLiteral("Models.rtf"), Title7 + topic + QStringLiteral(" Murvo Models")};
}

CatalogueDocument nostalgiaDocument(const QString& topic)
{
    return {LowerFolder, QStringLiteral("nostalgia") + yearDigits(topic) + QStringLiteral(".rtf"),
            Title5 + QStringLiteral("Nostalgia ") + topic.left(4)};
}

StatisticsDocument statisticsDocument(const QString& topic, int photoNumber)
{
    const QString twice = QString::number(2 * photoNumber);
    for (const DetailRule& r : DetailRules) {
        if (topic == QLatin1String(r.topic)) {
            const char* prefix = photoNumber < 5 ? r.small : r.large;
            return {true, {LowerFolder, QString::fromLatin1(prefix) + twice + QStringLiteral(".rtf"), QString()}};
        }
    }
    const QString specifications = Title7 + topic + QStringLiteral(" Specifications");
    if (topic == Halvic)
        return {false, {LowerFolder, QStringLiteral("hvstats.rtf"), specifications}};
    if (topic == QLatin1String("Kel-Vardo Mach III "))
        return {false, {LowerFolder, QStringLiteral("m3stats.rtf"), specifications}};
    if (topic == QLatin1String("Kel-Vardo Super Stallion "))
        return {false, {LowerFolder, QStringLiteral("msstats.rtf"), specifications}};
    return {false, yearRule(topic, QStringLiteral("stats.rtf"), QStringLiteral(" Statistics"))};
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
    c.state.TopicCode = yearDigits(topic);
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
    openDocument(c, {LowerFolder, QStringLiteral("sshelp.rtf"), Title7 + QStringLiteral("Install Screen Saver Help")},
                 QStringLiteral("ER052"), Naming::LookedUp);
}

void mnuMisc_Click(AppContext& c, int index)
{
    static const std::array<CatalogueDocument, 3> misc = {{
        {MixedFolder, QStringLiteral("KelVardoAdsList.rtf"), Title7 + QStringLiteral("Advertising Checklist")},
        {LowerFolder, QStringLiteral("judging.rtf"), Title7 + QStringLiteral("Judging Outline")},
        {LowerFolder, QStringLiteral("Nomads.rtf"), Title7 + QStringLiteral("Nomads")},
    }};
    if (index < 1 || index > 3)
        return;
    openDocument(c, misc.at(std::size_t(index - 1)), QStringLiteral("ER009"), Naming::Direct);
}

void mnuWallPaper_Click(AppContext& c)
{
    openDocument(c, {LowerFolder, QStringLiteral("WallPaper Instructions.rtf"), Title5 + QStringLiteral("Wallpaper Instructions")},
                 QStringLiteral("ER008"), Naming::Direct);
}

void mnuIntro_Click(AppContext& c)
{
    closePhotoWindow(c);
    openDocument(c, {MixedFolder, QStringLiteral("introduction.rtf"), Title7 + QStringLiteral("Introduction")},
                 QStringLiteral("ER007"), Naming::Direct);
}

void mnuNotice_Click(AppContext& c)
{
    openDocument(c, {LowerFolder, QStringLiteral("notice.rtf"), Title7 + QStringLiteral("Notice")},
                 QStringLiteral("ER025"), Naming::Direct);
}

void mnuCredits_Click(AppContext& c)
{
    openDocument(c, {LowerFolder, QStringLiteral("credits.rtf"), Title7 + QStringLiteral("Credits")},
                 QStringLiteral("ER010"), Naming::Direct);
}

void mnuContrib_Click(AppContext& c)
{
    openDocument(c, {LowerFolder, QStringLiteral("contrib.rtf"), Title7 + QStringLiteral("Contributions")},
                 QStringLiteral("ER053"), Naming::Direct);
}

void rtbDetails_Click(AppContext& c)
{
    c.form1->rtbDetails->hide();
    FocusNextYearButton(c);
}

} // namespace kv
