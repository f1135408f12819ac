#pragma once

#include <QImage>
#include <QVideoFrame>
#include <QWidget>

namespace kv {

// Where a film's pictures are painted: an ordinary widget drawn with the rest of the window, so
// that films show wherever the window does (X with or without OpenGL, Wayland). The films are
// small enough to turn each picture into an image.
class VideoPicture final : public QWidget
{
    Q_OBJECT
public:
    explicit VideoPicture(QWidget* parent = nullptr);

    // Shows `frame` (an invalid frame leaves the picture black) and tells frameChanged.
    void setFrame(const QVideoFrame& frame);
    void clear();
    const QImage& image() const { return m_image; }

signals:
    void frameChanged(const QVideoFrame& frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace kv
