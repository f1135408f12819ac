#pragma once

#include <QDialog>

class QPushButton;

namespace kv {

struct AppContext;
class RichTextBox;

// The document viewer: one document, an OK button and a print button. A new one is made for
// every document and discarded when it closes.
class TxtForm : public QDialog
{
    Q_OBJECT
public:
    // Runs the opening steps: centred, caption from DocTitle, OK width, photo window closed.
    explicit TxtForm(AppContext& context, QWidget* parent = nullptr);

    // Loads a disc path (found without regard to case). False when it cannot be read or is not
    // rich text; the viewer then must not be shown.
    bool loadDocument(const QString& path);

    void SSCommand1_Click();
    void rtbText_DblClick();
    void cmdPrint_Click();

    RichTextBox* rtbText = nullptr;
    QPushButton* SSCommand1 = nullptr;
    QPushButton* cmdPrint = nullptr;

public slots:
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AppContext& m_context;
};

// Opens c.state.DocPath under the caption c.state.DocTitle and waits until the viewer closes.
// False, with nothing shown, when the document cannot be loaded: the caller reports its code.
bool ShowDocument(AppContext& c);

} // namespace kv
