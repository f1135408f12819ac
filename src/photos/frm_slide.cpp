#include "photos/frm_slide.h"

#include "app/app_context.h"
#include "app/layout_scale.h"
#include "app/picture_read_ahead.h"
#include "platform/image_loader.h"
#include "platform/keep_awake.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "app/widgets/title_widgets.h"
#include "photos/slide_bar.h"
#include "platform/twips.h"
#include "platform/product.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kv {

namespace {
const char* const SlideStyle = R"(
#frmSlide { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1b2530, stop:1 #0b1117); }
#frmSlide QPushButton {
    color: #f4ead2; font-weight: 600;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8c2a22, stop:1 #5a1611);
    border: 2px outset #b8483c; border-radius: 3px; padding: 0 4px; }
#frmSlide QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #a8362c, stop:1 #6d1c16); }
#frmSlide QPushButton:pressed { border-style: inset; }
#frmSlide QPushButton:focus { border-color: #f0c75e; }
#frmSlide QPushButton:disabled { color: #8a8a8a; background: #3b3b3b; border-color: #555; }
#frmSlide QLabel { color: #f4ead2; background: #0d141b; }
#frmSlide QLabel#panYear { color: #f0c75e; font-weight: 700; }
#frmSlide QLabel#PnlCoStar { color: #f0c75e; font-style: italic; font-weight: 700; }
#frmSlide QRadioButton { color: #f4ead2; }
#frmSlide #mmSlide { background: #2b3a48; border: 1px solid #3d4d5c; }
#frmSlide #mmSlide QToolButton { background: #d8d2c4; border: 1px outset #f4ead2; }
#frmSlide #mmSlide QToolButton:pressed { border-style: inset; }
#frmSlide #mmSlide QToolButton:disabled { background: #6d6a63; }
)";

// The designed client area, in twips; the slide takes whatever the window has beyond it.
constexpr QSize DesignTwips(12000, 8900);
constexpr int RowA = 7700, RowB = 8080, RowC = 8450, RowHeight = 330;

Panel3D* makePanel(QWidget* parent, const char* name, const QString& caption = {})
{
    auto* p = new Panel3D(caption, parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setAlignment(Qt::AlignCenter);
    return p;
}
} // namespace

FrmSlide::FrmSlide(AppContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSlide"));
    placesItsOwnControls(this);
    setWindowTitle(ProductTitle + QStringLiteral(" Slide Show"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromLatin1(SlideStyle));
    setSizeGripEnabled(false);
    buildControls();
    m_ahead = new PictureReadAhead([](const QString& path, const QSize& size, qreal ratio) {
        return loadDisplayPicture(path, size, ratio);
    }, Image1, this);
}

FrmSlide::~FrmSlide()
{
    discardReadAhead();
    m_context.awake().release(); // however the window went, the screen may blank again
}

void FrmSlide::buildControls()
{
    m_designTwips = DesignTwips;

    Image1 = new PictureView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setBackground(Qt::black);
    Image1->setToolTip(QStringLiteral("Click the Right mouse button to copy"));
    place(Image1, QRect(120, 110, 11700, 7500));

    panYear = makePanel(this, "panYear");
    place(panYear, QRect(120, RowA, 2950, RowHeight));
    pnlPhotoNumber = makePanel(this, "pnlPhotoNumber");
    place(pnlPhotoNumber, QRect(120, RowB, 2950, RowHeight));
    panYear->hide();
    pnlPhotoNumber->hide();

    SSCommand1 = makeButton(this, QStringLiteral("SSCommand1"), QStringLiteral("Beginning"));
    SSCommand1->setToolTip(QStringLiteral("Jump to Slide 1"));
    place(SSCommand1, QRect(3500, RowA, 1500, RowHeight));
    SSCommand2 = makeButton(this, QStringLiteral("SSCommand2"), QStringLiteral("Middle"));
    SSCommand2->setToolTip(QStringLiteral("Jump to Middle"));
    place(SSCommand2, QRect(5060, RowA, 1500, RowHeight));
    SSCommand1->installEventFilter(this);

    mmSlide = new SlideBar(this);
    mmSlide->setObjectName(QStringLiteral("mmSlide"));
    mmSlide->setToolTip(QStringLiteral("[Bkwd] [Fwd] [Play] [Pause] [Jump Bkwd] [Jump Fwd] [Exit]"));
    place(mmSlide, QRect(3500, RowB, 3060, RowHeight));

    const char* const optCaptions[] = {"Sequential", "Random"};
    for (int i = 0; i < 2; ++i) {
        optSeq[i] = new QRadioButton(QString::fromLatin1(optCaptions[i]), this);
        optSeq[i]->setObjectName(QStringLiteral("optSeq_%1").arg(i));
    }
    optSeq[0]->setChecked(true);
    place(optSeq[0], QRect(6760, RowB, 1450, RowHeight));
    place(optSeq[1], QRect(8260, RowB, 1300, RowHeight));

    panInterval = makePanel(this, "panInterval");
    place(panInterval, QRect(9820, RowA, 1700, RowHeight));
    SpinInterval = new SpinButton(this);
    SpinInterval->setObjectName(QStringLiteral("SpinInterval"));
    SpinInterval->setToolTip(QStringLiteral("Set Slide Show Delay"));
    SpinInterval->setArrowNames(QStringLiteral("Longer delay"), QStringLiteral("Shorter delay"));
    place(SpinInterval, QRect(11520, RowA, 300, 2 * RowHeight + 50));

    PnlCoStar = makePanel(this, "PnlCoStar", ProductTitle);
    place(PnlCoStar, QRect(120, RowC, 4200, RowHeight));
    StatusDate = makePanel(this, "StatusDate");
    place(StatusDate, QRect(4380, RowC, 1800, RowHeight));
    StatusDay = makePanel(this, "StatusDay");
    place(StatusDay, QRect(6240, RowC, 1800, RowHeight));
    StatusTime = makePanel(this, "StatusTime");
    place(StatusTime, QRect(8100, RowC, 2200, RowHeight));
    cmdExit = makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("Exit"));
    place(cmdExit, QRect(10420, RowC, 1400, RowHeight));

    for (QWidget* w : {static_cast<QWidget*>(panYear), static_cast<QWidget*>(PnlCoStar),
                       static_cast<QWidget*>(StatusDay), static_cast<QWidget*>(StatusDate),
                       static_cast<QWidget*>(StatusTime)})
        w->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // Slides are due on the second; a coarse timer may be 5% late.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(10);

    connect(mmSlide, &SlideBar::clicked, this, [this](SlideBar::Button b) { mmSlide_Click(b); });
    connect(SSCommand1, &QPushButton::clicked, this, [this] { SSCommand1_Click(); });
    connect(SSCommand2, &QPushButton::clicked, this, [this] { SSCommand2_Click(); });
    connect(SpinInterval, &SpinButton::spinUp, this, [this] { SpinInterval_SpinUp(); });
    connect(SpinInterval, &SpinButton::spinDown, this, [this] { SpinInterval_SpinDown(); });
    connect(Image1, &PictureView::pressed, this, [this](Qt::MouseButton b) { Image1_MouseDown(b); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { close(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3_Timer(); });
    // Another order means another next slide.
    connect(optSeq[1], &QRadioButton::toggled, this, [this] { readAhead(); });

    resize(designSize());
    applyLayout();
}

void FrmSlide::place(QWidget* control, const QRect& twips)
{
    m_design.insert(control, twips);
}

QSize FrmSlide::designSize() const
{
    return QSize(twipsToPixels(m_designTwips.width()), twipsToPixels(m_designTwips.height()));
}

void FrmSlide::applySmallScreenLayout(int screenWidthTwips)
{
    auto at = [this](QWidget* w) -> QRect& { return m_design[w]; };
    QRect& image = at(Image1);
    image.setSize(QSize(qRound(image.width() * 0.795), qRound(image.height() * 0.78)));
    for (QWidget* w : {static_cast<QWidget*>(panYear), static_cast<QWidget*>(SSCommand1),
                       static_cast<QWidget*>(SSCommand2), static_cast<QWidget*>(panInterval),
                       static_cast<QWidget*>(SpinInterval)})
        at(w).moveTop(5900);
    // The first two rows stand 240 twips apart here.
    for (QWidget* w : {static_cast<QWidget*>(panYear), static_cast<QWidget*>(SSCommand1),
                       static_cast<QWidget*>(SSCommand2), static_cast<QWidget*>(panInterval)})
        at(w).setHeight(240);
    for (QWidget* w : {static_cast<QWidget*>(PnlCoStar), static_cast<QWidget*>(StatusDate),
                       static_cast<QWidget*>(StatusTime), static_cast<QWidget*>(StatusDay),
                       static_cast<QWidget*>(cmdExit)})
        at(w).moveTop(6500);

    QRect& first = at(SSCommand1);
    first = QRect(first.left() - 400, first.top(), 1377, first.height());
    at(SSCommand2) = QRect(first.left() + first.width(), first.top(), 1377, first.height());
    at(mmSlide) = QRect(first.left(), 6140, 2736, at(mmSlide).height());

    QRect& title = at(PnlCoStar);
    title.setWidth(3500);
    at(StatusDate) = QRect(title.left() + title.width(), 6500, 1500, title.height());
    at(StatusDay) = QRect(at(StatusDate).left() + 1500, 6500, 1500, title.height());
    at(StatusTime) = QRect(at(StatusDay).left() + 1500, 6500, 1500, title.height());
    at(cmdExit) = QRect(at(StatusTime).left() + 1500, 6500, 1400, title.height());

    QRect& interval = at(panInterval);
    interval.moveLeft(screenWidthTwips - interval.width() - 140);
    QRect& spin = at(SpinInterval);
    spin = QRect(interval.left() - spin.width(), spin.top(), spin.width(), qRound(spin.height() * 0.6));

    // The photo number and the order choice keep their rows on the smaller screen.
    const QRect bar = at(mmSlide);
    const int barEnd = bar.left() + bar.width(), spinEnd = spin.left() + spin.width();
    at(pnlPhotoNumber) = QRect(at(panYear).left(), bar.top(), at(panYear).width(), bar.height());
    at(optSeq[0]) = QRect(barEnd + 60, bar.top(), spin.left() - barEnd - 120, bar.height());
    at(optSeq[1]) = QRect(spinEnd + 60, 5900 + 240 + 20, 1300, bar.height());

    m_designTwips = QSize(screenWidthTwips, 6500 + title.height() + 120);
    applyLayout();
}

void FrmSlide::applyLayout()
{
    // The design at the window's layout scale.
    const double scale = layoutScale(this);
    auto toPixels = [scale](int twips) { return int(std::lround(twipsToPixels(twips) * scale)); };
    const QSize design(toPixels(m_designTwips.width()), toPixels(m_designTwips.height()));
    // Room beyond the design goes to the slide; the controls keep their rows below it, centred.
    const QRect image = m_design.value(Image1);
    const int extraW = std::max(width() - design.width(), 160 - toPixels(image.width()));
    const int extraH = std::max(height() - design.height(), 120 - toPixels(image.height()));
    // The slide ends a little above the first row of controls, whatever its own size says.
    int firstRow = m_designTwips.height();
    for (auto it = m_design.cbegin(); it != m_design.cend(); ++it) {
        if (it.key() != Image1)
            firstRow = std::min(firstRow, it.value().top());
    }
    const int imageBottom = toPixels(firstRow) + extraH - 4;
    for (auto it = m_design.cbegin(); it != m_design.cend(); ++it) {
        auto* w = const_cast<QWidget*>(it.key());
        const QRect t = it.value();
        // Edges converted, not sizes, so that controls placed side by side stay touching.
        QRect px(QPoint(toPixels(t.left()), toPixels(t.top())),
                 QPoint(toPixels(t.left() + t.width()) - 1, toPixels(t.top() + t.height()) - 1));
        if (w == Image1) {
            px.setSize(px.size() + QSize(extraW, extraH));
            px.setBottom(std::min(px.bottom(), imageBottom));
        }
        else
            px.translate(extraW / 2, extraH);
        w->setGeometry(px);
    }
}

void FrmSlide::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    applyLayout();
    // A read-ahead made for the old size would not be taken.
    if (m_ahead->active())
        readAhead();
}

void FrmSlide::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // Taking the focus from a button while it is held down would cancel its click.
    if (!SlideKeepFocus && QGuiApplication::mouseButtons() == Qt::NoButton)
        focusFirstButton();
}

bool FrmSlide::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SSCommand1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Period || key == Qt::Key_Comma) {
            SSCommand1_KeyDown(key);
            return true;
        }
    } else if (watched != SSCommand1 && event->type() == QEvent::MouseButtonPress) {
        focusFirstButton();
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSlide::focusFirstButton()
{
    if (SSCommand1->isEnabled() && !SSCommand1->hasFocus())
        SSCommand1->setFocus();
}

} // namespace kv
