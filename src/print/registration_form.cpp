#include "print/registration_form.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/window_helpers.h"
#include "browse/document_catalogue.h"
#include "browse/txt_form.h"
#include "platform/file_system.h"

namespace kv {

void mnuRegister_Click(AppContext& c)
{
    AppState& s = c.state;
    closePhotoWindow(c);
    const MenuDocumentEntry& form = menuDocument(MenuDocument::Registration);
    s.ErrCode = form.errCode;
    s.DocPath = joinPath(s.CdDrive, form.document.folder, form.document.file);
    s.DocTitle = form.document.caption;
    if (!ShowDocument(c))
        ErrorReporter(c, Failure::Caught);
}

} // namespace kv
