#pragma once

#include <QString>

namespace kv {

struct AppContext;

// Whether the failure was an operation that went wrong (caught) or something the action
// found missing (detected): only the latter moves the focus to the next year button.
enum class Failure { Caught, Detected };

QString errorMessageLine(const QString& code);
QString errorMessageText(const QString& code);
bool isRetryCancelCode(const QString& code);

// Reports c.state.ErrCode. Returns the button pressed; Cancel ends the program (c.ended is set
// and the application asked to quit; callers unwind).
int ErrorReporter(AppContext& c, Failure failure);

// Focus to the year button after the current one.
void FocusNextYearButton(AppContext& c);

} // namespace kv
