#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv {

struct AppContext;
class FloodGauge;
class PictureView;

// The photo window: copies the main window's photo to a file or the clipboard, prints it, and
// keeps the screen-saver photo set. Not modal; stays above other windows while open.
class FrmSSPhoto : public QDialog
{
    Q_OBJECT
public:
    explicit FrmSSPhoto(AppContext& context, QWidget* parent = nullptr);

    QLabel* Text4 = nullptr;
    PictureView* Picture1 = nullptr;
    QPushButton* SSCommand4 = nullptr;
    QPushButton* SSCommand3 = nullptr;
    QPushButton* SSCommand5 = nullptr;
    QPushButton* SSCommand7 = nullptr;
    QPushButton* SSCommand8 = nullptr;
    QPushButton* SSCommand2 = nullptr;
    QPushButton* SSCommand1 = nullptr;
    QPushButton* SSCommand9 = nullptr;
    FloodGauge* ProgressGuage = nullptr;

    // Handlers (frm_ssphoto_handlers.cpp).
    void SSCommand4_Click(); // copy to a file
    void SSCommand3_Click(); // copy to the clipboard
    void SSCommand5_Click(); // print
    void SSCommand7_Click(); // add to the set
    void SSCommand8_Click(); // remove from the set
    void SSCommand2_Click(); // remove all
    void SSCommand1_Click(); // help
    void SSCommand9_Click(); // exit

    // Escape closes the window like any other way out.
    void reject() override { close(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& m_context;
};

} // namespace kv
