#pragma once

#include <QWidget>

#include <memory>

class QFrame;
class QTimer;

namespace kv {

struct AppContext;
class IMediaDevice;
class PictureView;

// The splash window shown while the program looks for its disc.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    explicit Form2(AppContext& context, QWidget* parent = nullptr);
    ~Form2() override;

    QFrame* SSPanel1 = nullptr;
    PictureView* Picture3 = nullptr;
    PictureView* Image1 = nullptr;
    // Made on first use, after the splash is painted.
    std::unique_ptr<IMediaDevice> MMControl1;
    QTimer* Timer1 = nullptr;

    // Shows the splash and waits (briefly) until it is on screen and painted.
    void showPainted();
    IMediaDevice& media();

private:
    AppContext& m_context;
};

} // namespace kv
