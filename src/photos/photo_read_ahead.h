#pragma once

#include "platform/image_loader.h"

#include <QFuture>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <optional>

namespace kv {

class Form1;

// The photo the main window will show on the next step in the same direction, decoded at the
// photo box's size on a worker thread. Taken only when the file, its size and its time on disk
// and the box are all still as they were, so a stale picture is never shown.
class PhotoReadAhead : public QObject
{
    Q_OBJECT
public:
    explicit PhotoReadAhead(QObject* parent) : QObject(parent) {}
    // The main window's read-ahead, made on first use.
    static PhotoReadAhead& of(Form1& f);

    void start(const QString& real, const QSize& box);
    // The picture decoded ahead for this file and box (waiting for it when it is not ready), or a
    // null image when there is none or it no longer matches the file on disk.
    QImage take(const QString& real, const QSize& box);
    void discard();

    bool enabled = true; // off for measuring a step without it

private:
    struct Pending
    {
        QString path;
        QSize box;
        FileStamp stamp;
        QFuture<QImage> picture;
    };
    std::optional<Pending> m_ahead;
};

} // namespace kv
