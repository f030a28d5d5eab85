#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"
#include "ReferenceSolver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

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

void ExpectSameAsPlainSearch(const Game& game)
{
    SCOPED_TRACE(Describe(game));
    const ReferenceResult expected = ReferenceSolve(game.tiles, game.nTarget);
    CRecordingPlatform platform;
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    const auto& t = game.tiles;
    CSolver solver(t[0], t[1], t[2], t[3], t[4], t[5], game.nTarget, &list);
    EXPECT_EQ(solver.Solve(), expected.nResult);
    EXPECT_EQ(peer.Entries(), expected.list);
    EXPECT_EQ(platform.Output(), expected.output);
    EXPECT_EQ(solver.GetReached(), expected.nReached);
}
} // namespace

// The slowest games for a search that only follows the order of the steps: the first pass,
// with the latest result never a second operand, fails in full before the second one
// reaches the value, late in its order.
TEST(HardGames, FirstPassFailingInFullMatchesThePlainSearch)
{
    for (const Game& game : std::vector<Game>{{{25, 3, 5, 4, 75, 50}, 889},
                                              {{5, 50, 75, 25, 9, 100}, 956},
                                              {{25, 25, 100, 10, 7, 75}, 973},
                                              {{2, 8, 75, 8, 100, 25}, 387}})
        ExpectSameAsPlainSearch(game);
}

// Large tiles whose nearest value lies four or five trial values away: the nearest value
// is worked out from the groups of tiles, not trial value by trial value.
TEST(HardGames, FarNearestValuesOfLargeTilesMatchThePlainSearch)
{
    for (const Game& game :
         std::vector<Game>{{{50, 100, 3, 100, 1, 50}, 337}, {{2, 100, 25, 100, 50, 75}, 815}})
        ExpectSameAsPlainSearch(game);
}
