#include "photos/frm_slide.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/help.h"
#include "app/picture_read_ahead.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "photos/photo_cursor.h"
#include "photos/saver_buttons.h"
#include "photos/slide_bar.h"
#include "photos/slide_order.h"
#include "photos/slide_show.h"
#include "platform/clipboard/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"
#include "platform/keep_awake.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace kv {

QSize FrmSlide::slideSize() const
{
    return Image1->displayBox();
}

bool FrmSlide::loadSlide(int position)
{
    AppState& s = m_context.state;
    if (position < 1 || position > s.PhotoCount) {
        discardReadAhead();
        return false;
    }
    const QString real = m_context.files().resolve(s.PhotoList(position));
    if (real.isEmpty()) {
        discardReadAhead();
        return false;
    }
    // Waits only when the read of this very slide has not finished by its tick.
    const DisplayPicture picture = m_ahead->picture(real, slideSize());
    if (picture.decoded.isNull())
        return false;
    Image1->setImage(picture.decoded, picture.display);
    m_slidePath = real;
    emit showingChanged();
    return true;
}

void FrmSlide::discardReadAhead()
{
    m_ahead->discard();
}

void FrmSlide::readAhead()
{
    // Decoding a large photo takes tens of milliseconds: on the tick, it would make the slide late.
    discardReadAhead();
    const AppState& s = m_context.state;
    if (!Timer1->isActive())
        return;
    int position = s.PhotoCursor == 0 ? 1 : s.PhotoCursor;
    if (position < 1 || position > s.PhotoCount)
        return; // the next tick shows no photo
    if (optSeq[1]->isChecked())
        position = randomSlidePosition(s.PhotoCount, peekSlideRandom());
    m_ahead->start(m_context.files().resolve(s.PhotoList(position)), slideSize());
}

void FrmSlide::setPositionCaption(int position)
{
    pnlPhotoNumber->setText(QString::number(position) + QStringLiteral(" of ")
                            + QString::number(m_context.state.PhotoCount));
    emit showingChanged();
}

void FrmSlide::showChoice(const TopicChoice& choice)
{
    m_choice = choice;
    panYear->setText(choice.caption());
}

QImage FrmSlide::slidePicture() const
{
    if (!m_slidePath.isEmpty()) {
        const QImage full = loadImage(m_slidePath);
        if (!full.isNull())
            return full;
    }
    return Image1->image();
}

void FrmSlide::StartUp()
{
    // What loading the window does: the saver buttons and the help, without moving the focus.
    SlideKeepFocus = true;
    RefreshSaverButtons(m_context);
    PrepareHelp(m_context, this);
    SlideKeepFocus = false;
}

void FrmSlide::Timer1_Timer()
{
    AppState& s = m_context.state;
    if (Timer1->interval() == 0)
        return;
    if (s.PhotoCursor == 0)
        moveSlideCursor(m_context, 1);
    if (s.PhotoCursor <= s.PhotoCount) {
        s.ErrCode = QStringLiteral("ER016");
        if (optSeq[1]->isChecked())
            moveSlideCursor(m_context, randomSlidePosition(s.PhotoCount, nextSlideRandom()));
        const bool shown = loadSlide(s.PhotoCursor);
        if (shown) {
            SlideCaption(m_context);
            setPositionCaption(s.PhotoCursor);
        }
        // A slide that cannot be read is passed over, so the show goes on.
        moveSlideCursor(m_context, s.PhotoCursor + 1);
        if (!shown) {
            // No second report piles up while the first is on screen.
            const bool playing = Timer1->isActive();
            Timer1->stop();
            ErrorReporter(m_context, Failure::Caught);
            if (playing && mmSlide->isButtonEnabled(SlideBar::Pause))
                Timer1->start(s.SlideDelay);
        }
    } else {
        // Photo 1 follows on the next tick: the last photo stays for two intervals.
        moveSlideCursor(m_context, 1);
    }
    panYear->show();
    readAhead();
}

void FrmSlide::mmSlide_Click(int button)
{
    switch (button) {
    case SlideBar::Prev: mmSlide_PrevClick(); break;
    case SlideBar::Next: mmSlide_NextClick(); break;
    case SlideBar::Play: mmSlide_PlayClick(); break;
    case SlideBar::Pause: mmSlide_PauseClick(); break;
    case SlideBar::Back: mmSlide_BackClick(); break;
    case SlideBar::Step: mmSlide_StepClick(); break;
    case SlideBar::Stop: mmSlide_StopClick(); break;
    default: break;
    }
}

void FrmSlide::mmSlide_PlayClick()
{
    AppState& s = m_context.state;
    SpinInterval->setEnabled(false);
    SlideKeepFocus = true;
    moveSlideCursor(m_context, s.PhotoCursor + 1);
    mmSlide->setButtonEnabled(SlideBar::Pause, true);
    for (auto b : {SlideBar::Prev, SlideBar::Next, SlideBar::Back, SlideBar::Step})
        mmSlide->setButtonEnabled(b, false);
    SSCommand1->setEnabled(false);
    SSCommand2->setEnabled(false);
    s.SlideShowRunning = true;
    Timer1->start(s.SlideDelay);
    m_context.awake().hold(QStringLiteral("Slide show"));
    pnlPhotoNumber->show();
    readAhead();
    emit showingChanged();
}

void FrmSlide::mmSlide_PauseClick()
{
    AppState& s = m_context.state;
    SpinInterval->setEnabled(true);
    s.SlideShowRunning = false;
    Timer1->stop();
    m_context.awake().release();
    discardReadAhead();
    mmSlide->setButtonEnabled(SlideBar::Pause, false);
    for (auto b : {SlideBar::Prev, SlideBar::Next, SlideBar::Back, SlideBar::Step})
        mmSlide->setButtonEnabled(b, true);
    SSCommand1->setEnabled(true);
    SSCommand2->setEnabled(true);
    moveSlideCursor(m_context, s.PhotoCursor == 1 ? s.PhotoCount : s.PhotoCursor - 1);
    focusFirstButton();
    emit showingChanged();
}

void FrmSlide::manualStep(int position, const QString& errCode, bool showNumber, bool captionOnFailure)
{
    AppState& s = m_context.state;
    s.SlideShowRunning = false;
    if (s.PhotoCount < 1) {
        // Nothing to step through.
        focusFirstButton();
        return;
    }
    s.ErrCode = errCode;
    moveSlideCursor(m_context, position);
    if (!loadSlide(s.PhotoCursor)) {
        ErrorReporter(m_context, Failure::Caught);
        if (captionOnFailure)
            setPositionCaption(s.PhotoCursor);
        focusFirstButton();
        return;
    }
    SlideCaption(m_context);
    panYear->show();
    setPositionCaption(s.PhotoCursor);
    if (showNumber)
        pnlPhotoNumber->show();
    focusFirstButton();
}

void FrmSlide::mmSlide_NextClick()
{
    const AppState& s = m_context.state;
    const int position = s.PhotoCursor + 1 > s.PhotoCount ? 1 : s.PhotoCursor + 1;
    manualStep(position, QStringLiteral("ER014"), true, false);
}

void FrmSlide::mmSlide_PrevClick()
{
    const AppState& s = m_context.state;
    const int position = s.PhotoCursor - 1 < 1 ? s.PhotoCount : s.PhotoCursor - 1;
    manualStep(position, QStringLiteral("ER015"), true, true);
}

void FrmSlide::mmSlide_BackClick()
{
    const AppState& s = m_context.state;
    const int position = s.PhotoCursor - 10 < 1 ? s.PhotoCount : s.PhotoCursor - 10;
    manualStep(position, QStringLiteral("ER013"), true, false);
}

void FrmSlide::mmSlide_StepClick()
{
    const AppState& s = m_context.state;
    // A forward jump never lands on the last photo.
    const int position = s.PhotoCursor + 10 >= s.PhotoCount ? 1 : s.PhotoCursor + 10;
    manualStep(position, QStringLiteral("ER018"), false, true);
}

void FrmSlide::SSCommand1_KeyDown(int key)
{
    if (key == Qt::Key_Period)
        mmSlide_NextClick();
    else if (key == Qt::Key_Comma)
        mmSlide_PrevClick();
}

void FrmSlide::SSCommand1_Click()
{
    AppState& s = m_context.state;
    if (s.PhotoCount < 1)
        return;
    setPositionCaption(1);
    pnlPhotoNumber->show();
    Image1->show();
    showChoice(TopicChoice(yearTopic(1)));
    panYear->show();
    moveSlideCursor(m_context, 1);
    loadSlide(1);
}

void FrmSlide::SSCommand2_Click()
{
    AppState& s = m_context.state;
    Image1->show();
    panYear->show();
    if (s.PhotoCount < 1) {
        focusFirstButton();
        return;
    }
    moveSlideCursor(m_context, middlePosition(s.PhotoCount));
    setPositionCaption(s.PhotoCursor);
    pnlPhotoNumber->show();
    loadSlide(s.PhotoCursor);
    // From the caption table, so a topic's slide is not captioned as a year.
    SlideCaption(m_context);
    focusFirstButton();
}

void FrmSlide::Image1_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton) {
        if (!SlideKeepFocus)
            focusFirstButton();
        return;
    }
    const int answer = m_context.dialogs().messageBox(
        QStringLiteral("Would you like to copy this image to the Windows Clipboard?"), Buttons::YesNo,
        Icon::Question);
    if (answer != Yes)
        return;
    m_context.clipboard().clear();
    m_context.clipboard().setImage(slidePicture());
}

} // namespace kv
