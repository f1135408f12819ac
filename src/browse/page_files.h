#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kv {

struct AppContext;

// Pages are decoded no larger than this on either side: a huge scan is shown, and held, at the
// largest of 1/2, 1/4, ... of its size that fits, and scroll-bar ranges stay within 16 bits.
inline constexpr int MaxPageSide = 4096;

// The code of the year or topic chosen ("55"), from the topic table.
QString selectedCode(const AppContext& c);
// Two digits, "00" to "99".
QString twoDigits(int n);
// Disc path of page `index` of the year `code` ("55"), in brochure or advertisement mode.
QString pagePath(const AppContext& c, const QString& code, bool brochure, int index);
// Decodes a resolved page file; a damaged or missing file gives a null picture.
QImage decodePage(const QString& realPath);

// Highest page index on the disc + 1, probing from 99 down; 0 when there is none.
void CountBrochurePages(AppContext& c);
void CountAdPages(AppContext& c);

} // namespace kv
