#include "app/app_state.h"

namespace kv {

void List1::set(int position, const QString& value)
{
    if (position < 1)
        return;
    while (m_items.size() < position)
        m_items.append(QString());
    m_items[position - 1] = value;
}

} // namespace kv
