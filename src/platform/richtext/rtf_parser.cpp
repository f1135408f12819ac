#include "platform/richtext/rtf_parser.h"

#include "platform/richtext/rtf_fields.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace kv::rtf {

Parser::Parser(QByteArrayView input, QTextDocument *doc)
    : m_tok(input), m_doc(doc), m_builder(doc)
{
    m_saved.reserve(64);
}

void Parser::run()
{
    constexpr unsigned StopCheck = 4096;
    unsigned tokens = 0;
    while (!m_done) {
        if (m_stop && ++tokens % StopCheck == 0 && m_stop->load(std::memory_order_relaxed))
            break;
        Token t = m_tok.next();
        if (t.type == TokenType::End)
            break;
        ++m_tokens;

        if (m_overflow > 0) {
            if (t.type == TokenType::GroupStart)
                ++m_overflow;
            else if (t.type == TokenType::GroupEnd)
                --m_overflow;
            continue;
        }

        if (m_st.starPending && t.type != TokenType::ControlWord) {
            m_st.starPending = false;
            enterSkip();
        }

        if (m_st.dest == Dest::Skip) {
            if (t.type == TokenType::GroupStart) {
                ++m_skipNest;
            } else if (t.type == TokenType::GroupEnd) {
                if (m_skipNest > 0)
                    --m_skipNest;
                else
                    popGroup();
            }
            continue;
        }

        if (m_unicodeSkipLeft > 0 && consumeFallback(t))
            continue;

        switch (t.type) {
        case TokenType::GroupStart:
            pushGroup();
            break;
        case TokenType::GroupEnd:
            popGroup();
            break;
        case TokenType::ControlWord: {
            const Kw kw = lookupKeyword(t.word);
            if (m_st.starPending) {
                m_st.starPending = false;
                // Only these optional destinations are understood; the rest are skipped whole.
                if (kw != Kw::k_shppict && kw != Kw::k_fldinst && kw != Kw::k_nesttableprops) {
                    enterSkip();
                    break;
                }
            }
            handleWord(kw, t);
            break;
        }
        case TokenType::ControlSymbol:
            handleSymbol(t.symbol);
            break;
        case TokenType::Text:
            handleText(t.word);
            break;
        case TokenType::HexByte:
            handleByte(t.byte);
            break;
        case TokenType::Binary:
            if (m_st.dest == Dest::Picture)
                m_pict.appendBinary(t.word);
            break;
        case TokenType::End:
            break;
        }
    }

    // Truncated input: close what is still open so its last picture and text count.
    m_overflow = 0;
    while (!m_done && !m_saved.empty())
        popGroup();
    if (!m_finished)
        finishDocument();
}

void Parser::finishDocument()
{
    flushText();
    m_builder.finish(m_st.para);
    m_finished = true;
}

// Skips the fallback characters that follow \uN. Returns true when the token was used up.
bool Parser::consumeFallback(Token &t)
{
    switch (t.type) {
    case TokenType::GroupStart:
    case TokenType::GroupEnd:
    case TokenType::End:
        m_unicodeSkipLeft = 0;
        return false;
    case TokenType::Text: {
        const qsizetype n = qMin<qsizetype>(m_unicodeSkipLeft, t.word.size());
        m_unicodeSkipLeft -= int(n);
        if (n == t.word.size())
            return true;
        t.word = t.word.sliced(n);
        return false;
    }
    default:
        --m_unicodeSkipLeft;
        return true;
    }
}

void Parser::pushGroup()
{
    if (int(m_saved.size()) >= MaxDepth) {
        m_overflow = 1;
        return;
    }
    m_saved.push_back(m_st);
    m_st.starPending = false;
    m_st.ownsPicture = false;
    m_st.ownsField = false;
}

void Parser::popGroup()
{
    m_skipNest = 0;
    if (m_st.dest == Dest::FontTable)
        finishFontEntry();
    if (m_st.ownsPicture)
        finishPicture();
    if (m_st.ownsField && !m_fields.empty())
        m_fields.pop_back();
    if (m_saved.size() <= 1) {
        // The document's outermost group is closed; what follows is not RTF.
        finishDocument();
        m_done = true;
        return;
    }
    m_st = m_saved.back();
    m_saved.pop_back();
}

void Parser::enterSkip()
{
    m_st.dest = Dest::Skip;
    m_skipNest = 0;
}

// ---- text ----

int Parser::codePageOf(int font)
{
    if (font == m_cachedFont)
        return m_cachedCodePage;
    int cp = m_docCodePage;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.cend()) {
        const QString &name = it->name;
        if (name.compare(u"Symbol", Qt::CaseInsensitive) == 0)
            cp = CpSymbol;
        else if (name.startsWith(u"Wingdings", Qt::CaseInsensitive) || name.startsWith(u"Webdings", Qt::CaseInsensitive))
            cp = CpWingdings;
        else if (it->codePage > 0)
            cp = it->codePage;
        else
            cp = codePageForCharset(it->charset, m_docCodePage);
    }
    m_cachedFont = font;
    m_cachedCodePage = cp;
    return cp;
}

// Readies the pending text for content in the current state; false when that content is hidden.
bool Parser::beginPending()
{
    if (m_st.chr.hidden)
        return false;
    const int level = m_st.para.tableLevel();
    if ((!m_text.isEmpty() || !m_bytes.isEmpty()) && (!(m_textProps == m_st.chr) || m_textLevel != level))
        flushText();
    m_textProps = m_st.chr;
    m_textLevel = level;
    return true;
}

void Parser::decodePendingBytes()
{
    if (m_bytes.isEmpty())
        return;
    m_decoder.decode(m_bytesCodePage, m_bytes, m_text);
    m_bytes.clear();
}

void Parser::appendBytes(QByteArrayView bytes)
{
    if (!beginPending())
        return;
    const int cp = codePageOf(m_st.chr.font);
    if (cp != m_bytesCodePage)
        decodePendingBytes();
    m_bytesCodePage = cp;
    m_bytes.append(bytes);
}

void Parser::appendChar(char16_t c)
{
    if (!beginPending())
        return;
    decodePendingBytes();
    m_text.append(QChar(c));
}

void Parser::flushText()
{
    decodePendingBytes();
    if (m_text.isEmpty())
        return;
    // Lone surrogates and control characters would show as boxes.
    char16_t *p = reinterpret_cast<char16_t *>(m_text.data());
    const qsizetype n = m_text.size();
    qsizetype out = 0;
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = p[i];
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
                p[out++] = c;
                p[out++] = p[++i];
                continue;
            }
            c = 0xFFFD;
        } else if (QChar::isLowSurrogate(c)) {
            c = 0xFFFD;
        } else if (c < 0x20 && c != u'\t') {
            continue;
        }
        p[out++] = c;
    }
    m_text.truncate(out);
    if (!m_text.isEmpty())
        m_builder.appendText(m_text, charFormat(m_textProps), m_textLevel, m_rowDef);
    m_text.clear();
}

QTextCharFormat Parser::charFormat(const CharProps &p)
{
    if (m_haveFormat && m_formatProps == p)
        return m_format;
    QTextCharFormat f;
    const auto font = m_fonts.constFind(p.font);
    const int cp = codePageOf(p.font);
    if (font != m_fonts.cend() && !font->name.isEmpty() && cp != CpSymbol && cp != CpWingdings)
        f.setFontFamilies({font->name});
    f.setFontPointSize(p.halfPoints / 2.0);
    if (p.bold)
        f.setFontWeight(QFont::Bold);
    if (p.italic)
        f.setFontItalic(true);
    if (p.strike)
        f.setFontStrikeOut(true);
    switch (p.underline) {
    case Underline::None: break;
    case Underline::Single:
    case Underline::Double:
    case Underline::Words: f.setUnderlineStyle(QTextCharFormat::SingleUnderline); break;
    case Underline::Dotted: f.setUnderlineStyle(QTextCharFormat::DotLine); break;
    case Underline::Dash: f.setUnderlineStyle(QTextCharFormat::DashUnderline); break;
    case Underline::Wave: f.setUnderlineStyle(QTextCharFormat::WaveUnderline); break;
    }
    if (p.valign == VAlign::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (p.valign == VAlign::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (p.caps == Caps::All)
        f.setFontCapitalization(QFont::AllUppercase);
    else if (p.caps == Caps::Small)
        f.setFontCapitalization(QFont::SmallCaps);
    auto color = [this](int index) -> QColor {
        return index >= 0 && index < m_colors.size() ? m_colors[index] : QColor();
    };
    if (const QColor fg = color(p.foreground); fg.isValid())
        f.setForeground(fg);
    const QColor bg = p.highlight > 0 ? color(p.highlight) : color(p.background);
    if (bg.isValid())
        f.setBackground(bg);
    if (p.link >= 0 && p.link < m_links.size()) {
        f.setAnchor(true);
        f.setAnchorHref(m_links[p.link]);
    }
    m_haveFormat = true;
    m_formatProps = p;
    m_format = f;
    return f;
}

void Parser::handleText(QByteArrayView text)
{
    switch (m_st.dest) {
    case Dest::Body:
        appendBytes(text);
        break;
    case Dest::FontTable:
        fontTableText(text);
        break;
    case Dest::ColorTable:
        colorTableText(text);
        break;
    case Dest::Picture:
        m_pict.appendHex(text);
        break;
    case Dest::FieldInst:
        if (!m_fields.empty() && m_fields.back().instruction.size() < 4096)
            m_fields.back().instruction.append(QString::fromLatin1(text));
        break;
    case Dest::Skip:
    case Dest::Container:
        break;
    }
}

void Parser::handleByte(unsigned char byte)
{
    const char c = char(byte);
    handleText(QByteArrayView(&c, 1));
}

void Parser::handleUnicode(int value)
{
    if (value < 0)
        value += 65536;
    m_unicodeSkipLeft = m_st.unicodeSkip;
    if (value < 0 || value > 0xFFFF)
        value = 0xFFFD;
    char16_t c = char16_t(value);
    if (m_st.dest == Dest::FontTable) {
        return; // font names keep their ANSI spelling
    }
    if (m_st.dest == Dest::FieldInst) {
        if (!m_fields.empty() && m_fields.back().instruction.size() < 4096)
            m_fields.back().instruction.append(QChar(c));
        return;
    }
    if (m_st.dest != Dest::Body)
        return;
    // Word writes picture-font characters in the private-use range U+F020..U+F0FF,
    // which no font here would show.
    if (c >= 0xF020 && c <= 0xF0FF)
        c = symbolToUnicode(codePageOf(m_st.chr.font) == CpWingdings ? CpWingdings : CpSymbol,
                            static_cast<unsigned char>(c & 0xFF));
    appendChar(c);
}

void Parser::handleSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        handleText(QByteArrayView(&symbol, 1));
        break;
    }
    case '~':
        if (m_st.dest == Dest::Body)
            appendChar(0x00A0);
        break;
    case '-':
        if (m_st.dest == Dest::Body)
            appendChar(0x00AD);
        break;
    case '_':
        if (m_st.dest == Dest::Body)
            appendChar(0x2011);
        break;
    case '*':
        m_st.starPending = true;
        break;
    case '\n':
        if (m_st.dest == Dest::Body)
            paragraphEnd();
        break;
    case '\t':
        if (m_st.dest == Dest::Body)
            appendChar(u'\t');
        break;
    default:
        break;
    }
}

// ---- destinations ----

void Parser::fontTableText(QByteArrayView text)
{
    for (const char c : text) {
        if (c == ';') {
            finishFontEntry();
        } else if (m_fontName.size() < 256) {
            m_fontName.append(c);
        }
    }
}

void Parser::finishFontEntry()
{
    // A name without a font number cannot be referred to.
    if (m_fontEntry >= 0 && (m_fonts.size() < MaxFonts || m_fonts.contains(m_fontEntry))) {
        FontInfo &info = m_fonts[m_fontEntry];
        if (!m_fontName.trimmed().isEmpty()) {
            QString name;
            const int cp = info.codePage > 0 ? info.codePage : codePageForCharset(info.charset, m_docCodePage);
            m_decoder.decode(cp == CpSymbol || cp == CpWingdings ? 1252 : cp, m_fontName, name);
            info.name = name.trimmed();
        }
    }
    m_fontName.clear();
    m_fontEntry = -1;
    m_cachedFont = -2;
    m_haveFormat = false;
}

void Parser::colorTableText(QByteArrayView text)
{
    for (const char c : text) {
        if (c != ';')
            continue;
        if (m_colors.size() < MaxColors)
            m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_colorSet = false;
    }
    m_haveFormat = false;
}

void Parser::finishPicture()
{
    Picture pict = std::move(m_pict);
    m_pict = Picture{};
    if (m_saved.empty() || m_saved.back().dest != Dest::Body || m_st.chr.hidden)
        return;
    const QImage image = decodePicture(pict);
    if (image.isNull())
        return;
    const qint64 bytes = image.sizeInBytes();
    if (m_imageMemory + bytes > MaxImageMemory)
        return;
    m_imageMemory += bytes;
    const QUrl name(QStringLiteral("rtfpict:%1").arg(++m_imageCount));
    m_doc->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat f;
    f.setName(name.toString());
    const QSizeF size = pict.displaySize(image.size());
    f.setWidth(size.width());
    f.setHeight(size.height());
    flushText();
    m_builder.appendImage(f, m_st.para.tableLevel(), m_rowDef);
}

void Parser::paragraphEnd()
{
    flushText();
    m_builder.endParagraph(m_st.para, charFormat(m_st.chr), m_st.para.tableLevel(), m_rowDef);
}

} // namespace kv::rtf
