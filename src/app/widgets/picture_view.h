#pragma once

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace kv {

// Shows a picture scaled to fit, centred, keeping its proportions. The picture is drawn from a
// copy made at exactly the size it takes on screen, so a paint is a plain copy of pixels.
class PictureView : public QWidget
{
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // `display`, when given, is `image` as displayImage() makes it for this box; one made on a
    // worker thread spares the user-interface thread the scaling.
    void setImage(const QImage& image, const QImage& display = {});
    // A picture painted by `paint` for a box of the size it is given: painted again, at the
    // box's device pixels, whenever the box grows beyond it (a larger layout scale).
    void setPainted(std::function<QImage(const QSize&)> paint);
    bool painted() const { return bool(m_paint); }
    void clear();
    const QImage& image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }
    // When set, the picture fills the whole widget.
    void setStretch(bool stretch);
    bool stretched() const { return m_stretch; }
    // An opaque colour around the picture: the view then paints every pixel itself, so nothing
    // behind it is painted again on a step.
    void setBackground(const QColor& color);
    // The box in device pixels, as a display copy must be made for it.
    QSize displayBox() const;
    // Runs `work` a moment after the picture asked for has been painted and sent to the screen
    // (soon when nothing is painted), so that work begun there (reading the next picture ahead)
    // does not compete with the paint and the display server for the processor.
    void afterShown(std::function<void()> work);

signals:
    void pressed(Qt::MouseButton button);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void runAfterShown();

    QImage m_image;
    QImage m_display;
    std::function<QImage(const QSize&)> m_paint;
    QColor m_background;
    bool m_stretch = false;
    bool m_paintPending = false; // a new picture not painted yet
    std::vector<std::function<void()>> m_afterShown;
    QTimer m_afterShownTimer;
};

} // namespace kv
