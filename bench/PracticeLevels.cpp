// The share of games of each level of the practice window, on a sample of the whole game:
// games drawn as the window draws them with any number of large tiles and any target (six
// tiles from the 28, a target from 100 to 999), counted by level, in all and by number of
// large tiles.
//
//     pivolo_practice_levels [games [seed]]     (20,000 games, seed 1 by default)
#include "CPracticeDraw.h"
#include "CTargetLevel.h"
#include "CTileSet.h"

#include <array>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const long nGames = argc > 1 ? std::atol(argv[1]) : 20000;
    const auto nSeed = static_cast<std::uint32_t>(argc > 2 ? std::atol(argv[2]) : 1);
    if (nGames <= 0)
    {
        std::fprintf(stderr, "usage: %s [games [seed]]\n", argv[0]);
        return 2;
    }
    using ELevel = CTargetLevel::ELevel;
    constexpr std::array levels{ELevel::Easy, ELevel::Medium, ELevel::Hard, ELevel::Unreachable};
    // [large tiles][level], up to the six tiles all large that a draw as they fall can give;
    // the last row for all games.
    std::array<std::array<long, levels.size()>, 8> counts{};
    CPracticeDraw draw(nSeed);
    for (long n = 0; n < nGames; ++n)
    {
        const CPracticeDraw::SGame game = draw.Draw(std::nullopt, std::nullopt);
        const auto nLevel = static_cast<std::size_t>(game.eLevel);
        ++counts[static_cast<std::size_t>(CTileSet::LargeTiles(game.tiles))][nLevel];
        ++counts.back()[nLevel];
    }
    std::printf("%ld games, seed %u\n%-10s %8s", nGames, nSeed, "large", "games");
    for (ELevel eLevel : levels)
        std::printf(" %10s", CTargetLevel::Name(eLevel).data());
    std::printf("\n");
    for (std::size_t nRow = 0; nRow < counts.size(); ++nRow)
    {
        long nRowGames = 0;
        for (long nCount : counts[nRow])
            nRowGames += nCount;
        if (nRowGames == 0)
            continue;
        if (nRow + 1 == counts.size())
            std::printf("%-10s %8ld", "all", nRowGames);
        else
            std::printf("%-10zu %8ld", nRow, nRowGames);
        for (long nCount : counts[nRow])
            std::printf(" %9.1f%%", nRowGames ? 100.0 * static_cast<double>(nCount) /
                                                    static_cast<double>(nRowGames)
                                              : 0.0);
        std::printf("\n");
    }
    return 0;
}
