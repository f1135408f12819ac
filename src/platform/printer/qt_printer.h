#pragma once

#include "platform/printer/painted_printer.h"

#include <QString>

#include <functional>
#include <memory>

class QPrinter;

namespace kv {

// The system's default printer. When none is installed, a job asks askPdfPath
// for a PDF file and prints there; an empty answer (a cancel) refuses the job.
class QtPrinter : public PaintedPrinter
{
public:
    explicit QtPrinter(std::function<QString()> askPdfPath = {});
    ~QtPrinter() override;

    bool hasPrinter() const override;
    bool beginJob(const QString &title) override;
    QPagedPaintDevice *device() override;
    bool setupDialog(QWidget *parent) override;

    // The PDF file the last job went to; empty when it went to a printer.
    QString lastPdfPath() const { return m_pdfPath; }

protected:
    const QPagedPaintDevice *constDevice() const override;

private:
    // Made on first use: making one loads the print system, which would slow the start.
    QPrinter &printer() const;

    std::function<QString()> m_askPdfPath;
    mutable std::unique_ptr<QPrinter> m_printer;
    QString m_pdfPath;
};

} // namespace kv
