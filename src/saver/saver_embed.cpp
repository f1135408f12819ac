#include "saver/saver_embed.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#ifdef KV_SAVER_XCB
#include <xcb/xcb.h>
#endif

#include <cstdlib>

namespace kv {

namespace {

#ifdef KV_SAVER_XCB
xcb_connection_t* x11Connection()
{
    if (auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return x11->connection();
    return nullptr;
}
#endif

} // namespace

quint64 rootWindowId()
{
#ifdef KV_SAVER_XCB
    if (xcb_connection_t* c = x11Connection())
        return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
#endif
    return 0;
}

QSize foreignWindowSize(quint64 window)
{
#ifdef KV_SAVER_XCB
    if (xcb_connection_t* c = x11Connection()) {
        xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, xcb_drawable_t(window)), nullptr);
        if (!reply)
            return {};
        const QSize size(reply->width, reply->height);
        std::free(reply);
        return size;
    }
#endif
    QWindow* foreign = QWindow::fromWinId(WId(window));
    const QSize size = foreign ? foreign->geometry().size() : QSize();
    delete foreign;
    return size;
}

bool embedInto(QWidget* view, quint64 window, QString* problem)
{
    const QSize size = foreignWindowSize(window);
    QWindow* foreign = size.isEmpty() ? nullptr : QWindow::fromWinId(WId(window));
    if (!foreign) {
        *problem = QStringLiteral("there is no window 0x%1 to draw into").arg(window, 0, 16);
        return false;
    }
    view->setAttribute(Qt::WA_NativeWindow);
    view->winId();
    view->windowHandle()->setParent(foreign);
    view->setGeometry(QRect(QPoint(0, 0), size));
    view->show();
    // A settings dialog's preview or the saver's own window may be resized under us.
    auto* follow = new QTimer(view);
    QObject::connect(follow, &QTimer::timeout, view, [view, window] {
        const QSize now = foreignWindowSize(window);
        if (now.isEmpty())
            QCoreApplication::exit(0); // the window we drew into is gone; nothing to ask
        else if (now != view->size())
            view->resize(now);
    });
    follow->start(500);
    return true;
}

} // namespace kv
