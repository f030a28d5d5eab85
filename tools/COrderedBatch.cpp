#include "COrderedBatch.h"

#include <sys/mman.h>

#include <algorithm>
#include <climits>
#include <new>
#include <system_error>
#include <utility>

namespace
{
constexpr int kBlocksPerJob = 2;
constexpr int kMaxBlocks = 64;
// What the workers' tables and blocks need once they are started.
constexpr std::size_t kHeadroom = std::size_t{16} << 20;
} // namespace

COrderedBatch::COrderedBatch(int nJobs, Work work, Write write)
    : COrderedBatch(nJobs, std::move(work), std::move(write), SLimits{})
{
}

COrderedBatch::COrderedBatch(int nJobs, Work work, Write write, SLimits limits)
    : m_work(std::move(work)), m_write(std::move(write)), m_limits(limits)
{
    if (nJobs <= 1)
        return;
    const int nBlocks =
        m_limits.nBlocks > 0 ? m_limits.nBlocks : std::min(kBlocksPerJob * nJobs + 2, kMaxBlocks);
    m_blocks.resize(static_cast<std::size_t>(nBlocks));
    // Under a limit on the address space, starting as many workers as fit would leave no
    // room for what they then allocate to work: room is kept aside while they start.
    void* const pHeadroom =
        mmap(nullptr, kHeadroom, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    try
    {
        for (int n = 0; n < nJobs; ++n)
            m_workers.emplace_back(&COrderedBatch::Worker, this);
    }
    catch (const std::system_error&)
    {
        // Out of threads or of address space for their stacks: the workers started do
        // the work.
    }
    catch (const std::bad_alloc&)
    {
    }
    if (pHeadroom != MAP_FAILED)
        munmap(pHeadroom, kHeadroom);
    if (m_workers.empty())
        m_blocks.clear();
}

COrderedBatch::~COrderedBatch()
{
    // The lines submitted are written, but an exception is not thrown from here.
    if (m_workers.empty())
    {
        if (!m_inline.lines.empty() && !m_bStopped)
            HandOver();
        return;
    }
    HandOver();
    Join();
}

int COrderedBatch::DefaultJobs()
{
    const unsigned nCores = std::thread::hardware_concurrency();
    return nCores > 0 ? static_cast<int>(nCores) : 1;
}

int COrderedBatch::Jobs() const
{
    return m_workers.empty() ? 1 : static_cast<int>(m_workers.size());
}

bool COrderedBatch::Submit(std::string_view line, long nLine, bool bSameGroup,
                           std::uint64_t nInputEnd)
{
    if (m_workers.empty())
    {
        if (!m_bStopped && IsFull(m_inline, line.size(), bSameGroup))
            HandOver();
        if (m_bStopped)
            return false;
        // One job: worked out at once, written with its block.
        m_inlineLine.assign(line);
        Result result;
        try
        {
            result = m_work(m_inlineLine, nLine);
        }
        catch (...)
        {
            // The lines after it would be missing: nothing more is written.
            m_bStopped = true;
            throw;
        }
        m_inline.output.append(result.text);
        m_inline.ends.push_back(m_inline.output.size());
        m_inline.bRefused = m_inline.bRefused || result.bRefused;
        m_inline.nGames += result.bGame ? 1 : 0;
        m_inline.nInputEnd = nInputEnd;
        // Only the counts of the block's lines and bytes matter here.
        m_inline.lines.push_back({0, 0, nLine});
        m_inline.nBytes += line.size();
        return true;
    }
    SBlock* pBlock = nullptr;
    {
        std::unique_lock lock(m_mutex);
        const long nBlocks = static_cast<long>(m_blocks.size());
        if (!m_bFilling)
        {
            m_roomOrDone.wait(lock,
                              [&] { return m_nSubmitted - m_nWritten < nBlocks || m_bStopped; });
            m_bFilling = !m_bStopped;
        }
        if (m_bStopped)
            return false;
        pBlock = &m_blocks[static_cast<std::size_t>(m_nSubmitted % nBlocks)];
    }
    if (IsFull(*pBlock, line.size(), bSameGroup))
    {
        HandOver();
        // The next block, once there is room for it.
        return Submit(line, nLine, true, nInputEnd);
    }
    pBlock->lines.push_back({pBlock->input.size(), line.size(), nLine});
    pBlock->input.append(line);
    pBlock->nBytes += line.size();
    pBlock->nInputEnd = nInputEnd;
    return true;
}

bool COrderedBatch::IsFull(const SBlock& block, std::size_t nNextLength, bool bSameGroup) const
{
    const std::size_t nLines = block.lines.size();
    if (nLines == 0)
        return false;
    return (!bSameGroup &&
            (nLines >= m_limits.nBlockLines || block.nBytes >= m_limits.nBlockBytes)) ||
           nLines >= m_limits.nGroupLines || block.nBytes + nNextLength > m_limits.nGroupBytes;
}

void COrderedBatch::Flush()
{
    if (!m_workers.empty() || (!m_inline.lines.empty() && !m_bStopped))
        HandOver();
}

void COrderedBatch::Finish()
{
    if (m_workers.empty())
    {
        if (!m_inline.lines.empty() && !m_bStopped)
            HandOver();
    }
    else
    {
        HandOver();
        Join();
    }
    if (m_exception)
        std::rethrow_exception(std::exchange(m_exception, nullptr));
}

void COrderedBatch::Join()
{
    {
        std::lock_guard lock(m_mutex);
        m_bClosing = true;
    }
    m_workToDo.notify_all();
    for (std::thread& worker : m_workers)
    {
        if (worker.joinable())
            worker.join();
    }
}

void COrderedBatch::HandOver()
{
    if (m_workers.empty())
    {
        m_bAnyRefused = m_bAnyRefused || m_inline.bRefused;
        m_bWriteFailed = !WriteText(m_inline);
        m_bStopped = m_bStopped || m_bWriteFailed;
        if (!m_bWriteFailed)
            TellWritten(m_inline);
        m_inline.nGames = 0;
        m_inline.output.clear();
        m_inline.ends.clear();
        m_inline.lines.clear();
        m_inline.nBytes = 0;
        m_inline.bRefused = false;
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        if (!m_bFilling)
            return;
        m_bFilling = false;
        // Once stopped, the block is dropped: it would not be written.
        if (m_bStopped)
            return;
        ++m_nSubmitted;
    }
    m_workToDo.notify_one();
}

void COrderedBatch::WorkOut(SBlock& block, std::string& line)
{
    for (const SLine& entry : block.lines)
    {
        line.assign(block.input, entry.nOffset, entry.nLength);
        Result result = m_work(line, entry.nLine);
        block.output.append(result.text);
        block.ends.push_back(block.output.size());
        block.bRefused = block.bRefused || result.bRefused;
        block.nGames += result.bGame ? 1 : 0;
    }
}

void COrderedBatch::Worker()
{
    const long nBlocks = static_cast<long>(m_blocks.size());
    // The line being worked out, its room kept from one line to the next.
    std::string line;
    std::unique_lock lock(m_mutex);
    for (;;)
    {
        m_workToDo.wait(lock, [&] { return m_nTaken < m_nSubmitted || m_bClosing; });
        if (m_nTaken == m_nSubmitted)
            return;
        SBlock& block = m_blocks[static_cast<std::size_t>(m_nTaken++ % nBlocks)];
        const bool bSkip = m_bStopped;
        lock.unlock();
        std::exception_ptr exception;
        if (!bSkip)
        {
            try
            {
                WorkOut(block, line);
            }
            catch (...)
            {
                exception = std::current_exception();
            }
        }
        lock.lock();
        if (exception)
        {
            if (!m_exception)
                m_exception = exception;
            m_bStopped = true;
            m_roomOrDone.notify_all();
        }
        block.bDone = true;
        WriteReady(lock);
    }
}

void COrderedBatch::WriteReady(std::unique_lock<std::mutex>& lock)
{
    // One thread writes at a time; the others leave their blocks to it.
    if (m_bWriting)
        return;
    m_bWriting = true;
    const long nBlocks = static_cast<long>(m_blocks.size());
    while (m_nWritten < m_nSubmitted)
    {
        SBlock& block = m_blocks[static_cast<std::size_t>(m_nWritten % nBlocks)];
        if (!block.bDone)
            break;
        m_bAnyRefused = m_bAnyRefused || block.bRefused;
        // Once a write has failed, the rest would be lost too: they are not written.
        const bool bWrite = !m_bStopped;
        // The block is left alone until it is counted written: its text is written without
        // the lock.
        lock.unlock();
        const bool bWritten = !bWrite || WriteText(block);
        if (bWrite && bWritten)
            TellWritten(block);
        block.output.clear();
        block.nGames = 0;
        block.ends.clear();
        block.input.clear();
        block.lines.clear();
        block.nBytes = 0;
        block.bRefused = false;
        block.bDone = false;
        lock.lock();
        if (!bWritten)
            m_bWriteFailed = m_bStopped = true;
        ++m_nWritten;
        m_roomOrDone.notify_all();
    }
    m_bWriting = false;
}

void COrderedBatch::TellWritten(const SBlock& block)
{
    // Only the writing thread counts: one at a time.
    m_nGamesWritten += block.nGames;
    if (m_written)
        m_written(block.nInputEnd, m_nGamesWritten);
}

bool COrderedBatch::WriteText(const SBlock& block) const
{
    // Whole lines' texts, as many as a write to a pipe takes at once: a program killed
    // while writing leaves no line's text cut short.
    std::size_t nStart = 0;
    std::size_t nEnd = 0;
    for (const std::size_t nNext : block.ends)
    {
        if (nNext - nStart > PIPE_BUF && nEnd > nStart)
        {
            if (!m_write(std::string_view(block.output).substr(nStart, nEnd - nStart)))
                return false;
            nStart = nEnd;
        }
        nEnd = nNext;
    }
    return nEnd == nStart || m_write(std::string_view(block.output).substr(nStart, nEnd - nStart));
}
