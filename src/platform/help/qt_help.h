#pragma once

#include "platform/help/help.h"

#include <QList>
#include <QPointer>

namespace kv {

class HelpWindow;

// HTML and RTF help files open in a help window of ours; anything else goes to the
// system's handler for the file.
class QtHelp final : public IHelp
{
public:
    ~QtHelp() override;
    bool showContents(const QString& helpFile, QWidget* owner) override;
    void quit(QWidget* owner) override;

    // The open help window of owner, if any.
    HelpWindow* windowFor(QWidget* owner);

private:
    struct Entry
    {
        QPointer<QWidget> owner;
        bool ownerless = false;
        QPointer<HelpWindow> window;
    };
    void prune();
    QList<Entry> m_windows;
};

} // namespace kv
