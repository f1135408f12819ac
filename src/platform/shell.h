#pragma once

#include <QString>

#include <functional>
#include <memory>

class QLockFile;
class QObject;

namespace kv {

class IShell
{
public:
    virtual ~IShell() = default;
    // False only when a live copy of the program holds the claim. A stale or unreadable claim
    // is taken over; where no claim can be made at all the program runs unguarded.
    virtual bool claimSingleInstance() = 0;
    virtual bool openUrl(const QString& url) = 0;
    // Starts a program and returns. `ended(true)` follows once the program has ended,
    // `ended(false)` when it cannot start (perhaps before this returns). A program still
    // running when the shell goes is ended with it.
    virtual void run(const QString& commandLine, std::function<void(bool ran)> ended) = 0;
    // Gives up the claim, so that a new start is not refused while this copy shuts down.
    virtual void releaseSingleInstance() = 0;
};

class QtShell final : public IShell
{
public:
    // The lock lives in `lockFolder`, or in the per-user runtime folder when none is given.
    explicit QtShell(const QString& lockFolder = {});
    ~QtShell() override;
    bool claimSingleInstance() override;
    bool openUrl(const QString& url) override;
    void run(const QString& commandLine, std::function<void(bool ran)> ended) override;
    void releaseSingleInstance() override;

private:
    QString m_lockFolder;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QObject> m_programs; // parent of the programs running
};

} // namespace kv
