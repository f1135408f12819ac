#include "platform/media_device.h"

#include <QAudioOutput>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

namespace kv {

namespace {
// Loading a sample film takes a fraction of a second; a file that takes longer than this is
// treated as unplayable rather than leaving the window waiting.
constexpr int LoadTimeoutMs = 8000;
// Time for a newly shown video surface to reach the screen.
constexpr int ExposeDelayMs = 100;

bool sameType(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}
} // namespace

QtMediaDevice::QtMediaDevice()
    : m_player(new QMediaPlayer(this))
    , m_audio(new QAudioOutput(this))
{
    m_player->setAudioOutput(m_audio);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia && onFinished)
            onFinished();
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        m_error = text.isEmpty() ? QStringLiteral("The file cannot be played.") : text;
        if (m_open && onError)
            onError(m_error);
    });
    connect(m_player, &QMediaPlayer::positionChanged, this, [this] {
        if (onProgress)
            onProgress();
    });
    connect(m_player, &QMediaPlayer::durationChanged, this, [this] {
        if (onProgress)
            onProgress();
    });
}

QtMediaDevice::~QtMediaDevice()
{
    m_player->stop();
    m_player->setVideoOutput(nullptr);
    delete m_video.data();
}

bool QtMediaDevice::fail(const QString& why)
{
    m_error = why;
    return false;
}

void QtMediaDevice::setDisplay(QWidget* display)
{
    if (m_display)
        m_display->removeEventFilter(this);
    m_display = display;
    if (!display) {
        // The surface waits, hidden and unparented, for the next display: making a new one for
        // every window costs memory that Qt Multimedia does not give back.
        if (m_video) {
            m_video->hide();
            m_video->setParent(nullptr);
        }
        return;
    }
    if (!m_video) {
        auto* surface = new QVideoWidget(display);
        surface->setObjectName(QStringLiteral("videoSurface"));
        surface->setAccessibleName(QStringLiteral("Movie"));
        m_video = surface;
    } else {
        m_video->setParent(display);
    }
    m_video->setGeometry(display->rect());
    m_video->setVisible(m_open && isVideo());
    display->installEventFilter(this);
    if (m_open && isVideo())
        m_player->setVideoOutput(videoSurface());
}

QVideoWidget* QtMediaDevice::videoSurface() const
{
    return qobject_cast<QVideoWidget*>(m_video.data());
}

bool QtMediaDevice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_display && event->type() == QEvent::Resize && m_video)
        m_video->setGeometry(m_display->rect());
    // A picture delivered before the window was on screen is not kept: ask for it again.
    if (watched == m_display && event->type() == QEvent::Show && m_open && isVideo() && !isPlaying())
        QTimer::singleShot(ExposeDelayMs, this, [this] {
            // The same position again would be ignored; one millisecond on is still this picture.
            if (m_open && !isPlaying())
                m_player->setPosition(m_player->position() + 1);
        });
    return QObject::eventFilter(watched, event);
}

bool QtMediaDevice::isVideo() const
{
    return sameType(m_type, "AVIVideo");
}

bool QtMediaDevice::isPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

qint64 QtMediaDevice::position() const
{
    return m_open ? m_player->position() : 0;
}

qint64 QtMediaDevice::duration() const
{
    return m_open ? m_player->duration() : 0;
}

bool QtMediaDevice::seek(qint64 ms)
{
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    const qint64 length = m_player->duration();
    m_player->setPosition(qBound<qint64>(0, ms, length > 0 ? length : ms));
    return true;
}

qint64 QtMediaDevice::frameMs() const
{
    const double fps = m_player->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    return fps >= 1 ? qMax<qint64>(1, qRound64(1000 / fps)) : 100;
}

bool QtMediaDevice::waitUntilLoaded()
{
    auto settled = [this] {
        const auto s = m_player->mediaStatus();
        return s != QMediaPlayer::LoadingMedia && s != QMediaPlayer::NoMedia;
    };
    if (!settled() && m_player->error() == QMediaPlayer::NoError) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, &loop, [&] {
            if (settled())
                loop.quit();
        });
        connect(m_player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        timer.start(LoadTimeoutMs);
        QPointer<QtMediaDevice> alive(this);
        // No clicks or keys while the command waits: the window must not close under it.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!alive)
            return false;
    }
    if (m_player->error() != QMediaPlayer::NoError || m_player->mediaStatus() == QMediaPlayer::InvalidMedia) {
        const QString why = m_player->errorString();
        command(QStringLiteral("close"));
        return fail(why.isEmpty() ? QStringLiteral("The file cannot be played.") : why);
    }
    if (!settled()) {
        command(QStringLiteral("close"));
        return fail(QStringLiteral("The file took too long to load."));
    }
    return true;
}

bool QtMediaDevice::open()
{
    if (!sameType(m_type, "WaveAudio") && !isVideo())
        return fail(QStringLiteral("Unknown device type: %1").arg(m_type));
    const QFileInfo info(m_fileName);
    if (!info.isFile())
        return fail(QStringLiteral("File not found: %1").arg(m_fileName));
    if (info.size() == 0)
        return fail(QStringLiteral("The file is empty: %1").arg(m_fileName));
    m_error.clear();
    const bool video = isVideo() && m_video;
    m_player->setVideoOutput(video ? videoSurface() : nullptr);
    if (m_video)
        m_video->setVisible(video);
    // Errors while waiting fail the command instead of being reported afterwards.
    m_open = !m_wait;
    m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (m_wait && !waitUntilLoaded())
        return false;
    m_open = true;
    // A loaded film shows nothing until paused on its first picture.
    if (video && m_wait)
        m_player->pause();
    return true;
}

bool QtMediaDevice::command(const QString& command)
{
    const QString cmd = command.toLower();
    if (cmd == QLatin1String("close")) {
        m_open = false;
        m_player->stop();
        m_player->setSource(QUrl());
        if (m_video)
            m_video->hide();
        return true;
    }
    if (cmd == QLatin1String("open"))
        return open();
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    if (cmd == QLatin1String("play")) {
        if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
            m_player->setPosition(0);
        m_player->play();
    } else if (cmd == QLatin1String("stop") || cmd == QLatin1String("pause")) {
        m_player->pause();
    } else if (cmd == QLatin1String("prev")) {
        m_player->setPosition(0);
    } else if (cmd == QLatin1String("next")) {
        m_player->setPosition(m_player->duration());
    } else if (cmd == QLatin1String("back")) {
        m_player->pause();
        m_player->setPosition(qMax<qint64>(0, m_player->position() - frameMs()));
    } else if (cmd == QLatin1String("step")) {
        m_player->pause();
        m_player->setPosition(qMin(m_player->duration(), m_player->position() + frameMs()));
    } else {
        return fail(QStringLiteral("Unknown command: %1").arg(command));
    }
    return true;
}

void preferPaintedVideo()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

} // namespace kv
