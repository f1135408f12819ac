#include "support/fixture.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/widgets/keyboard_polish.h"
#include "startup/startup.h"
#include "photos/photo_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

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

QString Fixture::disc(const QString& name) const
{
    const QString path = dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return path;
}

void Fixture::writePhoto(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!bytes.isNull()) {
        writeText(path, bytes);
        return;
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(qHash(QFileInfo(path).fileName()) % 360, 200, 200));
    image.save(path, "JPG");
}

void Fixture::writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
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
    BuildPhotoList(*c);
    Form1_Load(*c);
    return *c->form1;
}

} // namespace kv
