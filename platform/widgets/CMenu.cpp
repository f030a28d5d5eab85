#include "CMenu.h"

bool CMenu::AppendMenu(unsigned nFlags, unsigned nIdNewItem, const char* pszNewItem)
{
    if (nFlags & MF_SEPARATOR)
    {
        m_entries.push_back({0, {}, true});
        return true;
    }
    m_entries.push_back({nIdNewItem, pszNewItem ? pszNewItem : "", false});
    return true;
}

int CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || nPos >= GetMenuItemCount())
        return -1;
    return static_cast<int>(m_entries[static_cast<std::size_t>(nPos)].nId);
}

std::string CMenu::GetMenuString(int nPos) const
{
    if (nPos < 0 || nPos >= GetMenuItemCount())
        return {};
    return m_entries[static_cast<std::size_t>(nPos)].text;
}
