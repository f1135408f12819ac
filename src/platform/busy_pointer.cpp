#include "platform/busy_pointer.h"

#include <QApplication>

namespace kv {

void QtBusyPointer::busy()
{
    if (m_busy)
        return;
    m_busy = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtBusyPointer::normal()
{
    if (!m_busy)
        return;
    m_busy = false;
    QApplication::restoreOverrideCursor();
}

} // namespace kv
