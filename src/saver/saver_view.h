#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <optional>

namespace kv {

// The saver's one surface: a photo scaled to fit on black, or a line of text on a dark screen.
class SaverView final : public QWidget
{
    Q_OBJECT
public:
    // A full-screen saver ends on input; a preview or a window of another program's does not.
    explicit SaverView(bool endOnInput, QWidget* parent = nullptr);

    void setPhoto(const QImage& image, const QString& path, double dueMs);
    void setMessage(const QString& text);
    QString message() const { return m_message; }

signals:
    void userActed();
    // After the first paint of a new photo or message, for tracing.
    void photoPainted(const QString& path, double dueMs);
    void messagePainted(const QString& text);
    void resized(const QSize& devicePixels);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void acted();

    bool m_endOnInput;
    QImage m_image;
    QString m_message;
    std::optional<QPoint> m_firstMouse;
    struct Pending
    {
        QString path;
        double dueMs = 0;
    };
    std::optional<Pending> m_pendingPhoto;
    bool m_pendingMessage = false;
};

} // namespace kv
