#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace kv {

// A path as the standard library's file functions take it.
inline std::filesystem::path nativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace kv
