#include "CShortListReach.h"
#include "ListReach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

namespace
{
std::string Describe(const std::vector<std::int32_t>& values)
{
    std::string text;
    for (std::int32_t v : values)
        text += std::to_string(v) + ' ';
    return text;
}

// Lists as the search's deeper lists hold them: tiles, small results (0 and 1 among them),
// larger results, and products near the largest value, whose steps do not fit in 32 bits.
std::vector<std::int32_t> RandomList(std::mt19937& random, int nCount)
{
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<std::int32_t> small(0, 12);
    std::uniform_int_distribution<std::int32_t> medium(13, 2100);
    std::uniform_int_distribution<std::int32_t> large(2101, 80000);
    std::uniform_int_distribution<std::int32_t> huge(46000, 2147483647);
    const std::int32_t anTiles[] = {25, 50, 75, 100};
    std::vector<std::int32_t> values(static_cast<std::size_t>(nCount));
    for (std::int32_t& v : values)
    {
        switch (kind(random))
        {
        case 0:
            v = anTiles[small(random) % 4];
            break;
        case 1:
        case 2:
            v = small(random);
            break;
        case 3:
            v = medium(random);
            break;
        case 4:
            v = large(random);
            break;
        default:
            v = huge(random);
            break;
        }
    }
    return values;
}
} // namespace

// Many lists, more than the table keeps, each asked about every target of the window, the
// targets just outside it and the values below 0, in several orders: every answer is
// CanReach's, looked up or not.
TEST(ShortListReach, AnswersAsCanReachForEveryListAndTarget)
{
    std::mt19937 random(1812);
    const std::array<std::int32_t, 6> anTiles = {1, 2, 3, 4, 5, 6};
    CShortListReach lists;
    EXPECT_FALSE(lists.UseFor(anTiles.data()));
    EXPECT_TRUE(lists.UseFor(anTiles.data()));
    std::vector<std::int32_t> targets;
    for (std::int32_t t = -3; t < CShortListReach::WindowSize + 3; ++t)
        targets.push_back(t);
    targets.insert(targets.end(), {5000, 80000, 2147483647, -2147483647 - 1});
    const int nLists = 3 * CShortListReach::MaxLists / 2 + 300;
    std::uniform_int_distribution<int> anyTarget(0, static_cast<int>(targets.size()) - 1);
    for (int n = 0; n < nLists; ++n)
    {
        std::vector<std::int32_t> values = RandomList(random, 2 + n % 3);
        SCOPED_TRACE(Describe(values));
        const int nCount = static_cast<int>(values.size());
        // Every target for some lists, a sample for the others; then the same list in
        // another order, which the table holds as one.
        const bool bEvery = n % 8 == 0;
        for (int nOrder = 0; nOrder < 2; ++nOrder)
        {
            for (std::size_t k = 0; k < (bEvery ? targets.size() : 40); ++k)
            {
                const std::int32_t t =
                    targets[bEvery ? k : static_cast<std::size_t>(anyTarget(random))];
                ASSERT_EQ(lists.Makes(t, nCount, values.data()), CanReach(t, nCount, values.data()))
                    << t;
            }
            std::shuffle(values.begin(), values.end(), random);
        }
    }
    EXPECT_EQ(lists.Lists(), CShortListReach::MaxLists);
    // Other lengths are CanReach's too.
    const std::int32_t anValues[] = {2, 3, 7, 9, 11};
    EXPECT_TRUE(lists.Makes(123456, 5, anValues));
    EXPECT_FALSE(lists.Makes(3, 0, anValues));
}

TEST(ShortListReach, KeepsListsForTheGamesOfOneSetOfTiles)
{
    const std::array<std::int32_t, 6> anFirst = {1, 1, 2, 2, 3, 3};
    const std::array<std::int32_t, 6> anSecond = {100, 75, 3, 3, 2, 1};
    const std::int32_t anValues[] = {9, 3, 3, 1};
    CShortListReach lists;
    // One game of a set of tiles does not pay for the table.
    EXPECT_FALSE(lists.UseFor(anFirst.data()));
    EXPECT_TRUE(lists.UseFor(anFirst.data()));
    EXPECT_TRUE(lists.Makes(81, 4, anValues));
    EXPECT_FALSE(lists.Makes(1000, 4, anValues));
    EXPECT_EQ(lists.Lists(), 1);
    EXPECT_TRUE(lists.UseFor(anFirst.data()));
    EXPECT_EQ(lists.Lists(), 1);
    // Other tiles start over.
    EXPECT_FALSE(lists.UseFor(anSecond.data()));
    EXPECT_EQ(lists.Lists(), 0);
    EXPECT_TRUE(lists.UseFor(anSecond.data()));
    EXPECT_TRUE(lists.Makes(27, 3, anValues));
    EXPECT_EQ(lists.Lists(), 1);
}
