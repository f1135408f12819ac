#include "support/fixture.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/main_window.h"
#include "app/widgets/keyboard_polish.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QTest>

#include <utility>

namespace kv {

Fixture::Fixture()
    : c(std::make_unique<AppContext>(t.services))
{
    KeyboardPolish::install(); // as the program does
    QDir().mkpath(programDir());
    t.files->setProgramDir(programDir());
    t.files->setSystemDir(dir.path() + QStringLiteral("/system"));
    t.files->setHomeDir(dir.path() + QStringLiteral("/home"));
}

Fixture::~Fixture()
{
    delete c->form1.data();
    delete c->form2.data();
}

bool copiesEnded(AppContext& c)
{
    return QTest::qWaitFor([&c] { return !c.stopCopy; }, 60000);
}

QString Fixture::disc(const QString& name) const
{
    const QString path = dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return path;
}

void Fixture::writePhotos(const QString& root, const QStringList& names)
{
    for (const QString& n : names)
        writePhoto(root + QStringLiteral("/Murvos/") + n);
}

Form1& Fixture::openMainWith(const QStringList& photos)
{
    writePhotos(disc(), photos);
    return openMain(disc());
}

Form1& Fixture::openMain(const QString& root)
{
    c->state.CdDrive = root;
    c->state.PhotoDir = root;
    c->state.AwaitingFirstClick = true;
    prepareTestedArea(*c);
    openMainWindow(*c, wireTestedArea);
    return *c->form1;
}

TopicChoice choiceByCaption(const QString& caption)
{
    for (const Topic& row : allTopics()) {
        if (row.caption == caption)
            return TopicChoice(row);
        if (!row.code.isEmpty() && row.slideCaption == caption)
            return TopicChoice::ofPhotoCode(row.code);
    }
    return {};
}

bool inWindowsOpenedBy(Fixture& fx, const std::function<void()>& open, const std::function<void(QWidget*)>& check)
{
    QList<QPointer<QWidget>> seen;
    bool looking = false;
    auto look = [&] {
        if (std::exchange(looking, true))
            return;
        const QList<QWidget*> windows = QApplication::topLevelWidgets();
        QList<QPointer<QWidget>> shown;
        for (QWidget* w : windows) {
            if (w->isVisible() && w != fx.c->form1 && !seen.contains(w) && !w->inherits("QMenu"))
                shown << w;
        }
        // As each window settles on its first view.
        if (!shown.isEmpty())
            QTest::qWait(100);
        for (const QPointer<QWidget>& w : shown) {
            if (!w)
                continue;
            seen << w;
            check(w);
        }
        looking = false;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    };
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, look);
    poll.start();
    open();
    poll.stop();
    look();
    for (const QPointer<QWidget>& w : seen)
        if (w)
            w->close();
    return !seen.isEmpty();
}

} // namespace kv
