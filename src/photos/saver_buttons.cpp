#include "photos/saver_buttons.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "photos/frm_ssphoto.h"
#include "platform/file_system.h"

#include <QPushButton>

namespace kv {

namespace {
const QString BuiltInPhoto = QStringLiteral("57053.JPG");

bool choiceMade(AppContext& c)
{
    return c.form1 && !c.state.Selection.isNone();
}
} // namespace

QString SaverSetFolder(AppContext& c)
{
    return joinPath(c.files().dataDir(), QStringLiteral("/ssKel-Vardos/"));
}

QString photoWindowSource(AppContext& c)
{
    if (!choiceMade(c))
        return joinPath(c.state.PhotoDir, PhotoFolder, BuiltInPhoto);
    return c.state.CurrentPhoto;
}

QString photoWindowName(AppContext& c)
{
    if (!choiceMade(c))
        return BuiltInPhoto;
    const QString& photo = c.state.CurrentPhoto;
    const qsizetype at = photo.lastIndexOf(PhotoFolder, -1, Qt::CaseInsensitive);
    return at < 0 ? photo.section(QLatin1Char('/'), -1) : photo.mid(at + PhotoFolder.size());
}

void RefreshSaverButtons(AppContext& c)
{
    const QString name = photoWindowName(c);
    c.state.CopyTarget = SaverSetFolder(c) + name;
    auto* w = qobject_cast<FrmSSPhoto*>(c.frmSSPhoto.data());
    if (!w)
        return;
    const bool inSet = c.files().exists(c.state.CopyTarget);
    w->SSCommand7->setEnabled(!inSet);
    w->SSCommand8->setEnabled(inSet);
}

} // namespace kv
