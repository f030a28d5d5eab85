#pragma once

#include "CDealtTally.h"
#include "CDrawTally.h"
#include "CTileSet.h"

#include <cstddef>
#include <string>

// pivolo-stats' output as JSON Lines (--json): with --games, one object a game; else one
// object a table of the report, with the counts the report's shares are made of.
class CStatsJson
{
public:
    // The games of one draw: {"tiles": [...], "target": T, "reached": R}, a line each.
    static std::string DrawGames(const CDrawTally& tally, std::size_t nDraw);
    // The report's tables, a line each.
    static std::string Report(const CDrawTally& tally, const CDealtTally& dealt,
                              const CTileSet& set);
};
