// How long the solver takes: the slowest known games, random games like the ones the batch
// front end is given (on one core and on every core), and the plain trial-by-trial search
// on one game for comparison.

#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"
#include "CTilePool.h"
#include "ReferenceSolver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <random>
#include <vector>

namespace
{
struct Game
{
    std::array<int, 6> tiles;
    int nTarget;
};

int SolveOnce(const Game& game)
{
    CTextPeer peer;
    CListBox list;
    list.Attach(&peer);
    const auto& t = game.tiles;
    CSolver solver(t[0], t[1], t[2], t[3], t[4], t[5], game.nTarget, &list);
    return solver.Solve() + peer.GetCount();
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// One game as the dialog meets it: its tiles' tables are worked out anew (a thread keeps
// the last tiles' tables, so another game is solved in between, untimed).
void Solve(benchmark::State& state, Game game)
{
    CRecordingPlatform platform;
    const Game other{{1, 1, 1, 1, 1, 1}, 0};
    for (auto _ : state)
    {
        state.PauseTiming();
        benchmark::DoNotOptimize(SolveOnce(other));
        state.ResumeTiming();
        benchmark::DoNotOptimize(SolveOnce(game));
    }
}

// Random games: six tiles drawn from the set, a target from 0 to 999.
const std::vector<Game>& RandomGames()
{
    static const std::vector<Game> games = []
    {
        std::mt19937 random(1000);
        std::uniform_int_distribution<int> target(0, 999);
        std::vector<Game> drawn;
        for (int n = 0; n < 10000; ++n)
        {
            std::array<int, 28> set{};
            std::copy(CTilePool::FullSet.begin(), CTilePool::FullSet.end(), set.begin());
            std::shuffle(set.begin(), set.end(), random);
            Game game{};
            std::copy_n(set.begin(), 6, game.tiles.begin());
            game.nTarget = target(random);
            drawn.push_back(game);
        }
        return drawn;
    }();
    return games;
}

// The 10,000 random games, shared out among the benchmark's threads; each game is timed,
// for the mean and the slowest.
void Sweep(benchmark::State& state)
{
    CRecordingPlatform platform;
    const std::vector<Game>& games = RandomGames();
    double dSlowest = 0;
    double dTotal = 0;
    std::size_t nSolved = 0;
    for (auto _ : state)
    {
        for (std::size_t n = static_cast<std::size_t>(state.thread_index()); n < games.size();
             n += static_cast<std::size_t>(state.threads()))
        {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(SolveOnce(games[n]));
            const double d = Seconds(std::chrono::steady_clock::now() - start);
            dSlowest = std::max(dSlowest, d);
            dTotal += d;
            ++nSolved;
        }
    }
    // Summed over the threads and divided by the run's wall time: games a second in all.
    state.counters["games_per_second"] =
        benchmark::Counter(static_cast<double>(nSolved), benchmark::Counter::kIsRate);
    state.counters["mean_ms"] = benchmark::Counter(1e3 * dTotal / static_cast<double>(nSolved),
                                                   benchmark::Counter::kAvgThreads);
    state.counters["slowest_ms"] =
        benchmark::Counter(1e3 * dSlowest, benchmark::Counter::kAvgThreads);
}

// The plain search on 1 2 3 4 5 6 / 999, and in the same run the solver on the same game,
// so that their ratio holds whatever else the machine is doing.
void PlainAgainstSolver(benchmark::State& state)
{
    CRecordingPlatform platform;
    const Game game{{1, 2, 3, 4, 5, 6}, 999};
    double dPlain = 0;
    double dFast = 0;
    int nFastRuns = 0;
    for (auto _ : state)
    {
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ReferenceSolve(game.tiles, game.nTarget).nReached);
        dPlain += Seconds(std::chrono::steady_clock::now() - start);
        for (int n = 0; n < 20; ++n, ++nFastRuns)
        {
            start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(SolveOnce(game));
            dFast += Seconds(std::chrono::steady_clock::now() - start);
        }
    }
    const double dPlainMean = dPlain / static_cast<double>(state.iterations());
    const double dFastMean = dFast / nFastRuns;
    state.counters["plain_ms"] = 1e3 * dPlainMean;
    state.counters["fast_ms"] = 1e3 * dFastMean;
    state.counters["plain_over_fast"] = dPlainMean / dFastMean;
}
} // namespace

// The four slowest random games of the trial-by-trial order (its first pass fails in full,
// the second reaches the value late), the largest number of failed trial values, and a
// nearest value 39 trial values away.
BENCHMARK_CAPTURE(Solve, tiles_25_3_5_4_75_50_target_889, Game{{25, 3, 5, 4, 75, 50}, 889})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, tiles_5_50_75_25_9_100_target_956, Game{{5, 50, 75, 25, 9, 100}, 956})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, tiles_25_25_100_10_7_75_target_973, Game{{25, 25, 100, 10, 7, 75}, 973})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, tiles_2_8_75_8_100_25_target_387, Game{{2, 8, 75, 8, 100, 25}, 387})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, tiles_1_1_2_2_3_3_target_999, Game{{1, 1, 2, 2, 3, 3}, 999})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, tiles_1_2_3_4_5_6_target_999, Game{{1, 2, 3, 4, 5, 6}, 999})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Sweep)->Unit(benchmark::kMillisecond)->Iterations(1)->Threads(1)->UseRealTime();
BENCHMARK(Sweep)->Unit(benchmark::kMillisecond)->Iterations(1)->ThreadPerCpu()->UseRealTime();
BENCHMARK(PlainAgainstSolver)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
