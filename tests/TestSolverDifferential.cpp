#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"
#include "CTilePool.h"
#include "ReferenceSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <string>

namespace
{
struct Game
{
    std::array<int, 6> tiles;
    int nTarget;
};

std::string Describe(const Game& game)
{
    std::string text;
    for (int t : game.tiles)
        text += std::to_string(t) + ' ';
    return text + "/ " + std::to_string(game.nTarget);
}

// The number of random games, lowered by the sanitizer builds, which run many times slower.
int GameCount(int nDefault)
{
    const char* pszCount = std::getenv("PIVOLO_DIFFERENTIAL_GAMES");
    return pszCount ? std::atoi(pszCount) : nDefault;
}

std::array<int, 6> DrawTiles(std::mt19937& random)
{
    std::array<int, 28> set{};
    std::copy(CTilePool::FullSet.begin(), CTilePool::FullSet.end(), set.begin());
    std::shuffle(set.begin(), set.end(), random);
    std::array<int, 6> tiles{};
    std::copy_n(set.begin(), 6, tiles.begin());
    return tiles;
}

// Returns the reference's result, so that a caller can count what kind of games it met.
ReferenceResult ExpectSameAsReference(const Game& game)
{
    SCOPED_TRACE(Describe(game));
    const ReferenceResult expected = ReferenceSolve(game.tiles, game.nTarget);

    CRecordingPlatform platform;
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    const auto& t = game.tiles;
    CSolver solver(t[0], t[1], t[2], t[3], t[4], t[5], game.nTarget, &list);
    const int nResult = solver.Solve();

    EXPECT_EQ(peer.Entries(), expected.list);
    EXPECT_EQ(platform.Output(), expected.output);
    EXPECT_EQ(nResult, expected.nResult);
    EXPECT_EQ(solver.GetReached(), expected.nReached);
    return expected;
}
} // namespace

TEST(SolverDifferential, RandomGamesMatchThePlainSearch)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> anyTarget(0, 999);
    const int nGames = GameCount(2000);
    int nNearest = 0;
    for (int n = 0; n < nGames; ++n)
    {
        const Game game{DrawTiles(random), anyTarget(random)};
        nNearest += ExpectSameAsReference(game).nResult == 0;
    }
    std::printf("%d games, %d reached only a nearest value\n", nGames, nNearest);
}
