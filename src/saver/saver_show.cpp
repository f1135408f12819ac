#include "saver/saver_show.h"

#include "platform/image_loader.h"

#include <QDir>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>
#include <cmath>

namespace kv {

double saverClockMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

SaverShow::SaverShow(QStringList photos, std::int32_t intervalMs, QObject* parent)
    : QObject(parent)
    , m_photos(std::move(photos))
    , m_intervalMs(intervalMs)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SaverShow::onTick);
    connect(&m_watcher, &QFutureWatcher<Decoded>::finished, this, &SaverShow::onDecoded);
}

SaverShow::~SaverShow()
{
    m_watcher.waitForFinished();
}

void SaverShow::start(const QSize& fit)
{
    m_fit = fit;
    readFrom(0);
}

SaverShow::Decoded SaverShow::decodeFrom(const QStringList& photos, int first, QSize fit, QSet<int> bad)
{
    Decoded d;
    const int n = int(photos.size());
    for (int step = 0; step < n; ++step) {
        const int index = (first + step) % n;
        if (bad.contains(index))
            continue;
        QString why;
        QImage image = loadImage(photos.at(index), fit, &why);
        if (image.isNull()) {
            d.bad.append({index, why});
            bad.insert(index);
            continue;
        }
        // Scaled here once, so that painting is a plain copy and a small photo still fills the screen.
        if (fit.isValid() && image.size() != image.size().scaled(fit, Qt::KeepAspectRatio))
            image = image.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        d.image = image.convertToFormat(QImage::Format_RGB32);
        d.index = index;
        return d;
    }
    return d;
}

void SaverShow::readFrom(int index)
{
    if (m_photos.isEmpty())
        return;
    m_watcher.setFuture(QtConcurrent::run(&SaverShow::decodeFrom, m_photos, index % int(m_photos.size()), m_fit, m_bad));
}

void SaverShow::onDecoded()
{
    Decoded d = m_watcher.result();
    for (const auto& [index, why] : std::as_const(d.bad)) {
        m_bad.insert(index);
        emit skipped(m_photos.at(index), why);
    }
    if (d.image.isNull()) {
        m_timer.stop();
        emit nothingReadable(QStringLiteral("none of the %1 photos in %2 could be read")
                                 .arg(m_photos.size())
                                 .arg(QDir::toNativeSeparators(QFileInfo(m_photos.first()).path())));
        return;
    }
    m_ready = std::move(d);
    if (m_shown == 0 || m_due)
        present();
}

void SaverShow::onTick()
{
    m_due = true;
    if (m_ready)
        present();
}

void SaverShow::present()
{
    const double now = saverClockMs();
    const double due = m_shown == 0 ? now : m_deadline;
    const int next = m_ready->index + 1;
    emit photoReady(m_ready->image, m_photos.at(m_ready->index), due);
    m_ready.reset();
    m_due = false;
    ++m_shown;
    // The schedule keeps its own beat, so lateness does not add up; after a long stall it restarts.
    m_deadline = (m_shown == 1 ? now : m_deadline) + m_intervalMs;
    if (m_deadline < now)
        m_deadline = now + m_intervalMs;
    m_timer.start(std::max(0, int(std::ceil(m_deadline - saverClockMs()))));
    readFrom(next);
}

} // namespace kv
