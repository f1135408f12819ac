#pragma once

#include <atomic>

class QByteArray;
class QString;
class QTextDocument;

namespace kv {

// True when the bytes start like RTF ("{\rtf", or any "{\" group), after a BOM or blanks.
bool looksLikeRtf(const QByteArray &bytes);

// Replaces the document's content with the RTF. Returns false only when the
// bytes are not RTF at all (the document is then left untouched); damaged RTF
// gives the best document that can be made of it.
// A set `stop` ends the reading early, with part of the document.
bool readRtf(const QByteArray &bytes, QTextDocument *doc, const std::atomic_bool *stop = nullptr);

// As readRtf; false also when the file cannot be read.
bool readRtfFile(const QString &path, QTextDocument *doc, const std::atomic_bool *stop = nullptr);

// The whole file, or false when it cannot be read or is larger than any document could be.
bool readRtfBytes(const QString &path, QByteArray *bytes);

} // namespace kv
