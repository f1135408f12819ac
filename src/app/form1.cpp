#include "app/form1.h"

#include "app/app_context.h"
#include "app/layout_scale.h"
#include "app/picture_read_ahead.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "app/widgets/title_widgets.h"
#include "platform/media_device.h"
#include "platform/screen.h"
#include "platform/product.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kv {

namespace {
constexpr QSize StageSize(800, 544);

const char* const StageStyle = R"(
#stage { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #24313f, stop:1 #101820); }
#stage QPushButton {
    color: #f4ead2;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8c2a22, stop:1 #5a1611);
    border: 2px outset #b8483c; border-radius: 4px; padding: 1px 2px; }
#stage #Frame1 QPushButton { font-weight: 600; font-size: 11pt; }
#stage QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #a8362c, stop:1 #6d1c16); }
#stage QPushButton:pressed { border-style: inset; }
#stage QPushButton:focus { border-color: #f0c75e; }
#stage QPushButton:disabled { color: #8a8a8a; background: #3b3b3b; border-color: #555; }
#stage QLabel#panYear { color: #f0c75e; background: #0d141b; font-size: 15pt; font-weight: 700; }
#stage QLabel#panPhoto { color: #f4ead2; background: #0d141b; font-size: 14pt; font-weight: 700; }
#stage #Frame1 { background: rgba(0,0,0,60); border: 1px solid #3d4d5c; border-radius: 6px; }
#stage QLabel#txtFile { background: #fff8dc; color: #202020; font-weight: 700; border: 1px solid #7a6a3a; padding: 0 3px; }
)";

QAction* makeAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}
} // namespace

Form1::Form1(AppContext& context, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ProductTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildMenus();
    menuBar()->ensurePolished();
    m_menuBarFont = menuBar()->font();
    m_menuFont = mnuFile->font();
    m_menuBarHeight = menuBar()->sizeHint().height();
    buildControls();
    MMControl1 = context.media().create();
    // The losing-the-focus rule is about another program taking over, not about the program's
    // own windows (a viewer, the slide show) coming up over this one.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible())
            emit deactivated();
    });
}

Form1::~Form1() = default;

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    // The menu opens with a separator, which Qt would otherwise fold away.
    mnuFile->setSeparatorsCollapsible(false);
    mnuFile->addSeparator();
    mnuWallPaper = makeAction(mnuFile, QStringLiteral("mnuWallPaper"), QStringLiteral("Create &Wallpaper Instructions"));
    mnuCopyPhoto = makeAction(mnuFile, QStringLiteral("mnuCopyPhoto"), QStringLiteral("Copy Photo"));
    mnuFile->addSeparator();
    mnuCopy = makeAction(mnuFile, QStringLiteral("mnuCopy"), QStringLiteral("Copy CD-ROM photos to hard drive"));
    mnuRemove = makeAction(mnuFile, QStringLiteral("mnuRemove"), QStringLiteral("Remove photos from hard drive"));
    mnuFile->addSeparator();
    mnuCopyMovies = makeAction(mnuFile, QStringLiteral("mnuCopyMovies"), QStringLiteral("Copy CD-ROM movies to hard drive"));
    mnuRemoveMovies = makeAction(mnuFile, QStringLiteral("mnuRemoveMovies"), QStringLiteral("Remove movies from hard drive"));
    mnuFile->addSeparator();
    mnuSaver = makeAction(mnuFile, QStringLiteral("mnuSaver"), QStringLiteral("Install Screen saver"));
    mnuVideo = makeAction(mnuFile, QStringLiteral("mnuVideo"), QStringLiteral("Install Intel Video Software"));
    mnuFile->addSeparator();
    mnuPrintPhoto = makeAction(mnuFile, QStringLiteral("mnuPrintPhoto"), QStringLiteral("Print Photo"));
    mnuPrnt = makeAction(mnuFile, QStringLiteral("mnuPrnt"), QStringLiteral("PrintBooklet"));
    mnuPrint = makeAction(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("Print Setup"));
    mnuFile->addSeparator();
    mnuCheckResolution = makeAction(mnuFile, QStringLiteral("mnuCheckResolution"), QStringLiteral("Check Screen Resolution"));
    mnuFile->addSeparator();
    mnuNames = makeAction(mnuFile, QStringLiteral("mnuNames"), QStringLiteral("Show File &Names"));
    mnuFile->addSeparator();
    mnuExit = makeAction(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("Exit"));

    mnuSound = bar->addAction(QStringLiteral("Sound Effects"));
    mnuSound->setObjectName(QStringLiteral("mnuSound"));
    mnuMovies = bar->addAction(QStringLiteral("Movies"));
    mnuMovies->setObjectName(QStringLiteral("mnuMovies"));

    mnuMiscellaneous = bar->addMenu(QStringLiteral("Miscellaneous"));
    mnuMiscellaneous->setObjectName(QStringLiteral("mnuMiscellaneous"));
    const QStringList misc = {QStringLiteral("KelVardo Advertising Checklist"),
                              QStringLiteral("KelVardo Judging Guidelines"), QStringLiteral("Nomads")};
    for (int i = 1; i <= 3; ++i)
        mnuMisc[i] = makeAction(mnuMiscellaneous, QStringLiteral("mnuMisc_%1").arg(i), misc.at(i - 1));

    mnuVestraStuff = bar->addMenu(QStringLiteral("KelVardo Stuff"));
    mnuVestraStuff->setObjectName(QStringLiteral("mnuVestraStuff"));
    for (int index = 0; index < int(mnuStuff.size()); ++index) {
        if (const Topic* topic = topicByMenu(index))
            mnuStuff[index] = makeAction(mnuVestraStuff, QStringLiteral("mnuStuff_%1").arg(index), topic->menuCaption);
    }

    mnuUSA = bar->addAction(QStringLiteral("See the U.S.A."));
    mnuUSA->setObjectName(QStringLiteral("mnuUSA"));
    mnuHideStatus = bar->addAction(QStringLiteral("HideStatusBar"));
    mnuHideStatus->setObjectName(QStringLiteral("mnuHideStatus"));

    mnuHelp = bar->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuContents = makeAction(mnuHelp, QStringLiteral("mnuContents"), QStringLiteral("Contents"));
    mnuHelp->addSeparator();
    mnuorvanta = makeAction(mnuHelp, QStringLiteral("mnuorvanta"), QStringLiteral("Visit the Orvanta Software website "));
    mnuRegisterOL = makeAction(mnuHelp, QStringLiteral("mnuRegisterOL"), QStringLiteral("Register On-line"));
    mnuRegister = makeAction(mnuHelp, QStringLiteral("mnuRegister"), QStringLiteral("Print Registration Form"));
    mnuHelp->addSeparator();
    mnuIntro = makeAction(mnuHelp, QStringLiteral("mnuIntro"), QStringLiteral("Introduction"));
    mnuNotice = makeAction(mnuHelp, QStringLiteral("mnuNotice"), QStringLiteral("Notice"));
    mnuCredits = makeAction(mnuHelp, QStringLiteral("mnuCredits"), QStringLiteral("Credits"));
    mnuContrib = makeAction(mnuHelp, QStringLiteral("mnuContrib"), QStringLiteral("Contributions"));
    mnuHelp->addSeparator();
    mnuAbout = makeAction(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("About"));
}

void Form1::buildControls()
{
    auto* backdrop = new QWidget(this);
    backdrop->setObjectName(QStringLiteral("backdrop"));
    backdrop->setStyleSheet(QStringLiteral("#backdrop { background: #0b1117; }"));
    backdrop->installEventFilter(this);
    setCentralWidget(backdrop);

    stage = new QWidget(backdrop);
    stage->setObjectName(QStringLiteral("stage"));
    stage->setAttribute(Qt::WA_StyledBackground);
    stage->setStyleSheet(QString::fromLatin1(StageStyle));
    stage->resize(StageSize);
    stage->installEventFilter(this);

    // Topic buttons in two rows above the photo; "Ads" ends the first row at the photo's right edge.
    const int left = 12, step = 91, width = 86, height = 28;
    auto topic = [&](const char* name, const QString& caption, int row, int col) {
        return makeButton(stage, QString::fromLatin1(name), caption, QRect(left + col * step, 8 + row * 32, width, height));
    };
    cmdDesc = topic("cmdDesc", QStringLiteral("Description"), 0, 0);
    cmdStats = topic("cmdStats", StatisticsCaption, 0, 1);
    cmdColors = topic("cmdColors", QStringLiteral("Colors"), 0, 2);
    cmdOptions = topic("cmdOptions", QStringLiteral("Options"), 0, 3);
    cmdModels = topic("cmdModels", QStringLiteral("Models"), 0, 4);
    cmdAd = topic("cmdAd", QStringLiteral("Ads"), 0, 5);
    cmdClipArt = topic("cmdClipArt", QStringLiteral("ClipArt "), 1, 0);
    cmdEmblem = topic("cmdEmblem", QStringLiteral("Emblem"), 1, 1);
    cmdScript = topic("cmdScript", QStringLiteral("Script"), 1, 2);
    cmdNostalgia = topic("cmdNostalgia", QStringLiteral("Nostalgia"), 1, 3);
    cmdBrochure = topic("cmdBrochure", QStringLiteral("Brochures"), 1, 4);

    Image4 = new PictureView(stage);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setBackground(QColor(0x05, 0x09, 0x0c));
    Image4->setGeometry(12, 74, 541, 406);
    Image4->setToolTip(QStringLiteral("Click the Right mouse button to copy photo or add to Screen Saver"));
    Image4->setPainted(titlePicture);
    photoPictures = new PictureReadAhead([](const QString& path, const QSize& size, qreal ratio) {
        return loadDisplayPicture(path, size, ratio);
    }, Image4, this);

    panYear = new Panel3D(NoChoiceCaption, stage);
    panYear->setObjectName(QStringLiteral("panYear"));
    panYear->setGeometry(565, 74, 223, 56);
    panPhoto = new Panel3D(QString(), stage);
    panPhoto->setObjectName(QStringLiteral("panPhoto"));
    panPhoto->setGeometry(565, 136, 180, 40);
    panPhoto->setToolTip(QStringLiteral("Double-click to show photo #1"));
    SpinButton1 = new SpinButton(stage);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setGeometry(749, 136, 39, 40);
    // Hidden until a choice is made.
    panYear->hide();
    panPhoto->hide();
    SpinButton1->hide();

    picLogo = new PictureView(stage);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setGeometry(565, 186, 223, 294);
    picLogo->setPainted([](const QSize& box) { return titlePicture(box * 2); });

    // Shows the photo's file name: a label, so that a screen reader reads the name itself.
    txtFile = new QLabel(stage);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setAccessibleDescription(QStringLiteral("Photo file name"));
    txtFile->setGeometry(20, 82, 140, 24);
    txtFile->hide();

    rtbDetails = new RichTextBox(stage);
    rtbDetails->setObjectName(QStringLiteral("rtbDetails"));
    rtbDetails->resize(300, 150);
    rtbDetails->hide();

    auto picture = [&](const char* name) {
        auto* p = new PictureView(stage);
        p->setObjectName(QString::fromLatin1(name));
        p->setToolTip(QStringLiteral("Click the Right mouse button to copy"));
        p->hide();
        return p;
    };
    picClipArt = picture("picClipArt");
    picEmblem = picture("picEmblem");
    picScript = picture("picScript");
    picEmbSide = picture("picEmbSide");
    picEmbRear = picture("picEmbRear");

    auto panel = [&](const char* name) {
        auto* f = new QFrame(stage);
        f->setObjectName(QString::fromLatin1(name));
        f->setFrameStyle(QFrame::Panel | QFrame::Raised);
        f->setGeometry(Image4->geometry());
        f->hide();
        return f;
    };
    pnlSSaver = panel("pnlSSaver");
    pnlProgress = panel("pnlProgress");
    pnlPrint = panel("pnlPrint");
    ssPnlSongs = panel("ssPnlSongs");
    pnlSound = panel("pnlSound");

    Frame1 = new QFrame(stage);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(12, 488, 776, 48);
    for (int i = 1; i <= YearButtonCount; ++i) {
        cmdYR[i] = makeButton(Frame1, QStringLiteral("cmdYR_%1").arg(i), yearTopic(i).caption,
                              QRect(8 + (i - 1) * 120, 6, 100, 36));
        cmdYR[i]->installEventFilter(this);
    }
    ssCmdSlide = makeButton(Frame1, QStringLiteral("ssCmdSlide"), QStringLiteral("SlideShow"), QRect(530, 6, 120, 36));
    cmdExit = makeButton(Frame1, QStringLiteral("cmdExit"), QStringLiteral("Exit"), QRect(662, 6, 106, 36));
    Frame1->raise();
}


int Form1::focusedYearButton() const
{
    for (int i = 1; i <= 3; ++i) {
        if (cmdYR[i]->hasFocus())
            return i;
    }
    return 0;
}

void Form1::focusYearButton(int index)
{
    if (index < 1 || index > 3)
        return;
    cmdYR[index]->setFocus(Qt::OtherFocusReason);
}

bool Form1::event(QEvent* event)
{
    // A position given before the window is shown cannot allow for a frame not yet known, and a
    // window leaving the maximised state is put back by the window manager: on X the client may
    // land at the top of the screen with the title bar above it, out of reach. The frame is
    // looked at once the window system has settled the move.
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowStateChange:
    case QEvent::Move:
        if (!std::exchange(m_frameCheckPending, true))
            QTimer::singleShot(0, this, [this] {
                m_frameCheckPending = false;
                keepTitleBarOnScreen();
            });
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void Form1::keepTitleBarOnScreen()
{
    const QScreen* shown = screen();
    if (!shown || !isVisible() || isMaximized() || isFullScreen() || !canPlaceWindows())
        return;
    const QRect area = shown->availableGeometry();
    const QRect frame = frameGeometry();
    const QPoint to(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
    // A few corrections at most: a window manager that insists is not fought.
    if (to != frame.topLeft() && m_titleBarMoves < 3) {
        ++m_titleBarMoves;
        // Placed by its client area: a frame position equal to the client's own would be taken
        // as no move at all.
        setGeometry(QRect(to + (geometry().topLeft() - frame.topLeft()), size()));
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    const int yearButton = int(std::find(cmdYR.begin() + 1, cmdYR.end(), watched) - cmdYR.begin());
    if (yearButton <= 3 && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyRelease) {
            // The release of a space that made the first choice presses nothing.
            if (key->key() == Qt::Key_Space && m_swallowSpaceRelease && !key->isAutoRepeat()) {
                m_swallowSpaceRelease = false;
                return true;
            }
            return QMainWindow::eventFilter(watched, event);
        }
        if (const int step = stepKey(*key)) {
            emit yearButtonKey(yearButton, step < 0 ? Qt::Key_Comma : Qt::Key_Period);
            return true;
        }
        if (key->key() == Qt::Key_Space && !m_context.state.TopicChosen && !key->isAutoRepeat()) {
            m_swallowSpaceRelease = true;
            emit yearButtonKey(yearButton, Qt::Key_Space);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cmdYR[yearButton]->click();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress && (watched == stage || watched == centralWidget())) {
        emit backgroundClicked();
    } else if (event->type() == QEvent::Resize && watched == centralWidget()) {
        placeStage();
    }
    return QMainWindow::eventFilter(watched, event);
}

int Form1::stepKey(const QKeyEvent& key)
{
    // By key, not by character: Shift on the comma key still steps back; the keypad's
    // decimal point is another key.
    if (key.modifiers() & Qt::KeypadModifier)
        return 0;
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    switch (key.key()) {
    case Qt::Key_Comma: return -1;
    case Qt::Key_Period: return 1;
    case Qt::Key_Less: return shift ? -1 : 0;
    case Qt::Key_Greater: return shift ? 1 : 0;
    default: return 0;
    }
}

QSize Form1::designedClientSize() const
{
    return StageSize + QSize(0, m_menuBarHeight);
}

double Form1::fittedScale() const
{
    const QSize area = centralWidget()->size();
    // The designed layout fills the window as far as it can, never below its designed size; a
    // scale the user forced stays whatever the window's size. Hundredths, so that a resize by a
    // pixel or two does not lay everything out again.
    const double fit = std::min(area.width() / double(StageSize.width()), area.height() / double(StageSize.height()));
    return m_context.forcedScale > 0 ? m_context.forcedScale : std::max(1.0, std::floor(fit * 100) / 100);
}

void Form1::scaleMenus(double scale)
{
    if (scale == m_menuScale)
        return;
    m_menuScale = scale;
    auto scaled = [scale](QFont font) {
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * scale);
        else
            font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * scale))));
        return font;
    };
    menuBar()->setFont(scaled(m_menuBarFont));
    // A menu is a window of its own: no font reaches it from the bar.
    QList<QMenu*> menus;
    for (QAction* a : menuBar()->actions()) {
        if (a->menu())
            menus << a->menu();
    }
    for (int i = 0; i < menus.size(); ++i) {
        QMenu* menu = menus[i];
        menu->setFont(scaled(m_menuFont));
        // Qt sizes an entry without the spaces that end its caption but cuts the caption short
        // with them: in a large font "...website " would lose letters. The menu is made that
        // much wider instead.
        int spaces = 0;
        for (QAction* a : menu->actions()) {
            const QString text = a->text();
            spaces = std::max(spaces, int(text.size() - QStringView(text).trimmed().size()));
            if (a->menu() && !menus.contains(a->menu()))
                menus << a->menu();
        }
        menu->setMinimumWidth(0);
        if (scale != 1.0 && spaces > 0)
            menu->setMinimumWidth(menu->sizeHint().width() + spaces * menu->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    }
}

void Form1::placeStage()
{
    // The menus follow the whole window, so that their height does not feed back into their scale.
    const QSize client = size();
    const double whole = std::min(client.width() / double(designedClientSize().width()),
                                  client.height() / double(designedClientSize().height()));
    scaleMenus(m_context.forcedScale > 0 ? m_context.forcedScale : std::max(1.0, std::floor(whole * 100) / 100));
    const QSize area = centralWidget()->size();
    const double scale = fittedScale();
    if (scale != layoutScale(stage))
        applyLayoutScale(stage, scale);
    stage->move(qMax(0, (area.width() - stage->width()) / 2), qMax(0, (area.height() - stage->height()) / 2));
}

void Form1::mousePressEvent(QMouseEvent* event)
{
    emit backgroundClicked();
    QMainWindow::mousePressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    emit resized();
}

} // namespace kv
