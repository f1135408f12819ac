#include "browse/find_sources.h"

#include "app/app_context.h"
#include "app/topics.h"
#include "browse/document_catalogue.h"
#include "platform/file_system.h"

namespace kv {

namespace {
const QString Title = QStringLiteral("The Kel-Vardo Folivra");

// The topics whose Description has a document of its own.
const char* const DescribedTopics[] = {
    "Kel-Vardo Postage Stamps ",      "Kel-Vardo Calendars ",           "Franklin Mint Collector Knives ",
    "Franklin Mint Collector Plates ", "Franklin Mint Die Cast Models ", "Danbury Mint Die Cast Models ",
    "The Kel-Vardo Monopoly Game ",    "Kel-Vardo Metal Signs ",          "Early Kel-Vardo Prototypes ",
};

// The documents of the menus and the screen-saver panel, as their entries open them.
std::vector<CatalogueDocument> menuDocuments()
{
    const QString t7 = Title + QStringLiteral("       ");
    const QString t5 = Title + QStringLiteral("     ");
    const QString lower = QStringLiteral("richtext");
    const QString mixed = QStringLiteral("RichText");
    return {
        {mixed, QStringLiteral("KelVardoAdsList.rtf"), t7 + QStringLiteral("Advertising Checklist")},
        {lower, QStringLiteral("judging.rtf"), t7 + QStringLiteral("Judging Outline")},
        {lower, QStringLiteral("Nomads.rtf"), t7 + QStringLiteral("Nomads")},
        {lower, QStringLiteral("WallPaper Instructions.rtf"), t5 + QStringLiteral("Wallpaper Instructions")},
        {lower, QStringLiteral("notice.rtf"), t7 + QStringLiteral("Notice")},
        {lower, QStringLiteral("credits.rtf"), t7 + QStringLiteral("Credits")},
        {lower, QStringLiteral("contrib.rtf"), t7 + QStringLiteral("Contributions")},
        {lower, QStringLiteral("sshelp.rtf"), t7 + QStringLiteral("Install Screen Saver Help")},
        {mixed, QStringLiteral("Register.rtf"), QStringLiteral("Orvanta Software Registration Form")},
    };
}

std::vector<CatalogueDocument> catalogueDocuments()
{
    std::vector<CatalogueDocument> docs = {descriptionDocument(NoChoiceCaption)};
    for (const char* year : {"1955", "1956", "1957"}) {
        const QString y = QString::fromLatin1(year);
        for (const CatalogueDocument& d : {descriptionDocument(y), statisticsDocument(y, 1).document,
                                           colorsDocument(y), optionsDocument(y), modelsDocument(y),
                                           nostalgiaDocument(y)})
            docs.push_back(d);
    }
    for (const char* topic : DescribedTopics)
        docs.push_back(descriptionDocument(QString::fromLatin1(topic)));
    const QString halvic = QStringLiteral("The Classic Halvic ");
    for (const CatalogueDocument& d :
         {colorsDocument(halvic), optionsDocument(halvic), statisticsDocument(halvic, 1).document,
          statisticsDocument(QStringLiteral("Kel-Vardo Mach III "), 1).document,
          statisticsDocument(QStringLiteral("Kel-Vardo Super Stallion "), 1).document})
        docs.push_back(d);
    for (const CatalogueDocument& d : menuDocuments())
        docs.push_back(d);
    return docs;
}

// The caption without the product's name and its run of spaces: "1956 Description".
QString labelOf(const QString& caption)
{
    const QString rest = caption.startsWith(Title) ? caption.mid(Title.size()) : caption;
    return rest.simplified();
}

struct Collector
{
    AppContext& c;
    std::vector<FindSource> sources;

    void add(const QString& path, FindSource source)
    {
        source.path = c.files().resolve(path);
        if (!source.path.isEmpty())
            sources.push_back(std::move(source));
    }
};
} // namespace

std::vector<FindSource> findSources(AppContext& c)
{
    const AppState& s = c.state;
    Collector found{c, {}};
    for (const CatalogueDocument& d : catalogueDocuments())
        found.add(joinPath(s.CdDrive, d.folder, d.file), {{}, labelOf(d.caption), d.caption, {}});

    for (int i = 1; i <= s.PhotoCount; ++i) {
        const QString entry = s.PhotoList(i);
        // The list's name position is known only once a topic is chosen; names follow the last "/".
        const QString name = entry.section(QLatin1Char('/'), -1);
        const QString code = name.left(2);
        const QString number = s.PhotoNumbers(i);
        const FindSource photo{{}, slideCaptionFor(code).trimmed() + QStringLiteral(", photo ") + number, {}, name};
        // Caption texts always come from the disc, wherever the photos are.
        found.add(joinPath(s.CdDrive, QStringLiteral("richtext"), name.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".rtf")),
                  photo);
        // The detail text Details shows for this photo, where it is a file of its own.
        const Topic* topic = topicByCode(code);
        if (topic && !topic->isYear()) {
            const QString caption = topic->caption.isEmpty() ? topic->slideCaption : topic->caption;
            const StatisticsDocument details = statisticsDocument(caption, number.toInt());
            if (details.inDetailBox)
                found.add(joinPath(s.CdDrive, details.document.folder, details.document.file), photo);
        }
    }
    return std::move(found.sources);
}

} // namespace kv
