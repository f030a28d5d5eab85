#include "CFont.h"

bool CFont::CreateFontIndirect(const LOGFONT* pLogFont)
{
    if (!pLogFont || m_logFont)
        return false;
    m_logFont = *pLogFont;
    return true;
}

bool CFont::DeleteObject()
{
    const bool bHadFont = m_logFont.has_value();
    m_logFont.reset();
    return bHadFont;
}
