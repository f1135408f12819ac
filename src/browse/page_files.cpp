#include "browse/page_files.h"

#include "app/app_context.h"
#include "app/topics.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"

namespace kv {

namespace {
QString folderFor(bool brochure)
{
    return brochure ? QStringLiteral("/brochures/") : QStringLiteral("/ads/");
}

QString prefixFor(bool brochure)
{
    return brochure ? QStringLiteral("brch") : QStringLiteral("gmch");
}

void countPages(AppContext& c, bool brochure)
{
    AppState& s = c.state;
    s.PageCount = 0;
    for (int i = 99; i >= 0; --i) {
        if (c.files().exists(pagePath(c, selectedCode(c), brochure, i))) {
            s.PageCount = static_cast<std::int16_t>(i + 1);
            return;
        }
    }
}
} // namespace

QString selectedCode(const AppContext& c)
{
    const Topic* topic = c.state.Selection.topic();
    return topic ? topic->code : c.state.TopicCode;
}

QString twoDigits(int n)
{
    return n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

QString pagePath(const AppContext& c, const QString& code, bool brochure, int index)
{
    return joinPath(c.state.CdDrive, folderFor(brochure), code + prefixFor(brochure) + twoDigits(index) + QStringLiteral(".jpg"));
}

QImage decodePage(const QString& realPath, double factor, qreal devicePixelRatio)
{
    if (realPath.isEmpty())
        return {};
    // Full size: a fine scan is what a reader zooms in for. The loader refuses what is not a
    // regular file (a named pipe would block the open) and pictures beyond its pixel limit.
    return loadImageAt(realPath, factor, devicePixelRatio);
}

void CountBrochurePages(AppContext& c)
{
    countPages(c, true);
}

void CountAdPages(AppContext& c)
{
    countPages(c, false);
}

} // namespace kv
