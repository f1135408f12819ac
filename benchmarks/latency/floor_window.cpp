#include "floor_window.h"

#include "platform/image_loader.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

class FloorWindow::Box : public QWidget
{
public:
    explicit Box(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QPixmap picture;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x05, 0x09, 0x0c));
        const QSize logical = (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize();
        p.drawPixmap((width() - logical.width()) / 2, (height() - logical.height()) / 2, picture);
    }
};

FloorWindow::FloorWindow(const QList<QPixmap>& pictures, const QRect& box)
    : m_pictures(pictures)
{
    m_box = new Box(this);
    m_box->setGeometry(box);
    m_box->picture = m_pictures.value(0);
    setFocusPolicy(Qt::StrongFocus);
}

void FloorWindow::showPicture(int index)
{
    const int n = int(m_pictures.size());
    m_index = (index % n + n) % n;
    m_box->picture = m_pictures.at(m_index);
    m_box->update();
}

void FloorWindow::keyPressEvent(QKeyEvent* event)
{
    showPicture(m_index + (event->key() == Qt::Key_Comma ? -1 : 1));
}

void FloorWindow::mouseReleaseEvent(QMouseEvent*)
{
    showPicture(m_index + 1);
}

int runFloor(const QStringList& arguments)
{
    if (arguments.size() < 9)
        return 2;
    const auto number = [&](int i) { return arguments.at(i).toInt(); };
    const QRect window(number(0), number(1), number(2), number(3));
    const QRect box(number(4), number(5), number(6), number(7));
    const qreal ratio = qApp->devicePixelRatio();
    QList<QPixmap> pictures;
    for (const QString& file : arguments.mid(8))
        pictures << QPixmap::fromImage(kv::loadDisplayPicture(file, box.size() * ratio, ratio).display);
    FloorWindow w(pictures, box);
    w.setWindowTitle(QStringLiteral("floor"));
    w.setGeometry(window);
    w.show();
    return QApplication::exec();
}
