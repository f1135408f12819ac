#pragma once

#include "platform/media_controls.h"

#include <QObject>
#include <QPointer>

namespace kv {

class MprisPlayer;

// The desktop's media controls through MPRIS: "org.mpris.MediaPlayer2.kelvardo" on the session
// bus while a window is published. Without a session bus nothing happens.
class MprisMediaControls final : public QObject, public IMediaControls
{
    Q_OBJECT
public:
    // `desktopEntry`: the program's menu entry, without ".desktop", for the desktop's icon.
    explicit MprisMediaControls(QString identity, QString desktopEntry);
    ~MprisMediaControls() override;

    void publish(QObject* owner, std::function<void(MediaCommand)> handler) override;
    void show(QObject* owner, const NowShowing& now) override;
    void controlVolume(QObject* owner, double volume, std::function<void(double)> setVolume) override;
    void unpublish(QObject* owner) override;

private:
    void withdraw();

    QString m_identity;
    QString m_desktopEntry;
    QPointer<QObject> m_owner;
    QPointer<MprisPlayer> m_player;
    QString m_service;
    QMetaObject::Connection m_ownerGone;
};

} // namespace kv
