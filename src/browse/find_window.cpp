#include "browse/find_window.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "browse/find_indexer.h"
#include "browse/find_open.h"
#include "browse/find_results.h"
#include "platform/screen.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QShortcut>
#include <QTimer>

namespace kv {

namespace {
// Long enough to let a word be typed, short enough to feel immediate.
constexpr int TypingPause = 150;
} // namespace

FindWindow::FindWindow(AppContext& context, FindIndexer& indexer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_indexer(indexer)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    resize(480, 430);

    lblFind = new QLabel(QStringLiteral("&Find:"), this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("Words, or \"a phrase\""));
    txtFind->setClearButtonEnabled(true);
    txtFind->setAccessibleDescription(
        QStringLiteral("Finds documents and photo captions holding every word; a phrase in double quotes is found as written."));
    lblFind->setBuddy(txtFind);

    lblResults = new QLabel(QStringLiteral("&Results:"), this);
    lblResults->setObjectName(QStringLiteral("lblResults"));
    lstResults = new QListView(this);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    lstResults->setUniformItemSizes(true);
    lstResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstResults->setSelectionMode(QAbstractItemView::SingleSelection);
    // Its label names it on screen; a list takes no name from a label's buddy.
    lstResults->setAccessibleName(QStringLiteral("Results"));
    lstResults->setAccessibleDescription(QStringLiteral("Enter or a double click opens the result."));
    m_results = new FindResults(this);
    lstResults->setModel(m_results);
    lstResults->setItemDelegate(new FindResultDelegate(lstResults));
    lblResults->setBuddy(lstResults);

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(lblResults, 1, 0, 1, 2);
    grid->addWidget(lstResults, 2, 0, 1, 2);
    grid->addWidget(lblCount, 3, 0, 1, 2);
    grid->setRowStretch(2, 1);
    setTabOrder(txtFind, lstResults);

    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(TypingPause);
    connect(m_typing, &QTimer::timeout, this, &FindWindow::search);
    connect(txtFind, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
    connect(lstResults, &QListView::doubleClicked, this, &FindWindow::openCurrent);
    connect(&m_indexer, &FindIndexer::progress, this, &FindWindow::showCount);
    connect(&m_indexer, &FindIndexer::ready, this, &FindWindow::search);
    auto* findAgain = new QShortcut(QKeySequence::Find, this);
    connect(findAgain, &QShortcut::activated, this, &FindWindow::present);
    txtFind->installEventFilter(this);
    lstResults->installEventFilter(this);
    showCount();
}

void FindWindow::present()
{
    if (!m_placed && parentWidget()) {
        // Beside the main window where the screen has room, else over its right-hand side:
        // what a result shows there stays in sight.
        const QRect main = parentWidget()->frameGeometry();
        const int screenWidth = m_context.screen().sizePixels().width();
        const int beside = main.right() + 8;
        move(beside + width() <= screenWidth ? beside : main.right() - width() - 24, main.top() + 80);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
}

void FindWindow::search()
{
    m_typing->stop();
    m_query = parseFindQuery(txtFind->text());
    const std::shared_ptr<const FindLibrary> library = m_indexer.library();
    m_results->show(library, library ? library->index.search(m_query) : QList<FindIndex::Hit>());
    if (m_results->rowCount() > 0)
        lstResults->setCurrentIndex(m_results->index(0));
    showCount();
}

void FindWindow::showCount()
{
    const std::shared_ptr<const FindLibrary> library = m_indexer.library();
    QString text;
    if (!library) {
        text = QStringLiteral("Reading the documents...");
        if (m_indexer.total() > 0)
            text += QStringLiteral(" %1 of %2").arg(m_indexer.done()).arg(m_indexer.total());
    } else if (library->sources.empty()) {
        text = QStringLiteral("This disc has no documents to search.");
    } else if (m_query.isEmpty()) {
        const std::size_t n = library->sources.size();
        text = n == 1 ? QStringLiteral("1 document to search.")
                      : QStringLiteral("%1 documents and captions to search.").arg(n);
    } else {
        const int n = m_results->rowCount();
        text = n == 0 ? QStringLiteral("No results") : n == 1 ? QStringLiteral("1 result") : QStringLiteral("%1 results").arg(n);
    }
    lblCount->setText(text);
}

void FindWindow::openCurrent()
{
    if (m_typing->isActive())
        search();
    const int row = lstResults->currentIndex().isValid() ? lstResults->currentIndex().row() : 0;
    const FindSource* found = m_results->source(row);
    if (!found)
        return;
    // Copies: the results may be replaced while the hit is open.
    const FindSource source = *found;
    const FindQuery query = m_query;
    const bool opened = openFindHit(m_context, source, query);
    if (!opened)
        lblCount->setText(QStringLiteral("\"%1\" can no longer be read from the disc.").arg(source.label));
    if (!isVisible())
        return;
    // Back to the results, for the next one.
    raise();
    activateWindow();
    lstResults->setFocus(Qt::OtherFocusReason);
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && key->modifiers() == Qt::NoModifier) {
        openCurrent();
        return true;
    }
    if (watched == txtFind && (key->key() == Qt::Key_Down || key->key() == Qt::Key_PageDown)) {
        if (m_typing->isActive())
            search();
        if (m_results->rowCount() == 0)
            return true;
        if (!lstResults->currentIndex().isValid())
            lstResults->setCurrentIndex(m_results->index(0));
        lstResults->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (watched == lstResults && key->key() == Qt::Key_Up && lstResults->currentIndex().row() <= 0) {
        txtFind->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    // Typing in the list goes on in the field.
    if (watched == lstResults && !key->text().isEmpty() && key->text().at(0).isPrint()
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        txtFind->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(txtFind, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

FindWindow& findWindowOf(AppContext& c, FindIndexer& indexer)
{
    auto* window = c.form1->findChild<FindWindow*>(QString(), Qt::FindDirectChildrenOnly);
    return window ? *window : *new FindWindow(c, indexer, c.form1);
}

} // namespace kv
