#include "photos/slide_show.h"

#include "app/app_context.h"
#include "app/help.h"
#include "app/form1.h"
#include "app/topics.h"
#include "app/window_helpers.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "app/widgets/title_widgets.h"
#include "photos/frm_slide.h"
#include "photos/photo_cursor.h"
#include "photos/slide_bar.h"
#include "photos/slide_media_controls.h"
#include "platform/keep_awake.h"
#include "platform/screen.h"
#include "platform/twips.h"

#include <QTimer>

namespace kv {

namespace {
FrmSlide* slideWindow(AppContext& c)
{
    return qobject_cast<FrmSlide*>(c.frmSlide.data());
}

FrmSlide* prepareSlideShow(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    closePhotoWindow(c);
    if (FrmSlide* old = slideWindow(c))
        delete old;

    auto* w = new FrmSlide(c, &f);
    c.frmSlide = w;
    w->StartUp();
    QObject::connect(w, &QDialog::finished, w, [&c, w] {
        CloseHelp(c);
        w->Timer1->stop();
        w->Timer3->stop();
        c.awake().release();
        if (c.frmSlide == w)
            c.frmSlide = nullptr;
        c.state.SlideShowRunning = true;
        w->deleteLater();
    });

    w->SpinInterval->setEnabled(true);
    s.SlideDelay = 1000;
    w->panInterval->setText(QStringLiteral(" 1 second"));
    w->Timer1->stop();

    w->setGeometry(f.geometry());
    w->raise();

    // The list may have been rebuilt under another folder since the last choice.
    s.PhotoNamePos = static_cast<std::int16_t>(s.PhotoList(1).indexOf(PhotoFolder) + 1);
    if (s.PhotoIndex < 1 || s.PhotoIndex > s.PhotoCount) {
        moveSlideCursor(c, 1);
    } else {
        moveSlideCursor(c, s.PhotoIndex);
        if (!w->loadSlide(s.PhotoCursor))
            w->Image1->setPainted(titlePicture);
        w->panYear->show();
        w->setPositionCaption(s.PhotoCursor);
        w->pnlPhotoNumber->show();
    }
    if (!w->Image1->hasImage())
        w->Image1->setPainted(titlePicture);
    SlideCaption(c);
    moveSlideCursor(c, s.PhotoIndex);
    bool numeric = false;
    s.TopicCode.toInt(&numeric);
    if (!numeric)
        s.TopicCode = yearTopic(1).code;

    const QSize screen = c.screen().sizePixels();
    if (screen == QSize(640, 480))
        w->applySmallScreenLayout(pixelsToTwips(screen.width()));

    w->mmSlide->setButtonEnabled(SlideBar::Pause, false);
    w->Timer3_Timer();
    w->Timer3->start();
    publishSlideShow(c, w);
    return w;
}
} // namespace

void SlideCaption(AppContext& c)
{
    if (FrmSlide* w = slideWindow(c))
        w->showChoice(TopicChoice::ofPhotoCode(photoCode(c, c.state.PhotoList(c.state.PhotoCursor))));
}

FrmSlide* OpenSlideShow(AppContext& c)
{
    FrmSlide* w = prepareSlideShow(c);
    w->show();
    return w;
}

void StartSlideShow(AppContext& c)
{
    prepareSlideShow(c)->exec();
}

void ssCmdSlide_Click(AppContext& c)
{
    StartSlideShow(c);
}

} // namespace kv
