#include "photos/photos_wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/spin_button.h"
#include "photos/photo_stepping.h"
#include "photos/photo_window.h"
#include "photos/slide_show.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <functional>

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

void wirePhotos(AppContext& c)
{
    Form1& f = *c.form1;
    QObject::connect(f.SpinButton1, &SpinButton::spinUp, &f, [&c] { NextPhoto(c); });
    QObject::connect(f.SpinButton1, &SpinButton::spinDown, &f, [&c] { PreviousPhoto(c); });
    QObject::connect(f.panPhoto, &Panel3D::doubleClicked, &f, [&c] { panPhoto_DblClick(c); });
    QObject::connect(f.ssCmdSlide, &QPushButton::clicked, &f, [&c] { ssCmdSlide_Click(c); });
    QObject::connect(f.mnuNames, &QAction::triggered, &f, [&c] { mnuNames_Click(c); });
    f.txtFile->installEventFilter(new ClickFilter(f.txtFile, [&c] { txtFile_Click(c); }));
    QObject::connect(f.mnuCopyPhoto, &QAction::triggered, &f, [&c] { mnuCopyPhoto_Click(c); });
    QObject::connect(f.mnuPrintPhoto, &QAction::triggered, &f, [&c] { mnuPrintPhoto_Click(c); });
}

} // namespace kv
