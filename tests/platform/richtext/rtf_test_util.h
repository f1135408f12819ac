#pragma once

#include "platform/richtext/rtf_reader.h"

#include <QByteArray>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace kv::test {

// A document header with the fonts and colours the small test inputs refer to.
inline QByteArray rtfDocument(const QByteArray &body)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0"
                      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset204 Times New Roman Cyr;}"
                      "{\\f2\\fnil\\fcharset2 Symbol;}{\\f3\\fmodern\\fcharset0 Courier New;}"
                      "{\\f4\\fnil\\fcharset128 MS Gothic;}{\\f5\\fnil\\fcharset238 Arial CE;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}"
                      "{\\*\\generator Test 1.0;}\\pard ")
        + body + "}";
}

inline std::unique_ptr<QTextDocument> readDoc(const QByteArray &rtf)
{
    auto doc = std::make_unique<QTextDocument>();
    kv::readRtf(rtf, doc.get());
    return doc;
}

// The cursor selecting the first occurrence of marker; null when absent.
inline QTextCursor findText(const QTextDocument &doc, const QString &marker)
{
    return doc.find(marker);
}

} // namespace kv::test
