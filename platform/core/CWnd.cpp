#include "CWnd.h"

#include "CFont.h"

#include <algorithm>
#include <cassert>
#include <cstring>

CWnd::~CWnd() = default;

CWndPeer& CWnd::Peer() const
{
    assert(m_pPeer && "control used before the dialog bound it");
    return *m_pPeer;
}

int CWnd::GetWindowText(char* pszBuffer, int nMaxCount) const
{
    assert(pszBuffer && nMaxCount > 0);
    const std::string text = Peer().GetText();
    const std::size_t nCopied = std::min(text.size(), static_cast<std::size_t>(nMaxCount - 1));
    std::memcpy(pszBuffer, text.data(), nCopied);
    pszBuffer[nCopied] = '\0';
    return static_cast<int>(nCopied);
}

std::string CWnd::GetWindowText() const
{
    return Peer().GetText();
}

void CWnd::SetWindowText(const char* pszText)
{
    Peer().SetText(pszText ? pszText : "");
}

bool CWnd::EnableWindow(bool bEnable)
{
    const bool bWasDisabled = !Peer().IsEnabled();
    Peer().Enable(bEnable);
    return bWasDisabled;
}

bool CWnd::IsWindowEnabled() const
{
    return Peer().IsEnabled();
}

void CWnd::SetFont(const CFont* pFont)
{
    Peer().SetFont(pFont ? pFont->GetLogFont() : nullptr);
}

LOGFONT CWnd::GetFontDescription() const
{
    return Peer().GetFont();
}
