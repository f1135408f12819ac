#include "platform/media_device.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

namespace kv {

QtMediaDevice::QtMediaDevice()
    : m_player(new QMediaPlayer(this))
    , m_audio(new QAudioOutput(this))
{
    m_player->setAudioOutput(m_audio);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia && onFinished)
            onFinished();
    });
    // A damaged file only stays silent.
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) { m_error = text; });
}

QtMediaDevice::~QtMediaDevice()
{
    m_player->stop();
}

bool QtMediaDevice::fail(const QString& why)
{
    m_error = why;
    return false;
}

void QtMediaDevice::setDisplay(QWidget* display)
{
    m_player->setVideoOutput(qobject_cast<QVideoWidget*>(display));
}

bool QtMediaDevice::isPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

bool QtMediaDevice::command(const QString& command)
{
    const QString cmd = command.toLower();
    if (cmd == QLatin1String("close")) {
        m_player->stop();
        m_player->setSource(QUrl());
        m_open = false;
        return true;
    }
    if (cmd == QLatin1String("open")) {
        if (m_type.compare(QLatin1String("WaveAudio"), Qt::CaseInsensitive) != 0
            && m_type.compare(QLatin1String("AVIVideo"), Qt::CaseInsensitive) != 0)
            return fail(QStringLiteral("Unknown device type: %1").arg(m_type));
        if (!QFileInfo(m_fileName).isFile())
            return fail(QStringLiteral("File not found: %1").arg(m_fileName));
        m_error.clear();
        m_player->setSource(QUrl::fromLocalFile(m_fileName));
        m_open = true;
        return true;
    }
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    if (cmd == QLatin1String("play")) {
        if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
            m_player->setPosition(0);
        m_player->play();
    } else if (cmd == QLatin1String("stop")) {
        m_player->pause();
    } else if (cmd == QLatin1String("prev")) {
        m_player->setPosition(0);
    } else if (cmd == QLatin1String("next")) {
        m_player->setPosition(m_player->duration());
    } else if (cmd == QLatin1String("back")) {
        m_player->setPosition(qMax<qint64>(0, m_player->position() - 100));
    } else {
        return fail(QStringLiteral("Unknown command: %1").arg(command));
    }
    return true;
}

} // namespace kv
