#include "CFirstSteps.h"
#include "ReachableSets.h"
#include "Step.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace
{
using Tiles = std::array<std::int32_t, 6>;

// Tiles that take every path (equal tiles, tiles of 1 and 0, products past 32 bits), then
// random draws of the game's set.
std::vector<Tiles> Games()
{
    std::vector<Tiles> games = {{25, 3, 5, 4, 75, 50}, {2, 8, 75, 8, 100, 25},
                                {1, 1, 2, 2, 3, 3},    {100, 100, 75, 75, 50, 50},
                                {1, 2, 3, 4, 5, 6},    {0, 7, 1, 9, 0, 3}};
    std::vector<std::int32_t> set;
    for (std::int32_t v : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 25, 50, 75, 100})
        set.insert(set.end(), {v, v});
    std::mt19937 random(28);
    for (int n = 0; n < 6; ++n)
    {
        std::shuffle(set.begin(), set.end(), random);
        games.push_back({set[0], set[1], set[2], set[3], set[4], set[5]});
    }
    return games;
}
} // namespace

// Every list of the first level, for values made and missed: the first steps say "can"
// exactly when the plain sets of the list do, so the search skips no list that can.
TEST(FirstSteps, FirstLevelListsThatMayReachAValueAreThoseThatCan)
{
    CFirstSteps steps;
    for (const Tiles& tiles : Games())
    {
        SCOPED_TRACE(Describe(tiles.data(), tiles.size()));
        steps.SetTiles(tiles.data());
        EXPECT_TRUE(steps.HasTiles(tiles.data()));
        const std::vector<std::int32_t> asked = {0, 1, 7, 81, 387, 388, 889, 960, 999, 2047};
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
                    for (std::int32_t v : asked)
                        EXPECT_EQ(steps.MakesAfter(steps.Explain(v), i, j, r),
                                  Holds(reachable, v))
                            << v << " after positions " << i << ", " << j << " make " << r;
                }
            }
        }
    }
}
