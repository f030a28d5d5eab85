#include "CDrawTally.h"

#include "CGroupValues.h"
#include "CValueWindow.h"

#include <array>
#include <atomic>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace
{
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
} // namespace

// What one worker counted, added up when every worker is done; on cache lines of its own,
// so that workers counting side by side do not slow each other down.
struct alignas(64) CDrawTally::Counts
{
    std::array<std::array<std::int64_t, Distances>, Categories> games{};
    std::vector<std::int64_t> exact;
};

CDrawTally::CDrawTally(std::vector<CTileSet::Draw> draws, int nFirstTarget, int nLastTarget)
    : m_draws(std::move(draws)), m_nFirstTarget(nFirstTarget), m_nLastTarget(nLastTarget)
{
    assert(0 <= nFirstTarget && nFirstTarget <= nLastTarget && nLastTarget <= 999);
    m_differences.resize(m_draws.size() * static_cast<std::size_t>(TargetCount()));
    m_summaries.resize(m_draws.size());
    m_exact.assign(static_cast<std::size_t>(Categories * TargetCount()), 0);
    for (const CTileSet::Draw& draw : m_draws)
        ++m_anCategoryDraws[static_cast<std::size_t>(CTileSet::LargeTiles(draw))];
}

void CDrawTally::TallyBlock(std::size_t nBegin, std::size_t nEnd, CGroupValues& groups,
                            Counts& counts, std::atomic<std::size_t>& nDrawsDone)
{
    const int nTargets = TargetCount();
    for (std::size_t d = nBegin; d < nEnd; ++d)
    {
        // What the draw makes from 0 to 2047 holds the nearest value of every target.
        groups.SetTiles(m_draws[d].data());
        CValueWindow window;
        window.Make(groups);
        const int nCategory = CategoryOf(d);
        std::int64_t* pExact = counts.exact.data() + nCategory * nTargets;
        std::array<std::int64_t, Distances>& games = counts.games[nCategory];
        std::int16_t* pDifferences = m_differences.data() + d * static_cast<std::size_t>(nTargets);
        DrawSummary summary;
        std::array<std::int32_t, 1000> anNearest;
        window.Nearest(m_nFirstTarget, m_nLastTarget, anNearest.data());
        for (int t = 0; t < nTargets; ++t)
        {
            const int nTarget = m_nFirstTarget + t;
            const int nDifference = anNearest[static_cast<std::size_t>(t)] - nTarget;
            const int nDistance = std::abs(nDifference);
            pDifferences[t] = static_cast<std::int16_t>(nDifference);
            ++games[Bucket(nDistance)];
            summary.nTotalDistance += nDistance;
            if (nDistance == 0)
            {
                ++summary.nExact;
                ++pExact[t];
            }
            else if (nDistance > summary.nMaxDistance)
            {
                summary.nMaxDistance = nDistance;
                summary.nMaxTarget = nTarget;
            }
        }
        if (summary.nMaxDistance == 0)
            summary.nMaxTarget = m_nFirstTarget;
        m_summaries[d] = summary;
        nDrawsDone.fetch_add(1, std::memory_order_relaxed);
    }
}

int CDrawTally::Run(int nJobs, const Progress& progress)
{
    const std::size_t nBlocks = (m_draws.size() + kBlock - 1) / kBlock;
    const std::size_t nWorkers = std::min<std::size_t>(static_cast<std::size_t>(std::max(nJobs, 1)),
                                                       std::max<std::size_t>(nBlocks, 1));
    std::vector<Counts> counts(nWorkers);
    std::atomic<std::size_t> nNextBlock{0};
    std::atomic<std::size_t> nDrawsDone{0};
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t nRunning = nWorkers;
    // What a worker threw once it had taken a block: the tally cannot be whole.
    std::exception_ptr failure;
    std::atomic<bool> bStop{false};

    auto work = [&](Counts& mine)
    {
        std::size_t nTaken = 0;
        try
        {
            mine.exact.assign(m_exact.size(), 0);
            // One group table for all the worker's blocks: draws in the set's order mostly
            // change only their last tile, and the table keeps the groups of the other five.
            const auto groups = std::make_unique<CGroupValues>();
            for (std::size_t b; !bStop && (b = nNextBlock.fetch_add(1)) < nBlocks;)
            {
                ++nTaken;
                const std::size_t nBegin = b * kBlock;
                const std::size_t nEnd = std::min(nBegin + kBlock, m_draws.size());
                TallyBlock(nBegin, nEnd, *groups, mine, nDrawsDone);
            }
        }
        catch (...)
        {
            // A worker that could not make its tables leaves the blocks to the others.
            const std::lock_guard lock(mutex);
            if (nTaken > 0 && !failure)
            {
                failure = std::current_exception();
                bStop = true;
            }
        }
        const std::lock_guard lock(mutex);
        if (--nRunning == 0)
            finished.notify_one();
    };
    std::vector<std::thread> workers;
    try
    {
        for (std::size_t w = 0; w < nWorkers; ++w)
            workers.emplace_back(work, std::ref(counts[w]));
    }
    catch (const std::exception&)
    {
        // Out of threads, or of room for their stacks: those started do the work.
        const std::lock_guard lock(mutex);
        nRunning -= nWorkers - workers.size();
    }
    {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, kProgressInterval, [&] { return nRunning == 0; }))
        {
            if (progress)
            {
                lock.unlock();
                progress(nDrawsDone.load());
                lock.lock();
            }
        }
    }
    for (std::thread& worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
    // No worker could start or make its tables: the calling thread does what is left.
    if (nNextBlock.load() < nBlocks)
    {
        nRunning = 1;
        work(counts[0]);
        if (failure)
            std::rethrow_exception(failure);
        if (nNextBlock.load() < nBlocks)
            throw std::bad_alloc();
    }
    if (progress)
        progress(m_draws.size());

    for (const Counts& mine : counts)
    {
        for (int c = 0; c < Categories; ++c)
            for (int b = 0; b < Distances; ++b)
                m_games[c][b] += mine.games[c][b];
        for (std::size_t i = 0; i < mine.exact.size(); ++i)
            m_exact[i] += mine.exact[i];
    }
    return static_cast<int>(workers.size());
}

int CDrawTally::UsedCategories() const
{
    int nUsed = 1;
    for (int c = 0; c < Categories; ++c)
    {
        if (m_anCategoryDraws[static_cast<std::size_t>(c)] > 0)
            nUsed = c + 1;
    }
    return nUsed;
}

std::int32_t CDrawTally::Reached(std::size_t nDraw, int nTarget) const
{
    assert(nTarget >= m_nFirstTarget && nTarget <= m_nLastTarget);
    const std::size_t nGame = nDraw * static_cast<std::size_t>(TargetCount()) +
                              static_cast<std::size_t>(nTarget - m_nFirstTarget);
    return nTarget + m_differences[nGame];
}

int CDrawTally::Distance(std::size_t nDraw, int nTarget) const
{
    return std::abs(Reached(nDraw, nTarget) - nTarget);
}

std::int64_t CDrawTally::ExactDraws(int nTarget) const
{
    std::int64_t nDraws = 0;
    for (int c = 0; c < Categories; ++c)
        nDraws += ExactDraws(c, nTarget);
    return nDraws;
}

std::int64_t CDrawTally::ExactDraws(int nCategory, int nTarget) const
{
    return m_exact[static_cast<std::size_t>(nCategory * TargetCount() + nTarget - m_nFirstTarget)];
}
