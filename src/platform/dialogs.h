#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace kv {

// Button codes as the program's logic knows them.
enum ButtonCode { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
enum class Buttons { Ok, OkCancel, RetryCancel, YesNo, YesNoCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };

inline const QString ProductTitle = QStringLiteral("The Kel-Vardo Folivra");

class IDialogs
{
public:
    virtual ~IDialogs() = default;
    // Text may hold CR LF pairs; they are line breaks. An empty title shows the product title.
    virtual int messageBox(const QString& text, Buttons buttons, Icon icon,
                           const QString& title = ProductTitle) = 0;
    // Empty result: the user cancelled.
    virtual QString saveFileName(const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
    virtual void setParent(QWidget*) {}
};

class QtDialogs final : public IDialogs
{
public:
    int messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString saveFileName(const QString& caption, const QString& suggested, const QString& filter) override;
    void setParent(QWidget* parent) override { m_parent = parent; }

private:
    QWidget* dialogParent() const;

    QPointer<QWidget> m_parent;
    QString m_lastFolder; // where the user last saved, for the next bare file name
};

} // namespace kv
