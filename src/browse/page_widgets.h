#pragma once

#include <QImage>
#include <QWidget>

namespace kv {

// The full-size page: as large as its picture, moved inside the viewport to scroll. Only the
// exposed part is drawn, so scrolling a large scan costs one viewport of copying.
class PageChild : public QWidget
{
    Q_OBJECT
public:
    explicit PageChild(QWidget* parent = nullptr);

    // Takes the picture's size, as a picture box that sizes itself to its picture; a picture
    // read for a pixel ratio takes its size in the window's units.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

signals:
    void pressed(Qt::MouseButton button);
    // After each paint: lets a benchmark see when a new page reached the screen.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

// The overview: the page stretched to the widget. The scaled copy is made once per size and
// only when the overview is on screen, so paging in the page view never pays for it.
class PageOverview : public QWidget
{
    Q_OBJECT
public:
    explicit PageOverview(QWidget* parent = nullptr);

    // `scaled`, when given, is the picture as displayImage() stretches it over this view; one made
    // on a worker thread spares the user-interface thread the scaling of a large page.
    void setPicture(const QImage& picture, const QImage& scaled = {});
    const QImage& picture() const { return m_picture; }
    // The view in device pixels, as a scaled copy must be made for it.
    QSize displayBox() const;

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    QImage m_scaled;
};

} // namespace kv
