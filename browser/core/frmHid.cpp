#include "frmHid.h"

namespace corvane {

bool HidList::AddItem(const QString& item, int index)
{
    if (index < 0) {
        m_items.append(item);
        return true;
    }
    if (index > ListCount())
        return false;
    m_items.insert(index, item);
    // The selection stays on the same entry.
    if (m_index >= index)
        ++m_index;
    return true;
}

bool HidList::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return false;
    m_items.removeAt(index);
    if (m_index == index)
        m_index = -1;
    else if (m_index > index)
        --m_index;
    return true;
}

void HidList::Clear()
{
    m_items.clear();
    m_index = -1;
}

QString HidList::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    return m_items.at(index);
}

bool HidList::SetList(int index, const QString& item)
{
    if (index < 0 || index >= ListCount())
        return false;
    m_items[index] = item;
    return true;
}

bool HidList::SetListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        return false;
    m_index = index;
    return true;
}

} // namespace corvane
