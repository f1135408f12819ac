#pragma once

#include "platform/help/help.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kv {

// Records what the program asked of the help engine.
class FakeHelp final : public IHelp
{
public:
    struct Request
    {
        QString file;
        QPointer<QWidget> owner;
    };

    bool showContents(const QString& helpFile, QWidget* owner) override
    {
        shown.append({helpFile, owner});
        return answer;
    }
    void quit(QWidget* owner) override { quits.append(owner); }

    bool answer = true;
    QList<Request> shown;
    QList<QWidget*> quits;
};

} // namespace kv
