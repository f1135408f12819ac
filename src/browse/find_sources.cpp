#include "browse/find_sources.h"

#include "app/app_context.h"
#include "app/topics.h"
#include "browse/document_catalogue.h"
#include "platform/file_system.h"
#include "platform/product.h"

namespace kv {

namespace {
const QString& Title = ProductTitle;

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
            const StatisticsDocument details = statisticsDocument(TopicChoice(*topic), number.toInt());
            if (details.inDetailBox)
                found.add(joinPath(s.CdDrive, details.document.folder, details.document.file), photo);
        }
    }
    return std::move(found.sources);
}

} // namespace kv
