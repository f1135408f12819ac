#pragma once

#include <QByteArrayView>
#include <QString>

#include <map>
#include <memory>

class QStringDecoder;

namespace kv::rtf {

// Pseudo code pages for the picture fonts, whose bytes are not letters.
constexpr int CpSymbol = 42;
constexpr int CpWingdings = 43;

// Code page a font's \fcharset asks for; 0 (ANSI) and 1 (default) follow the document.
int codePageForCharset(int charset, int documentCodePage);

// Symbol/Wingdings glyph for a byte; the private-use form (U+F0xx) maps the same way.
char16_t symbolToUnicode(int codePage, unsigned char byte);

class CodePageDecoder
{
public:
    CodePageDecoder();
    ~CodePageDecoder();

    // Appends the bytes, read in the given code page, to out. Unknown pages read as Windows-1252.
    void decode(int codePage, QByteArrayView bytes, QString &out);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

} // namespace kv::rtf
