#pragma once

#include "CWnd.h"

// An unsorted list: entries stay in the order they were added.
class CListBox : public CWnd
{
public:
    void ResetContent() { Peer().ResetContent(); }
    // Appends at the end and returns the entry's index.
    int AddString(const char* pszText);
    int GetCount() const { return Peer().GetCount(); }
    std::string GetText(int nIndex) const { return Peer().GetString(nIndex); }
};
