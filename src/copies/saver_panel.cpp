#include "copies/saver_panel.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "platform/twips.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace kv {

namespace {

// A monitor showing a photo of the car line, with the next ones fanned behind it.
QImage saverPicture(const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QRectF screen(w * 0.28, h * 0.08, w * 0.44, h * 0.62);
    for (int i = 2; i >= 1; --i) {
        p.save();
        p.translate(screen.center());
        p.rotate(i * 6.0);
        p.translate(-screen.center());
        p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1));
        p.setBrush(QColor::fromHsv(20 + i * 25, 120, 200));
        p.drawRect(screen.adjusted(w * 0.03 * i, -h * 0.02 * i, w * 0.03 * i, -h * 0.02 * i));
        p.restore();
    }
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 3));
    p.setBrush(QColor(0x20, 0x20, 0x26));
    p.drawRoundedRect(screen.adjusted(-8, -8, 8, 8), 6, 6);
    QLinearGradient sky(screen.topLeft(), screen.bottomLeft());
    sky.setColorAt(0, QColor(0x6f, 0xa8, 0xdc));
    sky.setColorAt(0.6, QColor(0xf4, 0xd8, 0xa8));
    sky.setColorAt(1, QColor(0x55, 0x55, 0x5a));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(screen);
    // A low two-tone coupe in profile.
    const double cx = screen.center().x(), base = screen.bottom() - screen.height() * 0.18;
    const double len = screen.width() * 0.7, ht = screen.height() * 0.16;
    p.setBrush(QColor(0x8c, 0x2a, 0x22));
    p.drawRoundedRect(QRectF(cx - len / 2, base - ht, len, ht), ht / 3, ht / 3);
    p.setBrush(QColor(0xf4, 0xea, 0xd2));
    p.drawRoundedRect(QRectF(cx - len * 0.22, base - ht * 1.9, len * 0.42, ht), ht / 3, ht / 3);
    p.setBrush(QColor(0x18, 0x18, 0x18));
    for (double x : {cx - len * 0.3, cx + len * 0.3})
        p.drawEllipse(QPointF(x, base), ht * 0.45, ht * 0.45);
    p.setBrush(QColor(0x30, 0x30, 0x38));
    p.drawRect(QRectF(cx - w * 0.04, screen.bottom() + 8, w * 0.08, h * 0.1));
    p.drawRoundedRect(QRectF(cx - w * 0.14, screen.bottom() + 8 + h * 0.1, w * 0.28, h * 0.05), 3, 3);
    return img;
}

} // namespace

QSize SaverPanel::designSize()
{
    return QSize(twipsToPixels(6255), twipsToPixels(5175));
}

SaverPanel::SaverPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("SaverPanel"));
    setFixedSize(designSize());
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#SaverPanel { background: #e9e4d6; border: 2px outset #f8f4ea; }"
        "#SaverPanel QLabel#lblTitle { color: #5a1611; font-size: 13pt; font-weight: 700; }"
        "#SaverPanel QLabel, #SaverPanel QRadioButton { color: #202020; }"
        "#SaverPanel QRadioButton:disabled { color: #8a8a8a; }"
        "#SaverPanel QLabel#panInterval { background: #fffdf4; color: #202020; font-weight: 700; }"));

    auto* title = new QLabel(QStringLiteral("The Kel-Vardo Folivra Screen Saver"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 8, width(), 26);

    Image2 = new PictureView(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipRect(1200, 600, 3855, 2640));
    Image2->setImage(saverPicture(Image2->size() * 2));
    Image2->setAccessibleName(QStringLiteral("Screen saver picture"));
    Image2->setFocusPolicy(Qt::NoFocus);

    const std::array<std::pair<QString, QRect>, 2> options = {{
        {QStringLiteral("All Photos"), twipRect(1200, 3480, 1815, 375)},
        {QStringLiteral("Selected Photos"), twipRect(3120, 3480, 2055, 375)},
    }};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(options[i].first, this);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setGeometry(options[i].second);
    }
    Option1[0]->setChecked(true);

    lblDelay = new QLabel(QStringLiteral("Delay:"), this);
    lblDelay->setObjectName(QStringLiteral("lblDelay"));
    lblDelay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDelay->setGeometry(twipRect(1200, 4080, 1815, 360));

    SpinInterval = new SpinButton(this);
    SpinInterval->setObjectName(QStringLiteral("SpinInterval"));
    SpinInterval->setGeometry(twipRect(3120, 4080, 975, 360));
    const std::array<std::pair<QToolButton*, QString>, 2> arrows = {{
        {SpinInterval->upButton(), QStringLiteral("Longer delay")},
        {SpinInterval->downButton(), QStringLiteral("Shorter delay")},
    }};
    for (const auto& [arrow, name] : arrows) {
        arrow->setToolTip(name);
        arrow->setAccessibleName(name);
        arrow->setFocusPolicy(Qt::StrongFocus);
        arrow->setAutoRepeat(false);
    }

    panInterval = new Panel3D(QStringLiteral("1 Second"), this);
    panInterval->setObjectName(QStringLiteral("panInterval"));
    panInterval->setGeometry(twipRect(4080, 4080, 1410, 375));
    panInterval->setAlignment(Qt::AlignCenter);
    // The caption is the value a screen reader must read; what it means goes in the description.
    panInterval->setAccessibleDescription(QStringLiteral("Delay between photos"));
    lblDelay->setBuddy(SpinInterval->upButton());

    const std::array<std::tuple<QPushButton**, const char*, const char*, QRect>, 3> buttons = {{
        {&SSCommand4, "SSCommand4", "Install", twipRect(360, 4560, 1815, 375)},
        {&SSCommand6, "SSCommand6", "Cancel", twipRect(2160, 4560, 1815, 375)},
        {&SSCommand5, "SSCommand5", "Help", twipRect(3960, 4560, 1815, 375)},
    }};
    for (const auto& [slot, name, caption, rect] : buttons) {
        *slot = new QPushButton(QString::fromLatin1(caption), this);
        (*slot)->setObjectName(QString::fromLatin1(name));
        // The designed buttons touch; a small gap keeps each one readable as a button.
        (*slot)->setGeometry(rect.adjusted(3, 0, -3, 0));
    }
    SSCommand6->setShortcut(Qt::Key_Escape);

    setTabOrder(Option1[0], Option1[1]);
    setTabOrder(Option1[1], SpinInterval->upButton());
    setTabOrder(SpinInterval->upButton(), SpinInterval->downButton());
    setTabOrder(SpinInterval->downButton(), SSCommand4);
    setTabOrder(SSCommand4, SSCommand6);
    setTabOrder(SSCommand6, SSCommand5);
}

SaverPanel& saverPanel(AppContext& c)
{
    QFrame* host = c.form1->pnlSSaver;
    if (auto* existing = host->findChild<SaverPanel*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    auto* panel = new SaverPanel(host);
    host->setFrameStyle(QFrame::NoFrame);
    host->resize(panel->size());
    return *panel;
}

} // namespace kv
