#pragma once

#include "CDealtTally.h"
#include "CDrawTally.h"

#include <optional>
#include <string>

// A tally as comma-separated values for a spreadsheet, one file a view, each with a header
// row and the same columns for every run on a tile set (large tiles from 0 to the most a
// draw of the set holds: 6 for the 28-tile set, 4 for the 24-tile set); shares are
// fractions from 0 to 1 with a decimal point, "_dealt" ones as the game deals the draws
// (each counted with the ways the set deals it):
//   targets.csv     target, draws, exact, exact_share, exact_share_dealt, exact_large0 ...
//                   exact_largeN (the draws that reach the target, in all and by number
//                   of large tiles)
//   draws.csv       tile1 ... tile6, large, ways, targets, exact, exact_share,
//                   total_distance, max_distance, max_distance_target (the lowest target
//                   that far)
//   categories.csv  large (0 to N, then "all"), draws, ways, games, exact, away_1 ...
//                   away_10, away_more (the games that far from their target),
//                   exact_share, exact_share_dealt
class CStatsCsv
{
public:
    CStatsCsv(const CDrawTally& tally, const CDealtTally& dealt, const CTileSet& set);

    std::string Targets() const;
    std::string Draws() const;
    std::string Categories() const;

    static constexpr const char* kaszFiles[] = {"targets.csv", "draws.csv", "categories.csv"};

private:
    const CDrawTally& m_tally;
    const CDealtTally& m_dealt;
    int m_nCategories;
};
