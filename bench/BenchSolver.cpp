// How long the solver takes: the slowest known games, a sweep of random games like the
// ones the dialog draws, and the plain trial-by-trial search on one game for comparison.

#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"
#include "CTilePool.h"
#include "ReferenceSolver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
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

void Solve(benchmark::State& state, Game game)
{
    CRecordingPlatform platform;
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveOnce(game));
}

std::vector<Game> SweepGames()
{
    std::mt19937 random(1000);
    std::uniform_int_distribution<int> target(100, 999);
    std::vector<Game> games;
    for (int n = 0; n < 1000; ++n)
    {
        std::array<int, 28> set{};
        std::copy(CTilePool::FullSet.begin(), CTilePool::FullSet.end(), set.begin());
        std::shuffle(set.begin(), set.end(), random);
        Game game{};
        std::copy_n(set.begin(), 6, game.tiles.begin());
        game.nTarget = target(random);
        games.push_back(game);
    }
    return games;
}

void Sweep(benchmark::State& state)
{
    CRecordingPlatform platform;
    const std::vector<Game> games = SweepGames();
    double dSlowest = 0;
    double dTotal = 0;
    for (auto _ : state)
    {
        for (const Game& game : games)
        {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(SolveOnce(game));
            const double d = Seconds(std::chrono::steady_clock::now() - start);
            dSlowest = std::max(dSlowest, d);
            dTotal += d;
        }
    }
    state.counters["mean_ms"] =
        1e3 * dTotal / (static_cast<double>(state.iterations()) * games.size());
    state.counters["slowest_ms"] = 1e3 * dSlowest;
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

BENCHMARK_CAPTURE(Solve, tiles_1_1_2_2_3_3_target_999, Game{{1, 1, 2, 2, 3, 3}, 999})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, tiles_1_2_3_4_5_6_target_999, Game{{1, 2, 3, 4, 5, 6}, 999})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, tiles_2_8_75_8_100_25_target_387, Game{{2, 8, 75, 8, 100, 25}, 387})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Sweep)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PlainAgainstSolver)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
