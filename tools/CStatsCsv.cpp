#include "CStatsCsv.h"

#include <cstdio>

namespace
{
std::string Share(std::int64_t nPart, std::int64_t nWhole)
{
    if (nWhole == 0)
        return "";
    char sz[32];
    std::snprintf(sz, sizeof sz, "%.6f", static_cast<double>(nPart) / static_cast<double>(nWhole));
    return sz;
}

void AppendField(std::string& line, const std::string& field)
{
    if (!line.empty())
        line.push_back(',');
    line += field;
}

void AppendField(std::string& line, std::int64_t nValue)
{
    AppendField(line, std::to_string(nValue));
}
} // namespace

CStatsCsv::CStatsCsv(const CDrawTally& tally, const CDealtTally& dealt, const CTileSet& set)
    : m_tally(tally), m_dealt(dealt), m_nCategories(set.MostLarge() + 1)
{
}

std::string CStatsCsv::Targets() const
{
    std::string text = "target,draws,exact,exact_share,exact_share_dealt";
    for (int c = 0; c < m_nCategories; ++c)
        text += ",exact_large" + std::to_string(c);
    text += "\n";
    const std::int64_t nDraws = static_cast<std::int64_t>(m_tally.DrawCount());
    for (int t = m_tally.FirstTarget(); t <= m_tally.LastTarget(); ++t)
    {
        std::string line;
        AppendField(line, t);
        AppendField(line, nDraws);
        AppendField(line, m_tally.ExactDraws(t));
        AppendField(line, Share(m_tally.ExactDraws(t), nDraws));
        AppendField(line, Share(m_dealt.ExactWays(t), m_dealt.AllWays()));
        for (int c = 0; c < m_nCategories; ++c)
            AppendField(line, m_tally.ExactDraws(c, t));
        text += line + "\n";
    }
    return text;
}

std::string CStatsCsv::Draws() const
{
    std::string text = "tile1,tile2,tile3,tile4,tile5,tile6,large,ways,targets,exact,exact_share,"
                       "total_distance,max_distance,max_distance_target\n";
    for (std::size_t d = 0; d < m_tally.DrawCount(); ++d)
    {
        const CDrawTally::DrawSummary& summary = m_tally.Summary(d);
        std::string line;
        for (std::int32_t nTile : m_tally.DrawAt(d))
            AppendField(line, nTile);
        AppendField(line, m_tally.CategoryOf(d));
        AppendField(line, m_dealt.Ways(d));
        AppendField(line, m_tally.TargetCount());
        AppendField(line, summary.nExact);
        AppendField(line, Share(summary.nExact, m_tally.TargetCount()));
        AppendField(line, summary.nTotalDistance);
        AppendField(line, summary.nMaxDistance);
        AppendField(line, summary.nMaxTarget);
        text += line + "\n";
    }
    return text;
}

std::string CStatsCsv::Categories() const
{
    std::string text = "large,draws,ways,games,exact";
    for (int b = 1; b < CDrawTally::FarBucket; ++b)
        text += ",away_" + std::to_string(b);
    text += ",away_more,exact_share,exact_share_dealt\n";
    std::array<std::int64_t, CDrawTally::Distances> anAll{};
    std::int64_t nAllDraws = 0;
    std::int64_t nAllWays = 0;
    std::int64_t nAllDealtExact = 0;
    const std::int64_t nTargets = m_tally.TargetCount();
    auto appendRow = [&](const std::string& name, std::int64_t nDraws, std::int64_t nWays,
                         const auto& games, std::int64_t nDealtExact)
    {
        std::string line;
        AppendField(line, name);
        AppendField(line, nDraws);
        AppendField(line, nWays);
        AppendField(line, nDraws * nTargets);
        for (std::int64_t nGames : games)
            AppendField(line, nGames);
        AppendField(line, Share(games[0], nDraws * nTargets));
        AppendField(line, Share(nDealtExact, nWays * nTargets));
        text += line + "\n";
    };
    for (int c = 0; c < m_nCategories; ++c)
    {
        std::array<std::int64_t, CDrawTally::Distances> anGames{};
        for (int b = 0; b < CDrawTally::Distances; ++b)
        {
            anGames[b] = m_tally.Games(c, b);
            anAll[b] += anGames[b];
        }
        nAllDraws += m_tally.CategoryDraws(c);
        nAllWays += m_dealt.CategoryWays(c);
        nAllDealtExact += m_dealt.Games(c, 0);
        appendRow(std::to_string(c), m_tally.CategoryDraws(c), m_dealt.CategoryWays(c), anGames,
                  m_dealt.Games(c, 0));
    }
    appendRow("all", nAllDraws, nAllWays, anAll, nAllDealtExact);
    return text;
}
