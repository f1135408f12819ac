#include "app/wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/main_window.h"
#include "app/utilities.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "browse/document_catalogue.h"
#include "browse/topic_selection.h"
#include "photos/photo_stepping.h"
#include "photos/slide_show.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace kv {

namespace {
// A click on the read-only file-name box.
class ClickFilter : public QObject
{
public:
    ClickFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent), m_onClick(std::move(onClick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_onClick();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClick;
};
} // namespace

void wireForm1(AppContext& c)
{
    Form1& f = *c.form1;
    for (int i = 1; i <= 3; ++i)
        QObject::connect(f.cmdYR[i], &QPushButton::clicked, &f, [&c, i] { cmdYR_Click(c, i); });
    QObject::connect(&f, &Form1::yearButtonKey, &f, [&c](int i, int key) { cmdYR_KeyDown(c, i, key); });
    QObject::connect(&f, &Form1::backgroundClicked, &f, [&c] { Form1_Click(c); });
    QObject::connect(&f, &Form1::deactivated, &f, [&c] { Form1_LostFocus(c); });
    for (int i : {0, 1, 3, 5, 7})
        QObject::connect(f.mnuStuff[i], &QAction::triggered, &f, [&c, i] { mnuStuff_Click(c, i); });
    QObject::connect(f.Image4, &PictureView::pressed, &f,
                     [&c](Qt::MouseButton b) { Image4_MouseDown(c, b == Qt::RightButton); });

    QObject::connect(f.SpinButton1, &SpinButton::spinUp, &f, [&c] { NextPhoto(c); });
    QObject::connect(f.SpinButton1, &SpinButton::spinDown, &f, [&c] { PreviousPhoto(c); });
    QObject::connect(f.panPhoto, &Panel3D::doubleClicked, &f, [&c] { panPhoto_DblClick(c); });
    QObject::connect(f.ssCmdSlide, &QPushButton::clicked, &f, [&c] { ssCmdSlide_Click(c); });
    QObject::connect(f.mnuNames, &QAction::triggered, &f, [&c] { mnuNames_Click(c); });
    f.txtFile->installEventFilter(new ClickFilter(f.txtFile, [&c] { txtFile_Click(c); }));

    QObject::connect(f.mnuHideStatus, &QAction::triggered, &f, [&c] { ToggleTaskbar(c); });
    QObject::connect(&f, &Form1::resized, &f, [&c] { Form1_Resize(c); });
    QObject::connect(f.cmdExit, &QPushButton::clicked, &f, [&f] { f.close(); });
    QObject::connect(f.mnuExit, &QAction::triggered, &f, [&f] { f.close(); });
    QObject::connect(&f, &Form1::closing, &f, [&c] {
        Form1_QueryUnload(c);
        if (c.quitApplication)
            c.quitApplication();
    });

    wireDocuments(c);
    wireUtilities(c);
}

} // namespace kv
