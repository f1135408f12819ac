#pragma once

#include "app/topics.h"

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QRect>

#include <array>

class QPushButton;
class QRadioButton;
class QTimer;

namespace kv {

struct AppContext;
class Panel3D;
class PictureReadAhead;
class PictureView;
class SlideBar;
class SpinButton;

// The slide-show window. Its handlers live beside it: playing and stepping in slide_steps.cpp,
// the clock, the delay and the hand-back to the main window each in a file of its own.
class FrmSlide : public QDialog
{
    Q_OBJECT
public:
    explicit FrmSlide(AppContext& context, QWidget* parent = nullptr);
    ~FrmSlide() override;

    PictureView* Image1 = nullptr;
    std::array<QRadioButton*, 2> optSeq{};
    Panel3D* pnlPhotoNumber = nullptr;
    QPushButton* SSCommand1 = nullptr;
    QPushButton* SSCommand2 = nullptr;
    Panel3D* panYear = nullptr;
    Panel3D* panInterval = nullptr;
    SpinButton* SpinInterval = nullptr;
    Panel3D* PnlCoStar = nullptr;
    Panel3D* StatusDay = nullptr;
    Panel3D* StatusDate = nullptr;
    Panel3D* StatusTime = nullptr;
    SlideBar* mmSlide = nullptr;
    QPushButton* cmdExit = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;

    // While set, painting and clicks on the slide leave the keyboard focus alone.
    bool SlideKeepFocus = false;

    // The layout for a 640 by 480 screen, in place of the designed one.
    void applySmallScreenLayout(int screenWidthTwips);
    // The client size the controls are placed for; more room goes to the slide.
    QSize designSize() const;
    // Where a control sits in the designed layout, in twips.
    QRect designTwips(const QWidget* control) const { return m_design.value(control); }

    // Shows list position `position` as the slide. False when it cannot be read; the
    // previous slide then stays.
    bool loadSlide(int position);
    void setPositionCaption(int position);
    // The picture on show at full size, for the clipboard.
    QImage slidePicture() const;
    QString slidePath() const { return m_slidePath; }
    // The year or topic of the slide on show: panYear reads its caption, the hand-back chooses it.
    void showChoice(const TopicChoice& choice);
    const TopicChoice& choiceShown() const { return m_choice; }

    // Handlers.
    void StartUp();
    void Timer1_Timer();
    void Timer3_Timer();
    void mmSlide_Click(int button);
    void mmSlide_PrevClick();
    void mmSlide_NextClick();
    void mmSlide_PlayClick();
    void mmSlide_PauseClick();
    void mmSlide_BackClick();
    void mmSlide_StepClick();
    void mmSlide_StopClick();
    void SSCommand1_Click();
    void SSCommand2_Click();
    void SSCommand1_KeyDown(int key);
    void SpinInterval_SpinUp();
    void SpinInterval_SpinDown();
    void Image1_MouseDown(Qt::MouseButton button);
    void focusFirstButton();

signals:
    // Another slide, or the show started or paused.
    void showingChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void place(QWidget* control, const QRect& twips);
    void applyLayout();
    // Manual steps share everything but the new position and the error code.
    void manualStep(int position, const QString& errCode, bool showNumber, bool captionOnFailure);
    void setDelayCaption();

    AppContext& m_context;
    QHash<const QWidget*, QRect> m_design;
    QSize m_designTwips;
    QString m_slidePath;
    TopicChoice m_choice;

    // The slide the next tick will show, read on a worker thread while the current one is on
    // show; only a tick that shows that very file at that very size takes it.
    PictureReadAhead* m_ahead = nullptr;
    // Starts decoding the next tick's slide while the show plays; drops any earlier one.
    void readAhead();
    void discardReadAhead();
    // The size a slide is decoded at: the picture's own, in device pixels.
    QSize slideSize() const;
};

} // namespace kv
