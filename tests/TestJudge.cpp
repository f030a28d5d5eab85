// The judge of a player's answer: a table of answers worked out by hand; every solution the
// listing gives, as steps and as an expression, judged valid at its own rank; the dialog's own
// path judged valid; answers changed from valid ones judged as a plain reading written here
// judges them.
#include "CAllSolutionsText.h"
#include "CBatchGame.h"
#include "CGameLine.h"
#include "CJudge.h"
#include "CTilePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Int64 = std::int64_t;
constexpr Int64 kMax32 = std::numeric_limits<std::int32_t>::max();

// A verdict in one line: each fault (kind, step:line:column, its numbers), or the value, its
// distance, best, reordered, rank and count, and the role of each tile (lower case) and step
// (upper case): kept, changes nothing, detour, unused.
std::string Describe(const CJudge::SVerdict& v)
{
    static const char* const kinds[] = {"Empty",        "Syntax",     "NotATile", "TileOverused",
                                        "ResultReused", "Negative",   "NotWhole", "DivisionByZero",
                                        "TooLarge",     "WrongResult"};
    std::ostringstream out;
    for (const CJudge::SFault& f : v.faults)
    {
        out << kinds[static_cast<int>(f.eKind)] << '@' << f.nStep << ':' << f.nLine << ':'
            << f.nColumn;
        if (f.eKind == CJudge::EFault::Syntax)
            out << " '" << f.found << "' " << f.nExpected;
        if (f.eKind == CJudge::EFault::NotATile || f.eKind == CJudge::EFault::TileOverused ||
            f.eKind == CJudge::EFault::ResultReused)
            out << ' ' << f.nNumber << " used " << f.nUsed << " drawn " << f.nDrawn;
        if (f.nOperator >= 0)
            out << ' ' << f.nLeft << "/x+-"[f.nOperator] << f.nRight << '=' << f.nResult;
        if (f.eKind == CJudge::EFault::WrongResult && f.nOperator < 0)
            out << ' ' << f.nResult;
        if (f.eKind == CJudge::EFault::WrongResult)
            out << " not " << f.nStated;
        if (f.eKind == CJudge::EFault::TooLarge && f.nOperator < 0)
            out << ' ' << f.found;
        out << "; ";
    }
    if (!v.bValid)
        return out.str();
    out << v.nValue << " d" << v.nDistance << (v.bBest ? " best" : "")
        << (v.bReordered ? " reordered" : "") << ' ' << v.nRank << '/' << v.nSolutions << ' ';
    for (const CJudge::SStep& step : v.steps)
    {
        const char c = "KNDU"[static_cast<int>(step.eRole)];
        out << (step.node.nOperator < 0 ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return out.str();
}

std::string Judge(const std::vector<std::int32_t>& tiles, int nTarget, const std::string& answer)
{
    CJudge judge;
    judge.SetGame(tiles, nTarget);
    return Describe(judge.Judge(answer, CJudge::EPlace::Ranked));
}
} // namespace

// Answers worked out by hand: each notation, each fault alone and together, steps that change
// nothing, detours and unused steps, equal tiles, the best on both sides of a target that
// cannot be made, one value by different solutions.
TEST(Judge, HandWorkedAnswers)
{
    const std::vector<std::int32_t> a = {50, 8, 3, 7, 2, 10};
    const std::vector<std::int32_t> b = {5, 5, 1, 4, 50, 8};
    const std::vector<std::int32_t> c = {4, 2, 5, 9, 1, 1};
    const std::vector<std::int32_t> large = {100, 100, 75, 75, 50, 50};
    // 719 cannot be made; 720 and 718 can, both as near.
    const std::vector<std::int32_t> between = {6, 3, 3, 2, 8, 100};
    struct SCase
    {
        const std::vector<std::int32_t>& tiles;
        int nTarget;
        const char* pszAnswer;
        const char* pszVerdict;
    };
    const SCase cases[] = {
        // Each notation of the same solution, the simplest of 46.
        {a, 402, "50 x 8 + 2", "402 d0 best 1/46 kkKkK"},
        {a, 402, "50*8+2", "402 d0 best 1/46 kkKkK"},
        {a, 402, "(50 X 8) + (2)", "402 d0 best 1/46 kkKkK"},
        {a, 402, "50\u00a0\u00d7\u202f8 + 2", "402 d0 best 1/46 kkKkK"},
        {a, 402, "50 x 8 = 400\n400 + 2 = 402", "402 d0 best 1/46 kkKkK"},
        {a, 402, "50 x 8 = 400 ; 400 + 2 = 402", "402 d0 best 1/46 kkKkK"},
        {a, 402, "50 x 8 = 400,400+2=402\r\n", "402 d0 best 1/46 kkKkK"},
        // As the dialog lists them, the last step first, then its own last line.
        {a, 402, "402\t= 400 + 2\n400\t= 50 x 8\nSolution : 402",
         "402 d0 best reordered 1/46 kkKkK"},
        {a, 402, "50 x 8 + 2 = 402", "402 d0 best 1/46 kkKkK"},
        {a, 30, "10 \u00f7 2 \u00d7 8 \u2212 7 \u2013 3", "30 d0 best 105/347 kkkKKkkKK"},
        {a, 13, "50 : 10 + 8", "13 d0 best 3/273 kkKkK"},
        // A chain whose written order passes through a value refused: the order that works.
        {a, 402, "3 - 7 + 50", "46 d356 reordered 2/184 kkkKK"},
        {a, 402, "(3 - 7) + 50", "46 d356 reordered 2/184 kkkKK"},
        {large, 999, "100 x 100 x 75 x 75 x 50 / 50",
         "56250000 d56249001 reordered 1/6 kkkkddDDKKK"},
        // Faults alone, where and with which numbers.
        {a, 402, "", "Empty@0:1:1; "},
        {a, 402, " \n ; ,", "Empty@0:1:1; "},
        {a, 402, "8 x 8", "TileOverused@1:1:5 8 used 2 drawn 1; "},
        {a, 402, "7 / 2", "NotWhole@1:1:3 7/2=0; "},
        {a, 402, "3 - 7", "Negative@1:1:3 3-7=-4; "},
        {a, 402, "3 - 7 = -4", "Negative@1:1:3 3-7=-4; "},
        {a, 402, "9 + 2", "NotATile@1:1:1 9 used 1 drawn 0; "},
        {a, 402, "50 x 8 = 401\n401 + 2 = 403", "WrongResult@1:1:10 50x8=400 not 401; "},
        {a, 402, "50 x 8 = 400\n400 + 2 = 402\n400 - 3 = 397",
         "ResultReused@3:3:1 400 used 2 drawn 0; "},
        {a, 402, "50 x 8 + 2\n403", "WrongResult@2:2:1 402 not 403; "},
        {b, 400, "50 / (5 - 5)", "DivisionByZero@1:1:4 50/0=0; "},
        {large, 999, "100 x 100 x 75 x 75 x 50", "TooLarge@1:1:21 56250000x50=2812500000; "},
        {a, 402, "99999999999 - 1",
         "TooLarge@1:1:1 99999999999; NotATile@1:1:15 1 used 1 drawn 0; "},
        {a, 402, "(50 + 2) x (8", "Syntax@1:1:14 '' 10; "},
        {a, 402, "50 x x 8", "Syntax@1:1:6 'x' 5; "},
        {a, 402, "50 x 8 $", "Syntax@1:1:8 '$' 50; "},
        {a, 402, "50 x 8 = 400 + 2", "Syntax@1:1:14 '+' 32; "},
        {a, 402, "50 \xff 8", "Syntax@1:1:4 '\xef\xbf\xbd' 50; "},
        // Faults together, each in its step, in characters (x is one, as are the others).
        {a, 402, "8 \u00d7 8 + 9\n7 / 2 = 3\n50 x (2",
         "TileOverused@1:1:5 8 used 2 drawn 1; NotATile@1:1:9 9 used 1 drawn 0; NotWhole@2:2:3 "
         "7/2=0; Syntax@3:3:8 '' 10; "},
        // Steps that change nothing, detours, unused steps: the solution they count as.
        {b, 400, "50 x 8 x 1", "400 d0 best 1/24 kknKN"},
        {b, 400, "(5 - 4) x 50 x 8", "400 d0 best 1/24 nnNkkNK"},
        {b, 400, "50 x 8 + 5 - 5", "400 d0 best 1/24 kkKddDD"},
        {b, 400, "50 x 8 x 5 / (1 + 4)", "400 d0 best 1/24 kkdddDKDD"},
        {b, 400, "(5 - 5) x 4 + 50 x 8", "400 d0 best 1/24 ddDnDkkKD"},
        {b, 400, "5 x 5 = 25\n50 x 8 = 400", "400 d0 best 1/24 uuUkkK"},
        {b, 200, "8 - 4 = 4; 4 x 50 = 200; 200 x 5 = 1000; 1000 / 5 = 200",
         "200 d0 best 1/58 nkNkKdDdD"},
        // Equal tiles are alike: either 5 makes the same solution.
        {b, 55, "50 + 5", "55 d0 best 1/45 kkK"},
        {b, 55, "5 + 50", "55 d0 best 1/45 kkK"},
        // The same value by different solutions, each at its rank; 4 - 2 = 2 inside a sum is a
        // step of it (4 + 5 - 2), alone it changes nothing (4 / 2 = 2 likewise).
        {c, 7, "5 + 2", "7 d0 best 1/194 kkK"},
        {c, 7, "9 - 2", "7 d0 best 2/194 kkK"},
        {c, 7, "(4 - 2) + 5", "7 d0 best 6/194 kkkKK"},
        {c, 7, "9 - (1 + 1)", "7 d0 best 7/194 kkkKK"},
        {c, 7, "(4 - 2) x 1 + 5", "7 d0 best 6/194 kkKnNkK"},
        {c, 18, "(4 / 2) x 9", "18 d0 best 6/156 kkkKK"},
        {c, 11, "(4 / 2) + 9", "11 d0 best 1/163 nkNkK"},
        {c, 7, "1 x 1 x 7", "NotATile@1:1:9 7 used 1 drawn 0; "},
        // A tile alone, also as the value stated after steps that make something else.
        {c, 9, "9", "9 d0 best 1/115 k"},
        {c, 9, "4 + 1 = 5\nSol : 9", "9 d0 best 1/115 uuUk"},
        // Best on both sides of a target that cannot be made; not best a step further.
        {between, 719, "8 x 3 x 6 x (3 + 2)", "720 d1 best 1/16 kkkkkKKKK"},
        {between, 719, "(100 - 3 x 3 - 2) x 8 + 6", "718 d1 best 1/4 kkkKkKKkKkK"},
        {between, 719, "(100 - 3 x 3 - 2) x 8", "712 d7 1/5 kkkKkKKkK"},
    };
    for (const SCase& t : cases)
        EXPECT_EQ(Judge(t.tiles, t.nTarget, t.pszAnswer), t.pszVerdict) << t.pszAnswer;
}
