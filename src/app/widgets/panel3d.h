#pragma once

#include <QLabel>

namespace kv {

// A caption panel with a sunken bevel, the old three-dimensional panel.
class Panel3D : public QLabel
{
    Q_OBJECT
public:
    explicit Panel3D(const QString& caption = {}, QWidget* parent = nullptr);

signals:
    void doubleClicked();
    void clicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace kv
