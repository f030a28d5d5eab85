#pragma once

#include "CWndPeer.h"

class CFont;

// Base of the control wrappers: a handle on the control's peer, which the dialog attaches
// when it binds its controls. The wrapper neither owns nor outlives the peer's window.
class CWnd
{
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    void Attach(CWndPeer* pPeer) { m_pPeer = pPeer; }
    void Detach() { m_pPeer = nullptr; }
    CWndPeer* GetPeer() const { return m_pPeer; }
    bool IsBound() const { return m_pPeer != nullptr; }

    // Copies at most nMaxCount - 1 bytes of the text and a terminating zero; returns the
    // number of bytes copied.
    int GetWindowText(char* pszBuffer, int nMaxCount) const;
    std::string GetWindowText() const;
    void SetWindowText(const char* pszText);
    bool EnableWindow(bool bEnable = true);
    bool IsWindowEnabled() const;
    void SetFont(const CFont* pFont);
    LOGFONT GetFontDescription() const;

protected:
    CWndPeer& Peer() const;

private:
    CWndPeer* m_pPeer = nullptr;
};
