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
int printRichText(IPrinter &printer, const QTextDocument &doc, int leftTwips, int topTwips, int rightTwips,
                  int bottomTwips, const QString &jobTitle, QList<int> *pageStarts = nullptr);

} // namespace kv
