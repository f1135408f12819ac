#include "browse/find_wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/window_helpers.h"
#include "browse/find_indexer.h"
#include "browse/find_window.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QTimer>

namespace kv {

namespace {
// Lets the first frame of the main window reach the screen before the disc is read.
constexpr int StartDelay = 200;

// Starts the reading when the main window is first shown.
class StartOnShow : public QObject
{
public:
    StartOnShow(AppContext& c, FindIndexer& indexer) : QObject(&indexer), m_context(c), m_indexer(indexer) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !m_indexer.isStarted()) {
            AppContext& c = m_context;
            FindIndexer* indexer = &m_indexer;
            QTimer::singleShot(StartDelay, indexer, [&c, indexer] {
                if (!indexer->isStarted())
                    indexer->start(findSources(c));
            });
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    AppContext& m_context;
    FindIndexer& m_indexer;
};
} // namespace

void wireFind(AppContext& c)
{
    Form1& f = *c.form1;
    auto* indexer = new FindIndexer(&f);
    indexer->setObjectName(QStringLiteral("findIndexer"));
    f.installEventFilter(new StartOnShow(c, *indexer));

    f.mnuHelp->addSeparator();
    QAction* mnuFind = f.mnuHelp->addAction(QStringLiteral("&Find in Documents..."));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuFind->setShortcut(QKeySequence::Find);
    QObject::connect(mnuFind, &QAction::triggered, &f, [&c, indexer] {
        closePhotoWindow(c);
        findWindowOf(c, *indexer).present();
    });
    QObject::connect(&f, &Form1::closing, indexer, [&c, indexer] {
        indexer->cancel();
        if (c.findWindow)
            c.findWindow->close();
    });
}

} // namespace kv
