#include "CGroupValues.h"
#include "CTileSet.h"
#include "CValueWindow.h"
#include "ReachableSets.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace
{
using Tiles = std::array<std::int32_t, 6>;

std::int64_t Distance(std::int64_t a, std::int64_t b)
{
    return a > b ? a - b : b - a;
}

// The first value in the order target, target + 1, target - 1, target + 2, ... that the
// set holds.
std::int32_t NearestIn(const std::vector<std::int32_t>& set, std::int64_t nTarget)
{
    std::int32_t nBest = -1;
    for (std::int32_t v : set)
    {
        const std::int64_t d = Distance(v, nTarget);
        if (nBest < 0 || d < Distance(nBest, nTarget) ||
            (d == Distance(nBest, nTarget) && v > nBest))
            nBest = v;
    }
    return nBest;
}

// Games whose tables take every path: repeated tiles (differences of 0), tiles of 1 (refused
// products), large tiles (products past 32 bits at six tiles), tiles of 0 (0 x anything),
// six large bytes, whose tables outgrow their first size; draws of both sets in their order,
// each followed by the next, which keeps the first five tiles, and random bytes.
std::vector<Tiles> Games()
{
    std::vector<Tiles> games = {
        {25, 3, 5, 4, 75, 50},          {2, 8, 75, 8, 100, 25}, {1, 1, 2, 2, 3, 3},
        {100, 100, 75, 75, 50, 50},     {1, 2, 3, 4, 5, 6},     {0, 7, 1, 9, 0, 3},
        {251, 241, 239, 233, 229, 227},
    };
    for (const CTileSet::EKind kind : {CTileSet::EKind::Full, CTileSet::EKind::LargeOnce})
    {
        const std::vector<CTileSet::Draw> all = CTileSet(kind).Draws();
        for (std::size_t d = 0; d + 1 < all.size(); d += 1201)
            games.insert(games.end(), {all[d], all[d + 1]});
    }
    // The sixth tile going down while the first five stay, and back up.
    for (std::int32_t nSixth : {100, 1, 250, 2})
        games.push_back({100, 100, 75, 75, 50, nSixth});
    std::mt19937 random(18);
    for (int n = 0; n < 12; ++n)
    {
        Tiles tiles;
        for (std::int32_t& nTile : tiles)
            nTile = static_cast<std::int32_t>(random() % 3 == 0 ? random() % 256 : random() % 12);
        games.push_back(tiles);
    }
    return games;
}
} // namespace

// One table serves every game in turn, as in a worker of pivolo-stats: the window makes what
// the plain sets make, and gives the nearest value of every target the dialog can be given,
// one at a time and as a range.
TEST(ValueWindow, MakesWhatThePlainSetsMakeAndTheNearestValueOfEveryTarget)
{
    CGroupValues groups;
    for (const Tiles& tiles : Games())
    {
        SCOPED_TRACE(Describe(tiles.data(), tiles.size()));
        const std::vector<std::int32_t> reachable =
            ReachableSet(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
        groups.SetTiles(tiles.data());
        CValueWindow window;
        window.Make(groups);
        for (std::int32_t v = 0; v < CValueWindow::Size; ++v)
            ASSERT_EQ(window.Makes(v), Holds(reachable, v)) << v;
        std::array<std::int32_t, 1000> anNearest{};
        window.Nearest(0, 999, anNearest.data());
        for (std::int32_t nTarget = -3; nTarget < 1024; ++nTarget)
        {
            ASSERT_EQ(window.Nearest(nTarget), NearestIn(reachable, nTarget)) << nTarget;
            if (nTarget >= 0 && nTarget < 1000)
            {
                ASSERT_EQ(anNearest[static_cast<std::size_t>(nTarget)],
                          NearestIn(reachable, nTarget))
                    << nTarget;
            }
        }
        // Beyond, the window tells only what it can be sure of.
        for (std::int32_t nTarget : {1500, 2047, 2048, 5000})
        {
            const std::int32_t nNearest = window.Nearest(nTarget);
            if (nNearest >= 0)
            {
                EXPECT_EQ(nNearest, NearestIn(reachable, nTarget)) << nTarget;
            }
        }
    }
}

// The rows the solver is known by.
TEST(ValueWindow, NearestValuesOfTheSolversKnownGames)
{
    CGroupValues groups;
    for (const auto& [tiles, nTarget, nNearest] :
         std::vector<std::tuple<Tiles, std::int32_t, std::int32_t>>{
             {{1, 1, 2, 2, 3, 3}, 999, 81},
             {{1, 2, 3, 4, 5, 6}, 999, 960},
             {{2, 8, 75, 8, 100, 25}, 387, 387}})
    {
        groups.SetTiles(tiles.data());
        CValueWindow window;
        window.Make(groups);
        EXPECT_EQ(window.Nearest(nTarget), nNearest) << Describe(tiles.data(), tiles.size());
    }
}
