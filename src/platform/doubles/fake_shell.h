#pragma once

#include "platform/shell.h"

#include <QStringList>

namespace kv {

class FakeShell final : public IShell
{
public:
    bool claimSingleInstance() override { return !anotherCopyRunning; }
    bool openUrl(const QString& url) override
    {
        urls.append(url);
        return true;
    }
    // A program that ends at once.
    void run(const QString& commandLine, std::function<void(bool ran)> ended) override
    {
        commands.append(commandLine);
        if (ended)
            ended(runSucceeds);
    }
    void releaseSingleInstance() override { ++releaseCount; }

    bool anotherCopyRunning = false;
    bool runSucceeds = true;
    int releaseCount = 0;
    QStringList urls;
    QStringList commands;
};

} // namespace kv
