#include "platform/media_device.h"

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
#include <QVideoWidget>

namespace kv {

namespace {
// Loading a sample film takes a fraction of a second; a file that takes longer than this is
// treated as unplayable rather than leaving the window waiting.
constexpr int LoadTimeoutMs = 8000;
// A good film shows its first picture a few tens of milliseconds after loading; a film that
// shows none in this time (a header without its frames) cannot be played.
constexpr int FirstPictureTimeoutMs = 3000;
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
        connect(surface->videoSink(), &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& f) {
            m_shownEnd = f.isValid() && f.endTime() >= 0 ? f.endTime() / 1000 : -1;
            m_pictureShown = m_pictureShown || f.isValid();
        });
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
    if (done() || m_player->error() != QMediaPlayer::NoError)
        return true;
    QEventLoop loop;
    auto check = [&] {
        if (done())
            loop.quit();
    };
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, &loop, check);
    connect(m_player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    if (QVideoWidget* surface = videoSurface())
        connect(surface->videoSink(), &QVideoSink::videoFrameChanged, &loop, check);
    QPointer<QtMediaDevice> alive(this);
    // No clicks or keys while the command waits: the window must not close under it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return !alive.isNull();
}

bool QtMediaDevice::waitUntilLoaded()
{
    auto settled = [this] {
        const auto s = m_player->mediaStatus();
        return s != QMediaPlayer::LoadingMedia && s != QMediaPlayer::NoMedia;
    };
    if (!waitUntil(settled, LoadTimeoutMs))
        return false;
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
    m_shownEnd = -1;
    m_pictureShown = false;
    const bool video = isVideo() && m_video;
    m_player->setVideoOutput(video ? videoSurface() : nullptr);
    if (m_video)
        m_video->setVisible(video);
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
        pauseIfStopped();
        m_player->setPosition(0);
    } else if (cmd == QLatin1String("next")) {
        // The end itself holds no picture: the last frame is the end of the film.
        m_player->pause();
        m_player->setPosition(lastFrameMs());
    } else if (cmd == QLatin1String("back") || cmd == QLatin1String("step")) {
        const qint64 shown = shownFrameMs();
        m_player->pause();
        const qint64 to = cmd == QLatin1String("back") ? shown - frameMs() : shown + frameMs();
        m_player->setPosition(qBound<qint64>(0, to, lastFrameMs()));
    } else {
        return fail(QStringLiteral("Unknown command: %1").arg(command));
    }
    return true;
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
