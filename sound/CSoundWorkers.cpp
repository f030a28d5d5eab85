#include "CSoundWorkers.h"

#include "CAudioOutput.h"
#include "SoundThreadProc.h"

#include <chrono>

namespace
{
// How long the end waits for the workers once their clips are cut off. One still with its
// device after that (a stalled sound server) is left to end with the process.
constexpr std::chrono::milliseconds WORKER_END_WAIT{250};
} // namespace

CSoundWorkers::~CSoundWorkers()
{
    EndAll();
}

HTHREAD CSoundWorkers::Start(unsigned nClipId)
{
    // Ended workers are joined at once.
    std::erase_if(m_workers, [](const HTHREAD& hWorker) { return hWorker->HasEnded(); });
    HTHREAD hWorker = CThread::Create(SoundThreadProc, nClipId);
    if (hWorker)
        m_workers.push_back(hWorker);
    return hWorker;
}

void CSoundWorkers::EndAll()
{
    // Also stops the workers that have not begun their clip yet.
    CAudioOutput::Current().StopAll();
    const auto deadline = std::chrono::steady_clock::now() + WORKER_END_WAIT;
    for (const HTHREAD& hWorker : m_workers)
        hWorker->JoinOrLeave(deadline);
    m_workers.clear();
}
