#pragma once

#include "browse/find_index.h"

#include <QObject>

#include <memory>

class QThread;

namespace kv {

struct FindLibrary;

// Runs Find's queries on a thread of their own, so that a query over a large document never
// holds up the window. A new query stops the one still running; only the newest one's answer
// comes back. The worker never waits for this thread, so the wait on destruction cannot deadlock.
class FindSearcher : public QObject
{
    Q_OBJECT
public:
    explicit FindSearcher(QObject* parent = nullptr);
    ~FindSearcher() override;

    void search(std::shared_ptr<const FindLibrary> library, const QString& typed);
    // Stops the query still running; its answer never comes.
    void cancel();
    // True from a search until its answer has come back.
    bool isBusy() const { return m_busy; }

signals:
    // The newest query's results, with the closest spelling the index knows when they are few.
    void found(const kv::FindQuery& query, const QList<kv::FindIndex::Hit>& hits, const QString& suggestion);

private:
    struct Shared;
    void deliver(quint64 number, const FindQuery& query, const QList<FindIndex::Hit>& hits, const QString& suggestion);

    std::shared_ptr<Shared> m_shared;
    QThread* m_thread = nullptr;
    quint64 m_sent = 0;
    bool m_busy = false;
};

} // namespace kv
