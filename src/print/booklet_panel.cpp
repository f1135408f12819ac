#include "print/booklet_panel.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/topics.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "app/window_helpers.h"
#include "platform/printer/printer.h"
#include "platform/richtext/rich_text_box.h"
#include "platform/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace kv {

namespace {
const QString PrintCaption = QStringLiteral("Print");
const QString CancelCaption = QStringLiteral("Cancel");
constexpr QSize PanelTwips(6015, 5655);

const char* const PanelStyle = R"(
#pnlPrint { background: #e4dcc8; border: 2px outset #b8a888; }
#pnlPrint QLabel, #pnlPrint QCheckBox, #pnlPrint QGroupBox { color: #1a1a1a; }
#pnlPrint QGroupBox { border: 1px solid #9a8c6c; margin-top: 8px; }
#pnlPrint QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }
#pnlPrint QListWidget { background: white; color: #1a1a1a; }
#pnlPrint QLabel#Label3 { color: #c00000; }
)";


QCheckBox* checkBox(QWidget* parent, int index, const char* caption, const QRect& geometry)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QStringLiteral("Check1_%1").arg(index));
    box->setGeometry(geometry);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* l = new QLabel(QString::fromLatin1(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

// Unchecks everything and leaves both year lists without a chosen year.
void resetChoices(BookletPanel& p)
{
    for (QCheckBox* box : p.Check1)
        box->setChecked(false);
    p.cmdPrint->setEnabled(false);
    p.cmdPrint->setText(PrintCaption);
    p.cmdOK->setText(CancelCaption);
    for (QListWidget* list : p.List1) {
        if (list->count() > 0)
            list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        list->clearSelection();
    }
}
} // namespace

BookletPanel::BookletPanel(QFrame* panel)
    : QObject(panel)
    , pnlPrint(panel)
{
    setObjectName(QStringLiteral("bookletPanel"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(QString::fromLatin1(PanelStyle));
    panel->resize(twipsToPixels(PanelTwips.width()), twipsToPixels(PanelTwips.height()));

    Label3 = label(panel, "Label3", "Print KelVardo Booklet", twipRect(1440, 360, 3135, 375));
    QFont big = Label3->font();
    big.setBold(true);
    big.setPointSizeF(13.5);
    Label3->setFont(big);
    // The caption keeps its place but may need more room than the design gave it.
    Label3->resize(qMax(Label3->width(), Label3->sizeHint().width()), Label3->height());

    Check1[0] = checkBox(panel, 0, " Cover", twipRect(960, 1200, 1815, 240));
    Check1[1] = checkBox(panel, 1, " Introduction", twipRect(960, 1680, 1815, 240));
    Frame2 = new QGroupBox(QStringLiteral(" By year "), panel);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipRect(3240, 840, 1815, 1335));
    Check1[3] = checkBox(Frame2, 3, " Description", twipRect(120, 360, 1575, 240));
    Check1[4] = checkBox(Frame2, 4, " Details", twipRect(120, 840, 1335, 240));
    // Sections the booklet once had; they exist but are never offered.
    const std::array<std::pair<int, const char*>, 4> hidden = {
        {{2, " Clip art"}, {5, " Engines"}, {6, " Options"}, {7, " Colors"}}};
    for (const auto& [index, caption] : hidden) {
        Check1[index] = checkBox(panel, index, caption, QRect());
        Check1[index]->hide();
    }

    Image3 = new PictureView(panel);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setAccessibleName(QStringLiteral("A Kel-Vardo car"));
    Image3->setGeometry(twipRect(480, 2400, 5055, 1455));
    // The car keeps its proportions; drawn at least at its designed 340 by 110, larger when
    // the box grows beyond that.
    Image3->setPainted([](const QSize& box) {
        const QSize car(340, 110);
        return carPicture(car.scaled(box, Qt::KeepAspectRatioByExpanding).expandedTo(car));
    });

    Label5 = label(panel, "Label5", "Choose print range:", twipRect(360, 4080, 2160, 240));
    Label4 = label(panel, "Label4", "From:", twipRect(360, 4440, 600, 240));
    Label6 = label(panel, "Label6", "To:", twipRect(2280, 4440, 360, 240));
    List1[0] = new QListWidget(panel);
    List1[0]->setGeometry(twipRect(1080, 4440, 1095, 780));
    List1[1] = new QListWidget(panel);
    List1[1]->setGeometry(twipRect(2760, 4440, 1215, 780));
    for (int i = 0; i < 2; ++i) {
        List1[i]->setObjectName(QStringLiteral("List1_%1").arg(i));
        List1[i]->setSelectionMode(QAbstractItemView::SingleSelection);
        List1[i]->setAccessibleName(i == 0 ? QStringLiteral("From year") : QStringLiteral("To year"));
    }
    Label4->setBuddy(List1[0]);
    Label6->setBuddy(List1[1]);

    cmdPrint = makeButton(panel, QStringLiteral("cmdPrint"), PrintCaption, twipRect(4200, 4200, 1455, 375));
    SSCommand7 = makeButton(panel, QStringLiteral("SSCommand7"), QStringLiteral("Clear"), twipRect(4200, 4560, 1455, 375));
    cmdOK = makeButton(panel, QStringLiteral("cmdOK"), CancelCaption, twipRect(4200, 4920, 1455, 375));

    rtbText = new RichTextBox(panel);
    rtbText->setObjectName(QStringLiteral("rtbText"));
    rtbText->setGeometry(twipRect(5040, 120, 735, 615));
    rtbText->hide();
    Picture3 = new PictureView(panel);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(twipRect(4800, 1320, 975, 495));
    Picture3->hide();

    QWidget::setTabOrder(Check1[0], Check1[1]);
    QWidget::setTabOrder(Check1[1], Check1[3]);
    QWidget::setTabOrder(Check1[3], Check1[4]);
    QWidget::setTabOrder(Check1[4], List1[0]);
    QWidget::setTabOrder(List1[0], List1[1]);
    QWidget::setTabOrder(List1[1], cmdPrint);
    QWidget::setTabOrder(cmdPrint, SSCommand7);
    QWidget::setTabOrder(SSCommand7, cmdOK);
    cmdPrint->setEnabled(false);
}

QString BookletPanel::yearCode(int list) const
{
    const QList<QListWidgetItem*> chosen = List1[list]->selectedItems();
    return chosen.isEmpty() ? QString() : yearTopic(chosen.first()->data(Qt::UserRole).toInt()).code;
}

bool BookletPanel::anyChecked() const
{
    for (const QCheckBox* box : Check1) {
        if (box->isChecked())
            return true;
    }
    return false;
}

BookletPanel& bookletPanel(AppContext& c)
{
    Form1& f = *c.form1;
    if (!f.bookletPanel)
        f.bookletPanel = new BookletPanel(f.pnlPrint);
    return *f.bookletPanel;
}

void fillYearLists(AppContext& c)
{
    BookletPanel& p = bookletPanel(c);
    for (QListWidget* list : p.List1) {
        list->clear();
        for (int button = 1; button <= YearButtonCount; ++button) {
            auto* item = new QListWidgetItem(yearTopic(button).caption, list);
            item->setData(Qt::UserRole, button);
        }
        list->clearSelection();
    }
}

void mnuPrnt_Click(AppContext& c)
{
    closePhotoWindow(c);
    Form1& f = *c.form1;
    BookletPanel& p = bookletPanel(c);
    // Centred on the span from the window's left edge to the Exit button's right edge.
    const int exitRight = f.cmdExit->mapTo(f.stage, QPoint(f.cmdExit->width(), 0)).x();
    p.pnlPrint->move((exitRight - p.pnlPrint->width()) / 2, f.Image4->y() + 5);
    p.pnlPrint->raise();
    resetChoices(p);
    p.pnlPrint->show();
    p.cmdOK->setFocus(Qt::OtherFocusReason);
}

void mnuPrint_Click(AppContext& c)
{
    closePhotoWindow(c);
    if (c.services.printer)
        c.printer().setupDialog(c.form1);
}

void Check1_Click(AppContext& c, int)
{
    BookletPanel& p = bookletPanel(c);
    p.cmdPrint->setEnabled(p.anyChecked());
}

void SSCommand7_Click(AppContext& c)
{
    resetChoices(bookletPanel(c));
}

void cmdOK_Click(AppContext& c)
{
    bookletPanel(c).pnlPrint->hide();
}

void wireBookletPanel(AppContext& c)
{
    Form1& f = *c.form1;
    BookletPanel& p = bookletPanel(c);
    for (int i = 0; i < int(p.Check1.size()); ++i)
        QObject::connect(p.Check1[i], &QCheckBox::toggled, &p, [&c, i] { Check1_Click(c, i); });
    QObject::connect(p.cmdPrint, &QPushButton::clicked, &p, [&c] { cmdPrint_Click(c); });
    QObject::connect(p.SSCommand7, &QPushButton::clicked, &p, [&c] { SSCommand7_Click(c); });
    QObject::connect(p.cmdOK, &QPushButton::clicked, &p, [&c] { cmdOK_Click(c); });
    QObject::connect(f.mnuPrnt, &QAction::triggered, &f, [&c] { mnuPrnt_Click(c); });
    QObject::connect(f.mnuPrint, &QAction::triggered, &f, [&c] { mnuPrint_Click(c); });
}

} // namespace kv
