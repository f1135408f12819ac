#include "platform/printer/painted_printer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>

namespace kv {

namespace {

qreal toPx(int twips, int dpi) { return twips * dpi / 1440.0; }

} // namespace

bool PaintedPrinter::startPainting()
{
    QPagedPaintDevice *dev = device();
    m_pages = 0;
    if (!dev || !m_painter.begin(dev)) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The printer could not start the job.");
        return false;
    }
    m_error.clear();
    m_pages = 1;
    return true;
}

void PaintedPrinter::newPage()
{
    if (!m_painter.isActive())
        return;
    if (device()->newPage())
        ++m_pages;
    else
        m_error = QStringLiteral("The printer could not start a new page.");
}

void PaintedPrinter::drawText(int xTwips, int yTwips, const QString &text, const QFont &font)
{
    if (!m_painter.isActive())
        return;
    QPagedPaintDevice *dev = device();
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    // The position is the top of the text line, as for a printer's current point.
    const QFontMetricsF metrics(font, dev);
    m_painter.drawText(QPointF(toPx(xTwips, dev->logicalDpiX()), toPx(yTwips, dev->logicalDpiY()) + metrics.ascent()),
                       text);
}

void PaintedPrinter::drawImage(const QRect &rectTwips, const QImage &image)
{
    if (!m_painter.isActive() || image.isNull())
        return;
    QPagedPaintDevice *dev = device();
    const QRectF target(toPx(rectTwips.x(), dev->logicalDpiX()), toPx(rectTwips.y(), dev->logicalDpiY()),
                        toPx(rectTwips.width(), dev->logicalDpiX()), toPx(rectTwips.height(), dev->logicalDpiY()));
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, image);
}

bool PaintedPrinter::endJob()
{
    if (!m_painter.isActive()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("No print job is running.");
        return false;
    }
    const bool ended = m_painter.end();
    const bool finished = finishDevice();
    if (!ended && m_error.isEmpty())
        m_error = QStringLiteral("The printer could not finish the job.");
    return ended && finished && m_error.isEmpty();
}

QPainter *PaintedPrinter::painter()
{
    return m_painter.isActive() ? &m_painter : nullptr;
}

QRect PaintedPrinter::paperRectTwips() const
{
    const QPagedPaintDevice *dev = constDevice();
    if (!dev)
        return {};
    // Millimetres keep A4 exact; points are rounded to whole numbers.
    const QRectF mm = dev->pageLayout().fullRect(QPageLayout::Millimeter);
    return QRect(0, 0, qRound(mm.width() * 1440 / 25.4), qRound(mm.height() * 1440 / 25.4));
}

} // namespace kv
