#pragma once

#include "platform/media_controls.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace kv {

// The object registered at /org/mpris/MediaPlayer2; its two adaptors are the interfaces the
// desktop reads.
class MprisPlayer : public QObject
{
    Q_OBJECT
public:
    MprisPlayer(QString identity, QString desktopEntry, QObject* parent = nullptr);

    QString identity;
    QString desktopEntry;
    NowShowing now;
    std::function<void(MediaCommand)> handler;
    std::function<void()> raise;
    double volume = 1.0;
    std::function<void(double)> volumeSetter;

    // A command from the desktop, run once its call has been answered.
    void command(MediaCommand c);
    // Takes what is on show and tells the desktop what changed.
    void update(const NowShowing& next);
    // The desktop's new loudness, or the window's; the desktop hears of a change.
    void setVolume(double v, bool fromDesktop);
    QString playbackStatus() const;
    QVariantMap metadata() const;

private:
    void announce(const QVariantMap& changed);

    int m_track = 1;
};

class MprisRootAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ no)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)
public:
    explicit MprisRootAdaptor(MprisPlayer* player);
    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return m_player->identity; }
    QString desktopEntry() const { return m_player->desktopEntry; }
    QStringList none() const { return {}; }

public slots:
    void Raise();
    void Quit() {}

private:
    MprisPlayer* m_player;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit MprisPlayerAdaptor(MprisPlayer* player);
    QString playbackStatus() const { return m_player->playbackStatus(); }
    double one() const { return 1.0; }
    double volume() const { return m_player->volume; }
    void setVolume(double v) { m_player->setVolume(v, true); }
    QVariantMap metadata() const { return m_player->metadata(); }
    qlonglong position() const { return m_player->now.positionMs * 1000; }
    bool canGoNext() const { return m_player->now.canGoNext; }
    bool canGoPrevious() const { return m_player->now.canGoPrevious; }
    bool canPlay() const { return m_player->now.canPlay; }
    bool canPause() const { return m_player->now.canPause; }
    bool yes() const { return true; }
    bool no() const { return false; }

public slots:
    void Next() { m_player->command(MediaCommand::Next); }
    void Previous() { m_player->command(MediaCommand::Previous); }
    void Pause() { m_player->command(MediaCommand::Pause); }
    void PlayPause() { m_player->command(MediaCommand::PlayPause); }
    void Stop() { m_player->command(MediaCommand::Stop); }
    void Play() { m_player->command(MediaCommand::Play); }
    // Seeking is not offered (CanSeek is false); the calls are accepted and do nothing.
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}
    void OpenUri(const QString&) {}

signals:
    void Seeked(qlonglong position);

private:
    MprisPlayer* m_player;
};

} // namespace kv
