#pragma once

#include <QObject>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kv {

struct AppContext;
class PictureView;
class RichTextBox;

// The booklet print panel's controls, built into the main window's pnlPrint.
class BookletPanel : public QObject
{
    Q_OBJECT
public:
    explicit BookletPanel(QFrame* pnlPrint);

    QFrame* pnlPrint = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QCheckBox*, 8> Check1{}; // 2, 5, 6 and 7 stay hidden
    QGroupBox* Frame2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    std::array<QListWidget*, 2> List1{};
    QPushButton* cmdPrint = nullptr;
    QPushButton* SSCommand7 = nullptr;
    QPushButton* cmdOK = nullptr;
    RichTextBox* rtbText = nullptr;
    PictureView* Picture3 = nullptr;
    PictureView* Image3 = nullptr;

    // The year code of a list's chosen entry ("55"), empty when none is chosen.
    QString yearCode(int list) const;
    bool anyChecked() const;
};

// The panel of the main window; built on first use.
BookletPanel& bookletPanel(AppContext& c);

// Fills both year lists with 1955, 1956 and 1957 (the splash tick does this).
void fillYearLists(AppContext& c);

void mnuPrnt_Click(AppContext& c);
void mnuPrint_Click(AppContext& c);
void Check1_Click(AppContext& c, int index);
void SSCommand7_Click(AppContext& c);
void cmdOK_Click(AppContext& c);
// Prints the booklet; defined with the printing itself.
void cmdPrint_Click(AppContext& c);

// Builds the panel and connects it and the two File menu entries.
void wireBookletPanel(AppContext& c);

} // namespace kv
