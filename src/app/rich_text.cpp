#include "app/rich_text.h"

#include "app/app_context.h"
#include "platform/file_system.h"
#include "platform/richtext/rich_text_box.h"

namespace kv {

bool loadRichText(AppContext& c, RichTextBox* box, const QString& path)
{
    const QString real = c.files().resolve(path);
    return !real.isEmpty() && box->loadFile(real);
}

} // namespace kv
