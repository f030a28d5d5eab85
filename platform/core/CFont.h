#pragma once

#include "CWndPeer.h"

#include <optional>

// A font made from a description. It holds no font until it is created, and gives it up
// when deleted or destroyed.
class CFont
{
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    bool CreateFontIndirect(const LOGFONT* pLogFont);
    bool DeleteObject();
    bool IsCreated() const { return m_logFont.has_value(); }
    // The description the font was made from; only for a created font.
    const LOGFONT* GetLogFont() const { return m_logFont ? &*m_logFont : nullptr; }

private:
    std::optional<LOGFONT> m_logFont;
};
