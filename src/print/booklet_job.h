#pragma once

#include <QString>

class QImage;
class QPoint;
class QTextDocument;

namespace kv {

class IPrinter;

// The booklet as one print job: it starts with the first page drawn, each section starts on a
// page of its own, and no empty page is left between or after them.
class BookletJob
{
public:
    BookletJob(IPrinter& printer, QString title);
    ~BookletJob();

    // A picture at its own size (15 twips to a pixel), top-left corner at a twip position.
    bool drawPicture(const QPoint& twips, const QImage& image);
    // What comes next goes on a new page.
    void endPage() { m_pageUsed = m_open; }
    // The whole document inside the margins, from a fresh page.
    bool printDocument(const QTextDocument& doc, int marginTwips);
    // Ends the job so that every drawn page reaches the printer. False when the printer failed.
    bool finish();

    bool started() const { return m_open || m_ended; }
    int pages() const { return m_pages; }
    // Why the printer failed, when it did.
    QString printerError() const { return m_error; }
    // The job never began because the user cancelled the printer's question.
    bool cancelled() const { return m_cancelled; }

private:
    bool freshPage();
    bool fail();

    IPrinter& m_printer;
    QString m_title;
    bool m_open = false;
    bool m_ended = false;
    bool m_pageUsed = false;
    bool m_cancelled = false;
    int m_pages = 0;
    QString m_error;
};

} // namespace kv
