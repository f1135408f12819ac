#pragma once

#include "browse/find_text.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListView;
class QTimer;

namespace kv {

struct AppContext;
class FindIndexer;
class FindResults;

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
    // Opens the selected result, or the first when none is selected.
    void openCurrent();

    QLabel* lblFind = nullptr;
    QLineEdit* txtFind = nullptr;
    QLabel* lblResults = nullptr;
    QListView* lstResults = nullptr;
    QLabel* lblCount = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCount();

    AppContext& m_context;
    FindIndexer& m_indexer;
    FindResults* m_results = nullptr;
    QTimer* m_typing = nullptr;
    FindQuery m_query;
    bool m_placed = false;
};

// The main window's Find window, made on first use.
FindWindow& findWindowOf(AppContext& c, FindIndexer& indexer);

} // namespace kv
