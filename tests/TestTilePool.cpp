#include "CEdit.h"
#include "CRecordingPlatform.h"
#include "CTextPeer.h"
#include "CTilePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::vector<int> Content(const CTilePool& pool)
{
    std::vector<int> tiles;
    for (int i = 0; i < pool.GetSize(); ++i)
        tiles.push_back(pool.GetAt(i));
    return tiles;
}

const std::vector<int> kFullSet(CTilePool::FullSet.begin(), CTilePool::FullSet.end());

// The generator the draw is specified with, to predict draws from a known seed.
struct Generator
{
    std::uint32_t state;
    std::uint32_t Next()
    {
        state = state * 214013u + 2531011u;
        return (state >> 16) & 0x7FFF;
    }
};

// A pass of checks over typed tile texts, as the compute command makes it.
struct CheckPass
{
    CRecordingPlatform platform;
    CTilePool pool;

    std::vector<int> Check(const std::vector<std::string>& texts)
    {
        pool.ResetValidation();
        std::vector<int> results;
        for (const std::string& text : texts)
        {
            CTextPeer peer(text);
            CEdit edit;
            edit.Attach(&peer);
            results.push_back(pool.CheckTile(edit));
        }
        return results;
    }
};
} // namespace

TEST(TilePool, StartsEmptyAndRefillsToTheFullSetInOrder)
{
    CTilePool pool;
    EXPECT_EQ(pool.GetSize(), 0);
    pool.Refill();
    EXPECT_EQ(Content(pool), kFullSet);
    pool.RemoveAt(3);
    pool.RemoveAt(0);
    pool.Refill();
    EXPECT_EQ(Content(pool), kFullSet);
}

TEST(TilePool, DrawTileDiscardsIndexesBeyondThePool)
{
    // Find a seed whose first raw value has low 8 bits of 28 or more and whose second is
    // in range: the draw must skip the first, not fold it.
    std::uint32_t seed = 0;
    Generator g{0};
    for (;; ++seed)
    {
        g = {seed};
        const std::uint32_t first = g.Next() & 0xFF;
        const std::uint32_t second = g.Next() & 0xFF;
        if (first >= 28 && second < 28 && kFullSet[first % 28] != kFullSet[second])
            break;
    }
    g = {seed};
    g.Next();
    const std::uint32_t index = g.Next() & 0xFF;

    CRecordingPlatform platform;
    platform.SetTime(seed);
    CTilePool pool;
    pool.Refill();
    EXPECT_EQ(pool.DrawTile(), kFullSet[index]);
    std::vector<int> rest = kFullSet;
    rest.erase(rest.begin() + index);
    EXPECT_EQ(Content(pool), rest);
}

TEST(TilePool, DrawTileFromOneTileWaitsForIndexZero)
{
    CRecordingPlatform platform;
    platform.SetTime(12345);
    CTilePool pool;
    pool.Add(75);
    EXPECT_EQ(pool.DrawTile(), 75);
    EXPECT_EQ(pool.GetSize(), 0);
    EXPECT_EQ(pool.DrawTile(), 0) << "an empty pool gives nothing";
}

TEST(TilePool, DrawingAGameSeedsOnceAndGoesOnWithTheSequence)
{
    const std::uint32_t seed = 1765000000;
    Generator g{seed};
    std::vector<int> pool = kFullSet;
    std::vector<int> expectedTiles;
    for (int k = 0; k < 6; ++k)
    {
        std::uint32_t i;
        do
            i = g.Next() & 0xFF;
        while (i > pool.size() - 1);
        expectedTiles.push_back(pool[i]);
        pool.erase(pool.begin() + i);
    }
    std::uint32_t target;
    do
        target = g.Next();
    while (target < 100 || target > 999);

    CRecordingPlatform platform;
    platform.SetTime(seed);
    CTilePool tiles;
    tiles.Refill();
    std::vector<int> drawn;
    char szText[4];
    for (int k = 0; k < 6; ++k)
        drawn.push_back(std::stoi(tiles.DrawTileText(szText)));
    EXPECT_EQ(drawn, expectedTiles);
    EXPECT_EQ(tiles.DrawTarget(), static_cast<int>(target));
    EXPECT_EQ(Content(tiles), pool) << "the 22 tiles left, in set order";
    EXPECT_EQ(platform.TimeReads(), 1) << "seeded at the first draw only";
}

TEST(TilePool, TwoGamesInTheSameSecondDiffer)
{
    CRecordingPlatform platform;
    platform.SetTime(1765000000);
    CTilePool pool;
    std::vector<std::vector<int>> games;
    char szText[4];
    for (int n = 0; n < 2; ++n)
    {
        pool.Refill();
        std::vector<int> game;
        for (int k = 0; k < 6; ++k)
            game.push_back(std::stoi(pool.DrawTileText(szText)));
        game.push_back(pool.DrawTarget());
        games.push_back(game);
    }
    EXPECT_NE(games[0], games[1]);
}

TEST(TilePool, DrawsStayInTheSetAndTheTargetRange)
{
    CRecordingPlatform platform;
    platform.SetTime(42);
    CTilePool pool;
    char szText[4];
    for (int n = 0; n < 300; ++n)
    {
        pool.Refill();
        std::vector<int> drawn;
        for (int k = 0; k < 6; ++k)
        {
            const std::string text = pool.DrawTileText(szText);
            ASSERT_LE(text.size(), 3u);
            drawn.push_back(std::stoi(text));
        }
        std::vector<int> left = Content(pool);
        left.insert(left.end(), drawn.begin(), drawn.end());
        std::sort(left.begin(), left.end());
        ASSERT_EQ(left, kFullSet) << "six distinct tiles of the set";
        const int nTarget = pool.DrawTarget();
        ASSERT_GE(nTarget, 100);
        ASSERT_LE(nTarget, 999);
    }
}

TEST(TilePool, ShowTilesListsTheFullSetEvenAfterADraw)
{
    CRecordingPlatform platform;
    CTilePool pool;
    pool.Refill();
    pool.DrawTile();
    pool.ShowTiles();
    ASSERT_EQ(platform.Messages().size(), 1u);
    const std::string text = platform.Messages()[0].text;
    EXPECT_EQ(text, "1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 25 25 50 50 75 75 100 100 ");
    EXPECT_EQ(text.size(), 68u);
    EXPECT_EQ(platform.Messages()[0].nType, MB_OK);
    EXPECT_EQ(Content(pool), kFullSet);
}

TEST(TilePool, CheckTileRefusesValuesOutsideTheSetWithOneMessage)
{
    for (const char* text : {"", "0", "11", "24", "-5", "abc", "101", "99999999999"})
    {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        CheckPass pass;
        EXPECT_EQ(pass.Check({text}), std::vector<int>{-1});
        ASSERT_EQ(pass.platform.Messages().size(), 1u);
        EXPECT_EQ(pass.platform.Messages()[0].text, "Au moins une plaque a une valeur incorrecte");
        EXPECT_EQ(pass.platform.Messages()[0].nType, MB_OK);
    }
}

TEST(TilePool, CheckTileConvertsTheLeadingNumber)
{
    CheckPass pass;
    EXPECT_EQ(pass.Check({"10", "100", "  7", "+5", "25x", "7 5"}),
              (std::vector<int>{10, 100, 7, 5, 25, 7}));
    EXPECT_TRUE(pass.platform.Messages().empty());
}

TEST(TilePool, CheckTileAcceptsEachValueTwicePerPass)
{
    CheckPass pass;
    EXPECT_EQ(pass.Check({"25", "25", "25"}), (std::vector<int>{25, 25, 0}));
    EXPECT_EQ(pass.Check({"25", "25", "50", "50", "100", "100"}),
              (std::vector<int>{25, 25, 50, 50, 100, 100}));
    EXPECT_EQ(pass.Check({"100", "100", "100", "100"}), (std::vector<int>{100, 100, 0, 0}));
    // Small values are held to the set's two tiles as well.
    EXPECT_EQ(pass.Check({"7", "7", "7"}), (std::vector<int>{7, 7, 0}));
    EXPECT_EQ(pass.Check({"1", "1", "2", "2", "3", "3"}), (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_TRUE(pass.platform.Messages().empty()) << "a tile too many shows nothing itself";
}

TEST(TilePool, ResetValidationStartsANewPass)
{
    CheckPass pass;
    EXPECT_EQ(pass.Check({"75", "75"}), (std::vector<int>{75, 75}));
    EXPECT_EQ(pass.Check({"75", "75"}), (std::vector<int>{75, 75}));
}
