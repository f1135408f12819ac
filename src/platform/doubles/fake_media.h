#pragma once

#include "platform/media_device.h"

#include <QStringList>

#include <memory>

namespace kv {

// Records every command as "type|file|command" in a log shared by all devices it made.
class FakeMediaDevice final : public IMediaDevice
{
public:
    explicit FakeMediaDevice(std::shared_ptr<QStringList> log) : m_log(std::move(log)) {}
    void setDeviceType(const QString& type) override { m_type = type; }
    void setFileName(const QString& fileName) override { m_file = fileName; }
    bool command(const QString& command) override;
    void setDisplay(QWidget*) override {}
    bool isPlaying() const override { return m_playing; }
    QString lastError() const override { return {}; }

private:
    std::shared_ptr<QStringList> m_log;
    QString m_type;
    QString m_file;
    bool m_playing = false;
};

class FakeMediaFactory final : public IMediaFactory
{
public:
    std::unique_ptr<IMediaDevice> create() override { return std::make_unique<FakeMediaDevice>(log); }
    std::shared_ptr<QStringList> log = std::make_shared<QStringList>();
};

} // namespace kv
