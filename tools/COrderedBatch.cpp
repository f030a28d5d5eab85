#include "COrderedBatch.h"

#include <utility>

namespace
{
constexpr int kWindowPerJob = 16;
} // namespace

COrderedBatch::COrderedBatch(int nJobs, Work work, Write write, int nWindow)
    : m_work(std::move(work)), m_write(std::move(write))
{
    if (nJobs <= 1)
        return;
    m_slots.resize(static_cast<std::size_t>(nWindow > 0 ? nWindow : kWindowPerJob * nJobs));
    for (int n = 0; n < nJobs; ++n)
        m_workers.emplace_back(&COrderedBatch::Worker, this);
}

COrderedBatch::~COrderedBatch()
{
    Finish();
}

int COrderedBatch::DefaultJobs()
{
    const unsigned nCores = std::thread::hardware_concurrency();
    return nCores > 0 ? static_cast<int>(nCores) : 1;
}

bool COrderedBatch::Submit(std::string line, long nLine)
{
    if (m_workers.empty())
    {
        if (m_bWriteFailed)
            return false;
        const Result result = m_work(line, nLine);
        m_bAnyRefused = m_bAnyRefused || result.bRefused;
        m_bWriteFailed = !WriteText(result.text);
        return !m_bWriteFailed;
    }
    std::unique_lock lock(m_mutex);
    const long nWindow = static_cast<long>(m_slots.size());
    m_roomOrDone.wait(lock, [&] { return m_nSubmitted - m_nWritten < nWindow || m_bWriteFailed; });
    if (m_bWriteFailed)
        return false;
    Slot& slot = m_slots[static_cast<std::size_t>(m_nSubmitted % nWindow)];
    slot.line = std::move(line);
    slot.nLine = nLine;
    slot.bDone = false;
    ++m_nSubmitted;
    m_workToDo.notify_one();
    return true;
}

void COrderedBatch::Finish()
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

void COrderedBatch::Worker()
{
    const long nWindow = static_cast<long>(m_slots.size());
    std::unique_lock lock(m_mutex);
    for (;;)
    {
        m_workToDo.wait(lock, [&] { return m_nTaken < m_nSubmitted || m_bClosing; });
        if (m_nTaken == m_nSubmitted)
            return;
        Slot& slot = m_slots[static_cast<std::size_t>(m_nTaken++ % nWindow)];
        const std::string line = std::move(slot.line);
        const long nLine = slot.nLine;
        const bool bSkip = m_bWriteFailed;
        lock.unlock();
        Result result = bSkip ? Result{} : m_work(line, nLine);
        lock.lock();
        slot.result = std::move(result);
        slot.bDone = true;
        WriteReady(lock);
    }
}

void COrderedBatch::WriteReady(std::unique_lock<std::mutex>& lock)
{
    // One thread writes at a time; the others leave their lines to it.
    if (m_bWriting)
        return;
    m_bWriting = true;
    const long nWindow = static_cast<long>(m_slots.size());
    while (m_nWritten < m_nSubmitted)
    {
        Slot& slot = m_slots[static_cast<std::size_t>(m_nWritten % nWindow)];
        if (!slot.bDone)
            break;
        const Result result = std::move(slot.result);
        slot.bDone = false;
        m_bAnyRefused = m_bAnyRefused || result.bRefused;
        // Once a write has failed, the rest would be lost too: they are not written.
        const bool bWrite = !m_bWriteFailed;
        lock.unlock();
        const bool bWritten = !bWrite || WriteText(result.text);
        lock.lock();
        m_bWriteFailed = m_bWriteFailed || !bWritten;
        ++m_nWritten;
        m_roomOrDone.notify_all();
    }
    m_bWriting = false;
}

bool COrderedBatch::WriteText(const std::string& text) const
{
    return text.empty() || m_write(text);
}
