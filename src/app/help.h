#pragma once

#include <QString>

class QWidget;

namespace kv {

struct AppContext;

// The help file beside the program: its folder and "KelVardo.HLP", one slash between.
QString helpFilePath(const AppContext& c);

// Help for a window: sets the help file and remembers the window in HelpWnd; F1 in that
// window then shows the contents for it.
void PrepareHelp(AppContext& c, QWidget* window);
// Closes the help windows opened for HelpWnd.
void CloseHelp(AppContext& c);

// The help file's contents page in a help window that belongs to owner.
void showHelpContents(AppContext& c, QWidget* owner);

} // namespace kv
