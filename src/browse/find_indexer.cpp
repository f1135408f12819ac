#include "browse/find_indexer.h"

#include "platform/regular_file.h"
#include "platform/richtext/rtf_reader.h"

#include <QSet>
#include <QTextDocument>
#include <QThread>

namespace kv {

std::unique_ptr<FindLibrary> buildFindLibrary(std::vector<FindSource> sources, const std::atomic_bool& cancel,
                                              const std::function<void(int)>& progress)
{
    auto library = std::make_unique<FindLibrary>();
    QSet<QString> read;
    int done = 0;
    for (FindSource& source : sources) {
        if (cancel)
            return nullptr;
        // A file named by several entries, or reached by a link, is read once: under the first.
        const QString identity = fileIdentity(source.path);
        const bool first = !identity.isEmpty() && !read.contains(identity);
        read.insert(identity);
        // Damaged or missing documents are passed over: their own buttons report them. The
        // document goes as soon as its text is out, so a large one is held once at a time.
        QString text;
        bool read = false;
        if (first) {
            QTextDocument doc;
            read = readRtfFile(source.path, &doc, &cancel);
            if (read && !cancel)
                text = doc.toPlainText();
        }
        if (cancel)
            return nullptr;
        // A document's caption is its title; a photo's text has only its first line.
        if (read && library->index.add(text, source.isPhoto() ? QString() : source.label, &cancel) >= 0)
            library->sources.push_back(std::move(source));
        if (progress)
            progress(++done);
    }
    library->index.finish();
    return cancel ? nullptr : std::move(library);
}

FindIndexer::FindIndexer(QObject* parent) : QObject(parent)
{
}

FindIndexer::~FindIndexer()
{
    cancel();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void FindIndexer::start(std::vector<FindSource> sources)
{
    if (m_started)
        return;
    m_started = true;
    m_total = int(sources.size());
    std::shared_ptr<Shared> shared = m_shared;
    // Progress and the result come back as queued calls; a call still queued when this object
    // goes is dropped with it.
    m_thread = QThread::create([this, shared, sources = std::move(sources)]() mutable {
        auto report = [this](int done) {
            QMetaObject::invokeMethod(this, [this, done] {
                m_done = done;
                emit progress(m_done, m_total);
            }, Qt::QueuedConnection);
        };
        std::shared_ptr<FindLibrary> library = buildFindLibrary(std::move(sources), shared->cancel, report);
        if (library)
            QMetaObject::invokeMethod(this, [this, library] { finished(library); }, Qt::QueuedConnection);
    });
    m_thread->setObjectName(QStringLiteral("find index"));
    // Reading the disc must not take time from the windows.
    m_thread->start(QThread::LowPriority);
}

void FindIndexer::cancel()
{
    m_shared->cancel = true;
}

void FindIndexer::finished(std::shared_ptr<FindLibrary> library)
{
    if (m_shared->cancel)
        return;
    m_library = std::move(library);
    m_done = m_total;
    emit ready();
}

} // namespace kv
