#include "platform/media_warm_up.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoSink>
#include <QVideoWidget>

namespace kv {

void warmUpMediaBackEnd(const QString& film, QObject* owner)
{
    // The first video widget sets up its painting path; one made now makes the next cheap.
    delete new QVideoWidget;
    if (film.isEmpty())
        return;
    auto* player = new QMediaPlayer(owner);
    auto* sink = new QVideoSink(player);
    auto* audio = new QAudioOutput(player);
    audio->setMuted(true);
    player->setAudioOutput(audio);
    player->setVideoSink(sink);
    const auto finish = [player] {
        player->disconnect();
        player->deleteLater();
    };
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player, [finish](QMediaPlayer::MediaStatus s) {
        if (s != QMediaPlayer::LoadingMedia && s != QMediaPlayer::NoMedia)
            finish();
    });
    QObject::connect(player, &QMediaPlayer::errorOccurred, player, finish);
    QTimer::singleShot(5000, player, finish);
    player->setSource(QUrl::fromLocalFile(film));
}

} // namespace kv
