#pragma once

#include "platform/richtext/rtf_builder.h"
#include "platform/richtext/rtf_codepage.h"
#include "platform/richtext/rtf_keywords.h"
#include "platform/richtext/rtf_pictures.h"
#include "platform/richtext/rtf_state.h"
#include "platform/richtext/rtf_tables.h"
#include "platform/richtext/rtf_tokenizer.h"

#include <QColor>
#include <QHash>
#include <QStringList>
#include <QTextCharFormat>

#include <atomic>
#include <vector>

class QTextDocument;

namespace kv::rtf {

struct FontInfo {
    QString name;
    int charset = -1;
    int codePage = 0; // \cpg, 0 when absent
};

// Reads RTF tokens into a document through DocumentBuilder. Group state lives
// on an explicit stack with a fixed depth, so no input can overflow the call stack.
class Parser
{
public:
    Parser(QByteArrayView input, QTextDocument *doc);
    void run();
    // Looked at every few thousand tokens: once set, the reading ends where it is.
    void setStop(const std::atomic_bool *stop) { m_stop = stop; }
    // Tokens read and what the document was asked to do: a bound on the work that no machine's
    // speed changes; linear in the input for any input.
    qint64 work() const { return m_tokens + m_builder.work(); }

    static constexpr int MaxDepth = 1024;
    static constexpr int MaxFields = 32;
    static constexpr int MaxFonts = 16384;
    static constexpr int MaxColors = 16384;
    static constexpr int MaxUnicodeSkip = 16;
    static constexpr int MaxHalfPoints = 3276; // 1638 pt, the largest size word processors allow
    static constexpr qint64 MaxImageMemory = 256LL * 1024 * 1024;

private:
    struct Field {
        QString instruction;
    };

    // groups
    void pushGroup();
    void popGroup();
    void enterSkip();

    // tokens
    void handleWord(Kw kw, const Token &t);
    bool handleDestination(Kw kw);
    void handleCharacterWord(Kw kw, const Token &t);
    void handleParagraphWord(Kw kw, const Token &t);
    void handleTableWord(Kw kw, const Token &t);
    void handlePictureWord(Kw kw, const Token &t);
    void handleSymbol(char symbol);
    void handleText(QByteArrayView text);
    void handleByte(unsigned char byte);
    void handleUnicode(int value);
    bool consumeFallback(Token &t);

    // text
    void appendBytes(QByteArrayView bytes);
    void appendChar(char16_t c);
    bool beginPending();
    void decodePendingBytes();
    void flushText();
    int codePageOf(int font);
    QTextCharFormat charFormat(const CharProps &p);

    // destinations
    void fontTableText(QByteArrayView text);
    void finishFontEntry();
    void colorTableText(QByteArrayView text);
    void finishPicture();
    void paragraphEnd();
    void finishDocument();

    Tokenizer m_tok;
    qint64 m_tokens = 0;
    QTextDocument *m_doc;
    DocumentBuilder m_builder;
    CodePageDecoder m_decoder;

    GroupState m_st;
    std::vector<GroupState> m_saved;
    int m_overflow = 0; // groups beyond MaxDepth, dropped
    int m_skipNest = 0; // groups inside the current skipped group
    bool m_done = false;
    bool m_finished = false;
    const std::atomic_bool *m_stop = nullptr;

    int m_docCodePage = 1252;
    int m_defaultFont = -1;
    int m_unicodeSkipLeft = 0;

    QHash<int, FontInfo> m_fonts;
    int m_fontEntry = -1;
    QByteArray m_fontName;
    int m_cachedFont = -2;
    int m_cachedCodePage = 1252;

    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    QByteArray m_bytes;       // raw text not yet decoded
    int m_bytesCodePage = 1252;
    QString m_text;           // decoded text not yet written
    CharProps m_textProps;
    int m_textLevel = 0;

    bool m_haveFormat = false;
    CharProps m_formatProps;
    QTextCharFormat m_format;

    std::vector<Field> m_fields;
    QStringList m_links;
    Picture m_pict;
    qint64 m_imageMemory = 0;
    int m_imageCount = 0;
    RowDef m_rowDef;
    bool m_borderIsTable = false;
};

} // namespace kv::rtf
