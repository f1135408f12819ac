#include "browse/find_window.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "browse/find_indexer.h"
#include "browse/find_open.h"
#include "browse/find_placement.h"
#include "browse/find_results.h"
#include "browse/find_searcher.h"
#include "platform/richtext/rich_text_box.h"
#include "platform/screen.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

namespace kv {

namespace {
// Long enough to let a word be typed, short enough to feel immediate.
constexpr int TypingPause = 150;
// The longest a window manager takes to hand a newly shown window the keyboard.
constexpr int ActivationWait = 2000;
const QSize Wanted(480, 430);
const QSize Smallest(220, 240);

bool isTyping(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    return key->key() == Qt::Key_Backspace || (!key->text().isEmpty() && key->text().at(0).isPrint());
}
} // namespace

FindWindow::FindWindow(AppContext& context, FindIndexer& indexer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_indexer(indexer)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    resize(Wanted);

    lblFind = new QLabel(QStringLiteral("&Find:"), this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("Words, or \"a phrase\""));
    txtFind->setAccessibleDescription(
        QStringLiteral("Finds documents and photo captions holding every word; a phrase in double quotes is found as written."));
    lblFind->setBuddy(txtFind);
    // The field's own clear button has no name; this one, a picture only, is named.
    actClear = txtFind->addAction(style()->standardIcon(QStyle::SP_LineEditClearButton), QLineEdit::TrailingPosition);
    actClear->setObjectName(QStringLiteral("actClear"));
    actClear->setText(QStringLiteral("Clear"));
    actClear->setVisible(false);
    connect(actClear, &QAction::triggered, txtFind, &QLineEdit::clear);
    connect(txtFind, &QLineEdit::textChanged, actClear, [this](const QString& text) { actClear->setVisible(!text.isEmpty()); });

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

    cmdSuggestion = new QPushButton(this);
    cmdSuggestion->setObjectName(QStringLiteral("cmdSuggestion"));
    cmdSuggestion->setAutoDefault(false);
    cmdSuggestion->setAccessibleDescription(QStringLiteral("Searches for this spelling instead."));
    cmdSuggestion->hide();
    connect(cmdSuggestion, &QPushButton::clicked, this, &FindWindow::takeSuggestion);

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(lblResults, 1, 0, 1, 2);
    grid->addWidget(lstResults, 2, 0, 1, 2);
    grid->addWidget(cmdSuggestion, 3, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(lblCount, 4, 0, 1, 2);
    grid->setRowStretch(2, 1);
    setTabOrder(txtFind, lstResults);
    setTabOrder(lstResults, cmdSuggestion);

    m_searcher = new FindSearcher(this);
    connect(m_searcher, &FindSearcher::found, this, &FindWindow::found);
    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(TypingPause);
    connect(m_typing, &QTimer::timeout, this, &FindWindow::search);
    connect(txtFind, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
    m_catchEnd = new QTimer(this);
    m_catchEnd->setSingleShot(true);
    m_catchEnd->setInterval(ActivationWait);
    connect(m_catchEnd, &QTimer::timeout, this, [this] { catchKeys(false); });
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
    if (!m_placed) {
        place();
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    if (m_stale) {
        m_stale = false;
        search();
    }
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
    // Until the window manager hands this window the keyboard, what is typed goes on reaching
    // the window that had it: it belongs in the field.
    if (!isActiveWindow())
        catchKeys(true);
}

QRect FindWindow::keepClear() const
{
    const Form1* f = m_context.form1;
    if (!f)
        return {};
    QRect clear(f->Image4->mapToGlobal(QPoint(0, 0)), f->Image4->size());
    if (f->rtbDetails->isVisible())
        clear |= QRect(f->rtbDetails->mapToGlobal(QPoint(0, 0)), f->rtbDetails->size());
    return clear;
}

void FindWindow::place()
{
    if (!parentWidget() || !canPlaceWindows())
        return;
    // The frame the window manager adds, as far as it is known yet.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(8, 32);
    const QRect screen(QPoint(0, 0), m_context.screen().sizePixels());
    const QRect spot = findWindowPlace(screen, parentWidget()->frameGeometry(), keepClear(), Wanted + frame, Smallest + frame);
    if (spot.isNull())
        return;
    resize(spot.size() - frame);
    move(spot.topLeft());
}

void FindWindow::search()
{
    m_typing->stop();
    m_searched = m_indexer.library();
    m_searcher->search(m_searched, txtFind->text());
}

void FindWindow::found(const FindQuery& query, const QList<FindIndex::Hit>& hits, const QString& suggestion)
{
    m_query = query;
    m_results->show(m_searched, hits);
    if (m_results->rowCount() > 0)
        lstResults->setCurrentIndex(m_results->index(0));
    m_suggestion = suggestion;
    cmdSuggestion->setText(QStringLiteral("Did you mean %1?").arg(suggestion));
    cmdSuggestion->setVisible(!suggestion.isEmpty());
    showCount();
    if (m_openWhenFound) {
        m_openWhenFound = false;
        openCurrent();
    }
}

void FindWindow::takeSuggestion()
{
    if (m_suggestion.isEmpty())
        return;
    txtFind->setText(m_suggestion);
    txtFind->setFocus(Qt::OtherFocusReason);
    search();
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
    if (m_searcher->isBusy()) {
        m_openWhenFound = true;
        return;
    }
    const int row = lstResults->currentIndex().isValid() ? lstResults->currentIndex().row() : 0;
    const FindSource* found = m_results->source(row);
    if (!found) {
        // Nothing found: Enter takes the spelling offered.
        takeSuggestion();
        return;
    }
    // Copies: the results may be replaced while the hit is open.
    const FindSource source = *found;
    const FindQuery query = m_query;
    const bool opened = openFindHit(m_context, source, query);
    if (!opened)
        lblCount->setText(QStringLiteral("\"%1\" can no longer be read from the disc.").arg(source.label));
    if (!isVisible())
        return;
    if (opened && source.isPhoto() && m_context.form1) {
        // The photo's window takes the keyboard, for "." and ","; this one moves off the photo.
        if (frameGeometry().intersects(keepClear()))
            place();
        m_context.form1->raise();
        m_context.form1->activateWindow();
        FocusNextYearButton(m_context);
        return;
    }
    // Back to the results, for the next one.
    raise();
    activateWindow();
    lstResults->setFocus(Qt::OtherFocusReason);
}

void FindWindow::catchKeys(bool on)
{
    if (on == m_catching)
        return;
    m_catching = on;
    if (on) {
        qApp->installEventFilter(this);
        m_catchEnd->start();
    } else {
        qApp->removeEventFilter(this);
        m_catchEnd->stop();
    }
}

void FindWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        catchKeys(false);
    QDialog::changeEvent(event);
}

void FindWindow::hideEvent(QHideEvent* event)
{
    // Closed, the window wants no more answers; reopened, it asks again.
    m_stale = m_stale || m_searcher->isBusy() || m_typing->isActive();
    m_typing->stop();
    m_searcher->cancel();
    m_openWhenFound = false;
    catchKeys(false);
    QDialog::hideEvent(event);
}

bool FindWindow::keyFromElsewhere(QObject* watched, QEvent* event)
{
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() == this || !isVisible())
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        catchKeys(false); // the user went elsewhere on purpose
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isTyping(key))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed, so that no shortcut of the other window takes it on the way.
        event->accept();
        return true;
    }
    QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), ushort(key->count()));
    QCoreApplication::sendEvent(txtFind, &copy);
    return true;
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_catching && keyFromElsewhere(watched, event))
        return true;
    if (event->type() != QEvent::KeyPress || (watched != txtFind && watched != lstResults))
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
    if (watched == lstResults && isTyping(key)) {
        txtFind->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(txtFind, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

FindWindow& findWindowOf(AppContext& c, FindIndexer& indexer)
{
    if (!c.findWindow)
        c.findWindow = new FindWindow(c, indexer, c.form1);
    return *c.findWindow;
}

} // namespace kv
