#pragma once

#include <QImage>
#include <QString>

namespace kv {

struct AppContext;

// The code of the year or topic chosen ("55"), from the topic table.
QString selectedCode(const AppContext& c);
// Two digits, "00" to "99".
QString twoDigits(int n);
// Disc path of page `index` of the year `code` ("55"), in brochure or advertisement mode.
QString pagePath(const AppContext& c, const QString& code, bool brochure, int index);
// Decodes a resolved page file at its full size times `factor` (the viewer's layout scale
// times its screen's pixel ratio `devicePixelRatio`, which the picture carries); a damaged,
// missing or oversized file, or one that is not a regular file, gives a null picture.
QImage decodePage(const QString& realPath, double factor = 1.0, qreal devicePixelRatio = 1.0);

// Highest page index on the disc + 1, probing from 99 down; 0 when there is none.
void CountBrochurePages(AppContext& c);
void CountAdPages(AppContext& c);

} // namespace kv
