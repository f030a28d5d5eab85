#include "CReachWithThree.h"
#include "ListReach.h"
#include "ReachableSets.h"

#include <gtest/gtest.h>

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

TEST(ListReach, KnowsExactlyWhatShortListsMake)
{
    CListValues listValues(12);
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
            EXPECT_EQ(CanReach(t, static_cast<int>(values.size()), values.data()),
                      Holds(reachable, t))
                << t;
        }
    }
}

TEST(ListReach, OnlyHeldValuesWithoutSteps)
{
    const std::int32_t anValues[] = {0, 0, 7, 7, 9};
    // 0 and 0 make 0 only; no step gives a value below 0.
    EXPECT_TRUE(CanReach(0, 2, anValues));
    EXPECT_FALSE(CanReach(1, 2, anValues));
    EXPECT_FALSE(CanReach(-7, 4, anValues));
    EXPECT_FALSE(CanReach(7, 0, anValues));
    EXPECT_FALSE(CanReach(7, -1, anValues));
    EXPECT_TRUE(CanReach(7, 1, anValues + 2));
    // Lists of five or more values are not worked out: they always may.
    EXPECT_TRUE(CanReach(123456, 5, anValues));
}

TEST(ListReach, ThreeKeptAnswerAsTheFourValuesDo)
{
    // The second level's lists: three values that stay, beside step results that change,
    // for targets that the four make and targets that they do not. One object serves every
    // list, so that what it keeps must follow the target and the three.
    CListValues listValues(31);
    CReachWithThree with;
    int nMade = 0;
    int nAsked = 0;
    for (int n = 0; n < 300; ++n)
    {
        const std::int32_t anThree[3] = {listValues.Next(), listValues.Next(), listValues.Next()};
        std::vector<std::int32_t> results;
        for (int k = 0; k < 12; ++k)
            results.push_back(listValues.Next());
        std::vector<std::int32_t> targets = {-1};
        const std::vector<std::int32_t> reachable =
            ReachableSet({results[0], anThree[0], anThree[1], anThree[2]});
        for (std::size_t k = 0; k < reachable.size(); k += 1 + reachable.size() / 12)
            targets.push_back(reachable[k]);
        for (int k = 0; k < 12; ++k)
            targets.push_back(static_cast<std::int32_t>(listValues.Random()() % 1000));
        SCOPED_TRACE(Describe(anThree, 3));
        for (std::int32_t t : targets)
        {
            for (std::int32_t r : results)
            {
                with.KeepFor(t, anThree);
                const std::int32_t anFour[4] = {r, anThree[0], anThree[1], anThree[2]};
                const bool bMakes = CanReach(t, 4, anFour);
                ASSERT_EQ(with.CanReachWith(r), bMakes) << r << " for " << t;
                nMade += bMakes ? 1 : 0;
                ++nAsked;
            }
        }
    }
    // Both answers come often enough to be tested.
    EXPECT_GT(nMade, nAsked / 10);
    EXPECT_LT(nMade, nAsked - nAsked / 10);
}
