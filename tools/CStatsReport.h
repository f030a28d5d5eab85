#pragma once

#include "CDealtTally.h"
#include "CDrawTally.h"
#include "CStatsWords.h"

#include <cstddef>
#include <string>
#include <vector>

// The report of a tally as plain text for a terminal: the games by number of large tiles and
// distance from the target, as counts and as shares; the hardest and the easiest targets;
// the draws that reach every target; the worst draws; the furthest misses. Shares are given
// of the draws, each counted once, and as the game deals them. Columns are aligned, numbers
// grouped by thousands.
class CStatsReport
{
public:
    CStatsReport(const CDrawTally& tally, const CDealtTally& dealt, const CStatsWords& words);

    std::string Text() const;

    // What the lists show, for the report and its JSON Lines: the hardest or the easiest
    // targets; the draws that reach every target (all of them); the worst draws; the draws
    // of the furthest misses (those that miss at all).
    enum class EEase
    {
        Hardest,
        Easiest,
    };
    std::vector<int> ListedTargets(EEase eEase) const;
    std::vector<std::size_t> PerfectDraws() const;
    std::vector<std::size_t> WorstDraws() const;
    std::vector<std::size_t> FurthestMisses() const;

    // How many entries each list shows.
    static constexpr std::size_t kListed = 10;

private:
    void AppendHeading(std::string& text) const;
    void AppendDistances(std::string& text) const;
    void AppendTargets(std::string& text) const;
    void AppendPerfectDraws(std::string& text) const;
    void AppendWorstDraws(std::string& text) const;
    void AppendFurthestMisses(std::string& text) const;

    void AppendShares(std::string& text, bool bDealt) const;

    const CDrawTally& m_tally;
    const CDealtTally& m_dealt;
    const CStatsWords& m_words;
};
