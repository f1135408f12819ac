#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

namespace kv {

// A caption panel with a sunken bevel, the old three-dimensional panel.
class Panel3D : public QLabel
{
    Q_OBJECT
public:
    explicit Panel3D(const QString& caption = {}, QWidget* parent = nullptr);

    // The font the caption is painted in: the panel's own, made smaller when the caption would
    // not fit inside the bevel with it.
    QFont captionFont() const;

signals:
    void doubleClicked();
    void clicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int textFlags() const;
    QFont fittedFont() const;

    // Fitting the caption lays it out; a panel repainted with the same caption and size (a
    // photo number on every step) reuses the answer.
    struct Fit
    {
        QString text;
        QRect box;
        QFont font;
        QFont fitted;
        int maxWidth = -1; // of `font`
        int height = 0;
    };
    mutable Fit m_fit;
};

} // namespace kv
