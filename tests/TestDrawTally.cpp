#include "CBatchGame.h"
#include "CDealtTally.h"
#include "CDrawTally.h"
#include "CGameLine.h"
#include "CTileSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace
{
using Draw = CTileSet::Draw;

std::string Describe(const Draw& draw)
{
    std::string text;
    for (std::int32_t t : draw)
        text += std::to_string(t) + ' ';
    return text;
}

// The value nearest to the target in the set, the one above first at equal distance.
std::int32_t NearestIn(const std::set<std::int32_t>& values, int nTarget)
{
    std::int32_t nBest = -1;
    for (std::int32_t v : values)
    {
        const int d = std::abs(v - nTarget);
        const int dBest = std::abs(nBest - nTarget);
        if (nBest < 0 || d < dBest || (d == dBest && v > nBest))
            nBest = v;
    }
    return nBest;
}

// Every twentieth-or-so draw of the set, and the draws at its edges: no large tile, the
// most large tiles, the smallest values.
std::vector<Draw> SampleDraws()
{
    const std::vector<Draw> all = CTileSet(CTileSet::EKind::Full).Draws();
    std::vector<Draw> sample;
    for (std::size_t d = 0; d < all.size(); d += all.size() / 17)
        sample.push_back(all[d]);
    sample.push_back({1, 1, 2, 2, 3, 3});
    sample.push_back({50, 50, 75, 75, 100, 100});
    sample.push_back({9, 9, 10, 10, 25, 100});
    std::sort(sample.begin(), sample.end());
    sample.erase(std::unique(sample.begin(), sample.end()), sample.end());
    return sample;
}
} // namespace

// Draws are multisets of six tiles. By number of large tiles k: the multisets of 6 - k small
// tiles (ten values, each at most twice: the coefficients of (1 + x + x^2)^10, 1 10 55 210
// 615 1452 2850) times those of k large ones (four values, at most twice: (1 + x + x^2)^4,
// 1 4 10 16 19 16 10; at most once: (1 + x)^4, 1 4 6 4 1).
TEST(DrawTally, DrawsAreTheMultisetsTheSetAllows)
{
    struct Case
    {
        CTileSet::EKind kind;
        std::size_t nDraws;
        std::vector<int> byLarge;
    };
    const Case cases[] = {
        {CTileSet::EKind::Full, 19383, {2850, 5808, 6150, 3360, 1045, 160, 10}},
        {CTileSet::EKind::LargeOnce, 13243, {2850, 5808, 3690, 840, 55}},
    };
    for (const Case& c : cases)
    {
        const CTileSet set(c.kind);
        const std::vector<Draw> draws = set.Draws();
        SCOPED_TRACE(set.Size());
        EXPECT_EQ(draws.size(), c.nDraws);
        std::vector<int> byLarge(c.byLarge.size(), 0);
        for (const Draw& draw : draws)
        {
            ASSERT_TRUE(std::is_sorted(draw.begin(), draw.end())) << Describe(draw);
            ASSERT_TRUE(set.Allows(draw)) << Describe(draw);
            ++byLarge.at(static_cast<std::size_t>(CTileSet::LargeTiles(draw)));
        }
        EXPECT_EQ(byLarge, c.byLarge);
        EXPECT_TRUE(std::adjacent_find(draws.begin(), draws.end(), std::greater_equal<>()) ==
                    draws.end())
            << "draws in increasing order, each once";
    }
    EXPECT_FALSE(CTileSet(CTileSet::EKind::Full).Allows({1, 1, 1, 2, 3, 4}));
    EXPECT_FALSE(CTileSet(CTileSet::EKind::Full).Allows({1, 2, 3, 4, 5, 11}));
    EXPECT_TRUE(CTileSet(CTileSet::EKind::Full).Allows({1, 2, 3, 4, 100, 100}));
    EXPECT_FALSE(CTileSet(CTileSet::EKind::LargeOnce).Allows({1, 2, 3, 4, 100, 100}));
}

// A draw is dealt in as many ways as the set has ways of choosing its tiles' copies: the
// ways of the draws with k large tiles are those of choosing k of the large copies and 6 - k
// of the 20 small ones, and all add up to choosing six of the set's tiles.
TEST(DrawTally, DrawsAreDealtInAsManyWaysAsTheSetHasCopiesToChooseFrom)
{
    struct Case
    {
        CTileSet::EKind kind;
        std::int64_t nAll;
        std::vector<std::int64_t> byLarge;
    };
    // C(8, k) x C(20, 6 - k), and C(4, k) x C(20, 6 - k); C(28, 6) and C(24, 6).
    const Case cases[] = {
        {CTileSet::EKind::Full, 376740, {38760, 124032, 135660, 63840, 13300, 1120, 28}},
        {CTileSet::EKind::LargeOnce, 134596, {38760, 62016, 29070, 4560, 190}},
    };
    for (const Case& c : cases)
    {
        const CTileSet set(c.kind);
        std::vector<std::int64_t> byLarge(c.byLarge.size(), 0);
        std::int64_t nAll = 0;
        for (const Draw& draw : set.Draws())
        {
            byLarge.at(static_cast<std::size_t>(CTileSet::LargeTiles(draw))) += set.Ways(draw);
            nAll += set.Ways(draw);
        }
        EXPECT_EQ(nAll, c.nAll);
        EXPECT_EQ(byLarge, c.byLarge);
        EXPECT_EQ(set.MostLarge() + 1, static_cast<int>(c.byLarge.size()));
    }
    const CTileSet full(CTileSet::EKind::Full);
    const CTileSet once(CTileSet::EKind::LargeOnce);
    EXPECT_EQ(full.Ways({1, 2, 3, 4, 5, 6}), 64);
    EXPECT_EQ(full.Ways({1, 1, 2, 2, 3, 3}), 1);
    EXPECT_EQ(full.Ways({1, 1, 2, 3, 25, 25}), 4);
    EXPECT_EQ(full.Ways({10, 10, 25, 50, 75, 100}), 16);
    EXPECT_EQ(once.Ways({10, 10, 25, 50, 75, 100}), 1);
}

// Two draws and two targets, counted by hand. 1 1 2 2 3 3 (one way) makes 81 but not 80,
// where it ends 1 away; 1 2 3 4 5 6 (64 ways) makes 80 = 5 x 4 x (3 + 1) and 81 = (6 + 3) x
// (4 + 5). Of the draws, 3 games of 4 reach their target; as dealt, 64 + 64 + 1 of the
// 2 x 65 deals of a game.
TEST(DrawTally, SharesAsDealtWeighEachDrawByItsWays)
{
    const CTileSet set(CTileSet::EKind::Full);
    CDrawTally tally({{1, 1, 2, 2, 3, 3}, {1, 2, 3, 4, 5, 6}}, 80, 81);
    tally.Run(2);
    const CDealtTally dealt(tally, set);
    EXPECT_EQ(dealt.Ways(0), 1);
    EXPECT_EQ(dealt.Ways(1), 64);
    EXPECT_EQ(dealt.AllWays(), 65);
    EXPECT_EQ(dealt.CategoryWays(0), 65);
    EXPECT_EQ(tally.Games(0, 0), 3);
    EXPECT_EQ(dealt.Games(0, 0), 129);
    EXPECT_EQ(dealt.Games(0, 1), 1);
    EXPECT_EQ(dealt.ExactWays(80), 64);
    EXPECT_EQ(dealt.ExactWays(81), 65);
    EXPECT_EQ(dealt.ExactWays(0, 80), 64);
    EXPECT_EQ(dealt.ExactWays(1, 80), 0);
}

// A draw as typed: six tiles separated by blanks or commas, in any order, allowed by the set.
TEST(DrawTally, ReadsADrawOfSixTilesOfTheSet)
{
    const struct
    {
        const char* szText;
        CTileSet::EKind kind;
        std::optional<Draw> draw;
    } cases[] = {
        {"1 2 3 4 5 6", CTileSet::EKind::Full, Draw{1, 2, 3, 4, 5, 6}},
        {"100,75,5,5,1,2", CTileSet::EKind::Full, Draw{100, 75, 5, 5, 1, 2}},
        {" 1\t2,,3  4 5 6 ", CTileSet::EKind::Full, Draw{1, 2, 3, 4, 5, 6}},
        {"007 2 3 4 5 6", CTileSet::EKind::Full, Draw{7, 2, 3, 4, 5, 6}},
        {"1 2 3 4 100 100", CTileSet::EKind::Full, Draw{1, 2, 3, 4, 100, 100}},
        {"1 2 3 4 100 100", CTileSet::EKind::LargeOnce, std::nullopt},
        {"1 1 1 2 3 4", CTileSet::EKind::Full, std::nullopt},
        {"1 2 3 4 5", CTileSet::EKind::Full, std::nullopt},
        {"1 2 3 4 5 6 7", CTileSet::EKind::Full, std::nullopt},
        {"1 2 3 4 5 x", CTileSet::EKind::Full, std::nullopt},
        {"1 2 3 4 5 -6", CTileSet::EKind::Full, std::nullopt},
        {"0 1 2 3 4 5", CTileSet::EKind::Full, std::nullopt},
        {"1 2 3 4 5 11", CTileSet::EKind::Full, std::nullopt},
        {"1 2 3 4 5 4294967302", CTileSet::EKind::Full, std::nullopt},
        {"", CTileSet::EKind::Full, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTileSet::ReadDraw(c.szText, c.kind), c.draw) << c.szText;
}

// 1 1 2 2 3 3 makes at most 81 = (1 + 2) x (1 + 2) x 3 x 3. Below it, every value from 0
// (1 - 1) to 57 = (2 + 1) x (2 x 3 x 3 + 1), then only 60 = (3 + 2) x (3 + 1) x (2 + 1),
// 63 = 3 x 3 x (2 x (2 + 1) + 1), 64 = (2 + 2) x (3 + 1) x (3 + 1), 72 = 3 x 3 x 2 x
// (2 + 1 + 1) and 81: no way of the six tiles falls on 58, 59, 61, 62, 65 to 71 or 73 to
// 80. Every target's game ends on the nearest of these.
TEST(DrawTally, SmallestDrawEndsOnTheValuesWorkedOutByHand)
{
    std::set<std::int32_t> made;
    for (std::int32_t v = 0; v <= 57; ++v)
        made.insert(v);
    made.insert({60, 63, 64, 72, 81});

    CDrawTally tally({{1, 1, 2, 2, 3, 3}}, 0, 999);
    tally.Run(1);
    int nExact = 0;
    std::int64_t nTotal = 0;
    for (int t = 0; t <= 999; ++t)
    {
        ASSERT_EQ(tally.Reached(0, t), NearestIn(made, t)) << "target " << t;
        nExact += made.count(t) > 0;
        nTotal += std::abs(NearestIn(made, t) - t);
    }
    // A few games spelt out: above 81 the distance is the target minus 81; 68 lies as far
    // from 64 as from 72 and ends above.
    EXPECT_EQ(tally.Reached(0, 999), 81);
    EXPECT_EQ(tally.Distance(0, 999), 918);
    EXPECT_EQ(tally.Reached(0, 68), 72);
    EXPECT_EQ(tally.Reached(0, 67), 64);
    EXPECT_EQ(tally.Reached(0, 59), 60);
    EXPECT_EQ(nExact, 63);
    EXPECT_EQ(tally.Summary(0).nExact, 63);
    EXPECT_EQ(tally.Summary(0).nTotalDistance, nTotal);
    EXPECT_EQ(tally.Summary(0).nMaxDistance, 918);
    EXPECT_EQ(tally.Summary(0).nMaxTarget, 999);
    // The misses: 58 59 61 62 (1 away), 65 66 67 (1 2 3 from 64), 68 to 76 (4 3 2 1 from
    // 72, 68 above; 1 2 3 4), 77 to 80 (4 3 2 1 from 81), then 82 to 999 (1 to 918).
    const std::int64_t anExpected[CDrawTally::Distances] = {63, 9, 5, 5, 4, 1, 1, 1, 1, 1, 1, 908};
    EXPECT_EQ(tally.Games(0, 0), 63);
    for (int b = 0; b < CDrawTally::Distances; ++b)
        EXPECT_EQ(tally.Games(0, b), anExpected[b]) << "distance bucket " << b;
}

// The tally and pivolo-solve, which runs the dialog's checks and search, end every game of a
// sample of draws, every target from 0 to 999, on the same value; and the tally's counts add
// up: by draw, by target and by number of large tiles, whatever the number of workers.
TEST(DrawTally, EveryGameEndsWhereTheDialogsSearchEnds)
{
    const std::vector<Draw> draws = SampleDraws();
    CDrawTally tally(draws, 0, 999);
    std::size_t nProgressCalls = 0;
    std::size_t nLastDone = 0;
    tally.Run(2,
              [&](std::size_t nDone)
              {
                  EXPECT_GE(nDone, nLastDone);
                  nLastDone = nDone;
                  ++nProgressCalls;
              });
    EXPECT_GE(nProgressCalls, 1u);
    EXPECT_EQ(nLastDone, draws.size());

    for (std::size_t d = 0; d < draws.size(); ++d)
    {
        SCOPED_TRACE(Describe(draws[d]));
        for (int t = 0; t <= 999; ++t)
        {
            const CGameLine line(Describe(draws[d]) + std::to_string(t));
            std::string text;
            ASSERT_TRUE(CBatchGame(line).Play(text)) << text;
            const std::size_t nAt = text.rfind("reached: ");
            ASSERT_NE(nAt, std::string::npos) << text;
            ASSERT_EQ(tally.Reached(d, t), std::atoi(text.c_str() + nAt + 9))
                << "target " << t << "\n"
                << text;
        }
    }

    std::array<std::int64_t, CDrawTally::Categories> anExact{};
    std::array<std::int64_t, CDrawTally::Categories> anGames{};
    for (std::size_t d = 0; d < draws.size(); ++d)
    {
        anExact[static_cast<std::size_t>(tally.CategoryOf(d))] += tally.Summary(d).nExact;
        anGames[static_cast<std::size_t>(tally.CategoryOf(d))] += 1000;
    }
    std::int64_t nAllGames = 0;
    for (int c = 0; c < CDrawTally::Categories; ++c)
    {
        std::int64_t nRow = 0;
        for (int b = 0; b < CDrawTally::Distances; ++b)
            nRow += tally.Games(c, b);
        EXPECT_EQ(nRow, tally.CategoryDraws(c) * 1000) << c << " large tiles";
        EXPECT_EQ(nRow, anGames[static_cast<std::size_t>(c)]);
        std::int64_t nExactByTarget = 0;
        for (int t = 0; t <= 999; ++t)
            nExactByTarget += tally.ExactDraws(c, t);
        EXPECT_EQ(nExactByTarget, tally.Games(c, 0));
        EXPECT_EQ(nExactByTarget, anExact[static_cast<std::size_t>(c)]);
        nAllGames += nRow;
    }
    EXPECT_EQ(nAllGames, static_cast<std::int64_t>(draws.size()) * 1000);
    EXPECT_GT(tally.CategoryDraws(6), 0) << "the sample has a draw of six large tiles";

    // One worker, and more workers than blocks of draws, count the same.
    for (int nJobs : {1, 5})
    {
        CDrawTally again(draws, 0, 999);
        again.Run(nJobs);
        for (std::size_t d = 0; d < draws.size(); ++d)
        {
            EXPECT_EQ(again.Summary(d).nTotalDistance, tally.Summary(d).nTotalDistance);
            EXPECT_EQ(again.Summary(d).nMaxTarget, tally.Summary(d).nMaxTarget);
        }
        for (int c = 0; c < CDrawTally::Categories; ++c)
            for (int b = 0; b < CDrawTally::Distances; ++b)
                EXPECT_EQ(again.Games(c, b), tally.Games(c, b));
    }
}
