#include "CShortListReach.h"
#include "ReachableSets.h"

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
// Values as the search's deeper lists hold them: tiles, small results (0 and 1 among them),
// and large products.
class CListValues
{
public:
    explicit CListValues(unsigned nSeed) : m_random(nSeed) {}

    std::int32_t Next()
    {
        const int nKind = m_kind(m_random);
        return nKind == 0   ? kTiles[static_cast<std::size_t>(m_small(m_random) % 4)]
               : nKind == 3 ? m_large(m_random)
                            : m_small(m_random);
    }
    std::mt19937& Random() { return m_random; }

private:
    static constexpr std::int32_t kTiles[] = {25, 50, 75, 100};
    std::mt19937 m_random;
    std::uniform_int_distribution<int> m_kind{0, 3};
    std::uniform_int_distribution<std::int32_t> m_small{0, 12};
    std::uniform_int_distribution<std::int32_t> m_large{101, 80000};
};
} // namespace

// Many lists, more than the table keeps, each asked about every target of the window, the
// targets just outside it and the values below 0, in several orders: every answer is
// CanReach's, looked up or not.
TEST(ShortListReach, AnswersAsCanReachForEveryListAndTarget)
{
    std::mt19937 random(1812);
    CShortListReach lists;
    CShortListReach plain;
    lists.Reset();
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
                ASSERT_EQ(lists.Makes(t, nCount, values.data()),
                          plain.CanReach(t, nCount, values.data()))
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

TEST(ShortListReach, ResetForgetsTheLists)
{
    const std::int32_t anValues[] = {9, 3, 3, 1};
    CShortListReach lists;
    lists.Reset();
    EXPECT_TRUE(lists.Makes(81, 4, anValues));
    EXPECT_FALSE(lists.Makes(1000, 4, anValues));
    EXPECT_EQ(lists.Lists(), 1);
    lists.Reset();
    EXPECT_EQ(lists.Lists(), 0);
    EXPECT_TRUE(lists.Makes(27, 3, anValues));
    EXPECT_EQ(lists.Lists(), 1);
}

TEST(ShortListReach, CanReachKnowsExactlyWhatShortListsMake)
{
    CListValues listValues(12);
    CShortListReach lists;
    for (int n = 0; n < 600; ++n)
    {
        std::vector<std::int32_t> values(static_cast<std::size_t>(1 + n % 4));
        for (std::int32_t& v : values)
            v = listValues.Next();
        const std::vector<std::int32_t> reachable = ReachableSet(values);
        std::vector<std::int32_t> targets = reachable;
        for (std::int32_t t = 0; t <= 200; ++t)
            targets.push_back(t);
        SCOPED_TRACE(Describe(values));
        for (std::int32_t t : targets)
        {
            EXPECT_EQ(lists.CanReach(t, static_cast<int>(values.size()), values.data()),
                      Holds(reachable, t))
                << t;
        }
    }
}

TEST(ShortListReach, CanReachOnlyHeldValuesWithoutSteps)
{
    const std::int32_t anValues[] = {0, 0, 7, 7, 9};
    CShortListReach lists;
    // 0 and 0 make 0 only; no step gives a value below 0.
    EXPECT_TRUE(lists.CanReach(0, 2, anValues));
    EXPECT_FALSE(lists.CanReach(1, 2, anValues));
    EXPECT_FALSE(lists.CanReach(-7, 4, anValues));
    EXPECT_FALSE(lists.CanReach(7, 0, anValues));
    EXPECT_FALSE(lists.CanReach(7, -1, anValues));
    EXPECT_TRUE(lists.CanReach(7, 1, anValues + 2));
    // Lists of five or more values are not worked out: they always may.
    EXPECT_TRUE(lists.CanReach(123456, 5, anValues));
}

TEST(ShortListReach, ThreeKeptAnswerAsTheFourValuesDo)
{
    // The second level's lists: three values that stay, beside step results that change,
    // for targets that the four make and targets that they do not. One object serves every
    // list, so that what it keeps must follow the target and the three.
    CListValues listValues(31);
    CShortListReach lists;
    int nMade = 0;
    int nAsked = 0;
    for (int n = 0; n < 300; ++n)
    {
        const std::int32_t anThree[3] = {listValues.Next(), listValues.Next(), listValues.Next()};
        std::vector<std::int32_t> results;
        std::vector<std::vector<std::int32_t>> reachable;
        for (int k = 0; k < 12; ++k)
        {
            results.push_back(listValues.Next());
            reachable.push_back(ReachableSet({results.back(), anThree[0], anThree[1], anThree[2]}));
        }
        std::vector<std::int32_t> targets = {-1};
        for (std::size_t k = 0; k < reachable[0].size(); k += 1 + reachable[0].size() / 12)
            targets.push_back(reachable[0][k]);
        for (int k = 0; k < 12; ++k)
            targets.push_back(static_cast<std::int32_t>(listValues.Random()() % 1000));
        SCOPED_TRACE(Describe(anThree, 3));
        for (std::int32_t t : targets)
        {
            for (std::size_t k = 0; k < results.size(); ++k)
            {
                const std::int32_t anFour[4] = {results[k], anThree[0], anThree[1], anThree[2]};
                const bool bMakes = Holds(reachable[k], t);
                ASSERT_EQ(lists.CanReach(t, 4, anFour), bMakes) << results[k] << " for " << t;
                nMade += bMakes ? 1 : 0;
                ++nAsked;
            }
        }
    }
    // Both answers come often enough to be tested.
    EXPECT_GT(nMade, nAsked / 10);
    EXPECT_LT(nMade, nAsked - nAsked / 10);
}
