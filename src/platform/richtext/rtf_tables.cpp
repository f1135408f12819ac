#include "platform/richtext/rtf_tables.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

namespace kv::rtf {

namespace {

constexpr int MaxCellTw = 31680; // 22 inches

// Qt's insertColumns() writes past the end of a width list shorter than the
// table, so the list always has exactly one entry per column (or none).
void fitWidthsToColumns(QTextTableFormat &f, int columns)
{
    QList<QTextLength> widths = f.columnWidthConstraints();
    if (widths.isEmpty() || widths.size() == columns)
        return;
    widths.resize(columns);
    f.setColumnWidthConstraints(widths);
}

QTextTableFormat tableFormat(const RowDef *def, int columns)
{
    QTextTableFormat f;
    f.setCellSpacing(0);
    // Collapsed borders look closer to a word processor's but make Qt's table layout several times slower.
    f.setBorderCollapse(false);
    f.setAlignment(Qt::AlignLeft);
    f.setCellPadding(def ? qBound(0, def->gapTw, 720) / 15.0 : 108 / 15.0);
    if (def && def->borders) {
        f.setBorder(1);
        f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        f.setBorderBrush(Qt::black);
    } else {
        f.setBorder(0);
        f.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    }
    if (def && !def->cellRightTw.isEmpty()) {
        QList<QTextLength> widths;
        int left = 0;
        for (const int right : def->cellRightTw) {
            const int w = qBound(0, right - left, MaxCellTw);
            widths.append(w > 0 ? QTextLength(QTextLength::FixedLength, w / 15.0) : QTextLength());
            left = qMax(left, right);
        }
        f.setColumnWidthConstraints(widths);
        fitWidthsToColumns(f, columns);
    }
    return f;
}

// Qt keeps a paragraph in front of every table; when nothing else is there,
// shrink it so a table that starts a document or a cell is not pushed down.
void collapseBlock(QTextCursor &c)
{
    QTextBlockFormat f = c.blockFormat();
    f.setLineHeight(0, QTextBlockFormat::FixedHeight);
    f.setTopMargin(0);
    f.setBottomMargin(0);
    c.setBlockFormat(f);
    QTextCharFormat cf;
    cf.setFontPointSize(1);
    c.setBlockCharFormat(cf);
}

void collapseLeadingBlock(QTextCursor &c)
{
    if (c.block().length() > 1)
        return;
    int start = c.currentFrame() ? c.currentFrame()->firstPosition() : 0;
    if (QTextTable *t = c.currentTable()) {
        const QTextTableCell cell = t->cellAt(c);
        if (cell.isValid())
            start = cell.firstPosition();
    }
    if (c.position() == start)
        collapseBlock(c);
}

} // namespace

bool TableStack::syncTo(int level, const RowDef &def)
{
    level = qBound(0, level, MaxNesting);
    bool moved = false;
    while (depth() > level) {
        close();
        moved = true;
    }
    while (depth() < level) {
        if (depth() > 0)
            enterCell();
        // Only the outermost row is described before its cells.
        open(depth() == 0 && !def.cellRightTw.isEmpty() ? &def : nullptr);
        moved = true;
    }
    return moved;
}

void TableStack::open(const RowDef *def)
{
    const int columns = def ? int(qMin<qsizetype>(def->cellRightTw.size(), MaxColumns)) : 1;
    collapseLeadingBlock(m_cursor);
    Open t;
    t.table = m_cursor.insertTable(1, qMax(1, columns), tableFormat(def, qMax(1, columns)));
    m_work += t.table->columns();
    t.formatted = def != nullptr;
    m_open.push_back(t);
}

void TableStack::close()
{
    Open &t = m_open.back();
    if (t.table->rows() > t.row + 1) {
        m_work += qint64(t.table->rows()) * t.table->columns();
        t.table->removeRows(t.row + 1, t.table->rows() - t.row - 1);
    }
    m_cursor.setPosition(t.table->lastPosition() + 1);
    m_open.pop_back();
}

bool TableStack::enterCell()
{
    if (m_open.empty())
        return false;
    Open &t = m_open.back();
    bool moved = false;
    if (t.rowEnded && t.row + 1 >= ChunkRows) {
        // Qt lays out a long table in time that grows faster than its rows; a long
        // table continues as a run of shorter ones that look the same.
        const QTextTableFormat format = t.table->format();
        const int columns = t.table->columns();
        close();
        collapseBlock(m_cursor);
        Open next;
        next.table = m_cursor.insertTable(1, columns, format);
        m_work += columns;
        next.formatted = true;
        m_open.push_back(next);
        return true;
    }
    if (t.rowEnded) {
        // Qt rebuilds a table's cell grid after every change of its shape, so rows
        // are added in growing batches and the spare ones removed when the table closes.
        if (t.row + 1 >= t.table->rows()) {
            t.table->appendRows(qBound(1, t.table->rows(), 256));
            m_work += qint64(t.table->rows()) * t.table->columns();
        }
        ++t.row;
        t.col = 0;
        t.cursorCol = -1;
        t.rowEnded = false;
    }
    if (t.col >= t.table->columns()) {
        if (t.table->columns() < MaxColumns) {
            QTextTableFormat f = t.table->format();
            const qsizetype before = f.columnWidthConstraints().size();
            fitWidthsToColumns(f, t.table->columns());
            if (f.columnWidthConstraints().size() != before)
                t.table->setFormat(f); // counted with the columns appended below
            t.table->appendColumns(t.col - t.table->columns() + 1);
            m_work += qint64(t.table->rows()) * t.table->columns();
        }
        else
            t.col = t.table->columns() - 1; // surplus cells share the last one
    }
    if (t.cursorCol != t.col) {
        m_cursor = t.table->cellAt(t.row, t.col).lastCursorPosition();
        t.cursorCol = t.col;
        moved = true;
    }
    return moved;
}

void TableStack::endCell()
{
    if (m_open.empty())
        return;
    enterCell(); // an empty cell still takes its place
    ++m_open.back().col;
}

void TableStack::endRow(const RowDef &def)
{
    if (m_open.empty())
        return;
    Open &t = m_open.back();
    if (!t.formatted && !def.cellRightTw.isEmpty()) {
        applyRowDef(t, def);
        m_work += qint64(t.table->rows()) * t.table->columns();
        t.formatted = true;
    }
    m_work += qint64(mergeCells(t, def)) * t.table->rows() * t.table->columns();
    t.rowEnded = true;
}

// Joins the cells of the row just ended that the definition marks as merged,
// across to the left and up to the first row of a vertical run.
int TableStack::mergeCells(Open &t, const RowDef &def)
{
    int merges = 0;
    const int cells = int(qMin<qsizetype>(def.cellMerge.size(), t.table->columns()));
    int first = -1;
    auto closeSpan = [&](int end) {
        if (first >= 0 && end > first) {
            t.table->mergeCells(t.row, first, 1, end - first + 1);
            ++merges;
        }
        first = -1;
    };
    for (int c = 0; c < cells; ++c) {
        const std::uint8_t m = def.cellMerge[c];
        if ((m & RowDef::Merged) && first >= 0)
            continue;
        closeSpan(c - 1);
        if (m & RowDef::MergeFirst)
            first = c;
    }
    closeSpan(cells - 1);

    t.mergeStartRow.resize(t.table->columns(), -1);
    for (int c = 0; c < cells; ++c) {
        const std::uint8_t m = def.cellMerge[c];
        int &start = t.mergeStartRow[c];
        if (m & RowDef::VMergeFirst) {
            start = t.row;
        } else if ((m & RowDef::VMerged) && start >= 0 && start < t.row) {
            t.table->mergeCells(start, c, t.row - start + 1, 1);
            ++merges;
        } else if (!(m & RowDef::VMerged)) {
            start = -1;
        }
    }
    t.cursorCol = -1; // merging moves cells about
    return merges;
}

void TableStack::applyRowDef(Open &t, const RowDef &def)
{
    t.table->setFormat(tableFormat(&def, t.table->columns()));
}

void TableStack::closeAll()
{
    while (!m_open.empty())
        close();
}

} // namespace kv::rtf
