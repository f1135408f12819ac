#include "copies/copy_panel.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPushButton>

namespace kv {

QSize CopyPanel::designSize()
{
    return QSize(twipsToPixels(7215), twipsToPixels(4935));
}

CopyPanel::CopyPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("copyPanel"));
    resize(designSize());

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    // As designed, widened to the panel's right margin so the bold title is never clipped.
    Label2->setGeometry(twipRect(1560, 240, 7215 - 1560 - 240, 375));
    QFont title = Label2->font();
    title.setBold(true);
    Label2->setFont(title);

    Label1 = new QLabel(QStringLiteral("Copying file:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipRect(240, 600, 1215, 255));

    // The file being copied, shown in a box; a label, so that a screen reader reads the name.
    Text1 = new QLabel(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipRect(1440, 600, 5415, 255).adjusted(0, -2, 0, 2));
    Text1->setAccessibleDescription(QStringLiteral("Copying file"));

    ProgressGuage = new FloodGauge(this);
    ProgressGuage->setObjectName(QStringLiteral("ProgressGuage"));
    ProgressGuage->setGeometry(twipRect(360, 960, 6495, 375));
    ProgressGuage->setAccessibleName(QStringLiteral("Progress of this file"));

    Image1 = new PictureView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipRect(1800, 1560, 3600, 1920));
    Image1->setPainted([](const QSize& box) { return discToDrivePicture(box * 2); });
    Image1->setAccessibleName(QStringLiteral("From the CD-ROM to the hard drive"));

    ProgressGuage2 = new FloodGauge(this);
    ProgressGuage2->setObjectName(QStringLiteral("ProgressGuage2"));
    ProgressGuage2->setGeometry(twipRect(360, 3840, 6495, 375));
    ProgressGuage2->setAccessibleName(QStringLiteral("Progress of the whole copy"));

    // Each copy sets the caption, "Copy Photos" or "Copy Movies"; a screen reader reads it.
    cmdCopy = new QPushButton(QStringLiteral("Copy Photos"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdCopy->setGeometry(twipRect(360, 4320, 3255, 375));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twipRect(3600, 4320, 3255, 375));
    setTabOrder(cmdCopy, cmdCancel);
}

void CopyPanel::showFile(const QString& path)
{
    Text1->setText(path);
    Text1->setTextInteractionFlags(path.trimmed().isEmpty() ? Qt::NoTextInteraction : Qt::TextSelectableByMouse);
}

CopyPanel& copyPanel(AppContext& c)
{
    Form1& f = *c.form1;
    if (f.copyPanel)
        return *f.copyPanel;
    QFrame* host = f.pnlProgress;
    host->setStyleSheet(QStringLiteral(
        "QFrame#pnlProgress { background: #ece6d6; border: 2px outset #c8bea8; }"
        "QLabel { color: #202020; }"
        "QLabel#Text1 { background: #fffdf4; border: 1px inset #a89c80; padding: 0 2px; }"
        "QProgressBar { border: 1px inset #8a8070; background: #ffffff; color: #202020; }"
        "QProgressBar::chunk { background: #1f4aa8; }"));
    host->setAttribute(Qt::WA_StyledBackground);
    f.copyPanel = new CopyPanel(host);
    f.copyPanel->move(0, 0);
    host->resize(CopyPanel::designSize());
    return *f.copyPanel;
}

} // namespace kv
