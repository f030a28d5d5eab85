#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

struct CSolverAccess
{
    static int SolveFrom(CSolver& solver, std::int32_t nFirstReachable)
    {
        return solver.SolveFrom(nFirstReachable);
    }
};

namespace
{
struct Game
{
    std::array<int, 6> tiles;
    int nTarget;
};

struct Outcome
{
    std::vector<std::string> list;
    std::string output;
    int nResult;
    int nReached;
};

// Solves the game; with a first reachable value given, the solver starts from it instead
// of working it out, as if its reachable-value step had gone wrong.
Outcome Solve(const Game& game, std::optional<std::int32_t> firstReachable = std::nullopt)
{
    CRecordingPlatform platform;
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    const auto& t = game.tiles;
    CSolver solver(t[0], t[1], t[2], t[3], t[4], t[5], game.nTarget, &list);
    const int nResult =
        firstReachable ? CSolverAccess::SolveFrom(solver, *firstReachable) : solver.Solve();
    return {peer.Entries(), platform.Output(), nResult, solver.GetReached()};
}

struct Row
{
    Game game;
    std::vector<std::string> list;
    std::string output;
    int nResult;
};

// The solution lists the dialog must show for these games, top to bottom.
const std::vector<Row> kRows = {
    {{{1, 2, 3, 4, 5, 6}, 1}, {}, "Sol : 1 \n", 1},
    {{{1, 2, 3, 4, 5, 6}, 3}, {"3\t= 1 + 2"}, "Sol : 3 \n", 1},
    {{{1, 2, 3, 4, 5, 6}, 6},
     {"1\t= 5 / 5", "5\t= 1 + 4", "1\t= 3 / 3", "3\t= 1 + 2"},
     "Sol : 6 \n",
     1},
    {{{1, 2, 3, 4, 5, 6}, 2},
     {"2\t= 6 - 4", "6\t= 1 + 5", "1\t= 3 / 3", "3\t= 1 + 2"},
     "Sol : 2 \n",
     1},
    {{{1, 2, 3, 4, 5, 6}, 720},
     {"Solution : 720", "720\t= 120 x 6", "120\t= 24 x 5", "24\t= 6 x 4", "6\t= 3 + 3",
      "3\t= 1 + 2"},
     "",
     1},
    {{{1, 1, 2, 2, 3, 3}, 0},
     {"Solution : 0", "0\t= 3 - 3", "3\t= 6 - 3", "6\t= 3 x 2", "3\t= 1 + 2", "1\t= 1 / 1"},
     "",
     1},
    {{{1, 1, 2, 2, 3, 3}, 81},
     {"Solution : 81", "81\t= 3 x 27", "3\t= 1 + 2", "27\t= 9 x 3", "9\t= 3 x 3", "3\t= 1 + 2"},
     "",
     1},
    {{{1, 2, 3, 4, 5, 6}, 999},
     {"Solution : 960", "960\t= 160 x 6", "160\t= 32 x 5", "32\t= 8 x 4", "8\t= 4 x 2",
      "4\t= 1 + 3"},
     "",
     0},
    // Only reachable with the latest result as a second operand (8 / 2 = 4 is used as
    // 2500 - 4): the solver finds 387 itself rather than the nearest value 388.
    {{{2, 8, 75, 8, 100, 25}, 387},
     {"Solution : 387", "387\t= 312 + 75", "312\t= 2496 / 8", "2496\t= 2500 - 4",
      "2500\t= 100 x 25", "4\t= 8 / 2"},
     "",
     1},
    // 81 is the largest value these tiles make: 1 836 trial values fail before it.
    {{{1, 1, 2, 2, 3, 3}, 999},
     {"Solution : 81", "81\t= 3 x 27", "3\t= 1 + 2", "27\t= 9 x 3", "9\t= 3 x 3", "3\t= 1 + 2"},
     "",
     0},
};

std::string Describe(const Game& game)
{
    std::string text;
    for (int t : game.tiles)
        text += std::to_string(t) + ' ';
    return text + "/ " + std::to_string(game.nTarget);
}
} // namespace

TEST(Solver, ListsTheStepsOfTheFirstPathFound)
{
    for (const Row& row : kRows)
    {
        SCOPED_TRACE(Describe(row.game));
        const Outcome outcome = Solve(row.game);
        EXPECT_EQ(outcome.list, row.list);
        EXPECT_EQ(outcome.output, row.output);
        EXPECT_EQ(outcome.nResult, row.nResult);
    }
}

#ifdef NDEBUG
// A debug build stops on the disagreement instead.
TEST(Solver, FallsBackOnTheTrialByTrialSearchWhenTheReachableValueIsNotReached)
{
    // -1 is never reached: the solver must still list what the plain search lists. The rows
    // whose value is the target itself: the plain search takes minutes to a far nearest value.
    for (const Row& row : kRows)
    {
        if (row.nResult == 0)
            continue;
        SCOPED_TRACE(Describe(row.game));
        const Outcome outcome = Solve(row.game, -1);
        EXPECT_EQ(outcome.list, row.list);
        EXPECT_EQ(outcome.output, row.output);
        EXPECT_EQ(outcome.nResult, row.nResult);
    }
}
#endif

TEST(Solver, RefusesStepsThatDoNotFitIn32Bits)
{
    // 65537 x 65537 wraps around to 131073 in 32 bits; that is not the step's value.
    CRecordingPlatform platform;
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    CSolver solver(1, 2, 3, 4, 5, 6, 0, &list);
    const std::int32_t values[2] = {65537, 65537};
    EXPECT_EQ(solver.Search(131073, 2, values), 0);
    EXPECT_EQ(solver.Search(131074, 2, values), 1);
    EXPECT_EQ(peer.Entries(),
              (std::vector<std::string>{"Solution : 131074", "131074\t= 65537 + 65537"}));
}

TEST(Solver, SearchOfNoValuesReachesNothing)
{
    CRecordingPlatform platform;
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    CSolver solver(1, 2, 3, 4, 5, 6, 3, &list);
    const std::int32_t values[1] = {3};
    EXPECT_EQ(solver.Search(3, 0, values), 0);
    EXPECT_EQ(solver.Search(3, -1, values), 0);
    EXPECT_EQ(peer.GetCount(), 0);
    EXPECT_EQ(platform.Output(), "");
    EXPECT_EQ(solver.Search(3, 1, values), 1);
    EXPECT_EQ(peer.Entries(), std::vector<std::string>{"Solution : 3"});
}
