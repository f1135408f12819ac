#pragma once

#include "platform/richtext/rich_text_box.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

namespace kv {

struct AppContext;
class BookletPanel;
class CopyPanel;
class IMediaDevice;
class Panel3D;
class PictureReadAhead;
class PictureView;
class SaverPanel;
class SpinButton;

// The main window: its controls and menus. What they do lives with the code that owns each.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(AppContext& context, QWidget* parent = nullptr);
    ~Form1() override;

    AppContext& context() const { return m_context; }

    // Controls, named as the product's documentation names them.
    QWidget* stage = nullptr; // the designed 800 by 600 area, centred in the window
    QFrame* Frame1 = nullptr;
    std::array<QPushButton*, 4> cmdYR{}; // 1..3
    QPushButton* ssCmdSlide = nullptr;
    QPushButton* cmdExit = nullptr;

    PictureView* Image4 = nullptr;
    Panel3D* panYear = nullptr;
    Panel3D* panPhoto = nullptr;
    SpinButton* SpinButton1 = nullptr;
    QLabel* txtFile = nullptr;
    RichTextBox* rtbDetails = nullptr;
    PictureView* picLogo = nullptr;

    QPushButton* cmdDesc = nullptr;
    QPushButton* cmdStats = nullptr;
    QPushButton* cmdColors = nullptr;
    QPushButton* cmdOptions = nullptr;
    QPushButton* cmdClipArt = nullptr;
    QPushButton* cmdEmblem = nullptr;
    QPushButton* cmdScript = nullptr;
    QPushButton* cmdAd = nullptr;
    QPushButton* cmdModels = nullptr;
    QPushButton* cmdNostalgia = nullptr;
    QPushButton* cmdBrochure = nullptr;

    PictureView* picClipArt = nullptr;
    PictureView* picEmblem = nullptr;
    PictureView* picScript = nullptr;
    PictureView* picEmbSide = nullptr;
    PictureView* picEmbRear = nullptr;

    QFrame* pnlSSaver = nullptr;
    QFrame* pnlProgress = nullptr;
    QFrame* pnlPrint = nullptr;
    // What the three panels hold, made on first use (copies/saver_panel.h, copies/copy_panel.h,
    // print/booklet_panel.h).
    SaverPanel* saverPanel = nullptr;
    CopyPanel* copyPanel = nullptr;
    BookletPanel* bookletPanel = nullptr;
    QFrame* ssPnlSongs = nullptr;
    QFrame* pnlSound = nullptr;

    std::unique_ptr<IMediaDevice> MMControl1;
    // The photo box's pictures made ready: the one the next step will show (photos/photo_cursor.h)
    // and the first photo of every year and topic (photos/first_photos.h).
    PictureReadAhead* photoPictures = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuWallPaper = nullptr;
    QAction* mnuCopyPhoto = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuRemove = nullptr;
    QAction* mnuCopyMovies = nullptr;
    QAction* mnuRemoveMovies = nullptr;
    QAction* mnuSaver = nullptr;
    QAction* mnuVideo = nullptr;
    QAction* mnuPrintPhoto = nullptr;
    QAction* mnuPrnt = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuCheckResolution = nullptr;
    QAction* mnuNames = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuSound = nullptr;
    QAction* mnuMovies = nullptr;
    QMenu* mnuMiscellaneous = nullptr;
    std::array<QAction*, 4> mnuMisc{}; // 1..3
    QMenu* mnuVestraStuff = nullptr;
    std::array<QAction*, 8> mnuStuff{}; // 0, 1, 3, 5, 7
    QAction* mnuUSA = nullptr;
    QAction* mnuHideStatus = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuorvanta = nullptr;
    QAction* mnuRegisterOL = nullptr;
    QAction* mnuRegister = nullptr;
    QAction* mnuIntro = nullptr;
    QAction* mnuNotice = nullptr;
    QAction* mnuCredits = nullptr;
    QAction* mnuContrib = nullptr;
    QAction* mnuAbout = nullptr;

    // Index 1..3 of the year button that has the focus, 0 when none.
    // The window's client area at the designed layout: the stage and the menu bar at its
    // designed font; both grow with the scale.
    QSize designedClientSize() const;
    // The scale at which the designed layout fills the window's present size.
    double fittedScale() const;
    // Shows the designed layout at the fitted scale, centred in the window.
    void placeStage();

    int focusedYearButton() const;
    void focusYearButton(int index);

signals:
    void backgroundClicked();
    // A step key ("," as Qt::Key_Comma, "." as Qt::Key_Period) on year button `index`, or the
    // space bar before the first choice by button; these keys are consumed.
    void yearButtonKey(int index, int key);
    // The whole application went inactive while the window is shown (another program took over).
    void deactivated();
    void resized();
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where the title bar ends up above the screen, the window comes down onto it.
    void keepTitleBarOnScreen();
    void buildMenus();
    void buildControls();
    // The menu bar and its menus at `scale` times the font they were designed with.
    void scaleMenus(double scale);
    // -1 for the "," key, 1 for the "." key, 0 for any other.
    static int stepKey(const QKeyEvent& key);

    AppContext& m_context;
    bool m_swallowSpaceRelease = false;
    bool m_frameCheckPending = false;
    int m_titleBarMoves = 0;
    QFont m_menuBarFont;
    QFont m_menuFont;
    int m_menuBarHeight = 0;
    double m_menuScale = 1.0;
};

} // namespace kv
