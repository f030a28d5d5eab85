// Times pivolo-solve --all's work on one game (the tables of the tiles, every solution of
// the value reached, their text): the median and the slowest of random games, and of games
// with many solutions. Usage: pivolo_time_all [GAMES [SEED]]; figures on standard output.
// The time is the processor time of the thread, so that a busy machine, which takes the
// processor away now and then, adds less to it than to the time on the clock.

#include "CAllSolutionsText.h"
#include "CTilePool.h"

#include <sys/resource.h>

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
struct SGame
{
    std::array<int, 6> tiles;
    int nTarget;
};

struct STimed
{
    double dMs;
    SGame game;
    std::size_t nBytes;
};

void Report(const char* pszName, std::vector<STimed> times)
{
    std::sort(times.begin(), times.end(),
              [](const STimed& a, const STimed& b) { return a.dMs < b.dMs; });
    const STimed& slowest = times.back();
    std::printf("%-8s games %5zu  median %8.3f ms  slowest %8.3f ms (", pszName, times.size(),
                times[times.size() / 2].dMs, slowest.dMs);
    for (int t : slowest.game.tiles)
        std::printf("%d ", t);
    std::printf("/ %d, %zu bytes of text)\n", slowest.game.nTarget, slowest.nBytes);
}

double ThreadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::vector<STimed> Time(const std::vector<SGame>& games)
{
    std::vector<STimed> times;
    for (const SGame& game : games)
    {
        std::string text;
        const double dStart = ThreadMs();
        CAllSolutionsText(static_cast<std::size_t>(-1))
            .Append(game.tiles, game.nTarget, game.nTarget, text);
        times.push_back({ThreadMs() - dStart, game, text.size()});
    }
    return times;
}
} // namespace

int main(int argc, char** argv)
{
    const int nGames = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u);
    std::uniform_int_distribution<int> target(0, 999);
    std::vector<SGame> games;
    for (int i = 0; i < nGames; ++i)
    {
        std::array<int, 28> set{};
        std::copy(CTilePool::FullSet.begin(), CTilePool::FullSet.end(), set.begin());
        std::shuffle(set.begin(), set.end(), random);
        SGame game{};
        std::copy_n(set.begin(), 6, game.tiles.begin());
        game.nTarget = target(random);
        games.push_back(game);
    }
    Report("random", Time(games));
    // Small tiles, every target: small values made in hundreds of ways.
    std::vector<SGame> hard;
    for (const std::array<int, 6>& tiles :
         {std::array<int, 6>{1, 1, 2, 2, 3, 3}, std::array<int, 6>{1, 2, 3, 4, 5, 6},
          std::array<int, 6>{2, 2, 3, 3, 4, 4}, std::array<int, 6>{2, 3, 4, 5, 6, 7},
          std::array<int, 6>{3, 4, 5, 6, 7, 8}, std::array<int, 6>{4, 5, 6, 7, 8, 9},
          std::array<int, 6>{5, 6, 7, 8, 9, 10}, std::array<int, 6>{1, 2, 4, 6, 8, 10}})
    {
        for (int t = 0; t < 1000; ++t)
            hard.push_back({tiles, t});
    }
    // The slowest of 60,000 random games.
    hard.push_back({{10, 5, 4, 3, 8, 6}, 4});
    hard.push_back({{8, 2, 9, 7, 3, 10}, 4});
    hard.push_back({{3, 4, 2, 5, 10, 25}, 9});
    hard.push_back({{5, 10, 3, 6, 7, 2}, 7});
    Report("hard", Time(hard));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %ld KiB\n", usage.ru_maxrss);
    return 0;
}
