#include "CRecordingAudioOutput.h"

#include "CResource.h"
#include "CThread.h"

namespace
{
constexpr unsigned aClipIds[] = {135, 137, 140, 141};
// How long a held clip waits between two of its worker's safe points.
constexpr std::chrono::milliseconds holdSlice{2};

unsigned ClipIdOf(const void* pImage)
{
    for (unsigned nId : aClipIds)
        if (pImage != nullptr && CResource::Find(nId, "WAV").Data() == pImage)
            return nId;
    return 0;
}
} // namespace

CRecordingAudioOutput::CRecordingAudioOutput() : m_pPrevious(CAudioOutput::Install(this)) {}

CRecordingAudioOutput::~CRecordingAudioOutput()
{
    CAudioOutput::Install(m_pPrevious);
    // Held and stalled calls end; a call still inside must be gone before the members are.
    std::unique_lock lock(m_mutex);
    m_bHold = false;
    m_bStall = false;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_nPlaying == 0; });
}

void CRecordingAudioOutput::PlayWave(const void* pImage, std::size_t nSize)
{
    const unsigned nClipId = ClipIdOf(pImage);
    const std::uint64_t nWorker = CThread::CurrentNumber();
    std::unique_lock lock(m_mutex);
    const std::size_t nSerial = ++m_nSerials;
    if (nWorker != 0 && nWorker <= m_nStoppedWorkers)
    {
        m_plays.push_back({pImage, nSize, nClipId, true, true, nSerial});
        m_changed.notify_all();
        return;
    }
    CutOffPlaying();
    const bool bStalled = m_bStall;
    if (bStalled)
        CThread::EnterDevice();
    m_plays.push_back({pImage, nSize, nClipId, false, false, nSerial});
    ++m_nPlaying;
    m_changed.notify_all();
    if (bStalled)
    {
        m_changed.wait(lock, [this] { return !m_bStall; });
        CThread::LeaveDevice();
    }
    while (m_bHold && !PlayOf(nSerial).bCutOff)
    {
        m_changed.wait_for(lock, holdSlice);
        // Never suspended while holding the lock the test thread reads with.
        lock.unlock();
        CThread::SafePoint();
        lock.lock();
    }
    PlayOf(nSerial).bEnded = true;
    --m_nPlaying;
    m_changed.notify_all();
}

void CRecordingAudioOutput::StopAll()
{
    std::lock_guard lock(m_mutex);
    ++m_nStopAll;
    m_nStoppedWorkers = CThread::CreatedCount();
    CutOffPlaying();
    m_changed.notify_all();
}

void CRecordingAudioOutput::SetStallPlayback(bool bStall)
{
    std::lock_guard lock(m_mutex);
    m_bStall = bStall;
    m_changed.notify_all();
}

void CRecordingAudioOutput::SetHoldPlayback(bool bHold)
{
    std::lock_guard lock(m_mutex);
    m_bHold = bHold;
    m_changed.notify_all();
}

std::vector<unsigned> CRecordingAudioOutput::PlayedClips() const
{
    std::lock_guard lock(m_mutex);
    std::vector<unsigned> clips;
    for (const Play& play : m_plays)
        clips.push_back(play.nClipId);
    return clips;
}

std::vector<bool> CRecordingAudioOutput::CutOff() const
{
    std::lock_guard lock(m_mutex);
    std::vector<bool> cutOff;
    for (const Play& play : m_plays)
        cutOff.push_back(play.bCutOff);
    return cutOff;
}

std::vector<CRecordingAudioOutput::Play> CRecordingAudioOutput::Plays() const
{
    std::lock_guard lock(m_mutex);
    return m_plays;
}

std::size_t CRecordingAudioOutput::PlayingCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nPlaying;
}

int CRecordingAudioOutput::StopAllCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nStopAll;
}

bool CRecordingAudioOutput::WaitForClips(std::size_t n, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_plays.size() >= n; });
}

bool CRecordingAudioOutput::WaitForEnded(std::size_t n, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return EndedCount() >= n; });
}

void CRecordingAudioOutput::ClearRecords()
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_plays, [](const Play& play) { return play.bEnded; });
    m_nStopAll = 0;
}

void CRecordingAudioOutput::CutOffPlaying()
{
    for (Play& play : m_plays)
        if (!play.bEnded)
            play.bCutOff = true;
}

std::size_t CRecordingAudioOutput::EndedCount() const
{
    std::size_t nEnded = 0;
    for (const Play& play : m_plays)
        if (play.bEnded)
            ++nEnded;
    return nEnded;
}

CRecordingAudioOutput::Play& CRecordingAudioOutput::PlayOf(std::size_t nSerial)
{
    // Only ended calls are ever forgotten, so a call still inside finds its record.
    for (Play& play : m_plays)
        if (play.nSerial == nSerial)
            return play;
    return m_plays.back();
}
