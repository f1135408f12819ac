#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kvdisc {

// Builds small, valid RTF documents (code page 1252) with a fixed font and colour table.
// Paragraph text takes a light markup: **bold**, //italic//, ^^accent colour^^.
class RtfBuilder {
public:
    enum class Font { Serif = 0, Sans = 1, Mono = 2 };

    explicit RtfBuilder(Font body = Font::Serif, int bodyPoints = 12);

    RtfBuilder &title(const QString &text);
    RtfBuilder &heading(const QString &text);
    RtfBuilder &para(const QString &markup);
    RtfBuilder &centered(const QString &markup);
    RtfBuilder &bullet(const QString &markup);
    RtfBuilder &indented(const QString &markup);
    // First row is drawn bold as a header; widths in twips, one per column.
    RtfBuilder &table(const QList<QStringList> &rows, const QList<int> &widths);
    RtfBuilder &pageBreak();

    QByteArray finish() const;

    // Plain text to RTF: escapes \ { }, maps to code page 1252, \uN? beyond it.
    static QByteArray escape(const QString &text);
    // Markup to RTF groups.
    static QByteArray markup(const QString &text);

private:
    void paragraph(const QByteArray &format, const QString &markupText);

    QByteArray m_body;
    int m_font;
    int m_halfPoints;
};

} // namespace kvdisc
