#include "app/widgets/spin_button.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kv {

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (QToolButton* b : {m_up, m_down}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setFocusPolicy(Qt::TabFocus); // reached by Tab; a click leaves the focus where it was
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(QStringLiteral("SpinUp"));
    m_down->setObjectName(QStringLiteral("SpinDown"));
    setArrowNames(tr("Next photo"), tr("Previous photo"));
    connect(m_up, &QToolButton::clicked, this, &SpinButton::spinUp);
    connect(m_down, &QToolButton::clicked, this, &SpinButton::spinDown);
}

void SpinButton::setArrowNames(const QString& up, const QString& down)
{
    // The arrows show no text: a screen reader needs their names.
    m_up->setToolTip(up);
    m_up->setAccessibleName(up);
    m_down->setToolTip(down);
    m_down->setAccessibleName(down);
}

} // namespace kv
