#include "platform/richtext/print_rich_text.h"

#include "platform/printer/printer.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <memory>

namespace kv {

namespace {

// Smallest drawing area we lay out into; narrower margins would make endless pages.
constexpr int MinBodyTwips = 720;

// Character position of the first line on each page of the laid-out document.
QList<int> pageStartPositions(QTextDocument &doc, qreal pageHeight)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    doc.pageCount(); // lays out the whole document; blocks are otherwise laid out lazily
    QList<int> starts{0};
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        const QTextLayout *tl = block.layout();
        if (!tl || tl->lineCount() == 0)
            continue;
        // The rectangle starts at the layout's position; lines a page break pushed
        // down keep their offset in line.y().
        const qreal originY = rect.top();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            // A laid-out line lies within one page; its middle says which.
            const qreal middle = originY + line.y() + qMin(line.height(), pageHeight) / 2;
            const int page = qMax(0, int(std::floor(middle / pageHeight)));
            while (starts.size() <= page)
                starts.append(block.position() + line.textStart());
        }
    }
    return starts;
}

} // namespace

namespace {

QRect bodyRect(const IPrinter &printer, int leftTwips, int topTwips, int rightTwips, int bottomTwips)
{
    const QRect paper = printer.paperRectTwips();
    const QRect body(QPoint(leftTwips, topTwips), QPoint(paper.width() - rightTwips - 1, paper.height() - bottomTwips - 1));
    if (body.width() < MinBodyTwips || body.height() < MinBodyTwips)
        return {};
    return body;
}

// Draws the pages on the running job; the caller owns the job.
int drawPages(IPrinter &printer, const QTextDocument &doc, const QRect &body, QList<int> *pageStarts)
{
    QPainter *painter = printer.painter();
    QPagedPaintDevice *device = printer.device();
    if (!painter || !device)
        return -1;

    const qreal dpiX = device->logicalDpiX();
    const qreal dpiY = device->logicalDpiY();
    const QRectF bodyPx(body.x() * dpiX / 1440.0, body.y() * dpiY / 1440.0, body.width() * dpiX / 1440.0,
                        body.height() * dpiY / 1440.0);

    // Lay out a copy at the printer's resolution; the shown document keeps its own layout.
    std::unique_ptr<QTextDocument> copy(doc.clone());
    copy->documentLayout()->setPaintDevice(device);
    copy->setDocumentMargin(0);
    copy->setPageSize(bodyPx.size());
    const QList<int> starts = pageStartPositions(*copy, bodyPx.height());

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (qsizetype page = 0; page < starts.size(); ++page) {
        if (page > 0) {
            printer.newPage();
            if (!printer.lastError().isEmpty())
                return -1;
        }
        painter->save();
        const QRectF clip(0, page * bodyPx.height(), bodyPx.width(), bodyPx.height());
        painter->translate(bodyPx.left(), bodyPx.top() - clip.top());
        painter->setClipRect(clip);
        // Lines touching the page edge belong to the neighbouring page; keeping them
        // out of the context (not just clipping them) keeps their text out of this page.
        context.clip = clip.adjusted(0, 0.5, 0, -0.5);
        copy->documentLayout()->draw(painter, context);
        painter->restore();
    }
    if (pageStarts)
        *pageStarts = starts;
    return int(starts.size());
}

} // namespace

int PrintRichText(IPrinter &printer, const QTextDocument &doc, int leftTwips, int topTwips, int rightTwips,
                  int bottomTwips, const QString &jobTitle, QList<int> *pageStarts)
{
    if (pageStarts)
        pageStarts->clear();
    const QRect body = bodyRect(printer, leftTwips, topTwips, rightTwips, bottomTwips);
    if (body.isNull())
        return -1;
    if (!printer.beginJob(jobTitle))
        return -1;
    QList<int> starts;
    const int pages = drawPages(printer, doc, body, &starts);
    if (!printer.endJob() || pages < 0)
        return -1;
    if (pageStarts)
        *pageStarts = starts;
    return pages;
}

int printRichTextInJob(IPrinter &printer, const QTextDocument &doc, int leftTwips, int topTwips, int rightTwips,
                       int bottomTwips, QList<int> *pageStarts)
{
    if (pageStarts)
        pageStarts->clear();
    const QRect body = bodyRect(printer, leftTwips, topTwips, rightTwips, bottomTwips);
    if (body.isNull() || !printer.painter())
        return -1;
    return drawPages(printer, doc, body, pageStarts);
}

} // namespace kv
