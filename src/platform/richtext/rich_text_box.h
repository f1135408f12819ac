#pragma once

#include <QTextBrowser>

class QByteArray;
class QMouseEvent;
class QString;

namespace kv {

// Read-only, scrollable view of an RTF document, read by keyboard with a caret.
// Links do not navigate; the owner decides what a click does.
class RichTextBox : public QTextBrowser
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // Shows the file. When it cannot be read or is not RTF, returns false and
    // the box keeps what it showed before.
    bool loadFile(const QString &path);
    bool loadRtf(const QByteArray &bytes);
    void clearDocument();

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void adopt(QTextDocument *doc);
    // The box's font against the one it was made with: how much larger the document is shown.
    double zoom() const;

    double m_baseFont = 0;
    double m_shownZoom = 1;
};

} // namespace kv
