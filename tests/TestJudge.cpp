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
        // Beyond 32 bits as written, and a division by 0 in any order: no other order tried.
        {large, 999, "100 x 100 x 75 x 75 x 50 / 0",
         "TooLarge@1:1:21 56250000x50=2812500000; NotATile@1:1:28 0 used 1 drawn 0; "},
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

namespace
{
int GameCount(int nDefault)
{
    const char* pszCount = std::getenv("PIVOLO_JUDGE_GAMES");
    return pszCount ? std::atoi(pszCount) : nDefault;
}

std::vector<std::int32_t> DrawTiles(std::mt19937& random)
{
    std::vector<std::int32_t> set(CTilePool::FullSet.begin(), CTilePool::FullSet.end());
    std::shuffle(set.begin(), set.end(), random);
    set.resize(6);
    return set;
}

// A way's steps as the listing writes them ("r = a op b", first step first), or its tile.
std::string Steps(const std::vector<CAllSolutions::SWayNode>& way)
{
    std::string text = way.size() == 1 ? std::to_string(way[0].nValue) : "";
    for (const CAllSolutions::SWayNode& node : way)
    {
        if (node.nOperator >= 0)
            text += std::to_string(node.nValue) + "\t= " + std::to_string(way[node.nLeft].nValue) +
                    ' ' + "/x+-"[node.nOperator] + ' ' + std::to_string(way[node.nRight].nValue) +
                    '\n';
    }
    return text;
}

// Whether the judge reads the steps of a way as the way has them: it takes a number for the
// result of its value made last and still free, else for a tile, the right operand first. A
// listing may say less than its way (a tile 2 beside a free result 2): then another
// solution of the same value is as good a reading.
bool ReadAsListed(const std::vector<CAllSolutions::SWayNode>& way)
{
    std::vector<int> free;
    for (int n = 0; n < static_cast<int>(way.size()); ++n)
    {
        if (way[n].nOperator < 0)
            continue;
        for (int nOperand : {way[n].nRight, way[n].nLeft})
        {
            const auto last =
                std::find_if(free.rbegin(), free.rend(),
                             [&](int m) { return way[m].nValue == way[nOperand].nValue; });
            if (last == free.rend() ? way[nOperand].nOperator >= 0 : *last != nOperand)
                return false;
            if (last != free.rend())
                free.erase(std::next(last).base());
        }
        free.push_back(n);
    }
    return true;
}
} // namespace

// Every solution the listing gives of random games, as its steps and as its expression, is
// valid, has its value, and stands at its own rank as the solution listed.
TEST(Judge, RoundTripOfEverySolutionListed)
{
    std::mt19937 random(29);
    std::uniform_int_distribution<int> target(0, 999);
    CJudge judge;
    long nJudged = 0;
    long nOtherReadings = 0;
    for (int nGame = GameCount(1500); nGame > 0; --nGame)
    {
        const std::vector<std::int32_t> tiles = DrawTiles(random);
        const int nTarget = target(random);
        judge.SetGame(tiles, nTarget);
        CAllSolutions& solutions = judge.Solutions();
        const auto nearest = solutions.Nearest(nTarget);
        // The target, or the nearest value, either one at equal distance.
        const std::int32_t nAbove =
            nearest.above.value_or(std::numeric_limits<std::int32_t>::max());
        const std::int32_t nBelow = nearest.below.value_or(-nAbove);
        const int nSide = (nAbove - nTarget) - (nTarget - nBelow) + nGame % 2;
        const std::int32_t nValue = solutions.Reachable(nTarget) ? nTarget
                                    : nSide <= 0                 ? nAbove
                                                                 : nBelow;
        const CAllSolutions::SValueSolutions all = solutions.Solve(nValue);
        for (std::size_t i = 0; i < all.solutions.size(); ++i)
        {
            const auto& way = all.solutions[i].way;
            const std::string expression = CAllSolutionsText::Expression(way);
            for (const std::string& answer : {Steps(way), expression})
            {
                const CJudge::SVerdict v = judge.Judge(answer, CJudge::EPlace::Ranked);
                ASSERT_TRUE(v.bValid) << answer << ": " << Describe(v);
                EXPECT_EQ(v.nValue, nValue) << answer;
                EXPECT_EQ(v.nDistance, std::abs(nValue - nTarget)) << answer;
                EXPECT_TRUE(v.bBest && v.bRanked) << answer;
                EXPECT_EQ(v.nSolutions, all.nCount) << answer;
                ++nJudged;
                if (answer != expression && !ReadAsListed(way))
                {
                    ++nOtherReadings;
                    continue;
                }
                EXPECT_EQ(v.nRank, i + 1) << answer;
                EXPECT_EQ(CAllSolutionsText::Expression(v.solution.way), expression) << answer;
            }
        }
    }
    std::printf("answers judged: %ld, steps read as another solution: %ld\n", nJudged,
                nOtherReadings);
}

// The dialog's own path, as its list shows it (the last step first, "Solution :" when all
// the tiles are used) with the value its search found ("Sol :"), is valid with that value.
TEST(Judge, DialogPathOfEachGame)
{
    std::ifstream input(PIVOLO_SOURCE_DIR "/tests/batch/games.txt");
    int nGames = 0;
    for (std::string line; std::getline(input, line);)
    {
        const CGameLine game(line);
        std::string text;
        if (game.Kind() != CGameLine::EKind::Game || !CBatchGame(game).Play(text))
            continue;
        std::string answer;
        std::int32_t nReached = -1;
        for (std::istringstream lines(text); std::getline(lines, line);)
        {
            if (line.rfind("list: ", 0) == 0)
                answer += line.substr(6) + '\n';
            if (line.rfind("stdout: ", 0) == 0)
                answer += line.substr(8) + '\n';
            if (line.rfind("result: ", 0) == 0)
                nReached = std::stoi(line.substr(line.find("reached: ") + 9));
        }
        CJudge judge;
        std::vector<std::int32_t> tiles(game.Values().begin(), game.Values().begin() + 6);
        judge.SetGame(tiles, game.Values()[6]);
        const CJudge::SVerdict v = judge.Judge(answer, CJudge::EPlace::Ranked);
        EXPECT_TRUE(v.bValid && v.nValue == nReached && v.bBest && v.bRanked)
            << line << "\n"
            << answer << Describe(v);
        ++nGames;
    }
    EXPECT_EQ(nGames, 11);
}

namespace
{
// A plain reading of the answers the mutations make, written apart from the judge: an
// expression of tiles in ASCII, or steps "r\t= a op b", one a line, in the order done.
class CPlainReading
{
public:
    CPlainReading(const std::vector<std::int32_t>& tiles, const std::string& text)
        : m_tiles(tiles.begin(), tiles.end()), m_text(text)
    {
    }

    // The answer's value, or none when the answer breaks a rule.
    std::optional<Int64> Value()
    {
        if (m_text.find('=') != std::string::npos)
            return Steps();
        const int n = Sum();
        if (n < 0 || m_i != m_text.size())
            return std::nullopt;
        return Evaluate(n);
    }

private:
    struct SNode
    {
        char cOperator = 0; // 0 for a tile
        Int64 nValue = 0;
        int nLeft = -1;
        int nRight = -1;
    };

    std::optional<Int64> Steps()
    {
        std::vector<Int64> pool = m_tiles;
        std::optional<Int64> last;
        std::istringstream lines(m_text);
        for (std::string line; std::getline(lines, line);)
        {
            Int64 r = 0;
            Int64 a = 0;
            Int64 b = 0;
            char c = 0;
            char equals = 0;
            if (!(std::istringstream(line) >> r >> equals >> a >> c >> b))
                return std::nullopt;
            for (Int64 v : {a, b})
            {
                const auto it = std::find(pool.begin(), pool.end(), v);
                if (it == pool.end())
                    return std::nullopt;
                pool.erase(it);
            }
            const std::optional<Int64> made = Step(c, a, b);
            if (made != r)
                return std::nullopt;
            pool.push_back(r);
            last = r;
        }
        return last;
    }

    // One step as the game takes it, a product by 1 besides.
    static std::optional<Int64> Step(char c, Int64 a, Int64 b)
    {
        Int64 r = -1;
        if (c == '+')
            r = a + b;
        if (c == '-')
            r = a - b;
        if (c == 'x')
            r = a * b;
        if (c == '/' && b != 0 && a % b == 0)
            r = a / b;
        return r >= 0 && r <= kMax32 ? std::optional(r) : std::nullopt;
    }

    void Blanks()
    {
        while (m_i < m_text.size() && m_text[m_i] == ' ')
            ++m_i;
    }
    int Add(char c, int nLeft, int nRight)
    {
        m_nodes.push_back({c, 0, nLeft, nRight});
        return static_cast<int>(m_nodes.size()) - 1;
    }
    int Sum()
    {
        for (int n = Product();;)
        {
            Blanks();
            if (n < 0 || m_i == m_text.size() || (m_text[m_i] != '+' && m_text[m_i] != '-'))
                return n;
            const char c = m_text[m_i++];
            const int nRight = Product();
            n = nRight < 0 ? -1 : Add(c, n, nRight);
        }
    }
    int Product()
    {
        for (int n = Operand();;)
        {
            Blanks();
            if (n < 0 || m_i == m_text.size() || (m_text[m_i] != 'x' && m_text[m_i] != '/'))
                return n;
            const char c = m_text[m_i++];
            const int nRight = Operand();
            n = nRight < 0 ? -1 : Add(c, n, nRight);
        }
    }
    int Operand()
    {
        Blanks();
        if (m_i < m_text.size() && m_text[m_i] == '(')
        {
            ++m_i;
            const int n = Sum();
            Blanks();
            if (n < 0 || m_i == m_text.size() || m_text[m_i] != ')')
                return -1;
            ++m_i;
            return n;
        }
        const std::size_t nStart = m_i;
        while (m_i < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_i])))
            ++m_i;
        if (m_i == nStart || m_i - nStart > 9)
            return -1;
        m_nodes.push_back({0, std::stoll(m_text.substr(nStart, m_i - nStart))});
        return static_cast<int>(m_nodes.size()) - 1;
    }

    static bool IsSum(char c) { return c == '+' || c == '-'; }

    // A node's value: each chain of + and - (x and /) made in any order that the game takes;
    // never a division by 0, whatever the order.
    std::optional<Int64> Evaluate(int n)
    {
        const SNode node = m_nodes[n];
        if (node.cOperator == 0)
        {
            const auto it = std::find(m_tiles.begin(), m_tiles.end(), node.nValue);
            if (it == m_tiles.end())
                return std::nullopt;
            m_tiles.erase(it);
            return node.nValue;
        }
        std::vector<std::pair<Int64, bool>> items; // value, taken away (divided)
        std::vector<std::pair<int, bool>> pending{{n, false}};
        while (!pending.empty())
        {
            const auto [m, bDown] = pending.back();
            pending.pop_back();
            const SNode& part = m_nodes[m];
            if (part.cOperator != 0 && IsSum(part.cOperator) == IsSum(node.cOperator))
            {
                pending.push_back({part.nLeft, bDown});
                pending.push_back(
                    {part.nRight, bDown != (part.cOperator == '-' || part.cOperator == '/')});
                continue;
            }
            const std::optional<Int64> v = Evaluate(m);
            if (!v || (bDown && *v == 0 && !IsSum(node.cOperator)))
                return std::nullopt;
            items.push_back({*v, bDown});
        }
        return Combine(IsSum(node.cOperator), items);
    }

    // Any two items made into one by a step, until one is left, added (multiplied).
    static std::optional<Int64> Combine(bool bSum, const std::vector<std::pair<Int64, bool>>& items)
    {
        if (items.size() == 1)
            return items[0].second ? std::nullopt : std::optional(items[0].first);
        for (std::size_t i = 0; i < items.size(); ++i)
        {
            for (std::size_t j = i + 1; j < items.size(); ++j)
            {
                auto [x, bX] = items[i];
                auto [y, bY] = items[j];
                std::vector<std::pair<Int64, bool>> made;
                if (bX == bY)
                    made.push_back({bSum ? x + y : x * y, bX});
                else
                {
                    if (bX)
                        std::swap(x, y); // x up, y down
                    if (bSum)
                        made.push_back({x >= y ? x - y : y - x, x < y});
                    else if (y != 0 && x % y == 0)
                        made.push_back({x / y, false});
                    else if (x != 0 && y % x == 0)
                        made.push_back({y / x, true});
                }
                for (const auto& item : made)
                {
                    if (item.first > kMax32)
                        continue;
                    std::vector<std::pair<Int64, bool>> rest = {item};
                    for (std::size_t k = 0; k < items.size(); ++k)
                        if (k != i && k != j)
                            rest.push_back(items[k]);
                    if (const auto v = Combine(bSum, rest))
                        return v;
                }
            }
        }
        return std::nullopt;
    }

    std::vector<Int64> m_tiles;
    std::string m_text;
    std::size_t m_i = 0;
    std::vector<SNode> m_nodes;
};

// One change to a valid answer's text: a number, an operator, a stated result or a
// parenthesis.
std::string Mutate(std::string text, const std::vector<std::int32_t>& tiles, std::mt19937& random)
{
    auto pick = [&](auto predicate)
    {
        std::vector<std::size_t> places;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (predicate(i))
                places.push_back(i);
        return places.empty() ? std::string::npos
                              : places[std::uniform_int_distribution<std::size_t>(
                                    0, places.size() - 1)(random)];
    };
    auto isDigit = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(text[i])); };
    switch (random() % 4)
    {
    case 0: // a number (a tile, or in steps a result) becomes another
    {
        const std::size_t i =
            pick([&](std::size_t k) { return isDigit(k) && (k == 0 || !isDigit(k - 1)); });
        std::size_t nEnd = i;
        while (nEnd < text.size() && isDigit(nEnd))
            ++nEnd;
        const int nNew = random() % 2 ? tiles[random() % 6] : static_cast<int>(random() % 120);
        return text.replace(i, nEnd - i, std::to_string(nNew));
    }
    case 1: // an operator becomes another
    {
        const std::size_t i =
            pick([&](std::size_t k)
                 { return std::string_view("+-x/").find(text[k]) != std::string_view::npos; });
        if (i != std::string::npos)
            text[i] = "+-x/"[random() % 4];
        return text;
    }
    case 2: // a parenthesis goes
    {
        const std::size_t i = pick([&](std::size_t k) { return text[k] == '(' || text[k] == ')'; });
        return i == std::string::npos ? text : text.erase(i, 1);
    }
    default: // a pair of parentheses around two numbers and what lies between them
    {
        const std::size_t i =
            pick([&](std::size_t k) { return isDigit(k) && (k == 0 || !isDigit(k - 1)); });
        const std::size_t j =
            pick([&](std::size_t k)
                 { return k > i && isDigit(k) && (k + 1 == text.size() || !isDigit(k + 1)); });
        if (i == std::string::npos || j == std::string::npos || text.find('=') != std::string::npos)
            return text;
        return text.substr(0, i) + '(' + text.substr(i, j + 1 - i) + ')' + text.substr(j + 1);
    }
    }
}
} // namespace

// Answers changed from valid ones (a number, an operator, a result, a parenthesis) are valid
// or not, and of which value, as the plain reading has them.
TEST(Judge, MutationsAgreeWithAPlainReading)
{
    std::mt19937 random(2029);
    std::uniform_int_distribution<int> target(100, 999);
    CJudge judge;
    int nValid = 0;
    int nMutations = 0;
    for (int nGame = 0; nGame < 300; ++nGame)
    {
        const std::vector<std::int32_t> tiles = DrawTiles(random);
        const int nTarget = target(random);
        judge.SetGame(tiles, nTarget);
        const CAllSolutions::SValueSolutions all = judge.Solutions().Solve(
            judge.Solutions().Reachable(nTarget) ? nTarget
                                                 : *judge.Solutions().Nearest(nTarget).below,
            8);
        for (const CAllSolutions::SSolution& solution : all.solutions)
        {
            for (const std::string& answer :
                 {Steps(solution.way), CAllSolutionsText::Expression(solution.way)})
            {
                for (int n = 0; n < 4; ++n)
                {
                    const std::string changed = Mutate(answer, tiles, random);
                    const std::optional<Int64> plain = CPlainReading(tiles, changed).Value();
                    const CJudge::SVerdict v = judge.Judge(changed, CJudge::EPlace::Unranked);
                    EXPECT_EQ(v.bValid, plain.has_value()) << changed << "\n" << Describe(v);
                    EXPECT_EQ(v.bValid ? v.nValue : -1, plain.value_or(-1)) << changed;
                    nValid += v.bValid;
                    ++nMutations;
                }
            }
        }
    }
    std::printf("mutations: %d, valid: %d\n", nMutations, nValid);
}
