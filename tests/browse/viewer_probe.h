#pragma once

#include "browse/txt_form.h"
#include "platform/richtext/rich_text_box.h"
#include "support/fixture.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace kv {

// What the modal viewer showed while an action ran.
struct ViewerSeen
{
    int opened = 0;
    QString caption;
    QString text;
    bool modal = false;
};

// Runs an action that may open the modal viewer; each viewer is looked at and closed with OK
// (or by `whileOpen`, when given) from inside its own event loop.
inline ViewerSeen runWithViewer(Fixture& fx, const std::function<void()>& action,
                                const std::function<void(TxtForm&)>& whileOpen = {})
{
    ViewerSeen seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* viewer = qobject_cast<TxtForm*>(fx.c->txtForm.data());
        if (!viewer || !viewer->isVisible())
            return;
        ++seen.opened;
        seen.caption = viewer->windowTitle();
        seen.text = viewer->rtbText->toPlainText();
        seen.modal = viewer->isModal();
        if (whileOpen)
            whileOpen(*viewer);
        if (fx.c->txtForm && viewer->isVisible())
            QTest::mouseClick(viewer->SSCommand1, Qt::LeftButton);
    });
    poll.start();
    action();
    return seen;
}

inline QByteArray rtfSaying(const QString& text)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + text.toLatin1() + "\\par}";
}

} // namespace kv
