#include "platform/richtext/rich_text_box.h"

#include "platform/richtext/readable_text.h"
#include "platform/richtext/rtf_reader.h"

#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace kv {

namespace {

// The document's own sizes (its fonts, pictures, indents and table columns) made `factor`
// times larger, as the window around it was.
void scaleDocument(QTextDocument *doc, double factor)
{
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat bf = block.blockFormat();
        bf.setLeftMargin(bf.leftMargin() * factor);
        bf.setRightMargin(bf.rightMargin() * factor);
        bf.setTopMargin(bf.topMargin() * factor);
        bf.setBottomMargin(bf.bottomMargin() * factor);
        bf.setTextIndent(bf.textIndent() * factor);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(bf);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat cf = fragment.charFormat();
            if (cf.hasProperty(QTextFormat::FontPointSize))
                cf.setFontPointSize(cf.fontPointSize() * factor);
            if (cf.isImageFormat()) {
                QTextImageFormat image = cf.toImageFormat();
                if (image.width() > 0)
                    image.setWidth(image.width() * factor);
                if (image.height() > 0)
                    image.setHeight(image.height() * factor);
                cf = image;
            }
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(cf);
        }
    }
    for (QTextFrame *frame : doc->rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat tf = table->format();
            QList<QTextLength> columns = tf.columnWidthConstraints();
            for (QTextLength &c : columns) {
                if (c.type() == QTextLength::FixedLength)
                    c = QTextLength(QTextLength::FixedLength, c.rawValue() * factor);
            }
            tf.setColumnWidthConstraints(columns);
            tf.setCellPadding(tf.cellPadding() * factor);
            tf.setCellSpacing(tf.cellSpacing() * factor);
            table->setFormat(tf);
        }
    }
    cursor.endEditBlock();
}

} // namespace

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
    m_baseFont = font().pointSizeF();
}

double RichTextBox::zoom() const
{
    return m_baseFont > 0 && font().pointSizeF() > 0 ? font().pointSizeF() / m_baseFont : 1.0;
}

void RichTextBox::changeEvent(QEvent *event)
{
    QTextBrowser::changeEvent(event);
    if (event->type() != QEvent::FontChange || qFuzzyCompare(zoom(), m_shownZoom))
        return;
    scaleDocument(document(), zoom() / m_shownZoom);
    m_shownZoom = zoom();
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
    if (!qFuzzyCompare(zoom(), 1.0))
        scaleDocument(doc, zoom());
    m_shownZoom = zoom();
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
