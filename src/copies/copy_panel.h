#pragma once

#include <QFrame>

#include <cstdint>

class QLabel;
class QPushButton;

namespace kv {

struct AppContext;
class FloodGauge;
class PictureView;

// How a turn of the copy panel ended.
enum class CopyOutcome {
    Copied,     // every file was copied
    Incomplete, // the copy ran, but not every file made it (each failure was reported)
    Cancelled,  // Cancel hid the panel
    Declined,   // the user did not want to copy again, or the folder could not be made
    Stopped,    // the main window closed during the copy
};

// The copy panel's contents, inside the main window's pnlProgress.
//
// For the screen-saver installer: set CopyingPhotos, call ShowCopyPanel(); when it returns
// true, wait for copyEnded(). A false return means the copy was refused (lack of space).
class CopyPanel : public QFrame
{
    Q_OBJECT
public:
    explicit CopyPanel(QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Text1 = nullptr;
    FloodGauge* ProgressGuage = nullptr;
    FloodGauge* ProgressGuage2 = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdCancel = nullptr;
    PictureView* Image1 = nullptr;

    // Bytes a full copy is assumed to need, and what is left of it after each whole block.
    std::int64_t CopyEstimate = 0;
    std::int64_t CopyRemaining = 0;

    // Puts the file under way into Text1. Blank, it is no stop for a screen reader's focus.
    void showFile(const QString& path);

    // The designed size of the panel, in pixels.
    static QSize designSize();

signals:
    void copyEnded(kv::CopyOutcome outcome);
};

// The panel on the main window, made on first use.
CopyPanel& copyPanel(AppContext& c);

} // namespace kv
