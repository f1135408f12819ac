#pragma once

#include "app/app_context.h"
#include "platform/doubles/test_services.h"
#include "support/test_files.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace kv {

class Form1;
struct Fixture;

// The area under test's share of opening the main window. A test program is built with one
// area piece (support/areas), which defines both.
void prepareTestedArea(AppContext& c); // what start-up builds for the area before the window
void wireTestedArea(AppContext& c);    // the area's controls, wired once when the window is made

// The year or topic whose caption (or slide caption) this is, chosen as it shows; none
// for "panYear" or a caption no row has.
TopicChoice choiceByCaption(const QString& caption);

// Runs `open` and hands `each` every window other than the main window it shows, once it has
// settled; a modal one from inside its own loop and then closed, any other closed once `open`
// has returned. False when no window opened.
bool inWindowsOpenedBy(Fixture& fx, const std::function<void()>& open, const std::function<void(QWidget*)>& each);

// A fresh application on test doubles, with a program folder and room for discs in a temp dir.
struct Fixture
{
    Fixture();
    ~Fixture();

    QString programDir() const { return dir.path() + QStringLiteral("/prog"); }
    // A disc folder under the temp dir, created on first use.
    QString disc(const QString& name = QStringLiteral("cd")) const;

    void writePhotos(const QString& root, const QStringList& names);

    // Disc and photo folder set as start-up leaves them, the area prepared, main window open.
    Form1& openMain(const QString& root);
    // The same on disc() holding these photos.
    Form1& openMainWith(const QStringList& photos);

    QTemporaryDir dir;
    TestServices t;
    std::unique_ptr<AppContext> c;
};

// Runs events until no copy is under way and what follows it has run; false when one still
// runs after a long while.
bool copiesEnded(AppContext& c);

} // namespace kv
