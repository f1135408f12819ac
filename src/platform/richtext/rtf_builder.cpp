#include "platform/richtext/rtf_builder.h"

#include "platform/richtext/rtf_state.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>

namespace kv::rtf {

namespace {

constexpr int MaxIndentTw = 31680;
constexpr int MaxTabs = 64;

qreal twipsToPx(int tw, int lo = -MaxIndentTw, int hi = MaxIndentTw)
{
    return qBound(lo, tw, hi) / 15.0;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument *doc)
    : m_cursor(doc), m_tables(m_cursor)
{
    m_cursor.movePosition(QTextCursor::End);
    // One edit block for the whole document: Qt otherwise rescans all frames after every table change.
    m_cursor.beginEditBlock();
}

QTextBlockFormat DocumentBuilder::blockFormat(const ParaProps &para)
{
    QTextBlockFormat f;
    switch (para.align) {
    case Align::Left: f.setAlignment(Qt::AlignLeft); break;
    case Align::Center: f.setAlignment(Qt::AlignHCenter); break;
    case Align::Right: f.setAlignment(Qt::AlignRight); break;
    case Align::Justify: f.setAlignment(Qt::AlignJustify); break;
    }
    if (para.leftTw)
        f.setLeftMargin(twipsToPx(para.leftTw, 0));
    if (para.rightTw)
        f.setRightMargin(twipsToPx(para.rightTw, 0));
    if (para.firstTw)
        f.setTextIndent(twipsToPx(para.firstTw));
    if (para.beforeTw)
        f.setTopMargin(twipsToPx(para.beforeTw, 0));
    if (para.afterTw)
        f.setBottomMargin(twipsToPx(para.afterTw, 0));
    if (para.lineTw > 0 && para.lineMultiple)
        f.setLineHeight(qMin(para.lineTw, 240 * 10) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (para.lineTw > 0)
        f.setLineHeight(twipsToPx(para.lineTw, 0), QTextBlockFormat::MinimumHeight);
    else if (para.lineTw < 0)
        f.setLineHeight(twipsToPx(-qMax(para.lineTw, -MaxIndentTw), 0), QTextBlockFormat::FixedHeight);
    if (para.pageBreakBefore)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    // A hanging indent acts as a tab stop, so "bullet, tab, text" lines up at the indent.
    const bool hanging = para.firstTw < 0 && para.leftTw > 0;
    if (!para.tabs.isEmpty() || hanging) {
        // RTF measures tab stops from the margin, Qt from where the line starts: counted from the
        // first line's start, they fall where bullets and numbers use them.
        const qreal firstLine = twipsToPx(para.leftTw, 0) + twipsToPx(para.firstTw);
        QList<QTextOption::Tab> tabs;
        if (hanging)
            tabs.append(QTextOption::Tab(twipsToPx(para.leftTw, 0) - firstLine, QTextOption::LeftTab));
        for (const QTextOption::Tab &t : para.tabs) {
            if (tabs.size() >= MaxTabs)
                break;
            QTextOption::Tab px = t;
            px.position = twipsToPx(int(t.position), 0) - firstLine;
            if (px.position > 0) // a stop left of the line's start is never reached
                tabs.append(px);
        }
        std::stable_sort(tabs.begin(), tabs.end(),
                         [](const QTextOption::Tab &a, const QTextOption::Tab &b) { return a.position < b.position; });
        f.setTabPositions(tabs);
    }
    return f;
}

void DocumentBuilder::prepare(int level, const RowDef &def)
{
    ++m_edits;
    if (m_tables.syncTo(level, def))
        m_pendingBreak = false;
    if (m_tables.depth() > 0 && m_tables.enterCell())
        m_pendingBreak = false;
    if (m_pendingBreak) {
        m_cursor.insertBlock();
        m_pendingBreak = false;
        m_blockPageBreak = m_nextBlockPageBreak;
        m_nextBlockPageBreak = false;
        if (m_blockPageBreak) {
            QTextBlockFormat f = m_cursor.blockFormat();
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            m_cursor.setBlockFormat(f);
        }
    }
}

void DocumentBuilder::applyBlockFormat(const ParaProps &para)
{
    QTextBlockFormat f = blockFormat(para);
    if (m_blockPageBreak)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.setBlockFormat(f);
}

void DocumentBuilder::appendText(const QString &text, const QTextCharFormat &format, int level, const RowDef &def)
{
    ++m_edits;
    prepare(level, def);
    m_cursor.insertText(text, format);
}

void DocumentBuilder::appendImage(const QTextImageFormat &format, int level, const RowDef &def)
{
    ++m_edits;
    prepare(level, def);
    m_cursor.insertImage(format);
}

void DocumentBuilder::endParagraph(const ParaProps &para, const QTextCharFormat &format, int level, const RowDef &def)
{
    ++m_edits;
    prepare(level, def);
    applyBlockFormat(para);
    // An empty paragraph takes its height from the block's character format.
    if (m_cursor.block().length() <= 1)
        m_cursor.setBlockCharFormat(format);
    m_pendingBreak = true;
    m_blockPageBreak = false;
}

void DocumentBuilder::pageBreak(const ParaProps &para, int level, const RowDef &def)
{
    ++m_edits;
    if (level > 0)
        return; // a table cell cannot break the page
    if (m_tables.syncTo(0, def))
        m_pendingBreak = false;
    if (m_cursor.block().length() > 1 && !m_pendingBreak) {
        applyBlockFormat(para); // text before the break ends its paragraph there
        m_pendingBreak = true;
        m_blockPageBreak = false;
    }
    if (m_pendingBreak)
        m_nextBlockPageBreak = true;
    else if (m_cursor.position() > 0)
        m_blockPageBreak = true; // the empty current block starts the new page
}

void DocumentBuilder::endCell(const ParaProps &para, int level, const RowDef &def)
{
    ++m_edits;
    bool moved = m_tables.syncTo(level, def);
    if (m_tables.depth() > 0 && m_tables.enterCell())
        moved = true;
    // After "\par\cell" the paragraph is already ended, with its own properties,
    // and the held-back break is dropped so the cell gets no empty last line.
    if (moved || !m_pendingBreak)
        applyBlockFormat(para);
    m_pendingBreak = false;
    m_blockPageBreak = false;
    m_tables.endCell();
}

void DocumentBuilder::endRow(int level, const RowDef &def)
{
    ++m_edits;
    if (m_tables.syncTo(level, def))
        m_pendingBreak = false;
    m_tables.endRow(def);
}

void DocumentBuilder::finish(const ParaProps &para)
{
    ++m_edits;
    if (!m_pendingBreak && m_tables.depth() == 0 && m_cursor.block().length() > 1)
        applyBlockFormat(para);
    m_tables.closeAll();
    m_cursor.endEditBlock();
}

} // namespace kv::rtf
