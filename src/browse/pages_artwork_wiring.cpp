#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "browse/artwork_panels.h"
#include "browse/frm_scroll.h"

#include <QKeyEvent>
#include <QPushButton>

namespace kv {

namespace {
// The keyboard's way to a shown panel: the menu key (or Shift+F10) asks to copy, Space or Enter
// hides it, as the right and left mouse buttons do.
class PanelKeys : public QObject
{
public:
    PanelKeys(AppContext& c, PictureView* panel) : QObject(panel), m_c(c), m_panel(panel) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_panel || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() & Qt::ShiftModifier)) {
            artworkPanel_MouseDown(m_c, m_panel, Qt::RightButton);
            return true;
        }
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            artworkPanel_MouseDown(m_c, m_panel, Qt::LeftButton);
            return true;
        }
        return false;
    }

private:
    AppContext& m_c;
    PictureView* m_panel;
};
} // namespace

void wireArtworkAndPages(AppContext& c)
{
    Form1& f = *c.form1;
    auto onClick = [&c, &f](QPushButton* button, void (*handler)(AppContext&)) {
        QObject::connect(button, &QPushButton::clicked, &f, [&c, handler] { handler(c); });
    };
    onClick(f.cmdClipArt, cmdClipArt_Click);
    onClick(f.cmdScript, cmdScript_Click);
    onClick(f.cmdEmblem, cmdEmblem_Click);
    onClick(f.cmdBrochure, cmdBrochure_Click);
    onClick(f.cmdAd, cmdAd_Click);

    const std::pair<PictureView*, const char*> panels[] = {
        {f.picClipArt, "Clip art"}, {f.picScript, "Script"}, {f.picEmblem, "Emblem"}};
    for (const auto& [panel, name] : panels) {
        panel->setAccessibleName(QString::fromLatin1(name));
        panel->setFocusPolicy(Qt::TabFocus);
        panel->installEventFilter(new PanelKeys(c, panel));
        QObject::connect(panel, &PictureView::pressed, &f,
                         [&c, p = panel](Qt::MouseButton b) { artworkPanel_MouseDown(c, p, b); });
    }
}

} // namespace kv
