#pragma once

#include <QFrame>

#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace kv {

struct AppContext;
class Panel3D;
class PictureView;
class SpinButton;

// How an offer to copy the disc's photos before installing the saver ended.
enum class PhotoCopyEnd
{
    Finished,  // the copy ran to its end
    Cancelled, // the copy panel was closed, or the user would not copy again
    Refused,   // not enough free space; nothing was copied
};
// Shows the copy panel for the photos and calls `done` once when its turn is over.
using PhotoCopyStarter = std::function<void(AppContext&, std::function<void(PhotoCopyEnd)>)>;

// The screen-saver panel's contents, inside the main window's pnlSSaver.
class SaverPanel : public QFrame
{
    Q_OBJECT
public:
    explicit SaverPanel(QWidget* parent = nullptr);

    PictureView* Image2 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    QLabel* lblDelay = nullptr;
    SpinButton* SpinInterval = nullptr;
    Panel3D* panInterval = nullptr;
    QPushButton* SSCommand4 = nullptr;
    QPushButton* SSCommand6 = nullptr;
    QPushButton* SSCommand5 = nullptr;

    // The copy panel's part in an installation; set by the wiring.
    PhotoCopyStarter copyPhotos;

    // The designed size, in pixels.
    static QSize designSize();
};

// The panel on the main window, made on first use.
SaverPanel& saverPanel(AppContext& c);

} // namespace kv
