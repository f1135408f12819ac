#include "support/fixture.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/main_window.h"
#include "app/widgets/keyboard_polish.h"

#include <QDir>
#include <QTest>

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

} // namespace kv
