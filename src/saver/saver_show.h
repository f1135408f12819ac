#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <optional>

namespace kv {

// Milliseconds on the monotonic clock, shared with whoever measures the saver from outside.
double saverClockMs();

// Steps through the photos in order, one every interval, decoding only the next one, at the
// size it is shown, on a worker thread. Damaged photos are skipped.
class SaverShow final : public QObject
{
    Q_OBJECT
public:
    SaverShow(QStringList photos, std::int32_t intervalMs, QObject* parent = nullptr);
    ~SaverShow() override;

    void start(const QSize& fit);
    // The shown size changed: later photos are decoded for the new size.
    void setFitSize(const QSize& fit) { m_fit = fit; }

signals:
    // `dueMs` is when the photo should have appeared (saverClockMs()).
    void photoReady(const QImage& image, const QString& path, double dueMs);
    void skipped(const QString& path, const QString& why);
    void nothingReadable(const QString& problem);

private:
    struct Decoded
    {
        QImage image;
        int index = -1;
        QList<QPair<int, QString>> bad; // index and reason
    };
    static Decoded decodeFrom(const QStringList& photos, int first, QSize fit, QSet<int> bad);

    void readFrom(int index);
    void onDecoded();
    void onTick();
    void present();

    QStringList m_photos;
    std::int32_t m_intervalMs;
    QSize m_fit;
    QSet<int> m_bad;
    QFutureWatcher<Decoded> m_watcher;
    std::optional<Decoded> m_ready;
    QTimer m_timer;
    double m_deadline = 0;
    bool m_due = false;
    int m_shown = 0;
};

} // namespace kv
