#include "platform/printer/qt_printer.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kv {

QtPrinter::QtPrinter(std::function<QString()> askPdfPath)
    : m_askPdfPath(std::move(askPdfPath))
{
}

QPrinter &QtPrinter::printer() const
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setFullPage(true); // positions are measured from the paper's edges
    }
    return *m_printer;
}

QtPrinter::~QtPrinter()
{
    if (jobActive())
        endJob();
}

bool QtPrinter::hasPrinter() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool QtPrinter::beginJob(const QString &title)
{
    setCancelled(false);
    if (jobActive()) {
        setError(QStringLiteral("A print job is already running."));
        return false;
    }
    m_pdfPath.clear();
    if (hasPrinter()) {
        printer().setOutputFormat(QPrinter::NativeFormat);
        if (printer().printerName().isEmpty())
            printer().setPrinterName(QPrinterInfo::defaultPrinterName());
    } else {
        const QString path = m_askPdfPath ? m_askPdfPath() : QString();
        if (path.isEmpty()) {
            setError(QStringLiteral("No printer is installed and no PDF file was chosen."));
            setCancelled(true);
            return false;
        }
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(path);
        m_pdfPath = path;
    }
    printer().setDocName(title);
    printer().setFullPage(true);
    return startPainting();
}

QPagedPaintDevice *QtPrinter::device()
{
    return &printer();
}

const QPagedPaintDevice *QtPrinter::constDevice() const
{
    return &printer();
}

bool QtPrinter::setupDialog(QWidget *parent)
{
    if (jobActive())
        return false;
    if (!hasPrinter()) {
        // Without a printer only the paper can be chosen.
        QPageSetupDialog dialog(&printer(), parent);
        return dialog.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(&printer(), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kv
