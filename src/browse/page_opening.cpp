#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/topics.h"
#include "app/window_helpers.h"
#include "app/widgets/panel3d.h"
#include "browse/frm_scroll.h"
#include "browse/page_files.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QLabel>
#include <QPointer>

namespace kv {

namespace {
const QString CaptionGap = QStringLiteral("    ");

// Each opening starts with a fresh viewer; one left open is closed first. The brochure viewer
// is non-modal and has no owner window, so either it or the main window can be in front; it
// still closes and goes with the main window.
FrmScroll* freshViewer(AppContext& c, bool brochure)
{
    if (QWidget* old = c.frmScroll) {
        old->close();
        delete old;
    }
    auto* viewer = new FrmScroll(c, brochure ? nullptr : c.form1);
    if (brochure && c.form1) {
        QObject::connect(c.form1, &Form1::closing, viewer, &QWidget::close);
        QObject::connect(c.form1, &QObject::destroyed, viewer, [viewer] { delete viewer; });
    }
    c.frmScroll = viewer;
    viewer->prepare();
    return viewer;
}
} // namespace

void cmdBrochure_Click(AppContext& c)
{
    AppState& s = c.state;
    s.BrochureMode = true;
    CountBrochurePages(c);
    s.PageIndex = 99;
    closePhotoWindow(c);
    c.busy().busy();
    FrmScroll* viewer = freshViewer(c, true);
    viewer->setWindowTitle(ProductTitle + CaptionGap + s.Selection.caption() + QStringLiteral(" Brochure & Manuals"));
    s.DocPath = joinPath(s.CdDrive, QStringLiteral("/Brochures/"), s.Selection.digits() + QStringLiteral("BRCH00.jpg"));
    if (!viewer->loadFirstPage(s.DocPath)) {
        delete viewer;
        s.ErrCode = QStringLiteral("ER044");
        c.busy().normal();
        ErrorReporter(c, Failure::Caught);
        return;
    }
    viewer->placeOverview();
    viewer->showPageView();
    c.busy().normal();
    viewer->Text1->setText(QStringLiteral("1 of ") + QString::number(s.PageCount));
    viewer->readAhead();
    QObject::connect(viewer, &QDialog::finished, viewer, &QObject::deleteLater);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void cmdAd_Click(AppContext& c)
{
    AppState& s = c.state;
    s.BrochureMode = false;
    closePhotoWindow(c);
    s.PageIndex = 0;
    freshViewer(c, false);
    s.DocPath = s.Selection.digits() + QStringLiteral("gmch00.jpg");
    OpenAdViewer(c);
}

void OpenAdViewer(AppContext& c)
{
    AppState& s = c.state;
    QPointer<FrmScroll> viewer = qobject_cast<FrmScroll*>(c.frmScroll.data());
    if (!viewer)
        return;
    s.DocPath = joinPath(s.CdDrive, QStringLiteral("/ads/"), s.DocPath);
    if (!viewer->loadFirstPage(s.DocPath)) {
        delete viewer.data();
        s.MsgText = QStringLiteral("Sorry!\r\n\r\nAd not found.\r\n");
        s.MsgAnswer = QString::number(c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Exclamation, ProductTitle));
        c.form1->setEnabled(true);
        return;
    }
    viewer->placeOverview();
    viewer->setWindowTitle(ProductTitle + CaptionGap + s.Selection.caption() + QStringLiteral(" Advertisement"));
    CountAdPages(c);
    viewer->setLabel();
    viewer->readAhead();
    viewer->exec();
    // The main window may have taken the viewer with it while it was open.
    delete viewer.data();
    // The next year's button; after the last year and after a topic the focus stays.
    const Topic* topic = topicByCode(selectedCode(c));
    if (topic && topic->isYear() && topic->yearButton < YearButtonCount)
        c.form1->focusYearButton(topic->yearButton + 1);
}

} // namespace kv
