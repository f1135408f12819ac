#pragma once

#include <QStringList>

namespace kv {

class IFileSystem;
class ISettingsStore;

// Runs the saver on the running application with the arguments after the program name;
// returns the exit status.
int runSaver(const QStringList& args, ISettingsStore& settings, IFileSystem& files);

} // namespace kv
