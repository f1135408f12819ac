#include "browse/find_searcher.h"

#include "browse/find_indexer.h"

#include <QThread>

#include <condition_variable>
#include <mutex>
#include <optional>

namespace kv {

namespace {
// Fewer results than this and a query may be misspelt.
constexpr qsizetype FewResults = 3;
} // namespace

struct FindSearcher::Shared
{
    struct Request
    {
        quint64 number = 0;
        std::shared_ptr<const FindLibrary> library;
        QString typed;
    };
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Request> next;
    bool quit = false;
    std::atomic_bool stop = false; // the running query is no longer wanted
};

FindSearcher::FindSearcher(QObject* parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    std::shared_ptr<Shared> shared = m_shared;
    m_thread = QThread::create([this, shared] {
        for (;;) {
            Shared::Request request;
            {
                std::unique_lock lock(shared->mutex);
                shared->wake.wait(lock, [&] { return shared->quit || shared->next; });
                if (shared->quit)
                    return;
                request = std::move(*shared->next);
                shared->next.reset();
                shared->stop = false;
            }
            const FindQuery query = parseFindQuery(request.typed);
            const FindIndex& index = request.library->index;
            QList<FindIndex::Hit> hits = index.search(query, &shared->stop);
            if (shared->stop)
                continue;
            const QString suggestion = hits.size() < FewResults ? index.suggestion(request.typed) : QString();
            // Queued to this object: dropped if it is gone by then.
            QMetaObject::invokeMethod(
                this, [this, number = request.number, query, hits = std::move(hits), suggestion] {
                    deliver(number, query, hits, suggestion);
                }, Qt::QueuedConnection);
        }
    });
    m_thread->setObjectName(QStringLiteral("find query"));
    m_thread->start();
}

FindSearcher::~FindSearcher()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->quit = true;
        m_shared->stop = true;
    }
    m_shared->wake.notify_one();
    m_thread->wait();
    delete m_thread;
}

void FindSearcher::search(std::shared_ptr<const FindLibrary> library, const QString& typed)
{
    if (!library) {
        ++m_sent;
        m_busy = false;
        emit found(parseFindQuery(typed), {}, {});
        return;
    }
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->next = Shared::Request{++m_sent, std::move(library), typed};
        m_shared->stop = true;
    }
    m_busy = true;
    m_shared->wake.notify_one();
}

void FindSearcher::cancel()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->next.reset();
        m_shared->stop = true;
    }
    ++m_sent;
    m_busy = false;
}

void FindSearcher::deliver(quint64 number, const FindQuery& query, const QList<FindIndex::Hit>& hits,
                           const QString& suggestion)
{
    if (number != m_sent)
        return;
    m_busy = false;
    emit found(query, hits, suggestion);
}

} // namespace kv
