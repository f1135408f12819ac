#pragma once

#include <QByteArray>
#include <QString>

namespace kv {

// Files for a test to read, their folders made on the way.
// A small JPEG, or `bytes` as the file when given.
void writePhoto(const QString& path, const QByteArray& bytes = {});
void writeText(const QString& path, const QByteArray& text);

} // namespace kv
