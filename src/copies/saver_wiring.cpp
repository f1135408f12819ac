#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/spin_button.h"
#include "copies/saver_install.h"

#include <QAction>
#include <QPushButton>

namespace kv {

void wireSaverPanel(AppContext& c, PhotoCopyStarter copyPhotos, void (*showHelp)(AppContext&))
{
    Form1& f = *c.form1;
    SaverPanel& panel = saverPanel(c);
    panel.copyPhotos = std::move(copyPhotos);
    QObject::connect(f.mnuSaver, &QAction::triggered, &f, [&c] { mnuSaver_Click(c); });
    QObject::connect(panel.SpinInterval, &SpinButton::spinUp, &panel, [&c] { SpinInterval_SpinUp(c); });
    QObject::connect(panel.SpinInterval, &SpinButton::spinDown, &panel, [&c] { SpinInterval_SpinDown(c); });
    QObject::connect(panel.SSCommand4, &QPushButton::clicked, &panel, [&c] { InstallSaver(c); });
    QObject::connect(panel.SSCommand6, &QPushButton::clicked, &panel, [&c] { SSCommand6_Click(c); });
    QObject::connect(panel.SSCommand5, &QPushButton::clicked, &panel, [&c, showHelp] { showHelp(c); });
}

} // namespace kv
