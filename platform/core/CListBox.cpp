#include "CListBox.h"

int CListBox::AddString(const char* pszText)
{
    Peer().AddString(pszText ? pszText : "");
    return GetCount() - 1;
}
