#include "app/app_services.h"

#include "platform/clipboard/clipboard.h"
#include "platform/dialogs.h"
#include "platform/help/qt_help.h"
#include "platform/printer/qt_printer.h"

namespace kv {

Services makeAppServices()
{
    Services s = makeQtServices();
    // Without a printer the pages go to a PDF file the user names.
    std::weak_ptr<IDialogs> dialogs = s.dialogs;
    s.printer = std::make_shared<QtPrinter>([dialogs] {
        const auto d = dialogs.lock();
        return d ? d->saveFileName(QStringLiteral("No printer is installed: save the pages as PDF"),
                                   QStringLiteral("Kel-Vardo.pdf"), QStringLiteral("PDF files (*.pdf)"),
                                   QStringLiteral("pdf"))
                 : QString();
    });
    s.clipboard = std::make_shared<QtClipboard>();
    s.help = std::make_shared<QtHelp>();
    return s;
}

} // namespace kv
