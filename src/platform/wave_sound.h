#pragma once

#include "platform/media_device.h"
#include "platform/wave_file.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTimer>

#include <memory>

class QAudioSink;

namespace kv {

class WaveSamples;

// The "WaveAudio" device: reads the WAV file itself and hands its samples to an audio sink on
// this thread, without the media player. Qt 6.4's GStreamer player can deadlock inside one
// open when sounds are started in quick succession; the sound effects are clicked that way.
// Playing, the position and the end follow a clock over the sound's length, so they hold the
// same whether the sink plays, lags or is missing (a machine without a sound server plays
// the sound silently, as the media player did).
class WaveSound final : public QObject, public IMediaDevice
{
    Q_OBJECT
public:
    WaveSound();
    ~WaveSound() override;

    void setDeviceType(const QString&) override {}
    void setFileName(const QString& fileName) override { m_fileName = fileName; }
    // "open" always returns with the file read or failed.
    void setWait(bool) override {}
    bool command(const QString& command) override;
    void setDisplay(QWidget*) override {}
    bool isPlaying() const override { return m_playing; }
    bool isStopped() const override { return !m_open || m_stopped; }
    void setVolume(double volume) override;
    double volume() const override { return m_volume; }
    QString lastError() const override { return m_error; }
    qint64 position() const override;
    qint64 duration() const override { return m_open ? m_layout.durationMs() : 0; }
    bool seek(qint64 ms) override;

signals:
    // The audio sink took the first samples after a play or seek; for benchmarks.
    void sinkFed();

private:
    bool fail(const QString& why);
    bool open();
    void close();
    // Starts the sink and the clock at m_fromMs.
    void start();
    // Stops both where they are.
    void halt();
    void reachEnd();
    void readFailed();

    QFile m_file;
    WaveLayout m_layout;
    std::unique_ptr<WaveSamples> m_samples; // what the sink reads, over m_file
    QAudioSink* m_sink = nullptr;           // kept from sound to sound while the format stays
    QElapsedTimer m_clock;                  // since the start, while playing
    QTimer m_end;
    QString m_fileName;
    QString m_error;
    qint64 m_fromMs = 0; // where the clock started, or where it stopped
    int m_opened = 0;    // files opened so far
    double m_volume = 1.0;
    bool m_open = false;
    bool m_playing = false;
    bool m_stopped = true;
};

} // namespace kv
