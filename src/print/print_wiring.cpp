#include "print/print_wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "print/booklet_panel.h"
#include "print/registration_form.h"

#include <QAction>

namespace kv {

void wirePrint(AppContext& c)
{
    wireBookletPanel(c);
    QObject::connect(c.form1->mnuRegister, &QAction::triggered, c.form1, [&c] { mnuRegister_Click(c); });
}

} // namespace kv
