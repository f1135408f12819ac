#include "app/form2.h"

#include "app/app_context.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "platform/media_device.h"
#include "platform/product.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace kv {

Form2::Form2(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(ProductTitle);
    resize(560, 380);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setLineWidth(4);
    layout->addWidget(SSPanel1);
    auto* inner = new QVBoxLayout(SSPanel1);
    inner->setContentsMargins(6, 6, 6, 6);
    Picture3 = new PictureView(SSPanel1);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setStretch(true);
    Picture3->setImage(titlePicture(QSize(548, 368)));
    inner->addWidget(Picture3);
    Image1 = new PictureView(SSPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->hide();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // Five seconds, not "about" five: a coarse timer may fire a quarter second either way.
    Timer1->setTimerType(Qt::PreciseTimer);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = rect();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

Form2::~Form2() = default;

void Form2::showPainted()
{
    show();
    // The title is on screen before anything slow (the media player) is made.
    QWindow* window = windowHandle();
    QDeadlineTimer deadline(250);
    while (window && !window->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    repaint();
}

IMediaDevice& Form2::media()
{
    if (!MMControl1)
        MMControl1 = m_context.media().create();
    return *MMControl1;
}

} // namespace kv
