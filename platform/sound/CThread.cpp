#include "CThread.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

struct CThread::State
{
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    int nSuspendCount = 0;
    bool bHeld = false;
    bool bEnded = false;
    bool bInDevice = false;
    bool bLeft = false;
    std::thread thread;
    std::mutex joinMutex;
};

namespace
{
// The state of the worker that runs on this thread; null on threads that no CThread started.
thread_local CThread::State* t_pCurrent = nullptr;
thread_local std::uint64_t t_nCurrentNumber = 0;
std::atomic<std::uint64_t> g_nCreated{0};
std::atomic<int> g_nLeftRunning{0};

void RunWorker(std::shared_ptr<CThread::State> pState, CThread::Procedure pProcedure,
               unsigned nParam, std::uint64_t nNumber)
{
    t_pCurrent = pState.get();
    t_nCurrentNumber = nNumber;
    pProcedure(nParam);
    t_pCurrent = nullptr;
    std::lock_guard lock(pState->mutex);
    pState->bEnded = true;
    if (pState->bLeft)
        --g_nLeftRunning;
    pState->changed.notify_all();
}

void SetInDevice(bool bInDevice)
{
    CThread::State* pState = t_pCurrent;
    if (pState == nullptr)
        return;
    std::lock_guard lock(pState->mutex);
    pState->bInDevice = bInDevice;
}
} // namespace

CThread::CThread() : m_pState(std::make_shared<State>()) {}

std::shared_ptr<CThread> CThread::Create(Procedure pProcedure, unsigned nParam)
{
    if (pProcedure == nullptr)
        return nullptr;
    std::shared_ptr<CThread> pThread(new CThread());
    try
    {
        pThread->m_pState->thread =
            std::thread(RunWorker, pThread->m_pState, pProcedure, nParam, ++g_nCreated);
    }
    catch (const std::system_error&)
    {
        return nullptr;
    }
    return pThread;
}

CThread::~CThread()
{
    LiftSuspension();
    std::lock_guard lock(m_pState->joinMutex);
    if (!m_pState->thread.joinable())
        return;
    // A worker that drops the last handle on itself cannot wait for its own end.
    if (m_pState->thread.get_id() == std::this_thread::get_id())
        m_pState->thread.detach();
    else
        m_pState->thread.join();
}

int CThread::Suspend()
{
    std::lock_guard lock(m_pState->mutex);
    if (m_pState->bEnded)
        return -1;
    return m_pState->nSuspendCount++;
}

int CThread::Resume()
{
    std::lock_guard lock(m_pState->mutex);
    if (m_pState->bEnded)
        return -1;
    const int nPrevious = m_pState->nSuspendCount;
    if (nPrevious > 0 && --m_pState->nSuspendCount == 0)
        m_pState->changed.notify_all();
    return nPrevious;
}

bool CThread::HasEnded() const
{
    std::lock_guard lock(m_pState->mutex);
    return m_pState->bEnded;
}

void CThread::Join()
{
    std::lock_guard lock(m_pState->joinMutex);
    if (m_pState->thread.joinable() && m_pState->thread.get_id() != std::this_thread::get_id())
        m_pState->thread.join();
}

bool CThread::WaitUntilEnded(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_pState->mutex);
    return m_pState->changed.wait_for(lock, timeout, [this] { return m_pState->bEnded; });
}

bool CThread::JoinOrLeave(Deadline deadline)
{
    LiftSuspension();
    bool bLeave = false;
    {
        std::unique_lock lock(m_pState->mutex);
        m_pState->changed.wait_until(lock, deadline, [this] { return m_pState->bEnded; });
        bLeave = !m_pState->bEnded && m_pState->bInDevice;
        if (bLeave)
        {
            // Counted before the worker can end, which counts it off again.
            m_pState->bLeft = true;
            ++g_nLeftRunning;
        }
    }
    std::lock_guard lock(m_pState->joinMutex);
    if (m_pState->thread.joinable() && m_pState->thread.get_id() != std::this_thread::get_id())
    {
        if (bLeave)
            m_pState->thread.detach();
        else
            m_pState->thread.join();
    }
    return !bLeave;
}

int CThread::LeftRunningCount()
{
    return g_nLeftRunning.load();
}

void CThread::LiftSuspension()
{
    std::lock_guard lock(m_pState->mutex);
    m_pState->nSuspendCount = 0;
    m_pState->changed.notify_all();
}

bool CThread::IsHeld() const
{
    std::lock_guard lock(m_pState->mutex);
    return m_pState->bHeld;
}

bool CThread::WaitUntilHeld(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_pState->mutex);
    m_pState->changed.wait_for(lock, timeout,
                               [this] { return m_pState->bHeld || m_pState->bEnded; });
    return m_pState->bHeld;
}

void CThread::SafePoint()
{
    State* pState = t_pCurrent;
    if (pState == nullptr)
        return;
    std::unique_lock lock(pState->mutex);
    if (pState->nSuspendCount == 0)
        return;
    pState->bHeld = true;
    pState->changed.notify_all();
    pState->changed.wait(lock, [pState] { return pState->nSuspendCount == 0; });
    pState->bHeld = false;
}

void CThread::EnterDevice()
{
    SetInDevice(true);
}

void CThread::LeaveDevice()
{
    SetInDevice(false);
}

std::uint64_t CThread::CreatedCount()
{
    return g_nCreated.load();
}

std::uint64_t CThread::CurrentNumber()
{
    return t_nCurrentNumber;
}
