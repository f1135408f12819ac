#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace kv {

// Shows an HTML or RTF help file with working links: Contents, Back and Forward, Close.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner = nullptr);

    // Loads the file as its content says (HTML or RTF) and shows its first page. A file that
    // cannot be read shows a page saying so. False when the file is neither HTML nor RTF.
    bool openFile(const QString& path);
    // Back to the first page of the file.
    void showContents();

    QString file() const { return m_file; }
    QTextBrowser* browser() const { return m_browser; }

    enum class Kind { Missing, Html, Rtf, Other };
    // What a help file holds, judged by its first bytes.
    static Kind kindOf(const QString& path);

private:
    void showProblem(const QString& why);
    void updateTitle();

    QTextBrowser* m_browser = nullptr;
    QPushButton* m_contents = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_close = nullptr;
    QString m_file;
    Kind m_kind = Kind::Missing;
};

} // namespace kv
