#include "photos/frm_ssphoto.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "platform/product.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace kv {

FrmSSPhoto::FrmSSPhoto(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSSPhoto"));
    setWindowTitle(ProductTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(330, 398);

    Text4 = new QLabel(QStringLiteral("Screen Saver Photo Selection"), this);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setAlignment(Qt::AlignCenter);
    Text4->setGeometry(10, 10, 310, 28);
    QFont heading = Text4->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.15);
    Text4->setFont(heading);

    Picture1 = new PictureView(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(10, 44, 310, 64);
    Picture1->setPainted([](const QSize& box) { return cameraPicture(box * 2); });
    Picture1->setAccessibleName(QStringLiteral("Camera and film"));

    const int left = 10, width = 310, height = 30, step = 35;
    int y = 116;
    SSCommand4 = makeButton(this, QStringLiteral("SSCommand4"), QStringLiteral("Copy this photo to disk"), QRect(left, y, width, height));
    SSCommand3 = makeButton(this, QStringLiteral("SSCommand3"), QStringLiteral("Copy this photo to Clipboard"), QRect(left, y += step, width, height));
    SSCommand5 = makeButton(this, QStringLiteral("SSCommand5"), QStringLiteral("Print this photo"), QRect(left, y += step, width, height));
    SSCommand7 = makeButton(this, QStringLiteral("SSCommand7"), QStringLiteral("Add this photo to SS list"), QRect(left, y += step, width, height));
    SSCommand8 = makeButton(this, QStringLiteral("SSCommand8"), QStringLiteral("Remove this photo from SS list"), QRect(left, y += step, width, height));
    SSCommand2 = makeButton(this, QStringLiteral("SSCommand2"), QStringLiteral("Remove all photos from the SS list"), QRect(left, y += step, width, height));

    ProgressGuage = new FloodGauge(this);
    ProgressGuage->setObjectName(QStringLiteral("ProgressGuage"));
    ProgressGuage->setGeometry(left, y += step + 4, width, 18);
    ProgressGuage->setAccessibleName(QStringLiteral("Copy progress"));

    y += 28;
    SSCommand1 = makeButton(this, QStringLiteral("SSCommand1"), QStringLiteral("Help"), QRect(left, y, width / 2 - 4, height));
    SSCommand9 = makeButton(this, QStringLiteral("SSCommand9"), QStringLiteral("Exit"), QRect(left + width / 2 + 4, y, width / 2 - 4, height));

    connect(SSCommand4, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand4_Click);
    connect(SSCommand3, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand3_Click);
    connect(SSCommand5, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand5_Click);
    connect(SSCommand7, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand7_Click);
    connect(SSCommand8, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand8_Click);
    connect(SSCommand2, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand2_Click);
    connect(SSCommand1, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand1_Click);
    connect(SSCommand9, &QPushButton::clicked, this, &FrmSSPhoto::SSCommand9_Click);
}

void FrmSSPhoto::closeEvent(QCloseEvent* event)
{
    // Not QDialog's: it would route the close through reject(), which closes.
    event->accept();
    // A photo being copied from here is given up with the window.
    if (m_context.stopCopy)
        m_context.stopCopy();
    if (m_context.form1)
        m_context.form1->setEnabled(true);
}

} // namespace kv
