#include "CStatsReport.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

namespace
{
using Row = std::vector<std::string>;

// Appends the rows as a table: the first column aligned left, the others right, two spaces
// between columns, each line indented by two.
void AppendTable(std::string& text, const std::vector<Row>& rows)
{
    std::vector<std::size_t> widths;
    for (const Row& row : rows)
    {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const Row& row : rows)
    {
        std::string line = " ";
        for (std::size_t c = 0; c < row.size(); ++c)
        {
            const std::string padding(widths[c] - row[c].size(), ' ');
            line += "  ";
            line += c == 0 ? row[c] + padding : padding + row[c];
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        text += line + "\n";
    }
}

std::string BucketName(int nBucket)
{
    if (nBucket == 0)
        return "reached exactly";
    if (nBucket == CDrawTally::FarBucket)
        return "more than " + std::to_string(CDrawTally::FarBucket - 1) + " away";
    return std::to_string(nBucket) + " away";
}

std::string CategoryName(int nCategory)
{
    return std::to_string(nCategory) + (nCategory == 1 ? " large tile" : " large tiles");
}

std::string Grouped(std::int64_t nCount)
{
    return CStatsWords::Grouped(nCount);
}

std::string Percent(std::int64_t nPart, std::int64_t nWhole)
{
    return CStatsWords::Percent(nPart, nWhole);
}

std::string DrawText(const CTileSet::Draw& draw)
{
    return CStatsWords::DrawText(draw);
}
} // namespace

CStatsReport::CStatsReport(const CDrawTally& tally, const CDealtTally& dealt,
                           const CStatsWords& words)
    : m_tally(tally), m_dealt(dealt), m_words(words)
{
}

std::string CStatsReport::Text() const
{
    std::string text;
    AppendHeading(text);
    AppendDistances(text);
    AppendTargets(text);
    AppendPerfectDraws(text);
    AppendWorstDraws(text);
    AppendFurthestMisses(text);
    return text;
}

void CStatsReport::AppendHeading(std::string& text) const
{
    text += m_words.Draws() + ",\n" + m_words.Targets() + ":\n" + m_words.Games() + ".\n";
    text += "Draws are counted as multisets: equal tiles make one draw, whichever copies of them\n"
            "were drawn. Each game ends on the value the game's search reaches: the target, or\n"
            "else the nearest value the tiles make (the one above at equal distance).\n";
    std::int64_t nExact = 0;
    std::int64_t nDealtExact = 0;
    std::int64_t nDealtGames = 0;
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
    {
        nExact += m_tally.Games(c, 0);
        nDealtExact += m_dealt.Games(c, 0);
        nDealtGames += m_dealt.CategoryWays(c) * m_tally.TargetCount();
    }
    const std::int64_t nGames =
        static_cast<std::int64_t>(m_tally.DrawCount()) * m_tally.TargetCount();
    text += "\nReached exactly: " + Percent(nExact, nGames) +
            " of the games, each draw counted once;\n" + Percent(nDealtExact, nDealtGames) +
            " as the game deals them, each draw counted as many times as\n" + m_words.SetName() +
            " has ways of dealing it (" + Grouped(m_dealt.AllWays()) + " ways in all).\n";
}

void CStatsReport::AppendDistances(std::string& text) const
{
    Row header{""};
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
        header.push_back(std::to_string(c) + " large");
    header.push_back("all");

    std::vector<Row> counts{header};
    Row draws{"draws"};
    Row games{"games"};
    std::int64_t nAllDraws = 0;
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
    {
        nAllDraws += m_tally.CategoryDraws(c);
        draws.push_back(Grouped(m_tally.CategoryDraws(c)));
        games.push_back(Grouped(m_tally.CategoryDraws(c) * m_tally.TargetCount()));
    }
    draws.push_back(Grouped(nAllDraws));
    games.push_back(Grouped(nAllDraws * m_tally.TargetCount()));
    counts.push_back(draws);
    counts.push_back(games);
    for (int b = 0; b < CDrawTally::Distances; ++b)
    {
        Row count{BucketName(b)};
        std::int64_t nAll = 0;
        for (int c = 0; c < m_tally.UsedCategories(); ++c)
        {
            nAll += m_tally.Games(c, b);
            count.push_back(Grouped(m_tally.Games(c, b)));
        }
        count.push_back(Grouped(nAll));
        counts.push_back(count);
    }
    text += "\nGames by number of large tiles (25, 50, 75, 100) in the draw and distance from\n"
            "the target (a draw of " +
            m_words.SetName() + " may hold up to " + m_words.MostLarge() + "):\n";
    AppendTable(text, counts);
    AppendShares(text, false);
    AppendShares(text, true);
}

// The games of each column by distance as shares: of the draws, each counted once, or as
// dealt, each counted with its ways.
void CStatsReport::AppendShares(std::string& text, bool bDealt) const
{
    const int nCategories = m_tally.UsedCategories();
    auto weight = [&](int c)
    { return bDealt ? m_dealt.CategoryWays(c) : m_tally.CategoryDraws(c); };
    auto games = [&](int c, int b) { return bDealt ? m_dealt.Games(c, b) : m_tally.Games(c, b); };
    Row header{""};
    for (int c = 0; c < nCategories; ++c)
        header.push_back(std::to_string(c) + " large");
    header.push_back("all");
    std::vector<Row> shares{header};
    std::int64_t nAll = 0;
    for (int c = 0; c < nCategories; ++c)
        nAll += weight(c);
    shares.push_back({bDealt ? "deals" : "draws"});
    for (int c = 0; c < nCategories; ++c)
        shares.back().push_back(Percent(weight(c), nAll));
    shares.back().push_back(Percent(nAll, nAll));
    for (int b = 0; b < CDrawTally::Distances; ++b)
    {
        Row share{BucketName(b)};
        std::int64_t nAllGames = 0;
        for (int c = 0; c < nCategories; ++c)
        {
            nAllGames += games(c, b);
            share.push_back(Percent(games(c, b), weight(c) * m_tally.TargetCount()));
        }
        share.push_back(Percent(nAllGames, nAll * m_tally.TargetCount()));
        shares.push_back(share);
    }
    text += bDealt
                ? "\nThe same as the game deals them: shares of each column's games, each draw\n"
                  "counted as many times as the set has ways of dealing it (deals: of all deals):\n"
                : "\nThe same as shares of each column's games, each draw counted once (draws: of\n"
                  "all draws):\n";
    AppendTable(text, shares);
}

std::vector<int> CStatsReport::ListedTargets(EEase eEase) const
{
    std::vector<int> targets(static_cast<std::size_t>(m_tally.TargetCount()));
    std::iota(targets.begin(), targets.end(), m_tally.FirstTarget());
    // Fewest (most) draws first, then the lowest target: the order is the same on every run.
    std::stable_sort(targets.begin(), targets.end(),
                     [&](int a, int b)
                     {
                         return eEase == EEase::Hardest
                                    ? m_tally.ExactDraws(a) < m_tally.ExactDraws(b)
                                    : m_tally.ExactDraws(a) > m_tally.ExactDraws(b);
                     });
    targets.resize(std::min(kListed, targets.size()));
    return targets;
}

void CStatsReport::AppendTargets(std::string& text) const
{
    const std::int64_t nDraws = static_cast<std::int64_t>(m_tally.DrawCount());
    auto append = [&](const std::vector<int>& listed)
    {
        std::vector<Row> rows{{"target", "draws reaching it", "share", "as dealt"}};
        for (const int nTarget : listed)
        {
            const std::int64_t nExact = m_tally.ExactDraws(nTarget);
            rows.push_back({std::to_string(nTarget), Grouped(nExact), Percent(nExact, nDraws),
                            Percent(m_dealt.ExactWays(nTarget), m_dealt.AllWays())});
        }
        AppendTable(text, rows);
    };
    text += "\nThe hardest targets (fewest draws reach them):\n";
    append(ListedTargets(EEase::Hardest));
    text += "\nThe easiest targets (most draws reach them):\n";
    append(ListedTargets(EEase::Easiest));
}

std::vector<std::size_t> CStatsReport::PerfectDraws() const
{
    std::vector<std::size_t> perfect;
    for (std::size_t d = 0; d < m_tally.DrawCount(); ++d)
        if (m_tally.Summary(d).nExact == m_tally.TargetCount())
            perfect.push_back(d);
    return perfect;
}

void CStatsReport::AppendPerfectDraws(std::string& text) const
{
    std::array<std::int64_t, CDrawTally::Categories> anPerfect{};
    std::array<std::int64_t, CDrawTally::Categories> anPerfectWays{};
    std::int64_t nPerfectWays = 0;
    const std::vector<std::size_t> perfect = PerfectDraws();
    for (const std::size_t d : perfect)
    {
        ++anPerfect[static_cast<std::size_t>(m_tally.CategoryOf(d))];
        anPerfectWays[static_cast<std::size_t>(m_tally.CategoryOf(d))] += m_dealt.Ways(d);
        nPerfectWays += m_dealt.Ways(d);
    }
    text +=
        "\nDraws that reach every target: " + Grouped(static_cast<std::int64_t>(perfect.size())) +
        " of " + Grouped(static_cast<std::int64_t>(m_tally.DrawCount())) + " (" +
        Percent(static_cast<std::int64_t>(perfect.size()),
                static_cast<std::int64_t>(m_tally.DrawCount())) +
        "; " + Percent(nPerfectWays, m_dealt.AllWays()) + " as dealt)\n";
    std::vector<Row> rows{{"", "draws", "share", "as dealt"}};
    for (int c = 0; c < m_tally.UsedCategories(); ++c)
        rows.push_back({"with " + CategoryName(c), Grouped(anPerfect[c]),
                        Percent(anPerfect[c], m_tally.CategoryDraws(c)),
                        Percent(anPerfectWays[c], m_dealt.CategoryWays(c))});
    AppendTable(text, rows);
    if (perfect.empty())
        return;
    text +=
        perfect.size() > kListed ? "The first " + std::to_string(kListed) + ":\n" : "They are:\n";
    for (std::size_t i = 0; i < std::min(kListed, perfect.size()); ++i)
        text += "    " + DrawText(m_tally.DrawAt(perfect[i])) + "\n";
}

namespace
{
// The first kListed of the draws (by index) in the order that before gives.
template <class Before> std::vector<std::size_t> FirstDraws(std::size_t nDraws, Before before)
{
    std::vector<std::size_t> draws(nDraws);
    std::iota(draws.begin(), draws.end(), std::size_t{0});
    const std::size_t nListed = std::min(CStatsReport::kListed, nDraws);
    std::partial_sort(draws.begin(), draws.begin() + static_cast<std::ptrdiff_t>(nListed),
                      draws.end(), before);
    draws.resize(nListed);
    return draws;
}
} // namespace

std::vector<std::size_t> CStatsReport::WorstDraws() const
{
    return FirstDraws(m_tally.DrawCount(),
                      [&](std::size_t a, std::size_t b)
                      {
                          const CDrawTally::DrawSummary& x = m_tally.Summary(a);
                          const CDrawTally::DrawSummary& y = m_tally.Summary(b);
                          if (x.nExact != y.nExact)
                              return x.nExact < y.nExact;
                          if (x.nTotalDistance != y.nTotalDistance)
                              return x.nTotalDistance > y.nTotalDistance;
                          return a < b;
                      });
}

std::vector<std::size_t> CStatsReport::FurthestMisses() const
{
    std::vector<std::size_t> draws = FirstDraws(m_tally.DrawCount(),
                                                [&](std::size_t a, std::size_t b)
                                                {
                                                    const int x = m_tally.Summary(a).nMaxDistance;
                                                    const int y = m_tally.Summary(b).nMaxDistance;
                                                    return x != y ? x > y : a < b;
                                                });
    std::erase_if(draws, [&](std::size_t d) { return m_tally.Summary(d).nMaxDistance == 0; });
    return draws;
}

void CStatsReport::AppendWorstDraws(std::string& text) const
{
    text += "\nThe worst draws (fewest targets reached, then the largest total distance):\n";
    std::vector<Row> rows{{"draw", "targets reached", "share", "total distance", "mean distance"}};
    for (const std::size_t d : WorstDraws())
    {
        const CDrawTally::DrawSummary& summary = m_tally.Summary(d);
        char szMean[32];
        std::snprintf(szMean, sizeof szMean, "%.1f",
                      static_cast<double>(summary.nTotalDistance) / m_tally.TargetCount());
        rows.push_back({DrawText(m_tally.DrawAt(d)), Grouped(summary.nExact),
                        Percent(summary.nExact, m_tally.TargetCount()),
                        Grouped(summary.nTotalDistance), szMean});
    }
    AppendTable(text, rows);
}

void CStatsReport::AppendFurthestMisses(std::string& text) const
{
    text += "\nThe furthest misses (the largest distances from the target, one game a draw:\n"
            "its lowest target that far):\n";
    std::vector<Row> rows{{"draw", "target", "reached", "distance"}};
    for (const std::size_t d : FurthestMisses())
    {
        const CDrawTally::DrawSummary& summary = m_tally.Summary(d);
        rows.push_back({DrawText(m_tally.DrawAt(d)), std::to_string(summary.nMaxTarget),
                        std::to_string(m_tally.Reached(d, summary.nMaxTarget)),
                        std::to_string(summary.nMaxDistance)});
    }
    if (rows.size() == 1)
        text += "    none: every game reaches its target\n";
    else
        AppendTable(text, rows);
}
