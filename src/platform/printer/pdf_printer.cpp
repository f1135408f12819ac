#include "platform/printer/pdf_printer.h"
#include "platform/product.h"

#include <QPdfWriter>

namespace kv {

namespace {

std::unique_ptr<QPdfWriter> makeWriter(const QString &path, const QPageSize &paper, int dpi)
{
    auto w = std::make_unique<QPdfWriter>(path);
    w->setResolution(dpi);
    w->setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return w;
}

} // namespace

PdfPrinter::PdfPrinter(const QString &pdfPath, const QPageSize &paper, int resolutionDpi)
    : m_path(pdfPath), m_paper(paper), m_dpi(resolutionDpi)
{
}

PdfPrinter::~PdfPrinter()
{
    if (jobActive())
        endJob();
}

bool PdfPrinter::beginJob(const QString &title)
{
    if (jobActive()) {
        setError(QStringLiteral("A print job is already running."));
        return false;
    }
    if (m_refuse) {
        setError(QStringLiteral("The printer refused the job."));
        return false;
    }
    m_title = title;
    m_writer = makeWriter(m_path, m_paper, m_dpi);
    m_writer->setTitle(title);
    m_writer->setCreator(ProductTitle);
    if (!startPainting())
        return false;
    ++m_jobs;
    return true;
}

QPagedPaintDevice *PdfPrinter::device()
{
    if (m_writer)
        return m_writer.get();
    return const_cast<QPagedPaintDevice *>(constDevice());
}

const QPagedPaintDevice *PdfPrinter::constDevice() const
{
    if (m_writer)
        return m_writer.get();
    if (!m_layoutWriter) {
        // A writer that never paints leaves no file behind.
        auto *self = const_cast<PdfPrinter *>(this);
        self->m_layoutWriter = makeWriter(QString(), m_paper, m_dpi);
    }
    return m_layoutWriter.get();
}

void PdfPrinter::newPage()
{
    if (jobActive() && m_failAfterPages > 0 && pagesInJob() >= m_failAfterPages) {
        setError(QStringLiteral("The printer stopped: it is out of paper."));
        return;
    }
    PaintedPrinter::newPage();
}

bool PdfPrinter::setupDialog(QWidget *)
{
    ++m_setupCalls;
    return true;
}

} // namespace kv
