#include "app/frm_about.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/twips.h"

#include <QPushButton>

namespace kv {

QString makerWebSite()
{
    return QStringLiteral("https://www.orvanta.example/");
}

QString registrationPage()
{
    return makerWebSite() + QStringLiteral("register.htm");
}

FrmAbout::FrmAbout(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About the Kel-Vardo Folivra"));
    setModal(true);
    setFixedSize(twipsToPixels(6600), twipsToPixels(4500));
    setStyleSheet(QStringLiteral(
        "#frmAbout { background: #d8d0bc; }"
        "#SSPanel1 { color: #8c2a22; font-size: 17pt; font-weight: 700; background: #f4ead2; }"
        "#pnlContact, #SSPanel2 { color: #202020; background: #ece4cf; padding: 4px; }"));

    Image1 = new PictureView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("The Kel-Vardo Folivra title picture"));
    Image1->setGeometry(twipRect(180, 180, 2400, 1800));
    Image1->setPainted([](const QSize& box) { return titlePicture(box * 2); });

    SSPanel1 = new Panel3D(QStringLiteral("Kel-Vardo Folivra"), this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setAlignment(Qt::AlignCenter);
    SSPanel1->setGeometry(twipRect(2760, 180, 3660, 780));

    Picture2 = new PictureView(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAccessibleName(QStringLiteral("Orvanta Software logo"));
    Picture2->setGeometry(twipRect(2760, 1140, 840, 840));
    Picture2->setPainted([](const QSize& box) { return makerLogo(box * 2); });

    pnlContact = new Panel3D(QStringLiteral("Orvanta Software\n1207 Harbor Lane\nPort Ellery, ME 04999\n")
                                 + QString(makerWebSite()).remove(QStringLiteral("https://")).remove(QLatin1Char('/')),
                             this);
    pnlContact->setObjectName(QStringLiteral("pnlContact"));
    pnlContact->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pnlContact->setGeometry(twipRect(3720, 1140, 2700, 1500));

    SSPanel2 = new Panel3D(QStringLiteral("Version 1.0  \u00a9 Orvanta Software. All rights reserved."), this);
    SSPanel2->setObjectName(QStringLiteral("SSPanel2"));
    SSPanel2->setAlignment(Qt::AlignCenter);
    SSPanel2->setWordWrap(true);
    SSPanel2->setGeometry(twipRect(180, 2820, 6240, 660));

    SSCommand2 = makeButton(this, QStringLiteral("SSCommand2"), QStringLiteral("&Web Site"), twipRect(180, 3720, 2400, 495));
    SSCommand2->setToolTip(makerWebSite());

    SSCommand1 = makeButton(this, QStringLiteral("SSCommand1"), QStringLiteral("OK"), twipRect(4020, 3720, 2400, 495));
    SSCommand1->setDefault(true);

    setTabOrder(SSCommand1, SSCommand2);
    connect(SSCommand1, &QPushButton::clicked, this, &FrmAbout::SSCommand1_Click);
    connect(SSCommand2, &QPushButton::clicked, this, &FrmAbout::SSCommand2_Click);

    // Load: centred on the main window's size.
    const QSize main = m_context.form1 ? m_context.form1->frameGeometry().size() : m_context.screen().sizePixels();
    move(position(main, size()));
    SSCommand1->setFocus(Qt::OtherFocusReason);
    m_context.frmAbout = this;
}

FrmAbout::~FrmAbout() = default;

QPoint FrmAbout::position(const QSize& mainWindow, const QSize& about)
{
    // A box larger than the window would start above or left of the screen.
    return QPoint(qMax(0, (mainWindow.width() - about.width()) / 2),
                  qMax(0, (mainWindow.height() - about.height()) / 2));
}

void FrmAbout::SSCommand1_Click()
{
    accept();
}

void FrmAbout::SSCommand2_Click()
{
    m_context.shell().openUrl(makerWebSite());
}

} // namespace kv
