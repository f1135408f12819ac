#include "copies/saver_panel.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "app/widgets/title_widgets.h"
#include "platform/twips.h"
#include "platform/product.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace kv {

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

    auto* title = new QLabel(ProductTitle + QStringLiteral(" Screen Saver"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 8, width(), 26);

    Image2 = new PictureView(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipRect(1200, 600, 3855, 2640));
    Image2->setPainted([](const QSize& box) { return saverPicture(box * 2); });
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
        // The designed buttons touch; a small gap keeps each one readable as a button.
        *slot = makeButton(this, QString::fromLatin1(name), QString::fromLatin1(caption), rect.adjusted(3, 0, -3, 0));
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
    Form1& f = *c.form1;
    if (f.saverPanel)
        return *f.saverPanel;
    QFrame* host = f.pnlSSaver;
    f.saverPanel = new SaverPanel(host);
    host->setFrameStyle(QFrame::NoFrame);
    host->resize(f.saverPanel->size());
    return *f.saverPanel;
}

} // namespace kv
