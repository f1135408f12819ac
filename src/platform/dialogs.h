#pragma once

#include "platform/product.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace kv {

// Button codes as the program's logic knows them.
enum ButtonCode { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
enum class Buttons { Ok, OkCancel, RetryCancel, YesNo, YesNoCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };


class IDialogs
{
public:
    virtual ~IDialogs() = default;
    // Text may hold CR LF pairs; they are line breaks. An empty title shows the product title.
    virtual int messageBox(const QString& text, Buttons buttons, Icon icon,
                           const QString& title = ProductTitle) = 0;
    // Empty result: the user cancelled. A name typed without a suffix gets `defaultSuffix`
    // (no dot) before the dialog checks whether it would replace a file.
    virtual QString saveFileName(const QString& caption, const QString& suggested, const QString& filter,
                                 const QString& defaultSuffix = {}) = 0;
    // The main window: boxes belong to it unless an owner says otherwise.
    virtual void setParent(QWidget*) {}
    // Boxes and dialogs belong to `owner` from now on (none: as before); returns the previous
    // owner. Use DialogOwner.
    virtual QWidget* setOwner(QWidget*) { return nullptr; }
};

// While alive, boxes and dialogs belong to `owner`: a window that stays on top would hide any
// box of another window, which then looks frozen.
class DialogOwner
{
public:
    DialogOwner(IDialogs& dialogs, QWidget* owner)
        : m_dialogs(dialogs)
        , m_previous(dialogs.setOwner(owner))
    {
    }
    ~DialogOwner() { m_dialogs.setOwner(m_previous); }
    DialogOwner(const DialogOwner&) = delete;
    DialogOwner& operator=(const DialogOwner&) = delete;

private:
    IDialogs& m_dialogs;
    QPointer<QWidget> m_previous;
};

class QtDialogs final : public IDialogs
{
public:
    int messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString saveFileName(const QString& caption, const QString& suggested, const QString& filter,
                         const QString& defaultSuffix) override;
    void setParent(QWidget* parent) override { m_parent = parent; }
    QWidget* setOwner(QWidget* owner) override;

private:
    QWidget* dialogParent() const;

    QPointer<QWidget> m_parent;
    QPointer<QWidget> m_owner;
    QString m_lastFolder; // where the user last saved, for the next bare file name
};

} // namespace kv
