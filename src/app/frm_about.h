#pragma once

#include <QDialog>

class QPushButton;

namespace kv {

struct AppContext;
class Panel3D;
class PictureView;

// The about box: title, the maker's address and web site, OK.
class FrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit FrmAbout(AppContext& context, QWidget* parent = nullptr);
    ~FrmAbout() override;

    // Where the box goes: centred on the main window's size, counted from the screen's corner.
    static QPoint position(const QSize& mainWindow, const QSize& about);

    void SSCommand1_Click();
    void SSCommand2_Click();

    Panel3D* SSPanel1 = nullptr;
    Panel3D* pnlContact = nullptr;
    Panel3D* SSPanel2 = nullptr;
    QPushButton* SSCommand1 = nullptr;
    QPushButton* SSCommand2 = nullptr;
    PictureView* Picture2 = nullptr;
    PictureView* Image1 = nullptr;

private:
    AppContext& m_context;
};

// The maker's web site and its on-line registration page.
QString makerWebSite();
QString registrationPage();

} // namespace kv
