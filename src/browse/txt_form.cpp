#include "browse/txt_form.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/layout_scale.h"
#include "app/painted_icon.h"
#include "app/widgets/title_widgets.h"
#include "app/window_helpers.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/printer/printer.h"
#include "platform/richtext/print_rich_text.h"
#include "platform/richtext/rich_text_box.h"
#include "platform/screen.h"
#include "platform/twips.h"

#include <QEvent>
#include <QPointer>
#include <QPushButton>

#include <cmath>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
constexpr int OneInch = 1440;

} // namespace

TxtForm::TxtForm(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("txtForm"));
    placesItsOwnControls(this);
    setModal(true);
    const QSize client(twipsToPixels(7965), twipsToPixels(6840));
    // The designed size is the least; a reader may give the text more room.
    resize(client);
    setMinimumSize(client);

    rtbText = new RichTextBox(this);
    rtbText->setObjectName(QStringLiteral("rtbText"));
    rtbText->setGeometry(twipRect(120, 120, 7695, 6135));

    SSCommand1 = makeButton(this, QStringLiteral("SSCommand1"), QStringLiteral("OK"), twipRect(120, 6360, 7316, 375));

    cmdPrint = makeButton(this, QStringLiteral("cmdPrint"), QString(), twipRect(7440, 6360, 375, 375));
    cmdPrint->setIcon(paintedIcon([](const QSize& size) { return printerPicture(qMin(size.width(), size.height())); }));
    cmdPrint->setIconSize(QSize(16, 16));
    cmdPrint->setToolTip(QStringLiteral("Print"));
    cmdPrint->setAccessibleName(QStringLiteral("Print"));

    setTabOrder(rtbText, SSCommand1);
    setTabOrder(SSCommand1, cmdPrint);

    connect(SSCommand1, &QPushButton::clicked, this, &TxtForm::SSCommand1_Click);
    connect(rtbText, &RichTextBox::doubleClicked, this, &TxtForm::rtbText_DblClick);
    connect(cmdPrint, &QPushButton::clicked, this, &TxtForm::cmdPrint_Click);

    // Opening steps.
    const QSize screen = m_context.screen().sizePixels();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    setWindowTitle(m_context.state.DocTitle);
    // OK runs from the text's left edge to 4 twips short of the print button.
    const int okTwips = 7695 - 375 - 4;
    SSCommand1->resize(twipsToPixels(okTwips), SSCommand1->height());
    closePhotoWindow(m_context);
}

void TxtForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Room beyond the designed size goes to the text; the buttons keep their row under it.
    const double scale = layoutScale(this);
    auto px = [scale](int twips) { return int(std::lround(twips * scale / TwipsPerPixel)); };
    const int left = px(120), top = px(120), right = width() - px(150), row = height() - px(6840 - 6360);
    rtbText->setGeometry(left, top, right - left, row - px(6360 - 6255) - top);
    cmdPrint->setGeometry(right - px(375), row, px(375), px(375));
    SSCommand1->setGeometry(left, row, cmdPrint->x() - px(4) - left, px(375));
}

bool TxtForm::loadDocument(const QString& path)
{
    const QString real = m_context.files().resolve(path);
    return !real.isEmpty() && rtbText->loadFile(real);
}

void TxtForm::SSCommand1_Click()
{
    accept();
}

void TxtForm::rtbText_DblClick()
{
    accept();
}

void TxtForm::done(int result)
{
    const bool wasVisible = isVisible();
    QDialog::done(result);
    if (!wasVisible)
        return;
    if (m_context.form1) {
        m_context.form1->setEnabled(true);
        m_context.form1->activateWindow();
    }
    FocusNextYearButton(m_context);
}

void TxtForm::cmdPrint_Click()
{
    AppState& s = m_context.state;
    s.MsgText = QStringLiteral("Would you like to print the ") + CrLf + CrLf + windowTitle() + QLatin1Char('?');
    const int answer = m_context.dialogs().messageBox(s.MsgText, Buttons::YesNo, Icon::Question, ProductTitle);
    s.MsgAnswer = QString::number(answer);
    if (s.MsgAnswer.toInt() != Yes)
        return;

    IPrinter* printer = m_context.services.printer.get();
    m_context.busy().busy();
    const int pages = printer ? PrintRichText(*printer, *rtbText->document(), OneInch, OneInch, OneInch, OneInch,
                                              windowTitle())
                              : -1;
    m_context.busy().normal();
    if (pages < 0 && printer && printer->cancelled())
        return; // the user's choice: nothing printed, nothing to say
    if (pages < 0) {
        // Nothing to recover: say why and leave the document on screen.
        QString text = QStringLiteral("Unable to print the document.");
        const QString why = printer ? printer->lastError() : QStringLiteral("No printer is available.");
        if (!why.isEmpty())
            text += CrLf + CrLf + why;
        m_context.dialogs().messageBox(text, Buttons::Ok, Icon::Critical, ProductTitle);
        return;
    }
    m_context.dialogs().messageBox(QStringLiteral("Printing complete!"), Buttons::Ok, Icon::Exclamation, ProductTitle);
}

void TxtForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        SSCommand1->setFocus(Qt::ActiveWindowFocusReason);
}

void TxtForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SSCommand1->setFocus(Qt::OtherFocusReason);
}

bool ShowDocument(AppContext& c)
{
    QPointer<TxtForm> viewer = new TxtForm(c, c.form1);
    if (!viewer->loadDocument(c.state.DocPath)) {
        delete viewer.data();
        return false;
    }
    c.txtForm = viewer.data();
    viewer->raise();
    viewer->exec();
    // The main window may have taken the viewer with it while it was open.
    delete viewer.data();
    return true;
}

} // namespace kv
