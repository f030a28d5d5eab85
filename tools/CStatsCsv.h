#pragma once

#include "CDrawTally.h"

#include <optional>
#include <string>

// A tally as comma-separated values for a spreadsheet, one file a view, each with a header
// row; shares are fractions from 0 to 1 with a decimal point:
//   targets.csv     target, draws, exact, exact_share, exact_large0 ... exact_largeN
//                   (the draws that reach the target, in all and by number of large tiles)
//   draws.csv       tile1 ... tile6, large, targets, exact, exact_share, total_distance,
//                   max_distance, max_distance_target (the lowest target that far)
//   categories.csv  large (0 to the most large tiles a draw holds, then "all"), draws, games,
//   exact, away_1 ... away_10,
//                   away_more (the games that far from their target)
class CStatsCsv
{
public:
    explicit CStatsCsv(const CDrawTally& tally);

    // Writes the files into the folder, which must exist; nothing when all went well, else
    // the first failure.
    std::optional<std::string> Write(const std::string& folder) const;

    std::string Targets() const;
    std::string Draws() const;
    std::string Categories() const;

    static constexpr const char* kaszFiles[] = {"targets.csv", "draws.csv", "categories.csv"};

private:
    const CDrawTally& m_tally;
};
