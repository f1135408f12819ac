#include "photos/frm_ssphoto.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "app/widgets/picture_view.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace kv {

namespace {
// A camera over a strip of film: the window's own decoration.
QImage decoration(const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x24));
    const QRectF strip(0, h * 0.3, w, h * 0.4);
    p.drawRect(strip);
    p.setBrush(QColor(0xec, 0xe6, 0xd6));
    for (double x = 6; x < w; x += 16) {
        p.drawRect(QRectF(x, strip.top() + 3, 8, 5));
        p.drawRect(QRectF(x, strip.bottom() - 8, 8, 5));
    }
    const QColor frames[] = {QColor(0xd9, 0x8a, 0x4e), QColor(0x1d, 0x3b, 0x5a), QColor(0x8c, 0x2a, 0x22)};
    const double fw = w / 3 - 12;
    for (int i = 0; i < 3; ++i) {
        p.setBrush(frames[i]);
        p.drawRect(QRectF(6 + i * (fw + 12), strip.top() + 11, fw, strip.height() - 22));
    }
    const QRectF body(w * 0.5 - h * 0.45, h * 0.12, h * 0.9, h * 0.76);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 2));
    p.setBrush(QColor(0x50, 0x50, 0x58));
    p.drawRoundedRect(body, 6, 6);
    p.setBrush(QColor(0xb8, 0xc4, 0xdc));
    p.drawEllipse(body.center(), h * 0.24, h * 0.24);
    p.setBrush(QColor(0x20, 0x30, 0x48));
    p.drawEllipse(body.center(), h * 0.13, h * 0.13);
    return img;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}
} // namespace

FrmSSPhoto::FrmSSPhoto(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSSPhoto"));
    setWindowTitle(QStringLiteral("The Kel-Vardo Folivra"));
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
    Picture1->setImage(decoration(Picture1->size() * 2));
    Picture1->setAccessibleName(QStringLiteral("Camera and film"));

    const int left = 10, width = 310, height = 30, step = 35;
    int y = 116;
    SSCommand4 = button(this, "SSCommand4", "Copy this photo to disk", QRect(left, y, width, height));
    SSCommand3 = button(this, "SSCommand3", "Copy this photo to Clipboard", QRect(left, y += step, width, height));
    SSCommand5 = button(this, "SSCommand5", "Print this photo", QRect(left, y += step, width, height));
    SSCommand7 = button(this, "SSCommand7", "Add this photo to SS list", QRect(left, y += step, width, height));
    SSCommand8 = button(this, "SSCommand8", "Remove this photo from SS list", QRect(left, y += step, width, height));
    SSCommand2 = button(this, "SSCommand2", "Remove all photos from the SS list", QRect(left, y += step, width, height));

    ProgressGuage = new FloodGauge(this);
    ProgressGuage->setObjectName(QStringLiteral("ProgressGuage"));
    ProgressGuage->setGeometry(left, y += step + 4, width, 18);
    ProgressGuage->setAccessibleName(QStringLiteral("Copy progress"));

    y += 28;
    SSCommand1 = button(this, "SSCommand1", "Help", QRect(left, y, width / 2 - 4, height));
    SSCommand9 = button(this, "SSCommand9", "Exit", QRect(left + width / 2 + 4, y, width / 2 - 4, height));

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
