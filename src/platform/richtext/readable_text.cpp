#include "platform/richtext/readable_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace kv {

namespace {

// Qt gives a text browser the role of a label; this is the same text as a read-only text.
class ReadableText : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ReadableText(QTextEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    void selection(int index, int* start, int* end) const override
    {
        const QTextCursor c = edit()->textCursor();
        const bool has = index == 0 && c.hasSelection();
        *start = has ? c.selectionStart() : 0;
        *end = has ? c.selectionEnd() : 0;
    }
    int selectionCount() const override { return edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override
    {
        QTextCursor c = edit()->textCursor();
        c.clearSelection();
        edit()->setTextCursor(c);
    }
    void setSelection(int, int start, int end) override { edit()->setTextCursor(span(start, end)); }

    int cursorPosition() const override { return edit()->textCursor().position(); }
    void setCursorPosition(int position) override { edit()->setTextCursor(span(position, position)); }

    QString text(int start, int end) const override
    {
        QString t = span(start, end).selectedText();
        t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        t.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return t;
    }
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    int characterCount() const override { return edit()->document()->characterCount() - 1; }

    // Lines are the lines on screen, as the caret moves through them.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (type != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
        QTextCursor c = span(offset, offset);
        c.movePosition(QTextCursor::StartOfLine);
        *start = c.position();
        c.movePosition(QTextCursor::EndOfLine);
        *end = c.position();
        // The line's own break belongs to it.
        if (*end < characterCount() && c.atBlockEnd())
            ++*end;
        return text(*start, *end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (type != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textBeforeOffset(offset, type, start, end);
        textAtOffset(offset, type, start, end);
        if (*start == 0) {
            *end = 0;
            return {};
        }
        return textAtOffset(*start - 1, type, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        if (type != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAfterOffset(offset, type, start, end);
        textAtOffset(offset, type, start, end);
        if (*end >= characterCount()) {
            *start = *end = characterCount();
            return {};
        }
        return textAtOffset(*end, type, start, end);
    }

    QRect characterRect(int offset) const override
    {
        const QTextCursor at = span(offset, offset);
        QRect r = edit()->cursorRect(at);
        r.setWidth(QFontMetrics(at.charFormat().font()).horizontalAdvance(text(offset, offset + 1)));
        r.moveTopLeft(edit()->viewport()->mapToGlobal(r.topLeft()));
        return r;
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorForPosition(edit()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int start, int end) override
    {
        edit()->setTextCursor(span(start, end));
        edit()->ensureCursorVisible();
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    QTextEdit* edit() const { return static_cast<QTextEdit*>(widget()); }
    // A cursor over [start, end], both kept inside the text.
    QTextCursor span(int start, int end) const
    {
        const int last = characterCount();
        QTextCursor c(edit()->document());
        c.setPosition(qBound(0, start, last));
        c.setPosition(qBound(0, end, last), QTextCursor::KeepAnchor);
        return c;
    }
};

QAccessibleInterface* readableText(const QString& className, QObject* object)
{
    if (className != QLatin1String("QTextBrowser"))
        return nullptr;
    auto* browser = qobject_cast<QTextBrowser*>(object);
    return browser && browser->isReadOnly() ? new ReadableText(browser) : nullptr;
}

} // namespace

void makeTextBrowsersReadable()
{
    static const bool installed = (QAccessible::installFactory(readableText), true);
    Q_UNUSED(installed);
}

} // namespace kv
