#include "media/sound_panels.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "app/window_helpers.h"
#include "platform/file_system.h"
#include "platform/media_device.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace kv {

namespace {
const char* const PanelStyle = R"(
QFrame#pnlSound, QFrame#ssPnlSongs { background: #1b2631; border: 2px outset #4a5d70; border-radius: 4px; }
QLabel { color: #f4ead2; background: transparent; }
QLabel#Label10, QLabel#Label11 { color: #f0c75e; font-size: 13pt; font-weight: 700; }
)";

QLabel* makeTitle(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}



// Left of a panel over the photo: centred between the window's left edge and the right end of Exit.
int panelLeft(const Form1& f, int width)
{
    const QRect exit = f.cmdExit->geometry().translated(f.Frame1->pos());
    return qMax(0, (exit.right() + 1 - width) / 2);
}

IMediaDevice* soundDevice(AppContext& c)
{
    return c.form1 ? c.form1->MMControl1.get() : nullptr;
}
} // namespace

const std::array<SoundEntry, 29>& soundTable()
{
    static const std::array<SoundEntry, 29> table = {{
        {QStringLiteral("Backfiring"), QStringLiteral("backfrng.wav")},
        {QStringLiteral("Car Door"), QStringLiteral("car_door.wav")},
        {QStringLiteral("Car Horns"), QStringLiteral("carhorns.wav")},
        {QStringLiteral("Traffic"), QStringLiteral("horns.wav")},
        {QStringLiteral("Police Car"), QStringLiteral("cop-car.wav")},
        {QStringLiteral("Taxi Horns"), QStringLiteral("taxi.wav")},
        {QStringLiteral("Sport Car"), QStringLiteral("sportcar.wav")},
        {QStringLiteral("18 Wheeler"), QStringLiteral("18wheelr.wav")},
        {QStringLiteral("Race Car Takeoff"), QStringLiteral("peel-out.wav")},
        {QStringLiteral("At the Track"), QStringLiteral("Track2.wav")},
        {QStringLiteral("Race Car Passby"), QStringLiteral("nascar.wav")},
        {QStringLiteral("Race Car 1"), QStringLiteral("racecar.wav")},
        {QStringLiteral("Race Car 2"), QStringLiteral("indy-car.wav")},
        {QStringLiteral("Motorcycle"), QStringLiteral("mcycle.wav")},
        {QStringLiteral("Batmobile"), QStringLiteral("batmoble.wav")},
        {QStringLiteral("Pallaro"), QStringLiteral("62dravo.wav")},
        {QStringLiteral("Vestra"), QStringLiteral("63dravo.wav")},
        {QStringLiteral("Cars Starting"), QStringLiteral("dravstart.wav")},
        {QStringLiteral("Passby"), QStringLiteral("passby.wav")},
        {QStringLiteral("Dravane C5"), QStringLiteral("dravane.wav")},
        {QStringLiteral("ZR-1 Starting"), QStringLiteral("zr1start.wav")},
        {QStringLiteral("Motorcycle 2"), QStringLiteral("motorcyc2.wav")},
        {QStringLiteral("Hot Rod"), QStringLiteral("hot_rod.wav")},
        {QStringLiteral("Red Light"), QStringLiteral("red_lght.wav")},
        {QStringLiteral("Pallaro Mach I"), QStringLiteral("porche.wav")},
        {QStringLiteral("Ford Cobra"), QStringLiteral("stealth.wav")},
        {QStringLiteral("Stuck on Ice"), QStringLiteral("stuck.wav")},
        {QStringLiteral("Rev n' Run"), QStringLiteral("revnrun.wav")},
        {QStringLiteral("Going By"), QStringLiteral("goingby.wav")},
    }};
    return table;
}

void PlaySound(AppContext& c, const QString& file)
{
    AppState& s = c.state;
    s.ErrCode = QStringLiteral("ER038");
    s.SoundPath = joinPath(s.CdDrive, SoundFolder, file);
    const QString found = c.files().resolve(s.SoundPath);
    if (found.isEmpty()) {
        ErrorReporter(c, Failure::Detected);
        return;
    }
    IMediaDevice* device = soundDevice(c);
    bool ok = device != nullptr;
    if (ok) {
        device->command(QStringLiteral("close"));
        device->setDeviceType(QStringLiteral("WaveAudio"));
        device->setFileName(found);
        ok = device->command(QStringLiteral("open")) && device->command(QStringLiteral("play"));
    }
    if (!ok) {
        if (device)
            device->command(QStringLiteral("close"));
        ErrorReporter(c, Failure::Caught);
    }
}

void StopSound(AppContext& c)
{
    if (IMediaDevice* device = soundDevice(c))
        device->command(QStringLiteral("close"));
}

SoundEffectsPanel::SoundEffectsPanel(AppContext& context, QWidget* parent)
    : QFrame(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("pnlSound"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setStyleSheet(QString::fromLatin1(PanelStyle));
    resize(twipsToPixels(7935), twipsToPixels(5895));

    Label10 = makeTitle(this, "Label10", QStringLiteral("Automobile Sound Effects"));
    Label10->setGeometry(0, 8, width(), 26);

    // Three columns: 0 to 12, 13 to 20, 21 to 28, each from the top down in 360-twip steps.
    const QIcon play = style()->standardIcon(QStyle::SP_MediaPlay);
    for (int i = 0; i < 29; ++i) {
        const int column = i <= 12 ? 0 : i <= 20 ? 1 : 2;
        const int row = column == 0 ? i : column == 1 ? i - 13 : i - 21;
        const int left = std::array{360, 3240, 5520}[column];
        const int top = 600 + row * 360;
        const QString& caption = soundTable()[i].label;
        auto* b = makeButton(this, QStringLiteral("SSCommand2_%1").arg(i), QString(), twipRect(left, top, 255, 255));
        b->setIcon(play);
        b->setIconSize(QSize(11, 11));
        b->setAccessibleName(caption);
        b->setToolTip(caption);
        b->setStyleSheet(QStringLiteral("padding: 0px;"));
        connect(b, &QPushButton::clicked, this, [this, i] { SSCommand2_Click(i); });
        SSCommand2[i] = b;

        auto* l = new QLabel(caption, this);
        l->setObjectName(QStringLiteral("lblSound_%1").arg(i));
        const QRect g = b->geometry();
        const int right = column == 2 ? width() - 8 : twipsToPixels(std::array{3240, 5520}[column]) - 4;
        l->setGeometry(g.right() + 7, g.top() - 3, right - g.right() - 7, g.height() + 6);
        l->setBuddy(b);
        lblSound[i] = l;
    }

    Picture5 = new PictureView(this);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    Picture5->setGeometry(222, 244, 296, 96);
    Picture5->setPainted([](const QSize& box) { return speakerPicture(box); });

    SSCommand3 = makeButton(this, QStringLiteral("SSCommand3"), QStringLiteral("Stop"), QRect(width() - 232, height() - 44, 106, 32));
    SSCommand1 = makeButton(this, QStringLiteral("SSCommand1"), QStringLiteral("Close"), QRect(width() - 118, height() - 44, 106, 32));
    connect(SSCommand3, &QPushButton::clicked, this, &SoundEffectsPanel::SSCommand3_Click);
    connect(SSCommand1, &QPushButton::clicked, this, &SoundEffectsPanel::SSCommand1_Click);
    hide();
}

void SoundEffectsPanel::SSCommand2_Click(int index)
{
    if (index >= 0 && index < int(soundTable().size()))
        PlaySound(m_context, soundTable()[index].file);
}

void SoundEffectsPanel::SSCommand3_Click()
{
    StopSound(m_context);
}

void SoundEffectsPanel::SSCommand1_Click()
{
    if (m_context.form1)
        m_context.form1->setEnabled(true);
    hide();
}

SongsPanel::SongsPanel(AppContext& context, QWidget* parent)
    : QFrame(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("ssPnlSongs"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setStyleSheet(QString::fromLatin1(PanelStyle));
    resize(twipsToPixels(4935), twipsToPixels(4335));

    Label11 = makeTitle(this, "Label11", QStringLiteral("See the U.S.A."));
    Label11->setGeometry(0, 8, width(), 26);
    Picture1 = new PictureView(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(16, 40, width() - 32, height() - 100);
    Picture1->setPainted([](const QSize& box) { return roadPicture(box); });

    const int y = height() - 48;
    ssSongs[0] = makeButton(this, QStringLiteral("ssSongs_0"), QStringLiteral("Play Song"), QRect(16, y, 120, 32));
    SSCommand10 = makeButton(this, QStringLiteral("SSCommand10"), QStringLiteral("Stop"), QRect(144, y, 80, 32));
    SSCommand9 = makeButton(this, QStringLiteral("SSCommand9"), QStringLiteral("Close"), QRect(width() - 96, y, 80, 32));
    connect(ssSongs[0], &QPushButton::clicked, this, [this] { ssSongs_Click(0); });
    connect(SSCommand10, &QPushButton::clicked, this, &SongsPanel::SSCommand10_Click);
    connect(SSCommand9, &QPushButton::clicked, this, &SongsPanel::SSCommand9_Click);
    hide();
}

void SongsPanel::ssSongs_Click(int)
{
    PlaySound(m_context, SongFile);
}

void SongsPanel::SSCommand10_Click()
{
    StopSound(m_context);
}

void SongsPanel::SSCommand9_Click()
{
    if (m_context.form1)
        m_context.form1->setEnabled(true);
    hide();
}

SoundEffectsPanel* soundPanel(AppContext& c)
{
    return c.form1 ? qobject_cast<SoundEffectsPanel*>(c.form1->pnlSound) : nullptr;
}

SongsPanel* songsPanel(AppContext& c)
{
    return c.form1 ? qobject_cast<SongsPanel*>(c.form1->ssPnlSongs) : nullptr;
}

void mnuSound_Click(AppContext& c)
{
    SoundEffectsPanel* panel = soundPanel(c);
    if (!panel)
        return;
    closePhotoWindow(c);
    const Form1& f = *c.form1;
    panel->move(panelLeft(f, panel->width()), f.Image4->y());
    panel->raise();
    panel->show();
    panel->SSCommand1->setFocus(Qt::OtherFocusReason);
}

void mnuUSA_Click(AppContext& c)
{
    SongsPanel* panel = songsPanel(c);
    if (!panel)
        return;
    closePhotoWindow(c);
    const Form1& f = *c.form1;
    panel->move(panelLeft(f, panel->width()), f.Image4->y() + 50);
    panel->raise();
    panel->show();
}

} // namespace kv
