#pragma once

#include <QStringList>

namespace kv {

class IFileSystem;
class IKeepAwake;
class ISettingsStore;

// Runs the saver on the running application with the arguments after the program name;
// returns the exit status. `awake` keeps the screen from blanking while a preview is watched.
int runSaver(const QStringList& args, ISettingsStore& settings, IFileSystem& files, IKeepAwake& awake);

} // namespace kv
