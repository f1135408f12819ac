#include "browse/frm_scroll.h"

#include "app/app_context.h"
#include "app/layout_scale.h"
#include "app/picture_read_ahead.h"
#include "app/form1.h"
#include "app/widgets/spin_button.h"
#include "app/widgets/title_widgets.h"
#include "browse/page_files.h"
#include "browse/page_widgets.h"
#include "platform/busy_pointer.h"
#include "platform/file_system.h"
#include "platform/screen.h"
#include "platform/twips.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <cmath>
#include <utility>

namespace kv {

namespace {
const QString PageTip =
    QStringLiteral("Click the left mouse button to view zoom out. Click the Right mouse button to close.");
const QString OverviewTip =
    QStringLiteral("Click the left mouse button to zoom in. Click the Right mouse button to close.");

// Never a negative range; a full-size scan may be wider or taller than 16 bits can count.
void setMaximum(QScrollBar* bar, int maximum)
{
    bar->setRange(0, qMax(0, maximum));
}
} // namespace

FrmScroll::FrmScroll(AppContext& context, QWidget* parent)
    : QDialog(parent, parent ? Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                             : Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmScroll"));
    placesItsOwnControls(this);
    setStyleSheet(QStringLiteral("#frmScroll { background: #000000; }"));
    buildControls();
    // At its scale before the first page is read: the page is decoded for it.
    applyLayoutScale(this, newWindowScale());
    m_readScale->store(layoutScale(this));
    m_ahead = new PictureReadAhead([scale = m_readScale](const QString& path, const QSize& overview, qreal ratio) {
        DisplayPicture page{decodePage(path, scale->load() * ratio, ratio), {}};
        if (overview.isValid())
            page.display = displayImage(page.decoded, overview, ratio, true);
        return page;
    }, Image1, this);
    // Load: the viewer's top is the main window's top; page and viewport shown, page at 0, 0.
    if (QWidget* main = context.form1)
        move(x(), main->frameGeometry().top());
    picChild->move(0, 0);
}

FrmScroll::~FrmScroll() = default;

void FrmScroll::buildControls()
{
    Image1 = new PageOverview(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(OverviewTip);
    Image1->setAccessibleName(QStringLiteral("Whole page"));

    picParent = new QWidget(this);
    picParent->setObjectName(QStringLiteral("picParent"));
    picParent->setToolTip(PageTip);
    picParent->setAccessibleName(QStringLiteral("Page view"));
    picParent->setAutoFillBackground(true);
    picParent->setPalette(QPalette(Qt::black));
    picChild = new PageChild(picParent);
    picChild->setObjectName(QStringLiteral("picChild"));
    picChild->setToolTip(PageTip);
    picChild->setAccessibleName(QStringLiteral("Page"));

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QStringLiteral("Scroll across"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setAccessibleName(QStringLiteral("Scroll down"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setRange(0, 0);
        bar->setSingleStep(16);
    }

    SpinButton1 = new SpinButton(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    const QString spinTip = QStringLiteral("Selects backward and forward through multiple ads if present. ");
    SpinButton1->setToolTip(spinTip);
    // Laid out side by side: back on the left, forward on the right.
    if (auto* box = qobject_cast<QBoxLayout*>(SpinButton1->layout()))
        box->setDirection(QBoxLayout::RightToLeft);
    SpinButton1->upButton()->setArrowType(Qt::RightArrow);
    SpinButton1->downButton()->setArrowType(Qt::LeftArrow);
    SpinButton1->upButton()->setToolTip(spinTip);
    SpinButton1->downButton()->setToolTip(spinTip);
    SpinButton1->upButton()->setAccessibleName(QStringLiteral("Next page"));
    SpinButton1->downButton()->setAccessibleName(QStringLiteral("Previous page"));
    SpinButton1->upButton()->setAutoRepeat(false);
    SpinButton1->downButton()->setAutoRepeat(false);

    // A box that only shows the page: a label, so that a screen reader reads "3 of 7".
    Text1 = new QLabel(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setAccessibleDescription(QStringLiteral("Page number"));
    Text1->setStyleSheet(QStringLiteral("QLabel { padding: 0; border: 1px solid #808080; background: #ffffff; color: #000000; }"));

    sscommand1 = makeButton(this, QStringLiteral("sscommand1"), QString());
    sscommand1->setAccessibleName(QStringLiteral("Close"));
    sscommand1->setToolTip(QStringLiteral("Close"));
    sscommand1->setDefault(true);
    // The viewer's keys work wherever the focus is inside it.
    for (QWidget* w : {static_cast<QWidget*>(sscommand1), static_cast<QWidget*>(SpinButton1->upButton()),
                       static_cast<QWidget*>(SpinButton1->downButton())})
        w->installEventFilter(this);

    picParent->installEventFilter(this);
    picChild->installEventFilter(this);

    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int v) { picChild->move(-v, picChild->y()); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int v) { picChild->move(picChild->x(), -v); });
    connect(Image1, &PageOverview::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::RightButton)
            close();
        else if (b == Qt::LeftButton)
            Image1_Click();
    });
    connect(picChild, &PageChild::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::RightButton)
            close();
        else if (b == Qt::LeftButton)
            picChild_Click();
    });
    connect(picChild, &PageChild::painted, this, [this] {
        // The next page is decoded once this one is on screen, not while it is being drawn.
        if (std::exchange(m_aheadWanted, false))
            readAhead();
        emit pagePainted();
    });
    connect(SpinButton1, &SpinButton::spinUp, this, [this] {
        SpinUp();
        sscommand1->setFocus();
    });
    connect(SpinButton1, &SpinButton::spinDown, this, [this] {
        SpinDown();
        sscommand1->setFocus();
    });
    connect(sscommand1, &QPushButton::clicked, this, &FrmScroll::sscommand1_Click);
}

void FrmScroll::prepare()
{
    // As large as the screen, its frame included: maximised, so that the window manager keeps
    // the bottom scroll bar and the close button on the screen.
    resize(m_context.screen().sizePixels());
    m_code = selectedCode(m_context);
    setWindowState(windowState() | Qt::WindowMaximized);
    picChild->hide();
    picParent->hide();
    picChild->move(0, 0);
    HScroll1->hide();
    VScroll1->hide();
    layoutPass();
}

bool FrmScroll::loadFirstPage(const QString& path)
{
    const QString real = m_context.files().resolve(path);
    const QImage page = decodePage(real, pageFactor(), devicePixelRatioF());
    if (page.isNull())
        return false;
    setPage(page);
    m_shownPage = real;
    m_pageFactor = pageFactor();
    return true;
}

double FrmScroll::pageFactor() const
{
    return layoutScale(this) * devicePixelRatioF();
}

void FrmScroll::rereadPage()
{
    m_ahead->discard();
    m_readScale->store(layoutScale(this));
    m_pageFactor = pageFactor();
    const QImage page = decodePage(m_shownPage, pageFactor(), devicePixelRatioF());
    if (page.isNull())
        return;
    setPage(page);
    HScroll1->setValue(0);
    VScroll1->setValue(0);
    picChild->move(0, 0);
    m_aheadWanted = true;
}

void FrmScroll::placeOverview()
{
    Image1->setGeometry(picChild->x(), picChild->y(), int(std::lround(620 * layoutScale(this))), picParent->height());
    if (!m_context.state.BrochureMode)
        layoutPass();
}

void FrmScroll::showPageView()
{
    for (QWidget* w : {static_cast<QWidget*>(HScroll1), static_cast<QWidget*>(VScroll1), picParent,
                       static_cast<QWidget*>(picChild)})
        w->setVisible(w->isHidden());
    layoutPass();
}

void FrmScroll::setLabel()
{
    const AppState& s = m_context.state;
    Text1->setText(QString::number(s.PageIndex + 1) + QStringLiteral(" of ") + QString::number(s.PageCount));
}

void FrmScroll::setPage(const QImage& page, const QImage& overview)
{
    picChild->setPicture(page);
    Image1->setPicture(page, overview);
}

QSize FrmScroll::overviewBox() const
{
    return Image1->isVisible() ? Image1->displayBox() : QSize();
}

DisplayPicture FrmScroll::takePage(const QString& real)
{
    if (real.isEmpty())
        return {};
    DisplayPicture page = m_ahead->take(real, overviewBox());
    if (page.decoded.isNull())
        page.decoded = decodePage(real, pageFactor(), devicePixelRatioF());
    return page;
}

void FrmScroll::readAhead()
{
    if (!readAheadEnabled)
        return;
    const AppState& s = m_context.state;
    const int shown = s.PageIndex > 98 ? 0 : s.PageIndex;
    int next = 0;
    QString real;
    for (int i = shown + 1; i <= s.PageCount && real.isEmpty(); ++i) {
        real = m_context.files().resolve(pagePath(m_context, m_code, s.BrochureMode, i));
        next = i;
    }
    if (real.isEmpty()) {
        next = 0;
        real = m_context.files().resolve(pagePath(m_context, m_code, s.BrochureMode, 0));
    }
    if (real.isEmpty() || next == shown)
        return;
    m_ahead->start(real, overviewBox());
}

bool FrmScroll::tryCandidate(int index)
{
    AppState& s = m_context.state;
    s.PageIndex = static_cast<std::int16_t>(index);
    const QString real = m_context.files().resolve(pagePath(m_context, m_code, s.BrochureMode, index));
    const DisplayPicture page = takePage(real);
    if (!page.decoded.isNull()) {
        m_shownPage = real;
        m_pageFactor = pageFactor();
        setPage(page.decoded, page.display);
        pageFit();
        setLabel();
        return true;
    }
    if (index == 0) {
        setLabel();
        return true;
    }
    return false;
}

void FrmScroll::SpinUp()
{
    AppState& s = m_context.state;
    m_context.busy().busy();
    const std::int16_t shown = s.PageIndex;
    int start = s.PageIndex;
    int from = s.PageIndex;
    if (from > 98) {
        from = 0;
        start = 0;
    }
    bool found = false;
    for (int i = from + 1; i <= s.PageCount && !found; ++i)
        found = tryCandidate(i);
    if (!found && start == 0) {
        s.PageIndex = shown;
        m_context.busy().normal();
        return;
    }
    // Wrap: the scan from the first page always ends by accepting it.
    for (int i = 0; i <= s.PageCount && !found; ++i)
        found = tryCandidate(i);
    finishPaging();
}

void FrmScroll::SpinDown()
{
    AppState& s = m_context.state;
    m_context.busy().busy();
    const std::int16_t shown = s.PageIndex;
    int from = s.PageIndex;
    int lower = 0;
    if (from < 1 || from > 98) {
        from = 99;
        lower = 1;
    }
    bool found = false;
    for (int i = from - 1; i >= lower && !found; --i)
        found = tryCandidate(i);
    if (!found) {
        s.PageIndex = shown;
        m_context.busy().normal();
        return;
    }
    finishPaging();
}

void FrmScroll::finishPaging()
{
    HScroll1->setValue(0);
    VScroll1->setValue(0);
    picChild->move(0, 0);
    m_context.busy().normal();
    m_aheadWanted = true;
    picChild->update();
}

void FrmScroll::pageFit()
{
    const int pageW = picChild->width(), pageH = picChild->height();
    const int viewW = picParent->width(), viewH = picParent->height();
    setMaximum(VScroll1, pageH - viewH);
    if (pageW > viewW) {
        setMaximum(HScroll1, pageW - viewW);
        HScroll1->setEnabled(true);
        HScroll1->setValue(0);
    } else {
        HScroll1->setEnabled(false);
    }
    if (pageH > viewH) {
        VScroll1->setEnabled(true);
        if (viewH > 0)
            VScroll1->setPageStep(qMax(1, (pageH - viewH) / (pageH / viewH)));
    } else {
        VScroll1->setEnabled(false);
    }
    // The bar repaints itself when its range or state changes.
}

void FrmScroll::fitBar(QScrollBar* bar, int page, int view)
{
    setMaximum(bar, page - view);
    if (view >= page || view <= 0) {
        bar->setEnabled(false);
    } else {
        bar->setEnabled(true);
        bar->setPageStep(qMax(1, ((page - view) / (page / view)) / 6));
    }
    bar->update();
}

// The scroll bars belong to the page view: shown with it, hidden in the overview.
void FrmScroll::syncScrollBars()
{
    const bool pageView = !picParent->isHidden();
    HScroll1->setVisible(pageView);
    VScroll1->setVisible(pageView);
}

void FrmScroll::layoutPass()
{
    // A scale or pixel ratio other than the page was read for (the window's first showing).
    if (!m_shownPage.isEmpty() && m_pageFactor != pageFactor())
        rereadPage();
    if (!m_context.state.BrochureMode) {
        syncScrollBars();
        Image1->resize(int(0.77 * Image1->height()), Image1->height());
        Image1->move((width() - Image1->width()) / 2, Image1->y());
    }
    const double scale = layoutScale(this);
    auto px = [scale](int twips) { return int(std::lround(twipsToPixels(twips) * scale)); };
    SpinButton1->setGeometry(0, 0, px(735), px(240));
    Text1->setGeometry(SpinButton1->width(), 0, px(855), px(285));
    const int bar = int(std::lround(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) * scale));
    picParent->setGeometry(0, 0, qMax(0, width() - bar), qMax(0, height() - bar));
    HScroll1->setGeometry(0, picParent->height(), picParent->width(), bar);
    fitBar(HScroll1, picChild->width(), picParent->width());
    VScroll1->setGeometry(picParent->width(), 0, bar, picParent->height());
    fitBar(VScroll1, picChild->height(), picParent->height());
    sscommand1->setFocus();
    sscommand1->setGeometry(HScroll1->width(), VScroll1->height(), bar, bar);
    Image1->lower();
}

void FrmScroll::Image1_Click()
{
    for (QWidget* w : {static_cast<QWidget*>(HScroll1), static_cast<QWidget*>(VScroll1), picParent,
                       static_cast<QWidget*>(picChild)})
        w->show();
    if (picParent->width() >= picChild->width()) {
        VScroll1->setValue(0);
        HScroll1->setEnabled(false);
    } else {
        setMaximum(HScroll1, picChild->width() - picParent->width());
        HScroll1->setEnabled(true);
        HScroll1->setValue(0);
        VScroll1->setValue(0);
    }
}

void FrmScroll::picChild_Click()
{
    if (m_context.state.BrochureMode)
        return;
    for (QWidget* w : {static_cast<QWidget*>(HScroll1), static_cast<QWidget*>(VScroll1), picParent,
                       static_cast<QWidget*>(picChild)})
        w->setVisible(w->isHidden());
    // Fill the viewer's height rather than the screen's, so the page's foot is not cut off
    // under the title bar.
    const int h = height();
    Image1->setGeometry((width() - int(0.77 * h)) / 2, Image1->y(), int(0.77 * h), h);
}

void FrmScroll::sscommand1_Click()
{
    close();
}

void FrmScroll::sscommand1_KeyPress(const QString& text)
{
    if (text == QLatin1String(","))
        SpinDown();
    else if (text == QLatin1String("."))
        SpinUp();
    else
        picChild_Click();
    sscommand1->setFocus();
}

bool FrmScroll::scrollByKey(int key)
{
    QScrollBar* bar = (key == Qt::Key_Left || key == Qt::Key_Right) ? HScroll1 : VScroll1;
    if (!bar->isEnabled() || bar->isHidden())
        return false;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case Qt::Key_Down:
    case Qt::Key_Right: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case Qt::Key_PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
    case Qt::Key_PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
    case Qt::Key_Home: bar->triggerAction(QAbstractSlider::SliderToMinimum); return true;
    case Qt::Key_End: bar->triggerAction(QAbstractSlider::SliderToMaximum); return true;
    default: return false;
    }
}

bool FrmScroll::eventFilter(QObject* watched, QEvent* event)
{
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    QToolButton* arrow = watched == SpinButton1->upButton() ? SpinButton1->upButton()
        : watched == SpinButton1->downButton()              ? SpinButton1->downButton()
                                                            : nullptr;
    if (keyEvent && (watched == sscommand1 || arrow)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press = event->type() == QEvent::KeyPress;
        // An arrow with the focus is pressed as any button is: Space (the button's own), or
        // Return, which would otherwise reach the default close button.
        if (arrow && key->key() == Qt::Key_Space)
            return QDialog::eventFilter(watched, event);
        if (arrow && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (press)
                arrow->click();
            return true;
        }
        const QString text = key->text();
        const bool character = !text.isEmpty() && text.at(0).isPrint();
        if (press) {
            if (character) {
                sscommand1_KeyPress(text);
                return true;
            }
            if (scrollByKey(key->key()))
                return true;
        } else if (character) {
            // A space must not click the close button on release.
            return true;
        }
    } else if ((watched == picParent || watched == picChild) && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(VScroll1, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmScroll::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutPass();
}

void FrmScroll::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layoutPass();
}

void FrmScroll::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        sscommand1->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace kv
