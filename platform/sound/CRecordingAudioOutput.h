#pragma once

#include "CAudioOutput.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// The tests' audio output: records every clip handed to it instead of playing it.
// Installed for its lifetime; the previous output comes back when it goes. Workers call
// it while the test thread reads it, so every member is thread-safe. The test must join
// its workers before the recorder goes.
class CRecordingAudioOutput : public CAudioOutput
{
public:
    struct Play
    {
        const void* pImage = nullptr;
        std::size_t nSize = 0;
        unsigned nClipId = 0;    // 0 for an image that is none of the program's clips
        bool bCutOff = false;    // stopped by a newer clip or by StopAll
        bool bEnded = false;     // the PlayWave call has returned
        std::size_t nSerial = 0; // counts every call since the recorder was made, from 1
    };

    CRecordingAudioOutput();
    CRecordingAudioOutput(const CRecordingAudioOutput&) = delete;
    CRecordingAudioOutput& operator=(const CRecordingAudioOutput&) = delete;
    ~CRecordingAudioOutput() override;

    // Records the clip. A clip still held plays no more: it is cut off. In hold mode the
    // call then waits like a clip that never ends, passing its safe points, until a newer
    // clip or StopAll cuts it off or hold mode is left (it then ends normally).
    void PlayWave(const void* pImage, std::size_t nSize) override;
    // Cuts off the clips still held, and those of the workers already created that have
    // not begun theirs: these are recorded as cut off and return at once.
    void StopAll() override;

    void SetHoldPlayback(bool bHold);
    // In stall mode a call stands for a device that stalls inside its write: its worker is
    // marked as with its device, passes no safe point and heeds no cut-off until stall
    // mode is left. It is recorded once so marked.
    void SetStallPlayback(bool bStall);

    // The clip ids of all calls so far, in the order they started.
    std::vector<unsigned> PlayedClips() const;
    // For each call in the same order: whether it was cut off.
    std::vector<bool> CutOff() const;
    std::vector<Play> Plays() const;
    // Calls that have started and not yet returned.
    std::size_t PlayingCount() const;
    int StopAllCount() const;

    // Wait until at least n calls have started, or returned; false on timeout.
    bool WaitForClips(std::size_t n, std::chrono::milliseconds timeout) const;
    bool WaitForEnded(std::size_t n, std::chrono::milliseconds timeout) const;

    // Forgets the calls that have returned and the StopAll count; held calls stay.
    void ClearRecords();

private:
    void CutOffPlaying();
    std::size_t EndedCount() const;
    Play& PlayOf(std::size_t nSerial);

    CAudioOutput* m_pPrevious = nullptr;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Play> m_plays;
    bool m_bHold = false;
    bool m_bStall = false;
    int m_nStopAll = 0;
    std::size_t m_nPlaying = 0;
    std::size_t m_nSerials = 0;
    std::uint64_t m_nStoppedWorkers = 0;
};
