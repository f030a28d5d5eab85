#pragma once

#include "CTileSet.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CGroupValues;

// The tally of every game of some draws and a range of targets: for each game, the value the
// dialog reaches (the target, or the nearest value the tiles make, the one above first at
// equal distance), and what the reports are made of: by draw, by target, and by number of
// large tiles in the draw, how many games end how far from their target.
//
// Each draw's tile tables are worked out once, then asked for every target. Draws go to
// worker threads in blocks; every figure is a sum of integers, so that the results are the
// same whatever the number of workers.
class CDrawTally
{
public:
    // Draws hold 0 to 6 large tiles (25, 50, 75, 100): up to 4 in the 24-tile set, where
    // each is there once, up to 6 in the 28-tile set (100 100 75 75 50 50).
    static constexpr int Categories = 7;
    // Distances from the target: 0 (reached) to 10, then one bucket for more than 10.
    static constexpr int Distances = 12;
    static constexpr int FarBucket = Distances - 1;
    // Draws a worker takes at a time: few enough that the workers end together, many enough
    // that they seldom meet at the shared counter. There are never more workers than blocks.
    static constexpr std::size_t kBlock = 32;

    // What one draw does over every target.
    struct DrawSummary
    {
        int nExact = 0;
        std::int64_t nTotalDistance = 0;
        // The furthest miss: the first target (lowest) of the largest distance.
        int nMaxDistance = 0;
        int nMaxTarget = 0;
    };

    // Called on the thread that runs the tally, a few times a second, with the number of
    // draws done.
    using Progress = std::function<void(std::size_t nDrawsDone)>;

    // Every draw must be six tiles of 1 to 255; 0 <= nFirstTarget <= nLastTarget <= 999.
    CDrawTally(std::vector<CTileSet::Draw> draws, int nFirstTarget, int nLastTarget);

    // Works every game out, on nJobs threads (at least one). When fewer can start, or make
    // their tables, those that did do the work (the calling thread, when none did): returns
    // how many workers started. Throws what the work threw (std::bad_alloc).
    int Run(int nJobs, const Progress& progress = {});

    std::size_t DrawCount() const { return m_draws.size(); }
    const CTileSet::Draw& DrawAt(std::size_t nDraw) const { return m_draws[nDraw]; }
    int CategoryOf(std::size_t nDraw) const { return CTileSet::LargeTiles(m_draws[nDraw]); }
    int FirstTarget() const { return m_nFirstTarget; }
    int LastTarget() const { return m_nLastTarget; }
    int TargetCount() const { return m_nLastTarget - m_nFirstTarget + 1; }

    // After Run: the value a game reaches, and its distance from the target.
    std::int32_t Reached(std::size_t nDraw, int nTarget) const;
    int Distance(std::size_t nDraw, int nTarget) const;
    const DrawSummary& Summary(std::size_t nDraw) const { return m_summaries[nDraw]; }

    // The number of categories worth showing: up to the most large tiles a draw holds.
    int UsedCategories() const;

    // After Run, by number of large tiles: the draws, and the games at each distance.
    std::int64_t CategoryDraws(int nCategory) const { return m_anCategoryDraws[nCategory]; }
    std::int64_t Games(int nCategory, int nBucket) const { return m_games[nCategory][nBucket]; }
    // After Run, by target: how many draws reach it exactly, all of them or those with
    // that many large tiles.
    std::int64_t ExactDraws(int nTarget) const;
    std::int64_t ExactDraws(int nCategory, int nTarget) const;

    static int Bucket(int nDistance) { return nDistance < FarBucket ? nDistance : FarBucket; }

private:
    struct Counts;
    void TallyBlock(std::size_t nBegin, std::size_t nEnd, CGroupValues& groups, Counts& counts,
                    std::atomic<std::size_t>& nDrawsDone);

    std::vector<CTileSet::Draw> m_draws;
    int m_nFirstTarget;
    int m_nLastTarget;
    // Each game's reached value minus its target, draw by draw: within +-999, since a tile
    // of the draw is always within that distance.
    std::vector<std::int16_t> m_differences;
    std::vector<DrawSummary> m_summaries;
    std::array<std::int64_t, Categories> m_anCategoryDraws{};
    std::array<std::array<std::int64_t, Distances>, Categories> m_games{};
    // Draws that reach each target exactly, target by target within each category.
    std::vector<std::int64_t> m_exact;
};
