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

std::int64_t CTileSet::Ways(const Draw& draw) const
{
    std::int64_t nWays = 1;
    for (std::size_t i = 0; i < draw.size(); ++i)
    {
        // Each value once, at its first place.
        if (std::find(draw.begin(), draw.begin() + static_cast<std::ptrdiff_t>(i), draw[i]) !=
            draw.begin() + static_cast<std::ptrdiff_t>(i))
            continue;
        const std::int64_t nCopies = Copies(draw[i]);
        const std::int64_t nTimes = std::count(draw.begin(), draw.end(), draw[i]);
        // C(copies, times): at most two copies, so 1, 2 or 1 again.
        std::int64_t nChoices = 1;
        for (std::int64_t k = 0; k < nTimes; ++k)
            nChoices = nChoices * (nCopies - k) / (k + 1);
        nWays *= nChoices;
    }
    return nWays;
}

int CTileSet::MostLarge() const
{
    int nLarge = 0;
    for (const std::int32_t nValue : kanValues)
        nLarge += IsLarge(nValue) ? Copies(nValue) : 0;
    return std::min(nLarge, 6);
}

std::optional<CTileSet::Draw> CTileSet::ReadDraw(std::string_view text, EKind kind)
{
    Draw draw{};
    std::size_t nTiles = 0;
    for (std::size_t i = 0; i < text.size();)
    {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == ',')
        {
            ++i;
            continue;
        }
        // A word: digits alone (nine at most, leading zeros allowed).
        std::int32_t nValue = 0;
        std::size_t nDigits = 0;
        for (; i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != ','; ++i)
        {
            if (text[i] < '0' || text[i] > '9' || ++nDigits > 9)
                return std::nullopt;
            nValue = nValue * 10 + (text[i] - '0');
        }
        if (nTiles == draw.size())
            return std::nullopt;
        draw[nTiles++] = nValue;
    }
    if (nTiles != draw.size() || !CTileSet(kind).Allows(draw))
        return std::nullopt;
    return draw;
}
