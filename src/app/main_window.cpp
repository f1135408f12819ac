#include "app/main_window.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/help_menu.h"
#include "app/layout_scale.h"
#include "app/utilities.h"
#include "app/widgets/picture_view.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/media_device.h"
#include "platform/screen.h"
#include "platform/settings_store.h"
#include "platform/twips.h"

#include <QAction>
#include <QFrame>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

#include <cmath>
#include <optional>

namespace kv {

namespace {
const QString Section = QStringLiteral("Settings");
const QString HideCaption = QStringLiteral("HideStatusBar");
const QString ShowCaption = QStringLiteral("ShowStatusBar");
const char* const OwnResize = "kvOwnResize";
constexpr QSize MinimumSize(320, 240);
// What a window manager's frame and title bar are allowed beside the window.
constexpr QSize WindowFrame(16, 40);

std::optional<int> twipsValue(const QString& text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok || v < -10'000'000 || v > 10'000'000)
        return std::nullopt;
    return twipsToPixels(int(v));
}

void store(AppContext& c, const char* key, int pixels)
{
    c.settings().setValue(ProductTitle, Section, QString::fromLatin1(key), QString::number(pixelsToTwips(pixels)));
}
// Leaves the maximised state at the given size. A Wayland compositor sets up a shown window
// later, maximised as asked before: a size of our own before then is undone, and one while it
// is maximised breaks the protocol. There the window is shown afresh in its normal state.
void resizeUnmaximized(QWidget& window, const QSize& size)
{
    const bool showAfresh = window.isVisible() && window.isMaximized() && !canPlaceWindows();
    if (showAfresh)
        window.hide();
    window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
    window.resize(size);
    if (showAfresh)
        window.show();
}
QString scaleKey(const QSize& screen)
{
    return QStringLiteral("Scale%1x%2").arg(screen.width()).arg(screen.height());
}

double openingScale(AppContext& c)
{
    if (c.forcedScale > 0)
        return c.forcedScale;
    const QSize screen = c.screen().sizePixels();
    if (const auto chosen = parseScale(c.settings().value(ProductTitle, Section, scaleKey(screen))))
        return *chosen;
    // Room is left for the window's frame and title bar; the menu bar grows with the rest.
    return fittingScale(c.form1->designedClientSize(), c.screen().availablePixels() - WindowFrame);
}
} // namespace

QRect sanitizedGeometry(const QString& left, const QString& top, const QString& width, const QString& height,
                        const QSize& screen)
{
    int w = twipsValue(width).value_or(screen.width());
    int h = twipsValue(height).value_or(screen.height());
    if (w < MinimumSize.width() || w > screen.width())
        w = w < MinimumSize.width() ? qMin(screen.width(), qMax(w, MinimumSize.width())) : screen.width();
    if (h < MinimumSize.height() || h > screen.height())
        h = h < MinimumSize.height() ? qMin(screen.height(), qMax(h, MinimumSize.height())) : screen.height();
    const int x = qBound(0, twipsValue(left).value_or(0), qMax(0, screen.width() - w));
    const int y = qBound(0, twipsValue(top).value_or(0), qMax(0, screen.height() - h));
    return QRect(x, y, w, h);
}

void restoreGeometry(AppContext& c)
{
    Form1& f = *c.form1;
    const QSize screen = c.screen().sizePixels();
    f.resize(screen);
    auto read = [&](const char* key) { return c.settings().value(ProductTitle, Section, QString::fromLatin1(key)); };
    QRect g = sanitizedGeometry(read("MainLeft"), read("MainTop"), read("MainWidth"), read("MainHeight"), screen);
    const double scale = openingScale(c);
    const bool stored = !read("MainWidth").trimmed().isEmpty();
    if (scale > 1 && (!stored || g.size() != screen)) {
        // The designed layout at the scale, where it was left when it still fits there.
        const QSize area = c.screen().availablePixels();
        const QSize size = (QSizeF(f.designedClientSize()) * scale).toSize();
        g = QRect(g.topLeft(), size.boundedTo(area));
        if (!stored || !QRect(QPoint(), screen).contains(g))
            g.moveTopLeft(QPoint((area.width() - g.width()) / 2, (area.height() - g.height()) / 2));
    }
    f.move(g.topLeft());
    f.resize(g.size());
    if (g.size() == screen)
        f.setWindowState(f.windowState() | Qt::WindowMaximized);
}

void ApplyCompactLayout(AppContext& c)
{
    Form1& f = *c.form1;
    f.mnuHideStatus->setVisible(false);
    // The moves below are made in the designed layout, which is then shown at the scale.
    const double scale = openingScale(c);
    applyLayoutScale(f.stage, 1.0);
    f.Frame1->move(f.Frame1->x(), f.Image4->y() + f.Image4->height());
    const int gap = twipsToPixels(240);
    QPushButton* y1 = f.cmdYR[1];
    QPushButton* y2 = f.cmdYR[2];
    QPushButton* y3 = f.cmdYR[3];
    y2->move(y1->x() + y1->width() + gap, y2->y());
    y3->move(y2->x() + y2->width() + gap, y3->y());
    f.ssCmdSlide->resize(int(f.ssCmdSlide->width() * 0.8), f.ssCmdSlide->height());
    f.ssCmdSlide->move(y3->x() + y3->width() + gap, f.ssCmdSlide->y());
    f.cmdExit->resize(int(f.cmdExit->width() * 0.8), f.cmdExit->height());
    f.cmdExit->move(f.ssCmdSlide->x() + f.ssCmdSlide->width() + gap, f.cmdExit->y());
    const QSize designed(twipsToPixels(11994), twipsToPixels(9100));
    const QSize area = c.screen().availablePixels();
    if (scale > 1) {
        // Enlarged, the window and its frame stay on the screen, its content fitted to what is left.
        resizeUnmaximized(f, (QSizeF(designed) * scale).toSize().boundedTo(area - WindowFrame));
        if (!f.isMaximized())
            f.move(qBound(0, f.x(), qMax(0, area.width() - WindowFrame.width() - f.width())),
                   qBound(0, f.y(), qMax(0, area.height() - WindowFrame.height() - f.height())));
    } else {
        resizeUnmaximized(f, (QSizeF(designed) * scale).toSize().boundedTo(area));
    }
    f.placeStage();
}

void ToggleTaskbar(AppContext& c)
{
    // No desktop here lets a program hide its taskbar: the entry sizes the window alone.
    Form1& f = *c.form1;
    if (f.mnuHideStatus->text() != HideCaption) {
        f.mnuHideStatus->setText(HideCaption);
        return;
    }
    const QSize screen = c.screen().sizePixels();
    // The window system reports this resize later; it must not undo the hiding.
    f.setProperty(OwnResize, screen);
    resizeUnmaximized(f, screen);
    f.setWindowState(Qt::WindowNoState);
    f.move(0, 0);
    f.mnuHideStatus->setText(ShowCaption);
}

void Form1_Resize(AppContext& c)
{
    Form1& f = *c.form1;
    const QVariant own = f.property(OwnResize);
    if (own.isValid()) {
        f.setProperty(OwnResize, QVariant());
        if (own.toSize() == f.size())
            return;
    }
    if (f.mnuHideStatus->text() != HideCaption)
        f.mnuHideStatus->setText(HideCaption);
}

void Form1_QueryUnload(AppContext& c)
{
    Form1& f = *c.form1;
    if (f.MMControl1)
        f.MMControl1->command(QStringLiteral("close"));
    if (!f.isMinimized()) {
        const bool maximized = f.isMaximized();
        const QSize screen = c.screen().sizePixels();
        // Where the compositor alone places windows, the position Qt knows is not the window's:
        // the one stored before stays for the next start on a window system that has them.
        if (maximized || canPlaceWindows()) {
            store(c, "MainLeft", maximized ? 0 : f.x());
            store(c, "MainTop", maximized ? 0 : f.y());
        }
        store(c, "MainWidth", maximized ? screen.width() : f.width());
        store(c, "MainHeight", maximized ? screen.height() : f.height());
        // The scale the user left the window at, by the step below it, for this screen's size.
        if (c.forcedScale <= 0) {
            const double step = std::floor(layoutScale(f.stage) / ScaleStep) * ScaleStep;
            c.settings().setValue(ProductTitle, Section, scaleKey(screen), QString::number(std::max(1.0, step)));
        }
    }
}

void wireMainWindow(AppContext& c)
{
    Form1& f = *c.form1;
    QObject::connect(f.mnuHideStatus, &QAction::triggered, &f, [&c] { ToggleTaskbar(c); });
    QObject::connect(f.mnuCheckResolution, &QAction::triggered, &f, [&c] { mnuCheckResolution_Click(c); });
    QObject::connect(&f, &Form1::resized, &f, [&c] { Form1_Resize(c); });
    QObject::connect(f.cmdExit, &QPushButton::clicked, &f, [&f] { f.close(); });
    QObject::connect(f.mnuExit, &QAction::triggered, &f, [&f] { f.close(); });
    QObject::connect(&f, &Form1::closing, &f, [&c] {
        // A copy under way stops with the window; its caller then unwinds without a word.
        if (c.stopCopy)
            c.stopCopy();
        Form1_QueryUnload(c);
        if (c.quitApplication)
            c.quitApplication();
    });
    wireHelpMenu(c);
}

void openMainWindow(AppContext& c, void (*wire)(AppContext&))
{
    AppState& s = c.state;
    if (!c.form1) {
        c.form1 = new Form1(c);
        wire(c);
    }
    Form1& f = *c.form1;
    c.dialogs().setParent(&f);
    s.DocPath = joinPath(s.CdDrive, QStringLiteral("/richtext/desc.rtf"));
    c.busy().normal();
    if (c.form2) {
        c.form2->close();
        c.form2->deleteLater();
        c.form2 = nullptr;
    }
    f.Frame1->raise();
    // Secondary windows open at the scale the main window's layout has when they open.
    scaleNewWindows(&f, [main = QPointer<Form1>(&f)] { return main ? layoutScale(main->stage) : 1.0; });
    restoreGeometry(c);
    f.show();
}

} // namespace kv
