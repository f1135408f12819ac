#include "platform/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>

namespace kv {

namespace {
QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// QMessageBox wraps any line longer than about 500 pixels, which breaks texts laid out in
// indented columns. This one is as wide as its longest line, up to the screen's width.
class WideMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    // QMessageBox sizes itself again on showing and on every layout request.
    bool event(QEvent* e) override
    {
        const bool handled = QMessageBox::event(e);
        if (e->type() == QEvent::LayoutRequest)
            widen();
        return handled;
    }
    void showEvent(QShowEvent* e) override
    {
        QMessageBox::showEvent(e);
        widen();
    }

private:
    void widen()
    {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QLayout* grid = layout();
        if (!label || !grid || !isVisible())
            return;
        const int frame = frameGeometry().width() - geometry().width();
        const int room = (screen() ? screen()->availableGeometry().width() : 1024) - frame;
        label->setWordWrap(false);
        grid->activate();
        int w = grid->totalMinimumSize().width();
        int h = grid->totalMinimumSize().height();
        if (w > room) {
            label->setWordWrap(true);
            grid->activate();
            w = room;
            h = grid->totalHeightForWidth(w);
        }
        // Never narrower than Qt made it (a long title widens the box too).
        w = qMax(w, width());
        if (size() != QSize(w, h))
            setFixedSize(w, h);
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    }
};

int toCode(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok: return Ok;
    case QMessageBox::Cancel: return Cancel;
    case QMessageBox::Abort: return Abort;
    case QMessageBox::Retry: return Retry;
    case QMessageBox::Ignore: return Ignore;
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    default: return Cancel;
    }
}
} // namespace

int QtDialogs::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton def = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok: set = QMessageBox::Ok; break;
    case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::RetryCancel: set = QMessageBox::Retry | QMessageBox::Cancel; def = QMessageBox::Retry; break;
    case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; def = QMessageBox::Yes; break;
    case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; def = QMessageBox::Yes; break;
    }
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // On the heap: its owner may be destroyed while it is open, taking the box with it.
    QPointer<QMessageBox> box = new WideMessageBox(toQt(icon), title.isEmpty() ? ProductTitle : title, plain, set,
                                                   dialogParent());
    box->setDefaultButton(def);
    // The override cursor may still be busy; a question must show the normal pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box->exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    delete box.data();
    if (result == -1 || result == 0)
        return buttons == Buttons::Ok ? Ok : Cancel;
    return toCode(static_cast<QMessageBox::StandardButton>(result));
}

QWidget* QtDialogs::setOwner(QWidget* owner)
{
    QWidget* previous = m_owner.data();
    m_owner = owner;
    return previous;
}

QWidget* QtDialogs::dialogParent() const
{
    // Over the window the user is working in: a modal window, the window that asked (the photo
    // window, which stays on top), the active window, and last the main window.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (m_owner && m_owner->isVisible())
        return m_owner.data();
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_parent.data();
}

QString QtDialogs::saveFileName(const QString& caption, const QString& suggested, const QString& filter,
                                const QString& defaultSuffix)
{
    // Asked in the middle of busy work (a print job without a printer): show the normal pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    // A bare file name starts where the user last saved, else in Documents: never in the
    // program's folder, which may be the read-only disc.
    QString start = suggested;
    if (QFileInfo(suggested).isRelative()) {
        QString folder = m_lastFolder;
        if (folder.isEmpty())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
        start = QDir(folder).filePath(suggested);
    }
    QPointer<QFileDialog> dialog = new QFileDialog(dialogParent(), caption, start, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty()) {
        dialog->setDefaultSuffix(defaultSuffix);
        // A desktop's own dialog asks about replacing the bare name typed, and the suffix is
        // added only after it closed; Qt's dialog asks about the name that will be written.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    }
    QString name;
    if (dialog->exec() == QDialog::Accepted && dialog)
        name = dialog->selectedFiles().value(0);
    delete dialog.data();
    if (busy)
        QApplication::restoreOverrideCursor();
    if (!name.isEmpty())
        m_lastFolder = QFileInfo(name).absolutePath();
    return name;
}

} // namespace kv
