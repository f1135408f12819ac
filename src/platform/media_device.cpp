#include "platform/media_device.h"

#include "platform/video_picture.h"
#include "platform/wave_sound.h"

#include <QAudioOutput>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QOpenGLContext>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <utility>

namespace kv {

namespace {
// Loading a sample film takes a fraction of a second; a file that takes longer than this is
// treated as unplayable rather than leaving the window waiting.
constexpr int LoadTimeoutMs = 8000;
// A good film shows its first picture a few tens of milliseconds after loading; a film that
// shows none in this time (a header without its frames) cannot be played.
constexpr int FirstPictureTimeoutMs = 3000;

bool sameType(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}
} // namespace

QtMediaDevice::QtMediaDevice() = default;

QtMediaDevice::~QtMediaDevice()
{
    if (m_waitLoop)
        m_waitLoop->quit(); // the command waiting returns false at once
    dropPlayer();
    delete m_video.data();
}

void QtMediaDevice::newPlayer(bool video)
{
    dropPlayer();
    m_player = new QMediaPlayer(this);
    auto* audio = new QAudioOutput(m_player);
    audio->setVolume(float(m_volume));
    m_player->setAudioOutput(audio);
    if (video) {
        m_sink = new QVideoSink(m_player);
        m_player->setVideoSink(m_sink);
        // Pictures may come from the back-end's own thread; they are shown on ours.
        connect(m_sink, &QVideoSink::videoFrameChanged, this, [this, sink = m_sink](const QVideoFrame& f) {
            if (sink == m_sink)
                showFrame(f);
        });
    }
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s != QMediaPlayer::EndOfMedia)
            return;
        m_stopped = true;
        if (onFinished)
            onFinished();
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        m_error = text.isEmpty() ? QStringLiteral("The file cannot be played.") : text;
        if (!m_open)
            return;
        // GStreamer reports one broken file with several errors: the first closes the device,
        // so the others find it closed and the user hears of the failure once.
        command(QStringLiteral("close"));
        if (onError)
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

void QtMediaDevice::dropPlayer()
{
    QMediaPlayer* player = std::exchange(m_player, nullptr);
    m_sink = nullptr;
    if (!player)
        return;
    player->disconnect(this);
    player->setParent(nullptr);
    if (player->mediaStatus() != QMediaPlayer::LoadingMedia) {
        player->stop();
        // Not at once: this may run inside one of the player's own signals.
        player->deleteLater();
        return;
    }
    // Still reading the file: stopping it or deleting it now can lock the back-end up for
    // good. It is silenced and goes once it has loaded (or failed).
    if (QAudioOutput* audio = player->audioOutput())
        audio->setMuted(true);
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player, [player](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::LoadingMedia)
            return;
        player->disconnect();
        player->stop();
        player->deleteLater();
    });
}

void QtMediaDevice::showFrame(const QVideoFrame& f)
{
    m_shownEnd = f.isValid() && f.endTime() >= 0 ? f.endTime() / 1000 : -1;
    m_pictureShown = m_pictureShown || f.isValid();
    if (m_video)
        m_video->setFrame(f);
}

void QtMediaDevice::setVolume(double volume)
{
    m_volume = qBound(0.0, volume, 1.0);
    if (m_sound)
        m_sound->setVolume(m_volume);
    if (m_player && m_player->audioOutput())
        m_player->audioOutput()->setVolume(float(m_volume));
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
        // The surface waits, hidden and unparented, for the next display.
        if (m_video) {
            m_video->hide();
            m_video->setParent(nullptr);
        }
        return;
    }
    if (!m_video) {
        m_video = new VideoPicture(display);
        m_video->setObjectName(QStringLiteral("videoSurface"));
        m_video->setAccessibleName(QStringLiteral("Movie"));
    } else {
        m_video->setParent(display);
    }
    m_video->setGeometry(display->rect());
    m_video->setVisible(m_open && isVideo());
    display->installEventFilter(this);
}

VideoPicture* QtMediaDevice::videoSurface() const
{
    return m_video.data();
}

bool QtMediaDevice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_display && event->type() == QEvent::Resize && m_video)
        m_video->setGeometry(m_display->rect());
    return QObject::eventFilter(watched, event);
}

bool QtMediaDevice::isVideo() const
{
    return sameType(m_type, "AVIVideo");
}

bool QtMediaDevice::isStopped() const
{
    if (IMediaDevice* sound = openedSound())
        return sound->isStopped();
    return !m_open || m_stopped;
}

QString QtMediaDevice::lastError() const
{
    const IMediaDevice* sound = openedSound();
    return sound ? sound->lastError() : m_error;
}

bool QtMediaDevice::isPlaying() const
{
    if (IMediaDevice* sound = openedSound())
        return sound->isPlaying();
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}

qint64 QtMediaDevice::position() const
{
    if (IMediaDevice* sound = openedSound())
        return sound->position();
    return m_open ? m_player->position() : 0;
}

qint64 QtMediaDevice::duration() const
{
    if (IMediaDevice* sound = openedSound())
        return sound->duration();
    return m_open ? m_player->duration() : 0;
}

bool QtMediaDevice::seek(qint64 ms)
{
    if (m_waitLoop)
        return false;
    if (IMediaDevice* sound = openedSound())
        return sound->seek(ms);
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    const qint64 length = m_player->duration();
    m_stopped = false;
    pauseIfStopped();
    m_player->setPosition(qBound<qint64>(0, ms, length > 0 ? length : ms));
    return true;
}

qint64 QtMediaDevice::frameMs() const
{
    const double fps = m_player->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    return fps >= 1 ? qMax<qint64>(1, qRound64(1000 / fps)) : 100;
}

qint64 QtMediaDevice::lastFrameMs() const
{
    return qMax<qint64>(0, m_player->duration() - frameMs());
}

qint64 QtMediaDevice::shownFrameMs() const
{
    // The picture's own time: the player's position lags one frame behind it after a pause,
    // and a frame cut by a seek starts where the seek landed, but it always ends where its
    // successor starts.
    return m_shownEnd >= 0 ? qMax<qint64>(0, m_shownEnd - frameMs()) : m_player->position();
}

void QtMediaDevice::pauseIfStopped()
{
    // An ended film is stopped, and a stopped player prepares no picture for a seek: the
    // screen would go black.
    if (m_player->playbackState() == QMediaPlayer::StoppedState)
        m_player->pause();
}

bool QtMediaDevice::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (!m_player || done() || m_player->error() != QMediaPlayer::NoError)
        return true;
    QEventLoop loop;
    auto check = [&] {
        if (done())
            loop.quit();
    };
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, &loop, check);
    connect(m_player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    if (m_video)
        connect(m_video, &VideoPicture::frameChanged, &loop, check);
    QPointer<QtMediaDevice> alive(this);
    // No clicks or keys while the command waits: the window must not close under it. Media
    // keys come over D-Bus all the same: command() refuses them until the wait is over.
    m_waitLoop = &loop;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!alive)
        return false;
    m_waitLoop = nullptr;
    return true;
}

bool QtMediaDevice::waitUntilLoaded()
{
    auto settled = [this] {
        const auto s = m_player ? m_player->mediaStatus() : QMediaPlayer::NoMedia;
        return s != QMediaPlayer::LoadingMedia && s != QMediaPlayer::NoMedia;
    };
    if (!waitUntil(settled, LoadTimeoutMs))
        return false;
    if (!m_player)
        return fail(QStringLiteral("The file was closed while it loaded."));
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
    if (sameType(m_type, "WaveAudio"))
        return openSound();
    if (!isVideo())
        return fail(QStringLiteral("Unknown device type: %1").arg(m_type));
    if (std::exchange(m_soundOpen, false))
        m_sound->command(QStringLiteral("close"));
    const QFileInfo info(m_fileName);
    if (!info.isFile())
        return fail(QStringLiteral("File not found: %1").arg(m_fileName));
    if (info.size() == 0)
        return fail(QStringLiteral("The file is empty: %1").arg(m_fileName));
    m_error.clear();
    m_shownEnd = -1;
    m_pictureShown = false;
    m_stopped = true;
    const bool video = isVideo() && m_video;
    newPlayer(video);
    if (m_video) {
        m_video->clear();
        m_video->setVisible(video);
    }
    // Errors while waiting fail the command instead of being reported afterwards.
    m_open = !m_wait;
    m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (m_wait && !waitUntilLoaded())
        return false;
    // A loaded film shows nothing until paused on its first picture; one that never shows a
    // picture cannot be played.
    if (video && m_wait) {
        m_player->pause();
        if (!waitUntil([this] { return m_pictureShown; }, FirstPictureTimeoutMs))
            return false;
        if (!m_player)
            return fail(QStringLiteral("The film was closed while it loaded."));
        if (!m_pictureShown) {
            const QString why = m_player->errorString();
            command(QStringLiteral("close"));
            return fail(why.isEmpty() ? QStringLiteral("The film shows no picture.") : why);
        }
    }
    m_open = true;
    return true;
}

bool QtMediaDevice::command(const QString& command)
{
    const QString cmd = command.toLower();
    // Only "close" may cut a wait short (open() then fails); anything else would start on a
    // player that is not ready, or open a file inside the opening of another.
    if (m_waitLoop && cmd != QLatin1String("close"))
        return false;
    if (cmd == QLatin1String("close")) {
        if (m_waitLoop)
            m_waitLoop->quit(); // nothing left to wait for
        if (std::exchange(m_soundOpen, false))
            m_sound->command(command);
        m_open = false;
        m_stopped = true;
        dropPlayer();
        if (m_video) {
            m_video->clear();
            m_video->hide();
        }
        return true;
    }
    if (cmd == QLatin1String("open"))
        return open();
    if (IMediaDevice* sound = openedSound())
        return sound->command(command);
    if (!m_open)
        return fail(QStringLiteral("No device open"));
    if (cmd == QLatin1String("play")) {
        if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
            m_player->setPosition(0);
        m_player->play();
        m_stopped = false;
    } else if (cmd == QLatin1String("stop") || cmd == QLatin1String("pause")) {
        m_player->pause();
        m_stopped = cmd == QLatin1String("stop");
    } else if (cmd == QLatin1String("prev")) {
        pauseIfStopped();
        m_player->setPosition(0);
    } else if (cmd == QLatin1String("next")) {
        // The end itself holds no picture: the last frame is the end of the film.
        m_player->pause();
        m_player->setPosition(lastFrameMs());
        m_stopped = false;
    } else if (cmd == QLatin1String("back") || cmd == QLatin1String("step")) {
        const qint64 shown = shownFrameMs();
        m_player->pause();
        const qint64 to = cmd == QLatin1String("back") ? shown - frameMs() : shown + frameMs();
        m_player->setPosition(qBound<qint64>(0, to, lastFrameMs()));
        m_stopped = false;
    } else {
        return fail(QStringLiteral("Unknown command: %1").arg(command));
    }
    return true;
}

void QtMediaFactory::prepare(const QString& film)
{
    if (std::exchange(m_prepared, true))
        return;
    // What a film's first opening makes: the back-end loads its plugins, audio devices and the
    // film's decoders once, and keeps them for every player after.
    auto* player = new QMediaPlayer;
    auto* audio = new QAudioOutput(player);
    audio->setMuted(true);
    player->setAudioOutput(audio);
    player->setVideoSink(new QVideoSink(player));
    if (!QFileInfo(film).isFile() || QFileInfo(film).size() == 0) {
        delete player;
        return;
    }
    // Deleted only once loaded: a player deleted while it reads can lock the back-end up.
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player, [player](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::LoadingMedia)
            return;
        player->disconnect();
        player->deleteLater();
    });
    player->setSource(QUrl::fromLocalFile(film));
}

namespace {
bool paintedVideoSwitchSet = false;

// Runs as the application is made. Qt's X plugin reads the switch the first time it is asked
// about OpenGL: ask now, while the switch is set, then give the environment back, so that the
// programs we start (browser, help viewer, file manager) get the user's own.
void settlePaintedVideo()
{
    if (!paintedVideoSwitchSet)
        return;
    paintedVideoSwitchSet = false;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QOpenGLContext::supportsThreadedOpenGL();
    qunsetenv("QT_XCB_GL_INTEGRATION");
}
} // namespace

void preferPaintedVideo()
{
    if (qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        return;
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    paintedVideoSwitchSet = true;
    qAddPreRoutine(settlePaintedVideo);
}

} // namespace kv
