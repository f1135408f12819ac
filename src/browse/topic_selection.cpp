#include "browse/topic_selection.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "browse/artwork_hooks.h"
#include "photos/photo_list.h"
#include "photos/photo_stepping.h"
#include "photos/saver_buttons.h"
#include "platform/busy_pointer.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include <array>

namespace kv {

namespace {
const QString NoChoice = QStringLiteral("panYear");
const QString Matchbook = QStringLiteral("Kel-Vardo Matchbook Covers ");
const QString Danbury = QStringLiteral("Danbury Mint Die Cast Models ");
const QString Franklin = QStringLiteral("Franklin Mint Die Cast Models ");
const QString Signs = QStringLiteral("Kel-Vardo Metal Signs ");
const QString Stamps = QStringLiteral("Kel-Vardo Postage Stamps ");

struct Topic
{
    int menuIndex;
    QString caption;
    QString code;
};

const std::array<Topic, 5>& collectibles()
{
    static const std::array<Topic, 5> topics = {{
        {0, Matchbook, QStringLiteral("MA")},
        {1, Danbury, QStringLiteral("TD")},
        {3, Franklin, QStringLiteral("TF")},
        {5, Signs, QStringLiteral("VM")},
        {7, Stamps, QStringLiteral("ZZ")},
    }};
    return topics;
}

void artworkAndExtras(Form1& f, bool enabled)
{
    for (QPushButton* b : {f.cmdOptions, f.cmdColors, f.cmdScript, f.cmdEmblem, f.cmdAd, f.cmdModels,
                           f.cmdNostalgia, f.cmdClipArt, f.cmdBrochure})
        b->setEnabled(enabled);
}

// What every way of choosing finishes with.
void resetStepping(AppContext& c)
{
    AppState& s = c.state;
    s.PhotoCursor = 0;
    c.form1->panPhoto->setText(QStringLiteral("1"));
    s.LastStepNext = false;
    s.LastStepPrevious = false;
    c.busy().normal();
}

void chooseYear(AppContext& c, int index)
{
    Form1& f = *c.form1;
    c.state.TopicChosen = true;
    c.busy().busy();
    f.rtbDetails->hide();
    f.Image4->clear();
    f.panYear->setText(QStringLiteral("19") + QString::number(index + 54));
    SelectTopic(c);
    f.focusYearButton(index == 3 ? 1 : index + 1);
    resetStepping(c);
    c.state.CurrentYearButton = static_cast<std::int16_t>(index);
}

void closeWindow(QWidget* w)
{
    if (w)
        w->close();
}
} // namespace

QString topicCodeForCaption(const QString& caption)
{
    for (const Topic& t : collectibles()) {
        if (t.caption == caption)
            return t.code;
    }
    return caption.mid(2, 2);
}

bool isYearCaption(const QString& caption)
{
    return caption == QLatin1String("1955") || caption == QLatin1String("1956")
        || caption == QLatin1String("1957");
}

void SelectTopic(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    f.mnuNames->setEnabled(true);
    f.rtbDetails->hide();
    s.SkipFirstMatch = true;
    const QString caption = f.panYear->text();
    s.TopicCode = caption.mid(2, 2);
    EnableTopicButtons(c);
    if (!isYearCaption(caption)) {
        s.TopicCode = topicCodeForCaption(caption);
        if (caption == Matchbook || caption == Danbury || caption == Stamps)
            f.cmdStats->setText(QStringLiteral("Details"));
    }
    s.PhotoNamePos = static_cast<std::int16_t>(s.PhotoList(1).indexOf(PhotoFolder) + 1);

    bool matched = false;
    for (s.PhotoCursor = 1; s.PhotoCursor <= s.PhotoCount; ++s.PhotoCursor) {
        const QString entry = s.PhotoList(s.PhotoCursor);
        if (photoCode(c, entry) == s.TopicCode) {
            s.CurrentPhoto = entry;
            if (s.ShowFileNames)
                f.txtFile->setText(photoFileName(c, entry).left(12));
            matched = true;
            break;
        }
    }
    if (!matched) {
        s.ErrCode = QStringLiteral("ER023");
        ErrorReporter(c, Failure::Detected);
        f.Image4->hide();
    } else {
        const QString real = c.files().resolve(s.CurrentPhoto);
        const QImage image = real.isEmpty() ? QImage() : loadImage(real, f.Image4->size() * f.devicePixelRatioF());
        if (image.isNull()) {
            s.ErrCode = QStringLiteral("ER023");
            ErrorReporter(c, Failure::Caught);
            f.Image4->hide();
        } else {
            f.Image4->setImage(image);
            f.Image4->show();
        }
    }
    s.PhotoIndex = s.PhotoCursor;
    RefreshSaverButtons(c);
}

void EnableTopicButtons(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    s.SlideShowRunning = false;
    f.setEnabled(true);
    f.cmdDesc->setEnabled(true);
    const QString caption = f.panYear->text();
    if (caption != NoChoice) {
        f.SpinButton1->show();
        f.panPhoto->show();
        f.panYear->show();
        f.cmdStats->setEnabled(true);
        artworkAndExtras(f, true);
        if (caption == Matchbook) {
            f.cmdDesc->setEnabled(false);
            f.cmdStats->setEnabled(false);
            artworkAndExtras(f, false);
        } else if (caption == Danbury || caption == Franklin || caption == Signs) {
            artworkAndExtras(f, false);
        } else if (caption == Stamps) {
            f.cmdStats->setEnabled(false);
            artworkAndExtras(f, false);
        }
        s.TopicCode = caption.mid(2, 2);
        if (isYearCaption(caption)) {
            ReloadVisibleArtwork(c);
        } else {
            f.picClipArt->hide();
            f.picEmblem->hide();
            f.picScript->hide();
        }
        for (s.LoopIndex = 1; s.LoopIndex <= 3; ++s.LoopIndex)
            f.cmdYR[s.LoopIndex]->setEnabled(true);
    }
    closeWindow(c.frmSlide);
    closeWindow(c.txtForm);
}

void SelectStuffTopic(AppContext& c)
{
    Form1& f = *c.form1;
    c.state.TopicChosen = true;
    c.busy().busy();
    f.Image4->clear();
    SelectTopic(c);
    resetStepping(c);
    f.cmdStats->setText(QStringLiteral("Details"));
    for (QPushButton* b : {f.cmdOptions, f.cmdColors, f.cmdScript, f.cmdEmblem, f.cmdAd, f.cmdModels,
                           f.cmdNostalgia, f.cmdBrochure})
        b->setEnabled(false);
    f.rtbDetails->hide();
    c.state.CurrentYearButton = 0;
    f.cmdYR[1]->setEnabled(true);
    f.focusYearButton(1);
}

QString slideCaptionFor(const QString& code)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("CW"), QStringLiteral("The Renlow Kel-Vardo ")},
        {QStringLiteral("VC"), QStringLiteral("Kel-Vardo Cookies ")},
        {QStringLiteral("ZZ"), Stamps},
        {QStringLiteral("PT"), QStringLiteral("Early Kel-Vardo Prototypes ")},
        {QStringLiteral("MA"), Matchbook},
        {QStringLiteral("TD"), Danbury},
        {QStringLiteral("TE"), QStringLiteral("Franklin Mint Collector Knives ")},
        {QStringLiteral("TF"), Franklin},
        {QStringLiteral("VM"), Signs},
    };
    return captions.value(code, QStringLiteral("19") + code + QLatin1Char(' '));
}

void cmdYR_Click(AppContext& c, int index)
{
    if (index < 1 || index > 3)
        return;
    chooseYear(c, index);
}

void cmdYR_KeyDown(AppContext& c, int index, int key)
{
    if (key == Qt::Key_Comma) {
        PreviousPhoto(c);
    } else if (key == Qt::Key_Period) {
        NextPhoto(c);
    } else if (key == Qt::Key_Space && !c.state.TopicChosen) {
        // The pressed button's own year: the one the user is looking at.
        chooseYear(c, index >= 1 && index <= 3 ? index : 1);
    }
}

void Form1_Click(AppContext& c)
{
    AppState& s = c.state;
    if (!s.AwaitingFirstClick)
        return;
    Form1& f = *c.form1;
    s.AwaitingFirstClick = false;
    c.busy().busy();
    f.Image4->clear();
    s.NextYearButton = 1;
    f.cmdYR[2]->setEnabled(true);
    f.focusYearButton(2);
    f.panYear->setText(QStringLiteral("1955"));
    SelectTopic(c);
    f.cmdYR[1]->setEnabled(false);
    f.focusYearButton(2);
    resetStepping(c);
    s.CurrentYearButton = s.NextYearButton;
}

void mnuStuff_Click(AppContext& c, int index)
{
    for (const Topic& t : collectibles()) {
        if (t.menuIndex != index)
            continue;
        c.busy().busy();
        c.form1->Image4->clear();
        c.form1->panYear->setText(t.caption);
        SelectStuffTopic(c);
        return;
    }
}

void Form1_LostFocus(AppContext& c)
{
    if (!c.state.SlideShowRunning)
        return;
    if (c.form1->panYear->text() != NoChoice)
        c.form1->Image4->show();
    EnableTopicButtons(c);
}

void Image4_MouseDown(AppContext& c, bool rightButton)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    if (rightButton) {
        c.files().makeDir(joinPath(c.files().dataDir(), QStringLiteral("/ssKel-Vardos/")));
        OpenPhotoWindow(c);
        return;
    }
    c.busy().busy();
    f.rtbDetails->hide();
    s.TopicChosen = true;
    const QString caption = f.panYear->text();
    int newButton = 0;
    auto select = [&](const QString& next, bool stuff, int button) {
        f.panYear->setText(next);
        if (stuff)
            SelectStuffTopic(c);
        else
            SelectTopic(c);
        newButton = button;
    };
    if (caption == QLatin1String("1957")) {
        select(Matchbook, false, 3);
    } else if (caption == Matchbook) {
        select(Danbury, false, 3);
    } else if (caption == Danbury) {
        select(Franklin, true, 3);
    } else if (caption == Franklin) {
        select(Signs, true, 3);
    } else if (caption == Signs) {
        select(Stamps, false, 1);
    } else if (caption == Stamps) {
        select(QStringLiteral("1955"), false, 1);
        f.cmdStats->setText(QStringLiteral("Statistics"));
    } else {
        const int n = s.CurrentYearButton == 3 ? 0 : s.CurrentYearButton;
        select(QStringLiteral("19") + QString::number(55 + n), false, n + 1);
        f.cmdStats->setText(QStringLiteral("Statistics"));
    }
    s.CurrentYearButton = static_cast<std::int16_t>(newButton);
    f.focusYearButton(newButton == 3 ? 1 : newButton + 1);
    resetStepping(c);
}

} // namespace kv

namespace kv {

void SlideCaption(AppContext& c)
{
    if (!c.frmSlide)
        return;
    const QString code = photoCode(c, c.state.PhotoList(c.state.PhotoCursor));
    if (auto* caption = c.frmSlide->findChild<QLabel*>(QStringLiteral("panYear")))
        caption->setText(slideCaptionFor(code));
}

} // namespace kv
