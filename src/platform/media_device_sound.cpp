#include "platform/media_device.h"

#include "platform/wave_sound.h"

namespace kv {

// "WaveAudio" plays through a WaveSound of the device's own, kept from sound to sound; films
// keep the media player.

IMediaDevice* QtMediaDevice::openedSound() const
{
    return m_soundOpen ? m_sound.get() : nullptr;
}

bool QtMediaDevice::openSound()
{
    command(QStringLiteral("close"));
    if (!m_sound) {
        m_sound = std::make_unique<WaveSound>();
        m_sound->onFinished = [this] {
            if (onFinished)
                onFinished();
        };
        m_sound->onError = [this](const QString& why) {
            m_soundOpen = false;
            m_error = why;
            if (onError)
                onError(why);
        };
    }
    m_sound->setVolume(m_volume);
    m_sound->setFileName(m_fileName);
    m_soundOpen = m_sound->command(QStringLiteral("open"));
    return m_soundOpen || fail(m_sound->lastError());
}

} // namespace kv
