#pragma once

#include "platform/media_device.h"

#include <QStringList>

#include <memory>

namespace kv {

// Records every command as "type|file|command" in a log shared by all devices it made.
// "open" fails for a missing file and for one that is not a RIFF file (not a WAV or AVI).
class FakeMediaDevice final : public IMediaDevice
{
public:
    explicit FakeMediaDevice(std::shared_ptr<QStringList> log) : m_log(std::move(log)) {}
    void setDeviceType(const QString& type) override { m_type = type; }
    void setFileName(const QString& fileName) override { m_file = fileName; }
    void setWait(bool wait) override { m_wait = wait; }
    bool command(const QString& command) override;
    void setDisplay(QWidget* display) override { m_display = display; }
    bool isPlaying() const override { return m_playing; }
    bool isStopped() const override { return !m_open || m_stopped; }
    void setVolume(double volume) override { m_volume = volume; }
    double volume() const override { return m_volume; }
    QString lastError() const override { return {}; }
    qint64 position() const override { return m_position; }
    qint64 duration() const override { return m_open ? Length : 0; }
    bool seek(qint64 ms) override;

    // Every open film lasts this long.
    static constexpr qint64 Length = 2000;
    bool waits() const { return m_wait; }
    QWidget* display() const { return m_display; }

private:
    std::shared_ptr<QStringList> m_log;
    QString m_type;
    QString m_file;
    QWidget* m_display = nullptr;
    qint64 m_position = 0;
    double m_volume = 1.0;
    bool m_playing = false;
    bool m_stopped = true;
    bool m_open = false;
    bool m_wait = false;
};

class FakeMediaFactory final : public IMediaFactory
{
public:
    std::unique_ptr<IMediaDevice> create() override
    {
        ++created;
        return std::make_unique<FakeMediaDevice>(log);
    }
    void prepare(const QString& film) override
    {
        ++prepared;
        preparedFilm = film;
    }
    std::shared_ptr<QStringList> log = std::make_shared<QStringList>();
    int created = 0;
    int prepared = 0;
    QString preparedFilm;
};

} // namespace kv
