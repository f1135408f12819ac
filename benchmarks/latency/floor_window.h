#pragma once

#include <QPixmap>
#include <QWidget>

// The least any Qt program does for a step or a selection: one event, one repaint of a box that
// copies a picture made beforehand at its size, one flush.
class FloorWindow : public QWidget
{
public:
    FloorWindow(const QList<QPixmap>& pictures, const QRect& box);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Box;
    void showPicture(int index);

    QList<QPixmap> m_pictures;
    Box* m_box = nullptr;
    int m_index = 0;
};

// The floor as a program of its own: `arguments` are the window's place and size, the box's,
// then the photo files.
int runFloor(const QStringList& arguments);
