#include "CTilePool.h"

#include "CEdit.h"
#include "CPlatform.h"
#include "ParseDecimal.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr std::array<int, 14> kValues = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 25, 50, 75, 100};
constexpr std::int32_t kMaxOfOneValue = 2;

int ValueIndex(int nValue)
{
    const auto it = std::find(kValues.begin(), kValues.end(), nValue);
    return it == kValues.end() ? -1 : static_cast<int>(it - kValues.begin());
}
} // namespace

CTilePool::~CTilePool() = default;

bool CTilePool::IsTileValue(int nValue)
{
    return ValueIndex(nValue) >= 0;
}

void CTilePool::ResetValidation()
{
    m_anAccepted.fill(0);
}

void CTilePool::Refill()
{
    SetSize(0);
    for (BYTE tile : FullSet)
        Add(tile);
}

void CTilePool::SeedOnce()
{
    if (m_bSeeded)
        return;
    m_nRandState = static_cast<std::uint32_t>(CPlatform::Current().CalendarTime());
    m_bSeeded = true;
}

std::uint32_t CTilePool::NextRaw()
{
    m_nRandState = m_nRandState * 214013u + 2531011u;
    return (m_nRandState >> 16) & 0x7FFF;
}

BYTE CTilePool::DrawTile()
{
    const int n = GetSize();
    if (n == 0)
        return 0;
    SeedOnce();
    // Out-of-range indexes are discarded, not folded, so every tile is equally likely.
    std::uint32_t nIndex = 0;
    do
        nIndex = NextRaw() & 0xFF;
    while (nIndex > static_cast<std::uint32_t>(n - 1));
    const BYTE value = GetAt(static_cast<int>(nIndex));
    RemoveAt(static_cast<int>(nIndex));
    return value;
}

char* CTilePool::DrawTileText(char* pszBuffer)
{
    std::snprintf(pszBuffer, 4, "%u", static_cast<unsigned>(DrawTile()));
    return pszBuffer;
}

int CTilePool::DrawTarget()
{
    SeedOnce();
    std::uint32_t nRaw = 0;
    do
        nRaw = NextRaw();
    while (nRaw < 100 || nRaw > 999);
    return static_cast<int>(nRaw);
}

void CTilePool::ShowTiles()
{
    Refill();
    char szText[128] = "";
    std::size_t nLength = 0;
    for (int i = 0; i < GetSize(); ++i)
        nLength += std::snprintf(szText + nLength, sizeof szText - nLength, "%d ", GetAt(i));
    AfxMessageBox(szText, MB_OK);
}

int CTilePool::CheckTile(CEdit& edit)
{
    char szText[32];
    edit.GetWindowText(szText, sizeof szText);
    const int nValue = ParseDecimal(szText);
    const int nIndex = ValueIndex(nValue);
    if (nIndex < 0)
    {
        AfxMessageBox(szBadTile, MB_OK);
        return -1;
    }
    if (++m_anAccepted[static_cast<std::size_t>(nIndex)] > kMaxOfOneValue)
        return 0;
    return nValue;
}
