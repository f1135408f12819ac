#pragma once

#include <QImage>
#include <QWidget>

namespace kv {

// Shows a picture scaled to fit, centred, keeping its proportions.
class PictureView : public QWidget
{
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    void clear();
    const QImage& image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }
    // When set, the picture fills the whole widget.
    void setStretch(bool stretch);

signals:
    void pressed(Qt::MouseButton button);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    bool m_stretch = false;
};

} // namespace kv
