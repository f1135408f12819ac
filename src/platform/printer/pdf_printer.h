#pragma once

#include "platform/printer/painted_printer.h"

#include <QPageSize>
#include <QString>

#include <memory>

class QPdfWriter;

namespace kv {

// Printer double: every job writes the given PDF file. Records what it was asked to do.
class PdfPrinter : public PaintedPrinter
{
public:
    explicit PdfPrinter(const QString &pdfPath, const QPageSize &paper = QPageSize(QPageSize::Letter),
                        int resolutionDpi = 1200);
    ~PdfPrinter() override;

    bool hasPrinter() const override { return true; }
    bool beginJob(const QString &title) override;
    QPagedPaintDevice *device() override;
    bool setupDialog(QWidget *parent) override;
    void newPage() override;

    // Simulates a printer that refuses the next jobs.
    void setRefuseJobs(bool refuse) { m_refuse = refuse; }
    // Simulates a printer that stops during a job: it cannot start page pages + 1 (0: never).
    void setFailAfterPages(int pages) { m_failAfterPages = pages; }

    QString path() const { return m_path; }
    int jobCount() const { return m_jobs; }
    int pageCount() const { return pagesInJob(); } // pages of the last job
    int setupDialogCount() const { return m_setupCalls; }
    QString lastTitle() const { return m_title; }

protected:
    const QPagedPaintDevice *constDevice() const override;

private:
    QString m_path;
    QPageSize m_paper;
    int m_dpi;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPdfWriter> m_layoutWriter; // answers paper size outside a job
    QString m_title;
    int m_jobs = 0;
    int m_setupCalls = 0;
    bool m_refuse = false;
    int m_failAfterPages = 0;
};

} // namespace kv
