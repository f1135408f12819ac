#include "browse/page_files.h"

#include "app/app_context.h"
#include "app/topics.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"

#include <QImageReader>

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
    const Topic* topic = currentTopic(c);
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

QImage decodePage(const QString& realPath)
{
    if (realPath.isEmpty())
        return {};
    // Halve until it fits: JPEG decodes at 1/2, 1/4 and 1/8 directly, so a huge scan costs
    // less than its full decode instead of a full decode plus a smooth rescale.
    QSize fit = QImageReader(realPath).size();
    while (fit.width() > MaxPageSide || fit.height() > MaxPageSide)
        fit = QSize((fit.width() + 1) / 2, (fit.height() + 1) / 2);
    return loadImage(realPath, fit.isValid() ? fit : QSize(MaxPageSide, MaxPageSide));
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
