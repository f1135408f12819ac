#include "rtf_builder.h"

namespace kvdisc {

namespace {

// Code page 1252 bytes 0x80-0x9f; 0 marks an unused position.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

QByteArray hexEscape(int byte)
{
    return "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
}

} // namespace

RtfBuilder::RtfBuilder(Font body, int bodyPoints) : m_font(int(body)), m_halfPoints(bodyPoints * 2) {}

QByteArray RtfBuilder::escape(const QString &text)
{
    QByteArray out;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n') {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (const int b = cp1252Byte(c); b >= 0x80) {
            out += hexEscape(b);
        } else if (c >= 0x20) {
            // \uN takes a signed 16-bit number; the '?' is what old readers show.
            out += "\\u" + QByteArray::number(qint16(c)) + '?';
        }
    }
    return out;
}

QByteArray RtfBuilder::markup(const QString &text)
{
    QByteArray out;
    bool bold = false;
    bool italic = false;
    bool accent = false;
    QString run;
    auto flush = [&] {
        if (run.isEmpty())
            return;
        QByteArray fmt;
        if (bold)
            fmt += "\\b";
        if (italic)
            fmt += "\\i";
        if (accent)
            fmt += "\\cf2";
        if (fmt.isEmpty())
            out += escape(run);
        else
            out += '{' + fmt + ' ' + escape(run) + '}';
        run.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView two = QStringView(text).mid(i, 2);
        if (two == u"**" || two == u"//" || two == u"^^") {
            flush();
            if (two == u"**")
                bold = !bold;
            else if (two == u"//")
                italic = !italic;
            else
                accent = !accent;
            ++i;
        } else {
            run += text.at(i);
        }
    }
    flush();
    return out;
}

void RtfBuilder::paragraph(const QByteArray &format, const QString &markupText)
{
    m_body += "\\pard\\plain" + format + "\\f" + QByteArray::number(m_font) + "\\fs"
              + QByteArray::number(m_halfPoints) + ' ' + markup(markupText) + "\\par\r\n";
}

RtfBuilder &RtfBuilder::title(const QString &text)
{
    m_body += "\\pard\\plain\\qc\\sa240\\f1\\fs40\\b\\cf1 " + escape(text) + "\\par\r\n";
    return *this;
}

RtfBuilder &RtfBuilder::heading(const QString &text)
{
    m_body += "\\pard\\plain\\sb240\\sa120\\keepn\\f1\\fs28\\b\\cf3 " + escape(text) + "\\par\r\n";
    return *this;
}

RtfBuilder &RtfBuilder::para(const QString &text)
{
    paragraph("\\sa120", text);
    return *this;
}

RtfBuilder &RtfBuilder::centered(const QString &text)
{
    paragraph("\\qc\\sa120", text);
    return *this;
}

RtfBuilder &RtfBuilder::bullet(const QString &text)
{
    paragraph("\\fi-360\\li720\\sa60", QStringLiteral("\u2022\t") + text);
    return *this;
}

RtfBuilder &RtfBuilder::indented(const QString &text)
{
    paragraph("\\li720\\ri720\\sa120", text);
    return *this;
}

RtfBuilder &RtfBuilder::table(const QList<QStringList> &rows, const QList<int> &widths)
{
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QByteArray row = "\\trowd\\trgaph108\\trleft0";
        int edge = 0;
        for (int w : widths) {
            edge += w;
            row += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                   "\\clbrdrr\\brdrs\\brdrw10";
            if (r == 0)
                row += "\\clcbpat5";
            row += "\\cellx" + QByteArray::number(edge);
        }
        row += "\r\n";
        const QStringList &cells = rows.at(r);
        for (qsizetype c = 0; c < widths.size(); ++c) {
            const QString cell = c < cells.size() ? cells.at(c) : QString();
            row += "\\pard\\intbl\\plain\\f1\\fs20";
            if (r == 0)
                row += "\\b";
            row += ' ' + markup(cell) + "\\cell\r\n";
        }
        row += "\\row\r\n";
        m_body += row;
    }
    m_body += "\\pard\\plain\\sa120\\par\r\n";
    return *this;
}

RtfBuilder &RtfBuilder::pageBreak()
{
    m_body += "\\pard\\plain\\page\r\n";
    return *this;
}

QByteArray RtfBuilder::finish() const
{
    QByteArray doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\r\n"
                     "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                     "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\fmodern\\fcharset0 Courier New;}}\r\n"
                     "{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green70\\blue140;"
                     "\\red0\\green90\\blue60;\\red90\\green90\\blue90;\\red220\\green228\\blue240;}\r\n"
                     "\\viewkind4\\uc1\r\n";
    doc += m_body;
    doc += "}\r\n";
    return doc;
}

} // namespace kvdisc
