#include "CStatsWords.h"

#include <cstdio>

CStatsWords::CStatsWords(const CDrawTally& tally, const CTileSet& set, bool bEveryDraw)
    : m_tally(tally), m_set(set), m_bEveryDraw(bEveryDraw)
{
}

std::string CStatsWords::SetName() const
{
    return "the " + std::to_string(m_set.Size()) + "-tile set";
}

std::string CStatsWords::MostLarge() const
{
    static const char* const kaszNumbers[] = {"none", "one", "two", "three", "four", "five", "six"};
    return kaszNumbers[m_set.MostLarge()];
}

std::string CStatsWords::Draws() const
{
    const std::string set =
        SetName() + (m_set.Size() == 28 ? " (1 to 10, 25, 50, 75 and 100, two of each)"
                                        : " (1 to 10 twice, 25, 50, 75 and 100 once each)");
    if (m_bEveryDraw)
        return "Every draw of " + set;
    if (m_tally.DrawCount() == 1)
        return "The draw " + DrawText(m_tally.DrawAt(0)) + " of " + set;
    return Counted(static_cast<std::int64_t>(m_tally.DrawCount()), "draw") + " of " + set;
}

std::string CStatsWords::Targets() const
{
    if (m_tally.TargetCount() == 1)
        return "the target " + std::to_string(m_tally.FirstTarget());
    return "every target from " + std::to_string(m_tally.FirstTarget()) + " to " +
           std::to_string(m_tally.LastTarget());
}

std::string CStatsWords::Games() const
{
    const auto nDraws = static_cast<std::int64_t>(m_tally.DrawCount());
    return Counted(nDraws, "draw") + " x " + Counted(m_tally.TargetCount(), "target") + " = " +
           Counted(nDraws * m_tally.TargetCount(), "game");
}

std::string CStatsWords::Grouped(std::int64_t nCount)
{
    std::string digits = std::to_string(nCount < 0 ? -nCount : nCount);
    for (std::size_t n = digits.size(); n > 3; n -= 3)
        digits.insert(n - 3, ",");
    return nCount < 0 ? "-" + digits : digits;
}

std::string CStatsWords::Counted(std::int64_t nCount, const std::string& singular)
{
    return Grouped(nCount) + " " + singular + (nCount == 1 ? "" : "s");
}

std::string CStatsWords::Percent(std::int64_t nPart, std::int64_t nWhole)
{
    if (nWhole == 0)
        return "-";
    // A few games among millions are not none.
    if (nPart > 0 && 10000 * nPart < nWhole / 2)
        return "<0.01%";
    // Nor are all but a few all.
    if (nPart < nWhole && 10000 * (nWhole - nPart) < nWhole / 2)
        return ">99.99%";
    char sz[32];
    std::snprintf(sz, sizeof sz, "%.2f%%",
                  100.0 * static_cast<double>(nPart) / static_cast<double>(nWhole));
    return sz;
}

std::string CStatsWords::DrawText(const CTileSet::Draw& draw)
{
    std::string text;
    for (std::int32_t nTile : draw)
        text += (text.empty() ? "" : " ") + std::to_string(nTile);
    return text;
}
