#pragma once

class QString;
class QWidget;

namespace kv {

// The help engine: shows a help file's contents for an owner window and closes what it
// opened for that owner.
class IHelp
{
public:
    virtual ~IHelp() = default;
    // The contents page of helpFile, in a help window that belongs to owner (one per owner).
    // False when nothing could be shown.
    virtual bool showContents(const QString& helpFile, QWidget* owner) = 0;
    // Closes the help windows opened for owner.
    virtual void quit(QWidget* owner) = 0;
};

} // namespace kv
