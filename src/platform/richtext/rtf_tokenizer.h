#pragma once

#include <QByteArrayView>

namespace kv::rtf {

enum class TokenType { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, Text, HexByte, Binary };

struct Token {
    TokenType type = TokenType::End;
    QByteArrayView word;   // control word name, or the bytes of Text / Binary
    int param = 0;         // clamped to the int range
    bool hasParam = false;
    char symbol = 0;       // ControlSymbol character
    unsigned char byte = 0; // HexByte value
};

// Splits RTF bytes into tokens without interpreting them. Never reads past the
// input and never recurses, whatever the bytes. \binN is swallowed here so its
// payload can never be mistaken for RTF.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView input) : m_in(input) {}

    Token next();
    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_in.size(); }

    // Control words longer than this are not RTF; they are consumed but never match.
    static constexpr int MaxWordLength = 32;

private:
    Token controlAfterBackslash();

    QByteArrayView m_in;
    qsizetype m_pos = 0;
};

// Value of one hexadecimal digit, -1 for any other character.
constexpr int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace kv::rtf
