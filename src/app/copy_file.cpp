#include "app/copy_file.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/widgets/flood_gauge.h"

#include <QEventLoop>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <memory>

namespace kv {

bool runBlockCopy(AppContext& c, const QString& from, const QString& to,
                  const IFileSystem::CopyProgress& onProgress, QString* error)
{
    IFileSystem& files = c.files();
    const QString source = files.resolve(from);
    if (source.isEmpty()) {
        if (error)
            *error = QStringLiteral("No such file or directory");
        return false;
    }
    QString target = files.resolve(to);
    if (target.isEmpty())
        target = to;

    // Progress is queued to this object, so it reaches this thread in the order it was sent.
    QObject receiver;
    QEventLoop loop;
    bool ok = false;
    QString why;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        auto post = [&receiver, &onProgress](std::int64_t done, std::int64_t size) {
            if (onProgress)
                QMetaObject::invokeMethod(&receiver, [&onProgress, done, size] { onProgress(done, size); },
                                          Qt::QueuedConnection);
        };
        ok = files.copyInBlocks(source, target, post, &why);
        QMetaObject::invokeMethod(&receiver, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    }));
    worker->start();
    loop.exec();
    worker->wait();
    files.invalidate();
    if (!ok && error)
        *error = why;
    return ok;
}

bool CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge)
{
    c.state.ErrCode = QStringLiteral("ER060");
    constexpr std::int64_t Block = 1000;
    std::int64_t shown = 0;
    QPointer<FloodGauge> g = gauge;
    const bool ok = runBlockCopy(c, source, target, [&](std::int64_t done, std::int64_t size) {
        const std::int64_t whole = std::min(done, size) / Block;
        for (std::int64_t i = shown + 1; i <= whole; ++i) {
            if (g)
                g->setFloodPercent(double(Block * i) / double(size) * 100);
        }
        shown = std::max(shown, whole);
    });
    if (!ok)
        ErrorReporter(c, Failure::Caught);
    return ok;
}

} // namespace kv
