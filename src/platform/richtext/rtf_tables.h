#pragma once

#include <QList>

#include <cstdint>

#include <vector>

class QTextCursor;
class QTextTable;

namespace kv::rtf {

// Row definition collected from \trowd ... \cellx.
struct RowDef {
    enum Merge : std::uint8_t { Alone = 0, MergeFirst = 1, Merged = 2, VMergeFirst = 4, VMerged = 8 };

    QList<int> cellRightTw;            // right edge of each cell
    QList<std::uint8_t> cellMerge;     // Merge flags of each cell
    std::uint8_t nextMerge = Alone;    // flags waiting for their \cellx
    int gapTw = 108;
    bool borders = false;

    void reset() { *this = RowDef{}; }
};

// Open tables, outermost first, with the cell the text goes into. Rows and
// columns grow as the RTF asks for them, since nested rows only describe
// themselves at their end.
class TableStack
{
public:
    static constexpr int MaxNesting = 6;
    static constexpr int MaxColumns = 64;
    static constexpr int ChunkRows = 100;

    explicit TableStack(QTextCursor &cursor) : m_cursor(cursor) {}

    int depth() const { return int(m_open.size()); }
    // Cells Qt has had to rebuild so far: every change of a table's shape costs one per cell.
    qint64 work() const { return m_work; }

    // Opens or closes tables until `level` are open. Returns true when the
    // cursor moved to a new place (the caller's pending paragraph break is void).
    bool syncTo(int level, const RowDef &def);
    // Puts the cursor into the current cell of the innermost table.
    bool enterCell();
    void endCell();
    void endRow(const RowDef &def);
    void closeAll();

private:
    struct Open {
        QTextTable *table = nullptr;
        int row = 0;
        int col = 0;
        int cursorCol = 0; // cell the cursor is in, -1 when it is not in this row
        bool rowEnded = false;
        bool formatted = false;
        QList<int> mergeStartRow; // per column: first row of a vertical merge, or -1
    };

    void open(const RowDef *def);
    void close();
    static void applyRowDef(Open &t, const RowDef &def);
    // The number of merges made.
    static int mergeCells(Open &t, const RowDef &def);

    QTextCursor &m_cursor;
    std::vector<Open> m_open;
    qint64 m_work = 0;
};

} // namespace kv::rtf
