#pragma once

#include "platform/media_controls.h"

#include <QObject>
#include <QPointer>

namespace kv {

// Remembers what a window published; tests send commands as the desktop would.
class FakeMediaControls final : public IMediaControls
{
public:
    void publish(QObject* owner, std::function<void(MediaCommand)> handler) override
    {
        this->owner = owner;
        m_handler = std::move(handler);
    }
    void show(QObject* owner, const NowShowing& now) override
    {
        if (owner == this->owner)
            showing = now;
    }
    void controlVolume(QObject* owner, double volume, std::function<void(double)> setVolume) override
    {
        if (owner == this->owner) {
            this->volume = volume;
            m_setVolume = std::move(setVolume);
        }
    }
    void unpublish(QObject* owner) override
    {
        if (owner == this->owner) {
            this->owner = nullptr;
            m_handler = nullptr;
            m_setVolume = nullptr;
        }
    }
    void send(MediaCommand command)
    {
        if (owner && m_handler)
            m_handler(command);
    }

    QPointer<QObject> owner;
    NowShowing showing;
    double volume = 1.0;

private:
    std::function<void(MediaCommand)> m_handler;
    std::function<void(double)> m_setVolume;
};

} // namespace kv
