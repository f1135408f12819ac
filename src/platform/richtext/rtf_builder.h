#pragma once

#include "platform/richtext/rtf_tables.h"

#include <QTextCursor>

class QString;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;

namespace kv::rtf {

struct ParaProps;

// Writes paragraphs, text, tables and pictures into the document. A paragraph
// break is held back until more content follows in the same place, so that a
// final \par or a \par just before \cell adds no empty paragraph.
class DocumentBuilder
{
public:
    explicit DocumentBuilder(QTextDocument *doc);

    void appendText(const QString &text, const QTextCharFormat &format, int level, const RowDef &def);
    void appendImage(const QTextImageFormat &format, int level, const RowDef &def);
    void endParagraph(const ParaProps &para, const QTextCharFormat &format, int level, const RowDef &def);
    void pageBreak(const ParaProps &para, int level, const RowDef &def);
    void endCell(const ParaProps &para, int level, const RowDef &def);
    void endRow(int level, const RowDef &def);
    void finish(const ParaProps &para);

    int tableDepth() const { return m_tables.depth(); }
    // Edits made and table cells rebuilt: what the document was asked to do.
    qint64 work() const { return m_edits + m_tables.work(); }

    static QTextBlockFormat blockFormat(const ParaProps &para);

private:
    void prepare(int level, const RowDef &def);
    void applyBlockFormat(const ParaProps &para);

    QTextCursor m_cursor;
    TableStack m_tables;
    qint64 m_edits = 0;
    bool m_pendingBreak = false;
    bool m_nextBlockPageBreak = false;
    bool m_blockPageBreak = false; // the current block starts a page
};

} // namespace kv::rtf
