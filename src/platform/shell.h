#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace kv {

class IShell
{
public:
    virtual ~IShell() = default;
    // False only when a live copy of the program holds the claim. A stale or unreadable claim
    // is taken over; where no claim can be made at all the program runs unguarded.
    virtual bool claimSingleInstance() = 0;
    virtual bool openUrl(const QString& url) = 0;
    // Starts a program and waits for its end while events run. False when it cannot start.
    virtual bool runAndWait(const QString& commandLine) = 0;
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
    bool runAndWait(const QString& commandLine) override;
    void releaseSingleInstance() override;

private:
    QString m_lockFolder;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kv
