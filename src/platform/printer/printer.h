#pragma once

class QFont;
class QImage;
class QPagedPaintDevice;
class QPainter;
class QRect;
class QString;
class QWidget;

namespace kv {

// The printer service. Positions are twips from the top-left corner of the paper.
// Between beginJob() and endJob(), painter() paints on device() in device pixels
// with its origin at that same corner.
class IPrinter
{
public:
    virtual ~IPrinter() = default;

    virtual bool hasPrinter() const = 0;
    virtual bool beginJob(const QString &title) = 0;
    virtual void newPage() = 0;
    virtual void drawText(int xTwips, int yTwips, const QString &text, const QFont &font) = 0;
    virtual void drawImage(const QRect &rectTwips, const QImage &image) = 0;
    virtual bool endJob() = 0;
    virtual QPainter *painter() = 0;
    virtual QPagedPaintDevice *device() = 0;
    virtual QRect paperRectTwips() const = 0;
    virtual bool setupDialog(QWidget *parent) = 0;
    virtual QString lastError() const = 0;
    // The last job did not begin because the user cancelled a question it asked (the PDF file
    // to print to): nothing was printed and nothing is to be reported.
    virtual bool cancelled() const = 0;
};

} // namespace kv
