#include "browse/browse_wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/topics.h"
#include "app/widgets/picture_view.h"
#include "browse/artwork_hooks.h"
#include "browse/artwork_panels.h"
#include "browse/document_catalogue.h"
#include "browse/topic_selection.h"
#include "platform/richtext/rich_text_box.h"

#include <QAction>
#include <QPushButton>

namespace kv {

namespace {
void wireSelection(AppContext& c)
{
    Form1& f = *c.form1;
    for (int i = 1; i <= YearButtonCount; ++i)
        QObject::connect(f.cmdYR[i], &QPushButton::clicked, &f, [&c, i] { cmdYR_Click(c, i); });
    QObject::connect(&f, &Form1::yearButtonKey, &f, [&c](int i, int key) { cmdYR_KeyDown(c, i, key); });
    QObject::connect(&f, &Form1::backgroundClicked, &f, [&c] { Form1_Click(c); });
    QObject::connect(&f, &Form1::deactivated, &f, [&c] { Form1_LostFocus(c); });
    for (int i = 0; i < int(f.mnuStuff.size()); ++i) {
        if (f.mnuStuff[i])
            QObject::connect(f.mnuStuff[i], &QAction::triggered, &f, [&c, i] { mnuStuff_Click(c, i); });
    }
    QObject::connect(f.Image4, &PictureView::pressed, &f,
                     [&c](Qt::MouseButton b) { Image4_MouseDown(c, b == Qt::RightButton); });
    c.reloadVisibleArtwork = [&c] { ReloadVisibleArtwork(c); };
}

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
} // namespace

void wireBrowse(AppContext& c)
{
    wireSelection(c);
    wireDocuments(c);
    wireArtworkAndPages(c);
}

} // namespace kv
