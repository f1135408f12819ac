#pragma once

#include <QList>

class QString;
class QTextDocument;

namespace kv {

class IPrinter;

// Prints the whole document as one job, page by page, inside margins measured
// in twips from the paper's edges. Each page starts at the first character that
// did not fit on the page before. Returns the number of pages printed, or -1
// when the printer refused the job or failed; pageStarts, when given, receives
// the character position each page starts at.
int PrintRichText(IPrinter &printer, const QTextDocument &doc, int leftTwips, int topTwips, int rightTwips,
                  int bottomTwips, const QString &jobTitle, QList<int> *pageStarts = nullptr);

// The same pages, printed into the job already running on the printer, the first of them
// on its current page; for several documents in one job. Returns the number of pages, or
// -1 when no job runs, the margins leave no room, or the printer failed a page.
int printRichTextInJob(IPrinter &printer, const QTextDocument &doc, int leftTwips, int topTwips, int rightTwips,
                       int bottomTwips, QList<int> *pageStarts = nullptr);

} // namespace kv
