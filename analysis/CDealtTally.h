#pragma once

#include "CDrawTally.h"
#include "CTileSet.h"

#include <array>
#include <cstdint>
#include <vector>

// A tally's games as the game deals them: each draw counted as many times as the set has
// ways of dealing it (CTileSet::Ways), so that its shares are the chances of a game dealt
// at random from the whole set, where the tally's own shares count each draw once.
class CDealtTally
{
public:
    // From a tally that has run, and the set its draws come from.
    CDealtTally(const CDrawTally& tally, const CTileSet& set);

    std::int64_t Ways(std::size_t nDraw) const { return m_ways[nDraw]; }
    // The ways of dealing the draws with that many large tiles, and every draw.
    std::int64_t CategoryWays(int nCategory) const { return m_anCategoryWays[nCategory]; }
    std::int64_t AllWays() const;
    // The games at each distance, each counted with its draw's ways.
    std::int64_t Games(int nCategory, int nBucket) const { return m_games[nCategory][nBucket]; }
    // By target: the ways of dealing the draws that reach it, all or those with that many
    // large tiles.
    std::int64_t ExactWays(int nTarget) const;
    std::int64_t ExactWays(int nCategory, int nTarget) const;

private:
    const CDrawTally& m_tally;
    std::vector<std::int64_t> m_ways;
    std::array<std::int64_t, CDrawTally::Categories> m_anCategoryWays{};
    std::array<std::array<std::int64_t, CDrawTally::Distances>, CDrawTally::Categories> m_games{};
    // Target by target within each category.
    std::vector<std::int64_t> m_exact;
};
