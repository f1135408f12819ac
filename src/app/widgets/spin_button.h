#pragma once

#include <QWidget>

class QToolButton;

namespace kv {

// Two stacked arrows: up steps forward, down steps back.
class SpinButton : public QWidget
{
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }
    // Tooltip and accessible name of each arrow.
    void setArrowNames(const QString& up, const QString& down);

signals:
    void spinUp();
    void spinDown();

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace kv
