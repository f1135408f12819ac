#include "platform/wave_sound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>

#include <functional>

namespace kv {

namespace {
constexpr qint64 OutputBufferUs = 200'000;

bool isCommand(const QString& cmd, const char* name)
{
    return cmd == QLatin1String(name);
}
} // namespace

// The samples of the open file, read as the sink asks for them.
class WaveSamples final : public QIODevice
{
public:
    WaveSamples(QFile& file, const WaveLayout& layout)
        : m_file(file)
        , m_offset(layout.dataOffset)
        , m_size(layout.dataBytes)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }
    // The next read is the first after a start.
    void rearm() { m_fed = false; }

    std::function<void()> onFirstRead;
    // The disc could not be read; called once.
    std::function<void()> onReadError;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 want = qMin(maxSize, m_size - pos());
        if (want <= 0)
            return 0;
        if (!m_file.seek(m_offset + pos()) || m_file.read(data, want) != want) {
            if (!m_failed && onReadError)
                onReadError();
            m_failed = true;
            return -1;
        }
        if (!m_fed) {
            m_fed = true;
            if (onFirstRead)
                onFirstRead();
        }
        return want;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFile& m_file;
    const qint64 m_offset;
    const qint64 m_size;
    bool m_fed = false;
    bool m_failed = false;
};

WaveSound::WaveSound()
{
    m_end.setSingleShot(true);
    connect(&m_end, &QTimer::timeout, this, &WaveSound::reachEnd);
}

WaveSound::~WaveSound()
{
    close();
    // Deleted later, as the media players are: a sink may run pending events as it goes, and
    // this may run inside a click.
    if (m_sink)
        m_sink->deleteLater();
}

bool WaveSound::fail(const QString& why)
{
    m_error = why;
    return false;
}

void WaveSound::setVolume(double volume)
{
    m_volume = qBound(0.0, volume, 1.0);
    if (m_sink)
        m_sink->setVolume(m_volume);
}

qint64 WaveSound::position() const
{
    if (!m_open)
        return 0;
    return m_playing ? qMin(m_fromMs + m_clock.elapsed(), duration()) : m_fromMs;
}

bool WaveSound::seek(qint64 ms)
{
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    const bool playing = m_playing;
    halt();
    m_fromMs = qBound<qint64>(0, ms, duration());
    m_stopped = false;
    if (playing)
        start();
    return true;
}

bool WaveSound::open()
{
    close();
    const QFileInfo info(m_fileName);
    if (!info.isFile())
        return fail(QStringLiteral("File not found: %1").arg(m_fileName));
    if (info.size() == 0)
        return fail(QStringLiteral("The file is empty: %1").arg(m_fileName));
    m_file.setFileName(info.absoluteFilePath());
    if (!m_file.open(QIODevice::ReadOnly))
        return fail(m_file.errorString());
    QString why;
    if (!readWaveLayout(m_file, m_layout, why)) {
        m_file.close();
        return fail(why);
    }
    m_error.clear();
    m_samples = std::make_unique<WaveSamples>(m_file, m_layout);
    m_samples->onFirstRead = [this] { emit sinkFed(); };
    // Not from within the sink's read; and not for a sound opened since.
    m_samples->onReadError = [this, opened = ++m_opened] {
        QMetaObject::invokeMethod(this, [this, opened] {
            if (opened == m_opened)
                readFailed();
        }, Qt::QueuedConnection);
    };
    if (m_sink && m_sink->format() != m_layout.format) {
        m_sink->deleteLater();
        m_sink = nullptr;
    }
    m_fromMs = 0;
    m_open = true;
    m_stopped = true;
    return true;
}

void WaveSound::close()
{
    halt();
    m_open = false;
    m_stopped = true;
    m_fromMs = 0;
    m_samples.reset();
    m_file.close();
}

void WaveSound::start()
{
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (!m_sink && !output.isNull()) {
        m_sink = new QAudioSink(output, m_layout.format);
        m_sink->setVolume(m_volume);
        // About what the media player kept queued: heard at once, and no gap when this thread
        // is busy for a moment.
        m_sink->setBufferSize(m_layout.format.bytesForDuration(OutputBufferUs));
    }
    const qint64 frames = m_fromMs * m_layout.format.sampleRate() / 1000;
    m_samples->seek(qMin(frames * m_layout.format.bytesPerFrame(), m_layout.dataBytes));
    m_samples->rearm();
    // Without an output, or when it fails to start, the clock still runs the sound's length.
    if (m_sink && !output.isNull())
        m_sink->start(m_samples.get());
    m_clock.start();
    m_end.start(int(qMax<qint64>(0, duration() - m_fromMs)));
    m_playing = true;
}

void WaveSound::halt()
{
    if (m_playing)
        m_fromMs = position();
    m_playing = false;
    m_end.stop();
    if (m_sink)
        m_sink->reset();
}

void WaveSound::reachEnd()
{
    // The sink is left to play out what it still holds.
    m_fromMs = duration();
    m_playing = false;
    m_stopped = true;
    if (onFinished)
        onFinished();
}

void WaveSound::readFailed()
{
    if (!m_open)
        return;
    close();
    m_error = QStringLiteral("The sound could not be read from the disc.");
    if (onError)
        onError(m_error);
}

bool WaveSound::command(const QString& command)
{
    const QString cmd = command.toLower();
    if (isCommand(cmd, "close")) {
        close();
        return true;
    }
    if (isCommand(cmd, "open"))
        return open();
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    if (isCommand(cmd, "play")) {
        if (m_playing)
            return true;
        if (m_fromMs >= duration())
            m_fromMs = 0;
        m_stopped = false;
        start();
    } else if (isCommand(cmd, "stop") || isCommand(cmd, "pause")) {
        halt();
        m_stopped = isCommand(cmd, "stop");
    } else if (isCommand(cmd, "prev")) {
        return seek(0);
    } else if (isCommand(cmd, "next")) {
        return seek(duration());
    } else {
        // "back" and "step" move a film by its pictures; a sound has none.
        return fail(QStringLiteral("Unknown command: %1").arg(command));
    }
    return true;
}

} // namespace kv
