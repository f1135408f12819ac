#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QEventLoop;
class QMediaPlayer;
class QVideoFrame;
class QVideoSink;
class QWidget;

namespace kv {

class VideoPicture;
class WaveSound;

// A media control driven by the old command vocabulary: "close", "open", "play", "stop",
// "prev", "next", "back", and the button bar's own "pause" and "step", on the device types
// "WaveAudio" and "AVIVideo".
class IMediaDevice
{
public:
    virtual ~IMediaDevice() = default;
    virtual void setDeviceType(const QString& type) = 0;
    virtual void setFileName(const QString& fileName) = 0;
    // With wait set, "open" returns only once the file is loaded or has failed, so that a
    // damaged file fails the command itself.
    virtual void setWait(bool wait) = 0;
    // False when the command fails; playback itself runs on asynchronously. While "open"
    // waits, every command but "close" is refused (false, lastError untouched).
    virtual bool command(const QString& command) = 0;
    // Where "AVIVideo" shows its pictures: a surface is laid over this widget while a film is
    // open. Null takes the surface away before the widget goes.
    virtual void setDisplay(QWidget* display) = 0;
    virtual bool isPlaying() const = 0;
    // Not playing and not paused by the user: nothing open, just opened, after "stop" and at the
    // end, until "play" or a move.
    virtual bool isStopped() const = 0;
    // Loudness from 0 (silent) to 1 (as recorded); it holds for every file opened afterwards.
    virtual void setVolume(double volume) = 0;
    virtual double volume() const = 0;
    virtual QString lastError() const = 0;
    // Milliseconds into the open file, its length, and a jump to a position.
    virtual qint64 position() const = 0;
    virtual qint64 duration() const = 0;
    virtual bool seek(qint64 ms) = 0;

    // Called when playback reaches the end.
    std::function<void()> onFinished;
    // Called when the position or the length changes.
    std::function<void()> onProgress;
    // Called when the open file turns out unplayable after the command returned.
    std::function<void(const QString& why)> onError;
};

class IMediaFactory
{
public:
    virtual ~IMediaFactory() = default;
    virtual std::unique_ptr<IMediaDevice> create() = 0;
    // Starts the media back-end, which costs the first film tens of milliseconds otherwise,
    // and loads `film` (when it is a file) without showing it, so that its decoders are ready
    // too. Blocks for a few tens of milliseconds: call when nobody waits. Once only.
    virtual void prepare(const QString& film) = 0;
};

class QtMediaDevice final : public QObject, public IMediaDevice
{
    Q_OBJECT
public:
    QtMediaDevice();
    ~QtMediaDevice() override;

    void setDeviceType(const QString& type) override { m_type = type; }
    void setFileName(const QString& fileName) override { m_fileName = fileName; }
    void setWait(bool wait) override { m_wait = wait; }
    bool command(const QString& command) override;
    void setDisplay(QWidget* display) override;
    bool isPlaying() const override;
    bool isStopped() const override;
    void setVolume(double volume) override;
    double volume() const override { return m_volume; }
    QString lastError() const override;
    qint64 position() const override;
    qint64 duration() const override;
    bool seek(qint64 ms) override;

    // The surface films are shown on, once a display is set; for tests and benchmarks.
    VideoPicture* videoSurface() const;
    // The open file's player, null while none is open; for benchmarks.
    QMediaPlayer* player() const { return m_player; }
    // What plays "WaveAudio", once a sound was opened; for benchmarks.
    WaveSound* sound() const { return m_sound.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool fail(const QString& why);
    // Every file gets a player of its own: a player that failed keeps its error, and the
    // back-end must not be told to switch files while it is still reading one.
    void newPlayer(bool video);
    void dropPlayer();
    void showFrame(const QVideoFrame& frame);
    bool open();
    // Runs events, no user input, until `done` holds, the player fails or the time is up;
    // false when the device went away meanwhile.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    bool waitUntilLoaded();
    bool isVideo() const;
    qint64 frameMs() const;
    qint64 lastFrameMs() const;
    // Where the picture on screen starts, in milliseconds.
    qint64 shownFrameMs() const;
    void pauseIfStopped();
    // Sounds do not go through the media player: see wave_sound.h.
    bool openSound();
    IMediaDevice* openedSound() const;

    QMediaPlayer* m_player = nullptr; // the open file's, null while none is open
    QVideoSink* m_sink = nullptr;     // m_player's, for films
    QPointer<QWidget> m_display;
    QPointer<VideoPicture> m_video;
    QEventLoop* m_waitLoop = nullptr; // while waitUntil runs
    std::unique_ptr<WaveSound> m_sound; // kept from sound to sound
    bool m_soundOpen = false;
    QString m_type;
    QString m_fileName;
    QString m_error;
    qint64 m_shownEnd = -1; // end of the picture on screen, -1 when there is none
    bool m_pictureShown = false; // since the last "open"
    double m_volume = 1.0;
    bool m_open = false;
    bool m_stopped = true;
    bool m_wait = false;
};

class QtMediaFactory final : public IMediaFactory
{
public:
    std::unique_ptr<IMediaDevice> create() override { return std::make_unique<QtMediaDevice>(); }
    void prepare(const QString& film) override;

private:
    bool m_prepared = false;
};

// Films are painted without OpenGL on X: they are small, and where OpenGL is software (virtual
// machines, remote displays) starting it delays the first film by a second and costs 75 MB.
// Call before the QApplication is made; the switch holds for our own windows only, and the
// environment is the user's again once the application exists. A setting of the user's own
// is kept.
void preferPaintedVideo();

} // namespace kv
