#pragma once

#include "CDrawTally.h"

#include <string>

// The report of a tally as plain text for a terminal: the games by number of large tiles and
// distance from the target, as counts and as shares; the hardest and the easiest targets;
// the draws that reach every target; the worst draws; the furthest misses. Columns are
// aligned, numbers grouped by thousands.
class CStatsReport
{
public:
    // szSet describes the set the draws come from, for the heading.
    CStatsReport(const CDrawTally& tally, std::string set);

    std::string Text() const;

    // How many entries each list shows.
    static constexpr std::size_t kListed = 10;

    // A count with its thousands separated by commas: 19,383.
    static std::string Grouped(std::int64_t nCount);
    // A share as a percentage with two decimals, "-" when there is nothing to share.
    static std::string Percent(std::int64_t nPart, std::int64_t nWhole);
    // The tiles of a draw, separated by spaces.
    static std::string DrawText(const CTileSet::Draw& draw);

private:
    void AppendHeading(std::string& text) const;
    void AppendDistances(std::string& text) const;
    void AppendTargets(std::string& text) const;
    void AppendPerfectDraws(std::string& text) const;
    void AppendWorstDraws(std::string& text) const;
    void AppendFurthestMisses(std::string& text) const;

    const CDrawTally& m_tally;
    std::string m_set;
};
