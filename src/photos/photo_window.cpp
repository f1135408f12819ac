#include "photos/photo_window.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/window_helpers.h"
#include "photos/frm_ssphoto.h"
#include "photos/saver_buttons.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/printer/printer.h"
#include "platform/twips.h"

#include <QAction>
#include <QFont>
#include <QImage>
#include <QRect>

#include <algorithm>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
// A 10-point fixed-pitch line: twelve spaces indent the title by the picture's inch.
constexpr int LineTwips = 240;
constexpr int PictureLeft = 1440;
constexpr int PictureTop = 3000;

QFont printFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    return font;
}

// The edge of the paper most printers cannot reach.
constexpr int PaperEdge = 360;

// Natural size at 96 dpi; shrunk (never grown) only when that would run off the paper.
QRect pictureRect(const QImage& image, const QRect& paper)
{
    QSize size(pixelsToTwips(image.width()), pixelsToTwips(image.height()));
    const QSize room(std::max(1, paper.width() - PictureLeft - PaperEdge),
                     std::max(1, paper.height() - PictureTop - PaperEdge));
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    return QRect(QPoint(PictureLeft, PictureTop), size);
}
} // namespace

void OpenPhotoWindow(AppContext& c)
{
    auto* w = qobject_cast<FrmSSPhoto*>(c.frmSSPhoto.data());
    if (!w) {
        w = new FrmSSPhoto(c, c.form1);
        c.frmSSPhoto = w;
        if (c.form1) {
            const QRect main = c.form1->geometry();
            w->move(main.center() - QPoint(w->width() / 2, w->height() / 2));
        }
    }
    w->show();
    RefreshSaverButtons(c);
    SetTopmost(w, true);
    w->raise();
    w->activateWindow();
}

bool PrintPhoto(AppContext& c)
{
    AppState& s = c.state;
    const int answer = c.dialogs().messageBox(QStringLiteral("Would you like to print this photograph?"),
                                              Buttons::OkCancel, Icon::Question, ProductTitle);
    s.MsgAnswer = QString::number(answer);
    if (answer != Ok)
        return false;
    Form1& f = *c.form1;
    IPrinter* printer = c.services.printer.get();
    c.busy().busy();
    bool ok = printer && printer->beginJob(ProductTitle);
    if (ok) {
        const QFont font = printFont();
        int y = 0;
        auto line = [&](const QString& text) {
            printer->drawText(0, y, text, font);
            y += LineTwips;
        };
        for (int i = 0; i < 8; ++i)
            line(QStringLiteral(" "));
        line(QStringLiteral("            ") + ProductTitle);
        line(QStringLiteral(" "));
        line(QStringLiteral("            ") + c.state.Selection.shownCaption());
        line(QStringLiteral(" "));
        const QImage picture = f.Image4->image();
        printer->drawImage(pictureRect(picture, printer->paperRectTwips()), picture);
        ok = printer->endJob();
    }
    c.busy().normal();
    // A cancel is the user's choice and is not reported.
    if (!ok && !(printer && printer->cancelled())) {
        // A missing or failing printer is reported, never fatal.
        QString text = QStringLiteral("Unable to print the photo.");
        const QString why = printer ? printer->lastError() : QStringLiteral("No printer is available.");
        if (!why.isEmpty())
            text += CrLf + CrLf + why;
        c.dialogs().messageBox(text, Buttons::Ok, Icon::Critical, ProductTitle);
    }
    return ok;
}

void mnuCopyPhoto_Click(AppContext& c)
{
    // Already there is fine: the set folder only has to exist.
    c.files().makeDir(SaverSetFolder(c));
    OpenPhotoWindow(c);
}

void mnuPrintPhoto_Click(AppContext& c)
{
    PrintPhoto(c);
}

} // namespace kv
