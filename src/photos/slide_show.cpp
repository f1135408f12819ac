#include "photos/slide_show.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/help.h"
#include "app/picture_read_ahead.h"
#include "app/form1.h"
#include "app/topic_buttons.h"
#include "app/topics.h"
#include "app/window_helpers.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "app/widgets/title_widgets.h"
#include "photos/frm_slide.h"
#include "photos/photo_cursor.h"
#include "photos/photo_list.h"
#include "photos/saver_buttons.h"
#include "photos/slide_bar.h"
#include "photos/slide_media_controls.h"
#include "platform/clipboard/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"
#include "platform/keep_awake.h"
#include "platform/screen.h"
#include "platform/twips.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <random>

namespace kv {

namespace {
// Not seeded from the clock: every run of the program shows the same random slides.
struct SlideRandom
{
    std::mt19937 generator;
    // A draw looked at ahead of its tick; the tick takes this one, so looking ahead never
    // changes the order.
    std::optional<std::uint32_t> drawn;
};

SlideRandom& slideRandom()
{
    static SlideRandom random;
    return random;
}

// r in [0, 1), from the generator's standard 32-bit output so every platform agrees.
double peekRandom()
{
    SlideRandom& r = slideRandom();
    if (!r.drawn)
        r.drawn = r.generator();
    return double(*r.drawn) / 4294967296.0;
}

double nextRandom()
{
    const double r = peekRandom();
    slideRandom().drawn.reset();
    return r;
}

int randomPosition(int count, double r)
{
    return int(count * r + 1);
}

FrmSlide* slideWindow(AppContext& c)
{
    return qobject_cast<FrmSlide*>(c.frmSlide.data());
}

void moveCursor(AppContext& c, int position)
{
    moveSlideCursor(c, position);
}
} // namespace

void SlideCaption(AppContext& c)
{
    if (FrmSlide* w = slideWindow(c))
        w->panYear->setText(slideCaptionFor(photoCode(c, c.state.PhotoList(c.state.PhotoCursor))));
}

void restartSlideRandom()
{
    slideRandom().generator.seed(std::mt19937::default_seed);
    slideRandom().drawn.reset();
}

std::int32_t nextSlideDelay(std::int32_t delay, bool up)
{
    switch (delay) {
    case 1000: return up ? 2000 : 60000;
    case 2000: return up ? 3000 : 1000;
    case 3000: return up ? 4000 : 2000;
    case 4000: return up ? 5000 : 3000;
    case 5000: return up ? 10000 : 4000;
    case 60000: return up ? 1000 : 55000;
    default: return up ? delay + 5000 : delay - 5000;
    }
}

int middlePosition(int count)
{
    int middle = count / 2;
    if (count % 2 != 0 && middle % 2 != 0)
        ++middle;
    // One photo has no half of its own; it is its own middle.
    return count > 0 ? std::max(middle, 1) : 0;
}

SlideClock slideClockAt(const QDateTime& when)
{
    const QLocale c = QLocale::c();
    return {c.toString(when.date(), QStringLiteral("dddd")), c.toString(when.date(), QStringLiteral("MM/dd/yy")),
            c.toString(when.time(), QStringLiteral("hh:mm:ss ap"))};
}

// ---- The window's own routines -------------------------------------------------------------

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
    const QSize fit = slideSize();
    // Waits only when the read of this very slide has not finished by its tick.
    DisplayPicture picture = m_ahead->take(real, fit);
    if (real.isEmpty())
        return false;
    // A failed read-ahead is tried again here, so a failure is reported as without one.
    if (picture.decoded.isNull())
        picture = loadDisplayPicture(real, fit, Image1->devicePixelRatioF());
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
        position = randomPosition(s.PhotoCount, peekRandom());
    m_ahead->start(m_context.files().resolve(s.PhotoList(position)), slideSize());
}

void FrmSlide::setPositionCaption(int position)
{
    pnlPhotoNumber->setText(QString::number(position) + QStringLiteral(" of ")
                            + QString::number(m_context.state.PhotoCount));
    emit showingChanged();
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

void FrmSlide::setDelayCaption()
{
    panInterval->setText(QString::number(m_context.state.SlideDelay / 1000) + QStringLiteral(" seconds"));
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
        moveCursor(m_context, 1);
    if (s.PhotoCursor <= s.PhotoCount) {
        s.ErrCode = QStringLiteral("ER016");
        if (optSeq[1]->isChecked())
            moveCursor(m_context, randomPosition(s.PhotoCount, nextRandom()));
        const bool shown = loadSlide(s.PhotoCursor);
        if (shown) {
            SlideCaption(m_context);
            setPositionCaption(s.PhotoCursor);
        }
        // A slide that cannot be read is passed over, so the show goes on.
        moveCursor(m_context, s.PhotoCursor + 1);
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
        moveCursor(m_context, 1);
    }
    panYear->show();
    readAhead();
}

void FrmSlide::Timer3_Timer()
{
    const SlideClock clock = slideClockAt(QDateTime::currentDateTime());
    StatusTime->setText(clock.time);
    StatusDate->setText(clock.date);
    StatusDay->setText(clock.day);
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
    moveCursor(m_context, s.PhotoCursor + 1);
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
    moveCursor(m_context, s.PhotoCursor == 1 ? s.PhotoCount : s.PhotoCursor - 1);
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
    moveCursor(m_context, position);
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
    panYear->setText(yearTopic(1).caption);
    panYear->show();
    moveCursor(m_context, 1);
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
    moveCursor(m_context, middlePosition(s.PhotoCount));
    setPositionCaption(s.PhotoCursor);
    pnlPhotoNumber->show();
    loadSlide(s.PhotoCursor);
    // From the caption table, so a topic's slide is not captioned as a year.
    SlideCaption(m_context);
    focusFirstButton();
}

void FrmSlide::SpinInterval_SpinUp()
{
    m_context.state.SlideDelay = nextSlideDelay(m_context.state.SlideDelay, true);
    setDelayCaption();
    focusFirstButton();
}

void FrmSlide::SpinInterval_SpinDown()
{
    m_context.state.SlideDelay = nextSlideDelay(m_context.state.SlideDelay, false);
    setDelayCaption();
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

void FrmSlide::mmSlide_StopClick()
{
    AppContext& c = m_context;
    AppState& s = c.state;
    Form1& f = *c.form1;
    s.SlideShowRunning = false;
    if (!hasChoice(c)) {
        EnableTopicButtons(c);
        return;
    }
    // The slide on show: while playing the cursor already points one past it.
    int position = s.PhotoCursor + (mmSlide->isButtonEnabled(SlideBar::Pause) ? 0 : 1);
    position = std::max(position, 2) - 1;

    s.ErrCode = QStringLiteral("ER017");
    if (!handBackFromSlideShow(c, position)) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    const QString caption = panYear->text();
    setSelection(c, caption);
    f.panYear->show();

    const Topic* topic = topicByCaption(caption);
    EnableTopicButtons(c, topic);
    f.cmdStats->setText(EnginesCaption);
    s.CurrentYearButton = 0;
    if (topic && topic->handBackDetails) {
        f.cmdStats->setText(topic->statsCaption);
        enableButtonSet(f, ButtonSet::HandBackOff, false);
    }
    if (topic && topic->isYear() && topic->yearButton < YearButtonCount) {
        f.focusYearButton(yearButtonAfter(topic->yearButton));
        s.CurrentYearButton = static_cast<std::int16_t>(topic->yearButton);
    } else {
        // 1957, every topic, and the Renlow photos, which name no year and are stepped
        // through as a topic of their own.
        f.focusYearButton(1);
    }
    if (topic && !topic->isYear())
        s.TopicCode = topic->code;
}

// ---- Opening -------------------------------------------------------------------------------

namespace {
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
            w->Image1->setImage(titlePicture(w->Image1->size()));
        w->panYear->show();
        w->setPositionCaption(s.PhotoCursor);
        w->pnlPhotoNumber->show();
    }
    if (!w->Image1->hasImage())
        w->Image1->setImage(titlePicture(w->Image1->size()));
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
