#include "CTextPeer.h"

#include <cassert>

std::string CTextPeer::GetText() const
{
    ++m_nReads;
    return m_text;
}

void CTextPeer::SetText(const std::string& text)
{
    m_text = text;
}

void CTextPeer::SetFont(const LOGFONT* pFont)
{
    m_font = pFont ? *pFont : LOGFONT{};
}

std::string CTextPeer::GetString(int nIndex) const
{
    assert(nIndex >= 0 && nIndex < GetCount());
    return m_entries[static_cast<std::size_t>(nIndex)];
}
