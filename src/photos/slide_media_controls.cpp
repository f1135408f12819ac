#include "photos/slide_media_controls.h"

#include "app/app_context.h"
#include "app/widgets/panel3d.h"
#include "photos/frm_slide.h"
#include "photos/slide_bar.h"
#include "platform/media_controls.h"

#include <QPointer>
#include <QTimer>

namespace kv {

namespace {

NowShowing nowShowing(const FrmSlide& w)
{
    NowShowing now;
    now.album = w.windowTitle();
    now.title = now.album;
    if (!w.pnlPhotoNumber->isHidden()) {
        const QString year = w.panYear->isHidden() ? QString() : w.choiceShown().caption().trimmed();
        now.title = (year.isEmpty() ? QStringLiteral("Slide ") : year + QStringLiteral(", slide "))
            + w.pnlPhotoNumber->text();
    }
    now.picture = w.slidePath();
    const SlideBar& bar = *w.mmSlide;
    now.playing = bar.isButtonEnabled(SlideBar::Pause);
    now.canPlay = !now.playing && bar.isButtonEnabled(SlideBar::Play);
    now.canPause = now.playing;
    now.canGoNext = bar.isButtonEnabled(SlideBar::Next);
    now.canGoPrevious = bar.isButtonEnabled(SlideBar::Prev);
    return now;
}

} // namespace

void publishSlideShow(AppContext& c, FrmSlide* w)
{
    IMediaControls* controls = c.mediaControls();
    if (!controls)
        return;
    QPointer<FrmSlide> window(w);
    controls->publish(w, [window](MediaCommand command) {
        if (!window)
            return;
        SlideBar& bar = *window->mmSlide;
        const bool playing = bar.isButtonEnabled(SlideBar::Pause);
        switch (command) {
        case MediaCommand::Play:
            if (!playing) // Play on the bar while playing moves on a slide; the desktop's does not
                bar.click(SlideBar::Play);
            break;
        case MediaCommand::Pause: bar.click(SlideBar::Pause); break;
        case MediaCommand::PlayPause: bar.click(playing ? SlideBar::Pause : SlideBar::Play); break;
        case MediaCommand::Next: bar.click(SlideBar::Next); break;
        case MediaCommand::Previous: bar.click(SlideBar::Prev); break;
        case MediaCommand::Stop: bar.click(SlideBar::Stop); break;
        }
    });
    // A step changes the picture, the numbers and the caption one after another; the desktop
    // hears once, when all are done.
    auto* pending = new QTimer(w);
    pending->setSingleShot(true);
    pending->setInterval(0);
    QObject::connect(pending, &QTimer::timeout, w, [controls, w] { controls->show(w, nowShowing(*w)); });
    QObject::connect(w, &FrmSlide::showingChanged, pending, qOverload<>(&QTimer::start));
    QObject::connect(w, &QDialog::finished, w, [controls, w] { controls->unpublish(w); });
    controls->show(w, nowShowing(*w));
}

} // namespace kv
