#pragma once

#include "browse/find_index.h"
#include "browse/find_sources.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace kv {

// The texts Find searches: the index, and the source of each indexed text.
struct FindLibrary
{
    std::vector<FindSource> sources; // those that could be read
    FindIndex index;                 // text k is sources[k]
};

// Reads every source through the RTF reader; an unreadable one is left out. Null when `cancel`
// was set before the end. `progress` gets the number of sources read so far.
std::unique_ptr<FindLibrary> buildFindLibrary(std::vector<FindSource> sources, const std::atomic_bool& cancel,
                                              const std::function<void(int)>& progress = {});

// Builds the library on a worker thread of its own. Cancelled, the worker stops within the
// document it is reading, between two pieces of it; destroying the indexer cancels and waits for that. The worker never
// waits for this thread, so the wait cannot deadlock.
class FindIndexer : public QObject
{
    Q_OBJECT
public:
    explicit FindIndexer(QObject* parent = nullptr);
    ~FindIndexer() override;

    void start(std::vector<FindSource> sources);
    void cancel();

    bool isStarted() const { return m_started; }
    bool isReady() const { return bool(m_library); }
    int done() const { return m_done; }
    int total() const { return m_total; }
    std::shared_ptr<const FindLibrary> library() const { return m_library; }

signals:
    void progress(int done, int total);
    void ready();

private:
    void finished(std::shared_ptr<FindLibrary> library);

    struct Shared
    {
        std::atomic_bool cancel = false;
    };
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    QThread* m_thread = nullptr;
    std::shared_ptr<const FindLibrary> m_library;
    bool m_started = false;
    int m_done = 0;
    int m_total = 0;
};

} // namespace kv
