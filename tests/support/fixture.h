#pragma once

#include "app/app_context.h"
#include "platform/doubles/test_services.h"

#include <QTemporaryDir>

#include <memory>

namespace kv {

class Form1;

// A fresh application on test doubles, with a program folder and room for discs in a temp dir.
struct Fixture
{
    Fixture();
    ~Fixture();

    QString programDir() const { return dir.path() + QStringLiteral("/prog"); }
    // A disc folder under the temp dir, created on first use.
    QString disc(const QString& name = QStringLiteral("cd")) const;

    // A small JPEG, or `bytes` as the file when given.
    static void writePhoto(const QString& path, const QByteArray& bytes = {});
    static void writeText(const QString& path, const QByteArray& text);
    void writePhotos(const QString& root, const QStringList& names);

    // Disc and photo folder set as start-up leaves them, photo list built, main window open.
    Form1& openMain(const QString& root);
    // The same on disc() holding these photos.
    Form1& openMainWith(const QStringList& photos);

    QTemporaryDir dir;
    TestServices t;
    std::unique_ptr<AppContext> c;
};

} // namespace kv
