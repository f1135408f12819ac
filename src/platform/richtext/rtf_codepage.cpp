#include "platform/richtext/rtf_codepage.h"

#include <QStringDecoder>

namespace kv::rtf {

namespace {

// Windows-1252 0x80..0x9F; the undefined slots keep their C1 value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Symbol font letters 0x41..0x5A and 0x61..0x7A are Greek.
constexpr char16_t kSymbolUpper[26] = {0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
                                       0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D,
                                       0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5,
                                       0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396};
constexpr char16_t kSymbolLower[26] = {0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
                                       0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD,
                                       0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5,
                                       0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6};
// 0xA0..0xF2
constexpr char16_t kSymbolHigh[83] = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660,
    0x2194, 0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D,
    0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135,
    0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284,
    0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A,
    0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329,
    0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7,
    0x23A8, 0x23A9, 0x23AA, 0x0020, 0x232A, 0x222B};

char16_t symbolChar(unsigned char b)
{
    if (b >= 'A' && b <= 'Z')
        return kSymbolUpper[b - 'A'];
    if (b >= 'a' && b <= 'z')
        return kSymbolLower[b - 'a'];
    if (b >= 0xA0 && b <= 0xF2)
        return kSymbolHigh[b - 0xA0];
    switch (b) {
    case 0x22: return 0x2200;
    case 0x24: return 0x2203;
    case 0x27: return 0x220B;
    case 0x2A: return 0x2217;
    case 0x2D: return 0x2212;
    case 0x40: return 0x2245;
    case 0x5C: return 0x2234;
    case 0x5E: return 0x22A5;
    case 0x60: return 0x203E;
    case 0x7E: return 0x223C;
    default: break;
    }
    return b < 0x80 ? char16_t(b) : char16_t(0x2022);
}

char16_t wingdingsChar(unsigned char b)
{
    switch (b) {
    case 0x4A: return 0x263A;
    case 0x4C: return 0x2639;
    case 0x6C: return 0x25CF;
    case 0x6E: return 0x25A0;
    case 0x6F: return 0x25A1;
    case 0x71: return 0x2751;
    case 0x75: return 0x25C6;
    case 0x76: return 0x2756;
    case 0x77: return 0x2B25;
    case 0xA1: return 0x25CB;
    case 0xA7: return 0x25AA;
    case 0xA8: return 0x25FB;
    case 0xD8: return 0x27A2;
    case 0xE8: return 0x2794;
    case 0xF0: return 0x21E8;
    case 0xFB: return 0x2717;
    case 0xFC: return 0x2713;
    case 0xFE: return 0x2611;
    default: break;
    }
    // Wingdings in documents is nearly always a list bullet.
    return b == 0x20 ? char16_t(0x20) : char16_t(0x2022);
}

const char *codecName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "windows-31j";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

void decode1252(QByteArrayView bytes, QString &out)
{
    const qsizetype base = out.size();
    out.resize(base + bytes.size());
    char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + base;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char16_t(b);
    }
}

} // namespace

int codePageForCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 2: return CpSymbol;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return documentCodePage;
    }
}

char16_t symbolToUnicode(int codePage, unsigned char byte)
{
    return codePage == CpWingdings ? wingdingsChar(byte) : symbolChar(byte);
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QStringDecoder *CodePageDecoder::decoderFor(int codePage)
{
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end()) {
        std::unique_ptr<QStringDecoder> d;
        if (const char *name = codecName(codePage)) {
            d = std::make_unique<QStringDecoder>(name, QStringConverter::Flag::Stateless);
            if (!d->isValid())
                d.reset();
        }
        it = m_decoders.emplace(codePage, std::move(d)).first;
    }
    return it->second.get();
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString &out)
{
    if (bytes.isEmpty())
        return;
    if (codePage == CpSymbol || codePage == CpWingdings) {
        for (const char c : bytes)
            out.append(QChar(symbolToUnicode(codePage, static_cast<unsigned char>(c))));
        return;
    }
    if (codePage != 1252) {
        if (QStringDecoder *d = decoderFor(codePage)) {
            out.append(d->decode(bytes));
            return;
        }
    }
    decode1252(bytes, out);
}

} // namespace kv::rtf
