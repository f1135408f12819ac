#include "print/registration_form.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/window_helpers.h"
#include "browse/txt_form.h"
#include "platform/file_system.h"

namespace kv {

void mnuRegister_Click(AppContext& c)
{
    AppState& s = c.state;
    closePhotoWindow(c);
    s.ErrCode = QStringLiteral("ER008");
    s.DocPath = joinPath(s.CdDrive, QStringLiteral("/RichText/Register.rtf"));
    s.DocTitle = QStringLiteral("Orvanta Software Registration Form");
    if (!ShowDocument(c))
        ErrorReporter(c, Failure::Caught);
}

} // namespace kv
