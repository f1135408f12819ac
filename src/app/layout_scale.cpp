#include "app/layout_scale.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScreen>
#include <QTabBar>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kv {

namespace {

const char* const ScaleProperty = "kvLayoutScale";
const char* const DesignProperty = "kvDesign";
const char* const OwnPlacesProperty = "kvPlacesItsOwnControls";

// What a control was designed with, and what was last applied, to tell the window's own
// changes from ours.
struct Design
{
    QRectF rect;
    QRect applied;
    bool placed = false;
    double font = 0;
    double appliedFont = 0;
    bool pixelFont = false;
    QString sheet;
    QString appliedSheet;
    QSizeF minimum, maximum;
    QSize appliedMinimum, appliedMaximum;
    QSizeF icon;
    QSize appliedIcon;
};

struct LayoutDesign
{
    QMarginsF margins;
    QMargins applied;
    double spacing = -1;
    int appliedSpacing = -1;
};

} // namespace
} // namespace kv

Q_DECLARE_METATYPE(kv::Design)
Q_DECLARE_METATYPE(kv::LayoutDesign)

namespace kv {

namespace {

int scaled(double v, double s)
{
    return int(std::lround(v * s));
}

QSize scaled(const QSizeF& size, double s)
{
    return QSize(scaled(size.width(), s), scaled(size.height(), s));
}

// Edges scaled, not sizes, so that controls side by side stay touching.
QRect scaled(const QRectF& r, double s)
{
    const int left = scaled(r.left(), s), top = scaled(r.top(), s);
    return QRect(left, top, scaled(r.left() + r.width(), s) - left, scaled(r.top() + r.height(), s) - top);
}

QString scaledSheet(const QString& sheet, double s)
{
    static const QRegularExpression length(QStringLiteral("(\\d+(?:\\.\\d+)?)\\s*(px|pt)\\b"));
    QString out;
    qsizetype from = 0;
    for (auto it = length.globalMatch(sheet); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(sheet).mid(from, m.capturedStart() - from);
        const double v = m.captured(1).toDouble();
        if (m.captured(2) == QLatin1String("px"))
            out += QString::number(v > 0 ? std::max(1, scaled(v, s)) : 0) + QLatin1String("px");
        else
            out += QString::number(v * s, 'f', 2) + QLatin1String("pt");
        from = m.capturedEnd();
    }
    out += QStringView(sheet).mid(from);
    return out;
}

bool layoutHolds(const QLayout* layout, const QWidget* w)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w)
            return true;
        if (item->layout() && layoutHolds(item->layout(), w))
            return true;
    }
    return false;
}

bool placedByLayout(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return parent && parent->layout() && layoutHolds(parent->layout(), w);
}

// Widgets that place their own inner parts: those parts are not the window's design.
bool composite(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
           || qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w)
           || qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractSlider*>(w);
}

void collect(QWidget* w, QList<QWidget*>& out)
{
    out << w;
    if (composite(w))
        return;
    for (QObject* child : w->children()) {
        auto* cw = qobject_cast<QWidget*>(child);
        if (cw && !cw->isWindow())
            collect(cw, out);
    }
}

double fontSize(const QFont& f)
{
    return f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize();
}

// Learns what `w` was designed with, or what the window's own code changed since `old` was applied.
// A control new to a window already at `inherited` has its parent's font at that scale.
Design learn(QWidget* w, bool root, double old, double inherited = 1.0)
{
    const QVariant stored = w->property(DesignProperty);
    const bool known = stored.isValid();
    Design d = known ? stored.value<Design>() : Design();
    const double back = known ? old : 1.0;
    const bool ownPlaces = w->window()->property(OwnPlacesProperty).toBool();
    if (!root && !ownPlaces && !placedByLayout(w) && (!known || !d.placed || w->geometry() != d.applied)) {
        d.rect = QRectF(w->geometry().topLeft().toPointF() / back, w->geometry().size().toSizeF() / back);
        d.placed = true;
    }
    if (root && (!known || w->size() != d.applied.size())) {
        d.rect = QRectF(QPointF(), w->size().toSizeF() / back);
        d.placed = true;
    }
    // Every control's own: a font a style sheet gives does not reach the controls inside.
    const double size = fontSize(w->font());
    if (!known || d.font <= 0 || size != d.appliedFont) {
        d.font = size / (known ? old : w->testAttribute(Qt::WA_SetFont) ? 1.0 : inherited);
        d.pixelFont = w->font().pointSizeF() <= 0;
    }
    if (w->styleSheet() != (known ? d.appliedSheet : QString()))
        d.sheet = w->styleSheet();
    const bool limited = w->minimumSize() != QSize(0, 0) || w->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (limited && (!known || w->minimumSize() != d.appliedMinimum || w->maximumSize() != d.appliedMaximum)) {
        d.minimum = w->minimumSize().toSizeF() / back;
        d.maximum = w->maximumSize().toSizeF();
        if (w->maximumWidth() < QWIDGETSIZE_MAX)
            d.maximum.setWidth(w->maximumWidth() / back);
        if (w->maximumHeight() < QWIDGETSIZE_MAX)
            d.maximum.setHeight(w->maximumHeight() / back);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->icon().isNull()
        && (!known || button->iconSize() != d.appliedIcon))
        d.icon = button->iconSize().toSizeF() / back;
    return d;
}

void learnLayout(QLayout* layout, double old)
{
    const QVariant stored = layout->property(DesignProperty);
    const bool known = stored.isValid();
    LayoutDesign d = known ? stored.value<LayoutDesign>() : LayoutDesign();
    const double back = known ? old : 1.0;
    if (!known || layout->contentsMargins() != d.applied) {
        const QMargins m = layout->contentsMargins();
        d.margins = QMarginsF(m.left() / back, m.top() / back, m.right() / back, m.bottom() / back);
    }
    if (!known || layout->spacing() != d.appliedSpacing)
        d.spacing = layout->spacing() < 0 ? -1 : layout->spacing() / back;
    layout->setProperty(DesignProperty, QVariant::fromValue(d));
}

void applyLayoutDesign(QLayout* layout, double s)
{
    for (int i = 0; i < layout->count(); ++i) {
        if (QLayout* inner = layout->itemAt(i)->layout())
            applyLayoutDesign(inner, s);
    }
    auto d = layout->property(DesignProperty).value<LayoutDesign>();
    d.applied = QMargins(scaled(d.margins.left(), s), scaled(d.margins.top(), s), scaled(d.margins.right(), s),
                         scaled(d.margins.bottom(), s));
    layout->setContentsMargins(d.applied);
    if (d.spacing >= 0) {
        d.appliedSpacing = scaled(d.spacing, s);
        layout->setSpacing(d.appliedSpacing);
    }
    layout->setProperty(DesignProperty, QVariant::fromValue(d));
}

void learnLayouts(QLayout* layout, double old)
{
    learnLayout(layout, old);
    for (int i = 0; i < layout->count(); ++i) {
        if (QLayout* inner = layout->itemAt(i)->layout())
            learnLayouts(inner, old);
    }
}

QSize limitedBy(QSize size, const QSize& limit)
{
    return size.boundedTo(limit).expandedTo(QSize(1, 1));
}

void apply(QWidget* w, Design d, bool root, double s)
{
    if (!d.sheet.isEmpty() || !d.appliedSheet.isEmpty()) {
        d.appliedSheet = s == 1.0 ? d.sheet : scaledSheet(d.sheet, s);
        if (w->styleSheet() != d.appliedSheet)
            w->setStyleSheet(d.appliedSheet);
    }
    if (d.font > 0) {
        QFont f = w->font();
        if (d.pixelFont)
            f.setPixelSize(std::max(1, scaled(d.font, s)));
        else
            f.setPointSizeF(d.font * s);
        if (f != w->font())
            w->setFont(f);
        d.appliedFont = fontSize(w->font());
    }
    if (!d.minimum.isEmpty() || d.maximum.isValid()) {
        const QSize max(d.maximum.width() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : scaled(d.maximum.width(), s),
                        d.maximum.height() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : scaled(d.maximum.height(), s));
        w->setMinimumSize(scaled(d.minimum, s));
        w->setMaximumSize(max);
        d.appliedMinimum = w->minimumSize();
        d.appliedMaximum = w->maximumSize();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && d.icon.isValid() && !d.icon.isEmpty()) {
        button->setIconSize(scaled(d.icon, s));
        d.appliedIcon = button->iconSize();
    }
    if (root && d.placed) {
        const bool free = !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        if (free) {
            QSize size = scaled(d.rect.size(), s);
            const QRect area = w->screen() ? w->screen()->availableGeometry() : QRect();
            if (w->isWindow() && area.isValid())
                size = limitedBy(size, area.size());
            w->resize(size);
        }
        d.applied = QRect(QPoint(), w->size());
    } else if (d.placed && !placedByLayout(w)) {
        d.applied = scaled(d.rect, s);
        w->setGeometry(d.applied);
        d.applied = w->geometry();
    }
    w->setProperty(DesignProperty, QVariant::fromValue(d));
}

class NewWindowScaler final : public QObject
{
public:
    NewWindowScaler(QWidget* mainWindow, std::function<double()> scale, QObject* parent)
        : QObject(parent)
        , m_main(mainWindow)
        , m_scale(std::move(scale))
    {
    }

    double scale() const { return m_scale ? m_scale() : 1.0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        // A window at its first showing, when its own code has placed it and its controls (a
        // polish may come in the middle of its constructor).
        if (event->type() == QEvent::Show && w->isWindow())
            polishWindow(w);
        else if (event->type() == QEvent::Polish && !w->isWindow())
            polishControl(w);
        return false;
    }

private:
    void polishWindow(QWidget* w)
    {
        const Qt::WindowType type = w->windowType();
        if (w == m_main || type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop
            || w->property(ScaleProperty).isValid() || !m_scale)
            return;
        // The title's own windows only: Qt's dialogs size themselves around their text.
        if (!QByteArray(w->metaObject()->className()).startsWith("kv::"))
            return;
        const double s = m_scale();
        if (s == 1.0)
            return;
        const QPoint centre = w->geometry().center();
        applyLayoutScale(w, s);
        // A window its code placed keeps its centre there, on the screen.
        const QRect area = w->screen() ? w->screen()->availableGeometry() : QRect();
        if (w->testAttribute(Qt::WA_Moved) && area.isValid()) {
            QRect g(QPoint(), w->size());
            g.moveCenter(centre);
            g.moveLeft(std::clamp(g.left(), area.left(), std::max(area.left(), area.right() + 1 - g.width())));
            g.moveTop(std::clamp(g.top(), area.top(), std::max(area.top(), area.bottom() + 1 - g.height())));
            w->move(g.topLeft());
        }
    }

    // A control made after its window was scaled: learnt at its designed place, then scaled.
    static void polishControl(QWidget* w)
    {
        if (w->property(DesignProperty).isValid())
            return;
        for (QWidget* up = w->parentWidget(); up; up = up->parentWidget()) {
            if (composite(up))
                return;
            const QVariant s = up->property(ScaleProperty);
            if (s.isValid()) {
                if (s.toDouble() != 1.0) {
                    QList<QWidget*> all;
                    collect(w, all);
                    QList<std::pair<QWidget*, Design>> designs;
                    for (QWidget* one : all) {
                        if (one->layout())
                            learnLayouts(one->layout(), 1.0);
                        designs.append({one, learn(one, false, 1.0, s.toDouble())});
                    }
                    for (const auto& [one, d] : designs) {
                        apply(one, d, false, s.toDouble());
                        if (one->layout())
                            applyLayoutDesign(one->layout(), s.toDouble());
                    }
                }
                return;
            }
            if (up->isWindow())
                return;
        }
    }

    QPointer<QWidget> m_main;
    std::function<double()> m_scale;
};

} // namespace

double fittingScale(const QSize& designed, const QSize& area)
{
    double best = 1.0;
    for (double s = 1.0 + ScaleStep; s <= MaxScale; s += ScaleStep) {
        if (designed.width() * s > area.width() || designed.height() * s > area.height())
            break;
        best = s;
    }
    return best;
}

std::optional<double> parseScale(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v < 1.0 || v > MaxScale)
        return std::nullopt;
    const double steps = v / ScaleStep;
    if (std::abs(steps - std::round(steps)) > 1e-9)
        return std::nullopt;
    return v;
}

void applyLayoutScale(QWidget* root, double scale)
{
    if (!root || scale <= 0)
        return;
    const double old = layoutScale(root);
    QList<QWidget*> all;
    collect(root, all);
    // Every design is learnt before anything changes: a font set on the root would otherwise
    // reach the controls that inherit it before their own sizes are read.
    QList<std::pair<QWidget*, Design>> designs;
    designs.reserve(all.size());
    for (QWidget* w : all) {
        if (w->layout())
            learnLayouts(w->layout(), old);
        designs.append({w, learn(w, w == root, old)});
    }
    root->setProperty(ScaleProperty, scale);
    for (const auto& [w, d] : designs) {
        apply(w, d, w == root, scale);
        if (w->layout())
            applyLayoutDesign(w->layout(), scale);
    }
    if (root->property(OwnPlacesProperty).toBool()) {
        QResizeEvent resized(root->size(), root->size());
        QCoreApplication::sendEvent(root, &resized);
    }
}

double layoutScale(const QWidget* root)
{
    const QVariant s = root ? root->property(ScaleProperty) : QVariant();
    return s.isValid() ? s.toDouble() : 1.0;
}

namespace {
// One at a time: a main window made again (a test's) replaces the one before.
QPointer<NewWindowScaler> installed;
} // namespace

double newWindowScale()
{
    return installed ? installed->scale() : 1.0;
}

void scaleNewWindows(QWidget* mainWindow, std::function<double()> scale)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    delete installed.data();
    installed = new NewWindowScaler(mainWindow, std::move(scale), app);
    app->installEventFilter(installed);
}

void placesItsOwnControls(QWidget* window)
{
    window->setProperty(OwnPlacesProperty, true);
}

} // namespace kv
