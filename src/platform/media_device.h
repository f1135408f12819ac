#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAudioOutput;
class QMediaPlayer;
class QVideoWidget;
class QWidget;

namespace kv {

// A media control driven by the old command vocabulary: "close", "open", "play", "stop",
// "prev", "next", "back", on device types "WaveAudio" and "AVIVideo".
class IMediaDevice
{
public:
    virtual ~IMediaDevice() = default;
    virtual void setDeviceType(const QString& type) = 0;
    virtual void setFileName(const QString& fileName) = 0;
    // False when the command fails; playback itself runs on asynchronously.
    virtual bool command(const QString& command) = 0;
    // Where "AVIVideo" shows its pictures.
    virtual void setDisplay(QWidget* display) = 0;
    virtual bool isPlaying() const = 0;
    virtual QString lastError() const = 0;
    // Called when playback reaches the end.
    std::function<void()> onFinished;
};

class IMediaFactory
{
public:
    virtual ~IMediaFactory() = default;
    virtual std::unique_ptr<IMediaDevice> create() = 0;
};

class QtMediaDevice final : public QObject, public IMediaDevice
{
    Q_OBJECT
public:
    QtMediaDevice();
    ~QtMediaDevice() override;

    void setDeviceType(const QString& type) override { m_type = type; }
    void setFileName(const QString& fileName) override { m_fileName = fileName; }
    bool command(const QString& command) override;
    void setDisplay(QWidget* display) override;
    bool isPlaying() const override;
    QString lastError() const override { return m_error; }

private:
    bool fail(const QString& why);

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_audio = nullptr;
    QString m_type;
    QString m_fileName;
    QString m_error;
    bool m_open = false;
};

class QtMediaFactory final : public IMediaFactory
{
public:
    std::unique_ptr<IMediaDevice> create() override { return std::make_unique<QtMediaDevice>(); }
};

} // namespace kv
