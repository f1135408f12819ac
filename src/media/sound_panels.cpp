#include "media/sound_panels.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "app/window_helpers.h"
#include "platform/file_system.h"
#include "platform/media_device.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>

namespace kv {

namespace {
const char* const PanelStyle = R"(
QFrame#pnlSound, QFrame#ssPnlSongs { background: #1b2631; border: 2px outset #4a5d70; border-radius: 4px; }
QLabel { color: #f4ead2; background: transparent; }
QLabel#Label10, QLabel#Label11 { color: #f0c75e; font-size: 13pt; font-weight: 700; }
)";

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
}

QLabel* makeTitle(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// A loudspeaker sending waves towards a car: the sound-effects decoration.
QImage speakerPicture(const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QPainterPath cone;
    cone.moveTo(w * 0.06, h * 0.38);
    cone.lineTo(w * 0.14, h * 0.38);
    cone.lineTo(w * 0.26, h * 0.18);
    cone.lineTo(w * 0.26, h * 0.82);
    cone.lineTo(w * 0.14, h * 0.62);
    cone.lineTo(w * 0.06, h * 0.62);
    cone.closeSubpath();
    p.fillPath(cone, QColor(0xf0, 0xc7, 0x5e));
    p.setPen(QPen(QColor(0xf0, 0xc7, 0x5e), qMax(2.0, w / 80), Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 3; ++i) {
        const double r = h * 0.14 * i;
        p.drawArc(QRectF(w * 0.26 - r, h * 0.5 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    QPainterPath car;
    car.moveTo(w * 0.56, h * 0.70);
    car.cubicTo(w * 0.57, h * 0.58, w * 0.64, h * 0.56, w * 0.70, h * 0.55);
    car.cubicTo(w * 0.74, h * 0.44, w * 0.84, h * 0.44, w * 0.88, h * 0.54);
    car.cubicTo(w * 0.94, h * 0.56, w * 0.97, h * 0.60, w * 0.97, h * 0.70);
    car.closeSubpath();
    p.fillPath(car, QColor(0x8c, 0x2a, 0x22));
    p.setPen(QPen(QColor(0xc0, 0xc0, 0xc8), 2));
    p.setBrush(QColor(0x20, 0x20, 0x24));
    p.drawEllipse(QPointF(w * 0.64, h * 0.71), h * 0.07, h * 0.07);
    p.drawEllipse(QPointF(w * 0.89, h * 0.71), h * 0.07, h * 0.07);
    return img;
}

// A road running to the horizon under a starry band: the song's decoration.
QImage roadPicture(const QSize& size)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h * 0.55);
    sky.setColorAt(0, QColor(0x1d, 0x3b, 0x7a));
    sky.setColorAt(1, QColor(0xe8, 0x9a, 0x5e));
    p.fillRect(QRectF(0, 0, w, h * 0.55), sky);
    p.fillRect(QRectF(0, h * 0.55, w, h * 0.45), QColor(0x3a, 0x5a, 0x2a));
    for (int i = 0; i < 7; ++i)
        p.fillRect(QRectF(0, h * 0.03 * i * 2, w, h * 0.03), i % 2 ? QColor(0xf4, 0xf0, 0xe8, 60) : QColor(0xb2, 0x22, 0x34, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 12; ++i)
        p.drawEllipse(QPointF(w * (0.05 + 0.08 * i), h * (0.08 + 0.05 * (i % 3))), 2, 2);
    QPainterPath road;
    road.moveTo(w * 0.47, h * 0.55);
    road.lineTo(w * 0.53, h * 0.55);
    road.lineTo(w * 0.85, h);
    road.lineTo(w * 0.15, h);
    road.closeSubpath();
    p.fillPath(road, QColor(0x30, 0x30, 0x34));
    p.setPen(QPen(QColor(0xf0, 0xc7, 0x5e), 3, Qt::DashLine));
    p.drawLine(QPointF(w * 0.5, h * 0.57), QPointF(w * 0.5, h));
    return img;
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
    Picture5->setImage(speakerPicture(Picture5->size()));

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
    Picture1->setImage(roadPicture(Picture1->size()));

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
