#include "platform/richtext/rich_text_box.h"

#include "platform/richtext/readable_text.h"
#include "platform/richtext/rtf_reader.h"

#include <QMouseEvent>
#include <QTextDocument>

namespace kv {

RichTextBox::RichTextBox(QWidget *parent)
    : QTextBrowser(parent)
{
    makeTextBrowsersReadable();
    setReadOnly(true);
    // Read-only, yet with a caret: a screen reader reads the text itself, line by line.
    setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

bool RichTextBox::loadFile(const QString &path)
{
    QByteArray bytes;
    return readRtfBytes(path, &bytes) && loadRtf(bytes);
}

bool RichTextBox::loadRtf(const QByteArray &bytes)
{
    // Read into a new document first, so a failure never leaves half a document on show.
    auto *doc = new QTextDocument(this);
    if (!readRtf(bytes, doc)) {
        delete doc;
        return false;
    }
    adopt(doc);
    return true;
}

void RichTextBox::clearDocument()
{
    adopt(new QTextDocument(this));
}

void RichTextBox::adopt(QTextDocument *doc)
{
    QTextDocument *old = document();
    const bool ours = old && old->parent() == this; // the first one belongs to the text control
    doc->setUndoRedoEnabled(false);
    setDocument(doc);
    moveCursor(QTextCursor::Start);
    if (ours)
        delete old;
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QTextBrowser::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTextBrowser::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace kv
