#include "media/movie_media_controls.h"

#include "app/app_context.h"
#include "media/frm_movie.h"
#include "platform/media_controls.h"
#include "platform/media_device.h"

#include <QPointer>
#include <QRadioButton>
#include <QTimer>

namespace kv {

namespace {

NowShowing nowShowing(const FrmMovie& w)
{
    NowShowing now;
    now.album = w.windowTitle();
    const IMediaDevice* device = w.device();
    const bool open = device && !w.MMControl1->isHidden();
    now.title = now.album;
    for (std::size_t i = 0; open && i < w.optMovie.size(); ++i) {
        if (w.optMovie[i]->isChecked())
            now.title = movieTable()[i].caption;
    }
    now.playing = open && device->isPlaying();
    now.stopped = !open || device->isStopped();
    now.lengthMs = open ? device->duration() : 0;
    now.positionMs = open ? device->position() : 0;
    now.canPlay = open && !now.playing;
    now.canPause = now.playing;
    now.canGoNext = now.canGoPrevious = open;
    return now;
}

} // namespace

void publishMovieWindow(AppContext& c, FrmMovie* w)
{
    IMediaControls* controls = c.mediaControls();
    if (!controls)
        return;
    QPointer<FrmMovie> window(w);
    controls->publish(w, [window](MediaCommand command) {
        if (!window || !window->device() || window->MMControl1->isHidden())
            return; // no film open
        MovieBar& bar = *window->MMControl1;
        const bool playing = window->device()->isPlaying();
        switch (command) {
        case MediaCommand::Play:
            if (!playing)
                bar.click(MovieBar::Play);
            break;
        case MediaCommand::Pause:
            if (playing)
                bar.click(MovieBar::Pause);
            break;
        case MediaCommand::PlayPause: bar.click(playing ? MovieBar::Pause : MovieBar::Play); break;
        case MediaCommand::Next: bar.click(MovieBar::Next); break;
        case MediaCommand::Previous: bar.click(MovieBar::Prev); break;
        case MediaCommand::Stop: bar.click(MovieBar::Stop); break;
        }
    });
    // The desktop's volume is the films' own.
    if (IMediaDevice* device = w->device())
        controls->controlVolume(w, device->volume(), [window](double volume) {
            if (window && window->device())
                window->device()->setVolume(volume);
        });
    auto tell = [controls, window] {
        if (window)
            controls->show(window, nowShowing(*window));
    };
    // Playback starts and ends on its own; a look each second catches it, the bar's buttons
    // and another film are told at once.
    auto* watch = new QTimer(w);
    watch->start(1000);
    QObject::connect(watch, &QTimer::timeout, w, tell);
    QObject::connect(w->MMControl1, &MovieBar::clicked, w, [w, tell] { QTimer::singleShot(0, w, tell); });
    for (QRadioButton* option : w->optMovie)
        QObject::connect(option, &QRadioButton::toggled, w, [w, tell] { QTimer::singleShot(0, w, tell); });
    QObject::connect(w, &QDialog::finished, w, [controls, w] { controls->unpublish(w); });
    tell();
}

} // namespace kv
