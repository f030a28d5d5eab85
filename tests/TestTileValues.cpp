#include "CTileValues.h"
#include "ReachableSets.h"
#include "Step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace
{
using Tiles = std::array<std::int32_t, 6>;

// Games whose tables take every path: repeated tiles (differences of 0), tiles of 1
// (refused products), large tiles (products past 32 bits at six tiles), a tile of 0 (0 x
// anything), and six large bytes, whose tables outgrow their first size.
const std::vector<Tiles> kGames = {
    {25, 3, 5, 4, 75, 50},          {2, 8, 75, 8, 100, 25}, {1, 1, 2, 2, 3, 3},
    {100, 100, 75, 75, 50, 50},     {1, 2, 3, 4, 5, 6},     {0, 7, 1, 9, 0, 3},
    {251, 241, 239, 233, 229, 227},
};

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

// Calls check(reachable) for each game, the tables set to its tiles: what the tiles make,
// worked out plainly once for all the tests.
template <typename Check> void ForEachGame(CTileValues& values, Check&& check)
{
    static std::map<Tiles, std::vector<std::int32_t>> reachableSets;
    for (const Tiles& tiles : kGames)
    {
        SCOPED_TRACE(Describe(tiles.data(), tiles.size()));
        values.SetTiles(tiles.data());
        auto [p, bNew] = reachableSets.try_emplace(tiles);
        if (bNew)
            p->second = ReachableSet(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
        check(p->second);
    }
}
} // namespace

TEST(TileValues, ReachableValuesAreThoseOfSomeGroupOfTiles)
{
    CTileValues values;
    ForEachGame(values,
                [&](const std::vector<std::int32_t>& reachable)
                {
                    for (std::int32_t v = -3; v <= 1200; ++v)
                        EXPECT_EQ(values.Explain(v).bReachable, Holds(reachable, v)) << v;
                    // Large values too, every hundredth of those that are made.
                    for (std::size_t n = 0; n < reachable.size(); n += 100)
                        EXPECT_TRUE(values.Explain(reachable[n]).bReachable) << reachable[n];
                });
}

TEST(TileValues, NearestValueIsTheFirstOfTheTrialOrder)
{
    CTileValues values;
    ForEachGame(values,
                [&](const std::vector<std::int32_t>& reachable)
                {
                    for (std::int32_t nTarget :
                         {-100, -1, 0, 1, 13, 387, 499, 889, 956, 999, 5000, 123456, 2147483647})
                        EXPECT_EQ(values.Nearest(nTarget), NearestIn(reachable, nTarget))
                            << nTarget;
                });
    // The rows the solver is known by.
    const Tiles small{1, 1, 2, 2, 3, 3};
    values.SetTiles(small.data());
    EXPECT_EQ(values.Nearest(999), 81);
    const Tiles sequence{1, 2, 3, 4, 5, 6};
    values.SetTiles(sequence.data());
    EXPECT_EQ(values.Nearest(999), 960);
}

TEST(TileValues, FirstLevelListsThatMayReachAValueAreThoseThatCan)
{
    CTileValues values;
    for (const Tiles& tiles : kGames)
    {
        if (tiles[0] > 200)
            continue; // six large bytes: too slow to work out list by list here
        SCOPED_TRACE(Describe(tiles.data(), tiles.size()));
        values.SetTiles(tiles.data());
        std::vector<std::pair<std::int32_t, CTileValues::Reach>> reaches;
        for (std::int32_t v : {0, 1, 7, 387, 388, 889, 960})
        {
            if (values.Explain(v).bReachable)
                reaches.emplace_back(v, values.Explain(v));
        }
        // Every list of the first level: the step's result, then the other tiles.
        for (int i = 0; i < 6; ++i)
        {
            for (int j = 0; j < 6; ++j)
            {
                for (int nOperator = 0; nOperator < OpCount && i != j; ++nOperator)
                {
                    std::int32_t r = 0;
                    if (!ApplyStep(nOperator, tiles[static_cast<std::size_t>(i)],
                                   tiles[static_cast<std::size_t>(j)], r))
                        continue;
                    std::vector<std::int32_t> list{r};
                    for (int k = 0; k < 6; ++k)
                    {
                        if (k != i && k != j)
                            list.push_back(tiles[static_cast<std::size_t>(k)]);
                    }
                    const std::vector<std::int32_t> reachable = ReachableSet(list);
                    const std::vector<std::int32_t> reachableUsingStep =
                        ReachableSetUsingFirst(list);
                    for (const auto& [v, reach] : reaches)
                    {
                        EXPECT_EQ(values.MayReachAfter(reach, i, j, r), Holds(reachable, v))
                            << v << " after positions " << i << ", " << j << " make " << r;
                        // The first steps alone: the ways that go on from this step's
                        // result.
                        CTileValues::Reach firstSteps = reach;
                        firstSteps.nSmallGroups = 0;
                        EXPECT_EQ(values.MayReachAfter(firstSteps, i, j, r),
                                  Holds(reachableUsingStep, v))
                            << v << " from the result " << r << " of positions " << i << ", " << j;
                    }
                }
            }
        }
    }
}

TEST(TileValues, TablesFollowTheTilesFromOneGameToTheNext)
{
    CTileValues values;
    const Tiles first{1, 1, 2, 2, 3, 3};
    const Tiles second{100, 100, 75, 75, 50, 50};
    for (int nRound = 0; nRound < 2; ++nRound)
    {
        values.SetTiles(first.data());
        values.SetTiles(first.data());
        EXPECT_EQ(values.Nearest(999), 81);
        EXPECT_FALSE(values.Explain(7500).bReachable);
        values.SetTiles(second.data());
        EXPECT_TRUE(values.Explain(7500).bReachable);
        EXPECT_EQ(values.Nearest(999), 1000);
    }
}

// The window, every value from 0 to 2047 at once, against two others: the plain sets for
// whether a value is made and for the nearest value of every target, and the tables' own
// value-by-value way (the first value asked for of a set of tiles) for everything Explain
// says, first steps and small groups included, on every value up to 63 and every fifth one.
TEST(TileValues, WindowAgreesWithThePlainSetsAndWithTheValueByValueWay)
{
    std::vector<Tiles> games = kGames;
    // A tile past a byte: no window, every value worked out the slow way.
    games.push_back({300, 2, 3, 4, 5, 6});
    // Draws of the game's own set, grouped as a bulk job meets them.
    std::mt19937 random(18);
    std::vector<std::int32_t> set;
    for (std::int32_t v : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 25, 50, 75, 100})
        set.insert(set.end(), {v, v});
    for (int n = 0; n < 5; ++n)
    {
        std::shuffle(set.begin(), set.end(), random);
        games.push_back({set[0], set[1], set[2], set[3], set[4], set[5]});
    }
    // Tiles that keep the first five and change the sixth, as the draws of a whole set come:
    // large values in the hash, and a sixth tile past a byte and back.
    for (std::int32_t nSixth : {50, 25, 300, 1})
        games.push_back({100, 100, 75, 75, 50, nSixth});
    const Tiles other{1, 1, 1, 1, 1, 2};
    CTileValues window;
    CTileValues single;
    for (const Tiles& tiles : games)
    {
        SCOPED_TRACE(Describe(tiles.data(), tiles.size()));
        const std::vector<std::int32_t> reachable =
            ReachableSet(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
        window.SetTiles(tiles.data());
        // Nearest makes the window at once; every further question is a look-up.
        for (std::int32_t nTarget = 0; nTarget < 1000; ++nTarget)
            ASSERT_EQ(window.Nearest(nTarget), NearestIn(reachable, nTarget)) << nTarget;
        for (std::int32_t nTarget : {1000, 1500, 1999, 2046, 2047})
            EXPECT_EQ(window.Nearest(nTarget), NearestIn(reachable, nTarget)) << nTarget;
        for (std::int32_t v = 0; v < CTileValues::WindowSize; ++v)
        {
            ASSERT_EQ(window.Makes(v), Holds(reachable, v)) << v;
            // The value-by-value way makes the tables again each time: a sample.
            if (v >= 64 && v % 5 != 0)
                continue;
            // Tables made afresh, or kept from tiles with another sixth tile.
            Tiles before = other;
            if (v % 2 != 0)
            {
                before = tiles;
                before[5] = tiles[5] == 1 ? 2 : 1;
            }
            single.SetTiles(before.data());
            single.SetTiles(tiles.data());
            const CTileValues::Reach alone = single.Explain(v);
            const CTileValues::Reach fromWindow = window.Explain(v);
            ASSERT_EQ(fromWindow.bReachable, alone.bReachable) << v;
            ASSERT_EQ(fromWindow.nFirstSteps, alone.nFirstSteps) << v;
            ASSERT_EQ(fromWindow.nSmallGroups, alone.nSmallGroups) << v;
        }
    }
}
