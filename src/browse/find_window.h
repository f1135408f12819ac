#pragma once

#include "browse/find_index.h"

#include <QDialog>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTimer;

namespace kv {

struct AppContext;
struct FindLibrary;
class FindIndexer;
class FindResults;
class FindSearcher;

// The Find window: a field, the results best first and their count. Non-modal; one per main
// window, kept while the program runs so that it reopens as it was left.
class FindWindow : public QDialog
{
    Q_OBJECT
public:
    FindWindow(AppContext& context, FindIndexer& indexer, QWidget* parent);

    // Shows the window in front with the field ready for typing.
    void present();
    // Searches at once for what the field holds; typing searches after a short pause.
    void search();
    // Opens the selected result, or the first when none is selected; when a search is still
    // running, once it has answered.
    void openCurrent();

    QLabel* lblFind = nullptr;
    QLineEdit* txtFind = nullptr;
    QAction* actClear = nullptr;
    QLabel* lblResults = nullptr;
    QListView* lstResults = nullptr;
    QPushButton* cmdSuggestion = nullptr;
    QLabel* lblCount = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void found(const FindQuery& query, const QList<FindIndex::Hit>& hits, const QString& suggestion);
    void takeSuggestion();
    void showCount();
    void place();
    QRect keepClear() const;
    void catchKeys(bool on);
    bool keyFromElsewhere(QObject* watched, QEvent* event);

    AppContext& m_context;
    FindIndexer& m_indexer;
    FindResults* m_results = nullptr;
    FindSearcher* m_searcher = nullptr;
    QTimer* m_typing = nullptr;
    QTimer* m_catchEnd = nullptr;
    std::shared_ptr<const FindLibrary> m_searched;
    FindQuery m_query;
    QString m_suggestion;
    bool m_openWhenFound = false;
    bool m_stale = false; // a search was cut short by closing
    bool m_catching = false;
    bool m_placed = false;
};

// The main window's Find window, made on first use.
FindWindow& findWindowOf(AppContext& c, FindIndexer& indexer);

} // namespace kv
