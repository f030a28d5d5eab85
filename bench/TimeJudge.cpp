// Times the judge of a player's answer on random games: a new game's tables (SetGame), then a
// verdict ranked among the distinct solutions (what a practice window asks when the player
// submits), and one unranked (what it asks as the player types); the median and the slowest
// of each. The answer is a solution of the target or of the nearest value, chosen at random
// among the first 20 listed, as steps or as an expression. Usage: pivolo_time_judge [GAMES
// [SEED]]; figures on standard output. The time is the processor time of the thread.

#include "CAllSolutionsText.h"
#include "CJudge.h"
#include "CTilePool.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace
{
struct STimed
{
    double dMs;
    std::vector<std::int32_t> tiles;
    int nTarget;
};

double ThreadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void Report(const char* pszName, std::vector<STimed> times)
{
    std::sort(times.begin(), times.end(),
              [](const STimed& a, const STimed& b) { return a.dMs < b.dMs; });
    const STimed& slowest = times.back();
    std::printf("%-10s games %5zu  median %7.3f ms  slowest %7.3f ms (", pszName, times.size(),
                times[times.size() / 2].dMs, slowest.dMs);
    for (int t : slowest.tiles)
        std::printf("%d ", t);
    std::printf("/ %d)\n", slowest.nTarget);
}

// The four lines of a set of games, which are then forgotten.
void ReportAll(std::vector<STimed>& setGame, std::vector<STimed>& ranked,
               std::vector<STimed>& unranked)
{
    Report("SetGame", setGame);
    Report("ranked", ranked);
    Report("unranked", unranked);
    for (std::size_t i = 0; i < setGame.size(); ++i)
        setGame[i].dMs += ranked[i].dMs;
    Report("new game", setGame);
    setGame.clear();
    ranked.clear();
    unranked.clear();
}

// The way's steps, one a line, as a player writes them.
std::string Steps(const std::vector<CAllSolutions::SWayNode>& way)
{
    std::string text = way.size() == 1 ? std::to_string(way[0].nValue) : "";
    for (const CAllSolutions::SWayNode& node : way)
    {
        if (node.nOperator >= 0)
            text += std::to_string(way[node.nLeft].nValue) + ' ' + "/x+-"[node.nOperator] + ' ' +
                    std::to_string(way[node.nRight].nValue) + " = " + std::to_string(node.nValue) +
                    '\n';
    }
    return text;
}
} // namespace

int main(int argc, char** argv)
{
    const int nGames = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u);
    std::uniform_int_distribution<int> target(100, 999);
    CAllSolutions answers;
    CJudge judge;
    std::vector<STimed> setGame;
    std::vector<STimed> ranked;
    std::vector<STimed> unranked;
    int nInvalid = 0;
    // Random games, then small tiles, whose small values are made in hundreds of ways.
    std::vector<std::pair<std::vector<std::int32_t>, int>> games;
    for (int i = 0; i < nGames; ++i)
    {
        std::array<int, 28> set{};
        std::copy(CTilePool::FullSet.begin(), CTilePool::FullSet.end(), set.begin());
        std::shuffle(set.begin(), set.end(), random);
        games.push_back({std::vector<std::int32_t>(set.begin(), set.begin() + 6), target(random)});
    }
    for (const std::vector<std::int32_t>& tiles : {std::vector<std::int32_t>{1, 1, 2, 2, 3, 3},
                                                   {1, 2, 3, 4, 5, 6},
                                                   {2, 2, 3, 3, 4, 4},
                                                   {2, 3, 4, 5, 6, 7},
                                                   {3, 4, 5, 6, 7, 8},
                                                   {5, 6, 7, 8, 9, 10}})
        for (int t = 0; t < 1000; t += 10)
            games.push_back({tiles, t});
    for (const auto& [tiles, nTarget] : games)
    {
        if (&tiles == &games[nGames].first)
        {
            ReportAll(setGame, ranked, unranked);
            std::printf("small tiles, every tenth target:\n");
        }
        answers.SetTiles(tiles);
        const auto nearest = answers.Nearest(nTarget);
        const std::int32_t nValue =
            answers.Reachable(nTarget) ? nTarget
            : nearest.above &&
                    (!nearest.below || *nearest.above - nTarget <= nTarget - *nearest.below)
                ? *nearest.above
                : *nearest.below;
        const auto listed = answers.Solve(nValue, 20).solutions;
        const auto& way = listed[random() % listed.size()].way;
        const std::string answer = random() % 2 ? Steps(way) : CAllSolutionsText::Expression(way);

        double dStart = ThreadMs();
        judge.SetGame(tiles, nTarget);
        setGame.push_back({ThreadMs() - dStart, tiles, nTarget});
        dStart = ThreadMs();
        const CJudge::SVerdict v = judge.Judge(answer, CJudge::EPlace::Ranked);
        ranked.push_back({ThreadMs() - dStart, tiles, nTarget});
        dStart = ThreadMs();
        judge.Judge(answer, CJudge::EPlace::Unranked);
        unranked.push_back({ThreadMs() - dStart, tiles, nTarget});
        nInvalid += v.bValid && v.bRanked ? 0 : 1;
    }
    ReportAll(setGame, ranked, unranked);
    if (nInvalid > 0)
        std::printf("%d answers not judged valid and ranked\n", nInvalid);
    return nInvalid == 0 ? 0 : 1;
}
