#pragma once

#include "CAudioOutput.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

class CWaveImage;

// Plays clips through ALSA's "default" device, one at a time: a newer clip or StopAll cuts
// the playing one off between two writes, and its call returns. The samples are written
// in short slices to a non-blocking device, which is waited for a short while at a time
// when it is full; between two slices or waits the worker passes a safe point, where it
// holds no lock and is inside no ALSA call. So a device that stalls holds neither a
// cut-off nor a suspension up, unless it blocks inside alsa-lib whatever the mode (a file
// plugin writing into a pipe nobody reads): the worker is then marked as with its device
// (CThread::EnterDevice) from the moment it gets the device until it lets it go, so that
// the program's end need not wait for it. StopAll also stops the workers that had been
// created and had not yet begun their clip. Every failure is silent: alsa-lib prints
// nothing, and a device whose reader has gone away raises no SIGPIPE.
class CAlsaAudioOutput : public CAudioOutput
{
public:
    // The format the device was given, as ALSA reports it back.
    struct Format
    {
        std::string sSampleFormat; // ALSA's name, "U8" for unsigned 8-bit
        bool bInterleaved = false;
        unsigned nChannels = 0;
        unsigned nSampleRate = 0;
    };

    CAlsaAudioOutput() = default;
    CAlsaAudioOutput(const CAlsaAudioOutput&) = delete;
    CAlsaAudioOutput& operator=(const CAlsaAudioOutput&) = delete;
    ~CAlsaAudioOutput() override;

    void PlayWave(const void* pImage, std::size_t nSize) override;
    void StopAll() override;

    // The format of the last clip that the device accepted; none before the first.
    std::optional<Format> LastFormat() const;

private:
    // Makes this clip the newest and waits, briefly, for the older one to let the device
    // go; 0 when an even newer clip came meanwhile.
    std::uint64_t BeginClip();
    void EndClip();
    bool IsNewest(std::uint64_t nGeneration) const;
    // A worker created before the last StopAll plays nothing, though it comes late.
    bool WasStopped() const;
    // Waits up to the given time, or until a newer clip or StopAll; true if cut off.
    bool WaitWhileNewest(std::uint64_t nGeneration, std::chrono::milliseconds timeout);
    void Play(const CWaveImage& wave, std::uint64_t nGeneration);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_nGeneration = 0;
    int m_nOpen = 0;
    std::uint64_t m_nStoppedWorkers = 0;
    std::optional<Format> m_lastFormat;
};
