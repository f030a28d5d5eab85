#pragma once

#include "CDrawTally.h"
#include "CTileSet.h"

#include <cstdint>
#include <string>

// The words of pivolo-stats' report and picture: what was tallied (every draw of a set, some
// draws, one draw; a range of targets or one), in the set's own terms, counts in the
// singular or the plural, numbers grouped by thousands, shares as percentages.
class CStatsWords
{
public:
    // bEveryDraw: the tally holds every draw of the set.
    CStatsWords(const CDrawTally& tally, const CTileSet& set, bool bEveryDraw);

    // "Every draw of the 28-tile set (1 to 10, ...)", "The draw 1 2 3 4 5 6 of the 24-tile
    // set (...)", "3 draws of the 28-tile set (...)".
    std::string Draws() const;
    // "every target from 100 to 999", "the target 500".
    std::string Targets() const;
    // "1 draw x 900 targets = 900 games".
    std::string Games() const;
    // "the 28-tile set", "the 24-tile set".
    std::string SetName() const;
    // "six", "four": the most large tiles a draw of the set holds.
    std::string MostLarge() const;

    // A count with its thousands separated by commas: 19,383.
    static std::string Grouped(std::int64_t nCount);
    // "1 draw", "19,383 draws".
    static std::string Counted(std::int64_t nCount, const std::string& singular);
    // A share as a percentage with two decimals, "-" when there is nothing to share.
    static std::string Percent(std::int64_t nPart, std::int64_t nWhole);
    // The tiles of a draw, separated by spaces.
    static std::string DrawText(const CTileSet::Draw& draw);

private:
    const CDrawTally& m_tally;
    const CTileSet& m_set;
    bool m_bEveryDraw;
};
