#include "browse/document_catalogue.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "platform/richtext/rich_text_box.h"

#include <QAction>
#include <QPushButton>

namespace kv {

void wireDocuments(AppContext& c)
{
    Form1& f = *c.form1;
    auto onClick = [&c, &f](QPushButton* button, void (*handler)(AppContext&)) {
        QObject::connect(button, &QPushButton::clicked, &f, [&c, handler] { handler(c); });
    };
    onClick(f.cmdDesc, cmdDesc_Click);
    onClick(f.cmdColors, cmdColors_Click);
    onClick(f.cmdOptions, cmdOptions_Click);
    onClick(f.cmdStats, cmdStats_Click);
    onClick(f.cmdModels, cmdModels_Click);
    onClick(f.cmdNostalgia, cmdNostalgia_Click);

    auto onTrigger = [&c, &f](QAction* action, void (*handler)(AppContext&)) {
        QObject::connect(action, &QAction::triggered, &f, [&c, handler] { handler(c); });
    };
    for (int i = 1; i <= 3; ++i)
        QObject::connect(f.mnuMisc[i], &QAction::triggered, &f, [&c, i] { mnuMisc_Click(c, i); });
    onTrigger(f.mnuWallPaper, mnuWallPaper_Click);
    onTrigger(f.mnuIntro, mnuIntro_Click);
    onTrigger(f.mnuNotice, mnuNotice_Click);
    onTrigger(f.mnuCredits, mnuCredits_Click);
    onTrigger(f.mnuContrib, mnuContrib_Click);

    QObject::connect(f.rtbDetails, &RichTextBox::clicked, &f, [&c] { rtbDetails_Click(c); });
}

} // namespace kv
