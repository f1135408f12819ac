#include "platform/richtext/rtf_tokenizer.h"

#include <climits>

namespace kv::rtf {

namespace {

Token tokenOf(TokenType type)
{
    Token t;
    t.type = type;
    return t;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

Token Tokenizer::next()
{
    const qsizetype n = m_in.size();
    while (m_pos < n) {
        const char c = m_in[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return tokenOf(TokenType::GroupStart);
        case '}':
            ++m_pos;
            return tokenOf(TokenType::GroupEnd);
        case '\\':
            ++m_pos;
            return controlAfterBackslash();
        case '\r':
        case '\n':
            ++m_pos; // line ends carry no meaning in RTF
            continue;
        default: {
            const qsizetype start = m_pos;
            while (m_pos < n) {
                const char d = m_in[m_pos];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                    break;
                ++m_pos;
            }
            Token t = tokenOf(TokenType::Text);
            t.word = m_in.sliced(start, m_pos - start);
            return t;
        }
        }
    }
    return tokenOf(TokenType::End);
}

Token Tokenizer::controlAfterBackslash()
{
    const qsizetype n = m_in.size();
    if (m_pos >= n)
        return tokenOf(TokenType::End);

    const char c = m_in[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            // Up to two hex digits; a damaged escape keeps what is valid.
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < n) {
                const int h = hexValue(m_in[m_pos]);
                if (h < 0)
                    break;
                value = value * 16 + h;
                ++m_pos;
                ++digits;
            }
            if (digits == 0) {
                Token bad = tokenOf(TokenType::ControlSymbol); // "\'" without digits: ignored
                bad.symbol = '\'';
                return bad;
            }
            Token t = tokenOf(TokenType::HexByte);
            t.byte = static_cast<unsigned char>(value);
            return t;
        }
        Token t = tokenOf(TokenType::ControlSymbol);
        t.symbol = c == '\r' ? '\n' : c;
        return t;
    }

    const qsizetype start = m_pos;
    while (m_pos < n && isLetter(m_in[m_pos]))
        ++m_pos;
    Token t = tokenOf(TokenType::ControlWord);
    t.word = m_in.sliced(start, m_pos - start);

    if (m_pos < n && (isDigit(m_in[m_pos]) || (m_in[m_pos] == '-' && m_pos + 1 < n && isDigit(m_in[m_pos + 1])))) {
        bool negative = false;
        if (m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        long long value = 0;
        while (m_pos < n && isDigit(m_in[m_pos])) {
            if (value <= INT_MAX) // saturate; keep consuming the digits
                value = value * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        if (negative)
            value = -value;
        if (value > INT_MAX)
            value = INT_MAX;
        if (value < INT_MIN)
            value = INT_MIN;
        t.param = static_cast<int>(value);
        t.hasParam = true;
    }
    if (m_pos < n && m_in[m_pos] == ' ')
        ++m_pos;

    if (t.word == "bin" && t.hasParam && t.param > 0) {
        const qsizetype len = qMin<qsizetype>(t.param, n - m_pos);
        Token b = tokenOf(TokenType::Binary);
        b.word = m_in.sliced(m_pos, len);
        m_pos += len;
        return b;
    }
    return t;
}

} // namespace kv::rtf
