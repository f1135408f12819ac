#include "app/rich_text.h"

#include "app/app_context.h"
#include "platform/file_system.h"
#include "platform/richtext/rich_text_box.h"
#include "platform/richtext/rtf_reader.h"

#include <QPointer>
#include <QTextBrowser>
#include <QTextDocument>

namespace kv {

bool loadRichText(AppContext& c, QTextBrowser* box, const QString& path)
{
    const QString real = c.files().resolve(path);
    if (real.isEmpty())
        return false;
    if (auto* rich = qobject_cast<RichTextBox*>(box))
        return rich->loadFile(real);
    // Read into a fresh document so that a failure leaves the box as it was.
    auto* doc = new QTextDocument(box);
    if (!readRtfFile(real, doc)) {
        delete doc;
        return false;
    }
    // The box may delete its own first document itself; only ours is left to remove.
    const QPointer<QTextDocument> old = box->document();
    box->setDocument(doc);
    if (old && old->parent() == box)
        delete old.data();
    return true;
}

} // namespace kv
