#include "platform/printer/qt_printer.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kv {

QtPrinter::QtPrinter(std::function<QString()> askPdfPath)
    : m_askPdfPath(std::move(askPdfPath)), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_printer->setFullPage(true); // positions are measured from the paper's edges
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
    if (jobActive()) {
        setError(QStringLiteral("A print job is already running."));
        return false;
    }
    m_pdfPath.clear();
    if (hasPrinter()) {
        m_printer->setOutputFormat(QPrinter::NativeFormat);
        if (m_printer->printerName().isEmpty())
            m_printer->setPrinterName(QPrinterInfo::defaultPrinterName());
    } else {
        const QString path = m_askPdfPath ? m_askPdfPath() : QString();
        if (path.isEmpty()) {
            setError(QStringLiteral("No printer is installed and no PDF file was chosen."));
            return false;
        }
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(path);
        m_pdfPath = path;
    }
    m_printer->setDocName(title);
    m_printer->setFullPage(true);
    return startPainting();
}

QPagedPaintDevice *QtPrinter::device()
{
    return m_printer.get();
}

const QPagedPaintDevice *QtPrinter::constDevice() const
{
    return m_printer.get();
}

bool QtPrinter::setupDialog(QWidget *parent)
{
    if (jobActive())
        return false;
    if (!hasPrinter()) {
        // Without a printer only the paper can be chosen.
        QPageSetupDialog dialog(m_printer.get(), parent);
        return dialog.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(m_printer.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kv
