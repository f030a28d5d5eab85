#include "CTileSet.h"

#include <algorithm>

namespace
{
// Adds every draw that completes the first nChosen tiles of the draw with values from the
// nValue-th distinct value on, each value at most as often as the set holds it.
void AddDraws(const CTileSet& set, std::size_t nValue, std::size_t nChosen, CTileSet::Draw& draw,
              std::vector<CTileSet::Draw>& draws)
{
    if (nChosen == draw.size())
    {
        draws.push_back(draw);
        return;
    }
    if (nValue == CTileSet::kanValues.size())
        return;
    const std::int32_t nTile = CTileSet::kanValues[nValue];
    // More copies of a value first, so that the draws come in increasing order.
    const std::size_t nMost = std::min<std::size_t>(set.Copies(nTile), draw.size() - nChosen);
    for (std::size_t nCopies = nMost + 1; nCopies-- > 0;)
    {
        std::fill_n(draw.begin() + static_cast<std::ptrdiff_t>(nChosen), nCopies, nTile);
        AddDraws(set, nValue + 1, nChosen + nCopies, draw, draws);
    }
}
} // namespace

CTileSet::CTileSet(EKind kind) : m_kind(kind) {}

int CTileSet::Size() const
{
    return m_kind == EKind::Full ? 28 : 24;
}

int CTileSet::Copies(std::int32_t nValue) const
{
    if (std::find(kanValues.begin(), kanValues.end(), nValue) == kanValues.end())
        return 0;
    return IsLarge(nValue) && m_kind == EKind::LargeOnce ? 1 : 2;
}

std::vector<CTileSet::Draw> CTileSet::Draws() const
{
    std::vector<Draw> draws;
    Draw draw{};
    AddDraws(*this, 0, 0, draw, draws);
    return draws;
}

bool CTileSet::Allows(const Draw& draw) const
{
    return std::all_of(draw.begin(), draw.end(),
                       [&](std::int32_t nValue)
                       { return std::count(draw.begin(), draw.end(), nValue) <= Copies(nValue); });
}

int CTileSet::LargeTiles(const Draw& draw)
{
    return static_cast<int>(std::count_if(draw.begin(), draw.end(), IsLarge));
}
