#pragma once

#include "platform/printer/printer.h"

#include <QPainter>
#include <QString>

namespace kv {

// The drawing half shared by the real printer and the PDF double: one painter
// on a paged device whose origin is the paper's corner.
class PaintedPrinter : public IPrinter
{
public:
    void newPage() override;
    void drawText(int xTwips, int yTwips, const QString &text, const QFont &font) override;
    void drawImage(const QRect &rectTwips, const QImage &image) override;
    bool endJob() override;
    QPainter *painter() override;
    QRect paperRectTwips() const override;
    QString lastError() const override { return m_error; }
    bool cancelled() const override { return m_cancelled; }

    bool jobActive() const { return m_painter.isActive(); }
    int pagesInJob() const { return m_pages; }

protected:
    // Starts painting on device(); the subclass has prepared it.
    bool startPainting();
    // Called by endJob() after the painter ended; false marks the job as failed.
    virtual bool finishDevice() { return true; }
    void setError(const QString &error) { m_error = error; }
    void setCancelled(bool cancelled) { m_cancelled = cancelled; }
    virtual const QPagedPaintDevice *constDevice() const = 0;

private:
    QPainter m_painter;
    QString m_error;
    bool m_cancelled = false;
    int m_pages = 0;
};

} // namespace kv
