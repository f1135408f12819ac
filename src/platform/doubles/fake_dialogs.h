#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace kv {

// Answers message boxes from a script and records what they showed.
class FakeDialogs final : public IDialogs
{
public:
    struct Box
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    int messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    // Gives the next of saveNames, with the default suffix added to a bare name as a dialog does.
    QString saveFileName(const QString& caption, const QString& suggested, const QString& filter,
                         const QString& defaultSuffix) override;

    // Answers used in order; when they run out, the first button of the set is pressed.
    QList<int> answers;
    QStringList saveNames;
    QList<Box> boxes;
    QStringList saveCaptions;
    QStringList saveSuggested;
    QStringList saveFilters;
    // Runs while a box is "open", for tests that look at the screen behind it.
    std::function<void(const Box&)> onBox;

    QString lastText() const { return boxes.isEmpty() ? QString() : boxes.last().text; }
};

} // namespace kv
