#include "app/rich_text.h"

#include "app/app_context.h"
#include "platform/file_system.h"

#include <QFile>
#include <QTextBrowser>

namespace kv {

bool loadRichText(AppContext& c, QTextBrowser* box, const QString& path)
{
    const QString real = c.files().resolve(path);
    if (real.isEmpty())
        return false;
    QFile file(real);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    box->setPlainText(QString::fromLatin1(file.readAll()));
    return true;
}

} // namespace kv
