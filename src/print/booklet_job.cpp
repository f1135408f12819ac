#include "print/booklet_job.h"

#include "platform/printer/printer.h"
#include "platform/richtext/print_rich_text.h"
#include "platform/twips.h"

#include <QImage>
#include <QRect>

namespace kv {

BookletJob::BookletJob(IPrinter& printer, QString title)
    : m_printer(printer), m_title(std::move(title))
{
}

BookletJob::~BookletJob()
{
    if (m_open)
        finish();
}

bool BookletJob::fail()
{
    m_cancelled = m_printer.cancelled();
    m_error = m_printer.lastError();
    if (m_error.isEmpty())
        m_error = QStringLiteral("The printer stopped during the job.");
    return false;
}

bool BookletJob::freshPage()
{
    if (!m_error.isEmpty())
        return false;
    if (!m_open) {
        if (m_ended || !m_printer.beginJob(m_title))
            return fail();
        m_open = true;
        m_pageUsed = false;
        m_pages = 1;
        return true;
    }
    if (m_pageUsed) {
        m_printer.newPage();
        if (!m_printer.lastError().isEmpty())
            return fail();
        ++m_pages;
        m_pageUsed = false;
    }
    return true;
}

bool BookletJob::drawPicture(const QPoint& twips, const QImage& image)
{
    if (!freshPage())
        return false;
    m_printer.drawImage(QRect(twips, QSize(pixelsToTwips(image.width()), pixelsToTwips(image.height()))), image);
    return true;
}

bool BookletJob::printDocument(const QTextDocument& doc, int marginTwips)
{
    if (!freshPage())
        return false;
    const int pages = printRichTextInJob(m_printer, doc, marginTwips, marginTwips, marginTwips, marginTwips);
    if (pages < 0)
        return fail();
    m_pages += pages - 1;
    m_pageUsed = true;
    return true;
}

bool BookletJob::finish()
{
    if (!m_open)
        return m_error.isEmpty();
    m_open = false;
    m_ended = true;
    if (!m_printer.endJob() && m_error.isEmpty())
        fail();
    return m_error.isEmpty();
}

} // namespace kv
