#pragma once

#include <string>
#include <vector>

inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_SEPARATOR = 0x0800;

// A menu's entries: the dialog pops them up as its system menu, and the identifier of the
// entry chosen comes back to it as a system command.
class CMenu
{
public:
    struct Entry
    {
        unsigned nId = 0;
        std::string text;
        bool bSeparator = false;
    };

    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // A separator takes neither identifier nor text.
    bool AppendMenu(unsigned nFlags, unsigned nIdNewItem = 0, const char* pszNewItem = nullptr);
    int GetMenuItemCount() const { return static_cast<int>(m_entries.size()); }
    // 0 for a separator, -1 past the end.
    int GetMenuItemID(int nPos) const;
    std::string GetMenuString(int nPos) const;
    const std::vector<Entry>& Entries() const { return m_entries; }
    void RemoveAll() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
};
