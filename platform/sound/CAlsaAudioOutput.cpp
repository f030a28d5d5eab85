#include "CAlsaAudioOutput.h"

#include "CThread.h"
#include "CWaveImage.h"

#include <alsa/asoundlib.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>

namespace
{
// About 50 ms at 22 kHz: how late a cut-off or a suspension can come.
constexpr snd_pcm_uframes_t nSliceFrames = 1024;
constexpr unsigned nLatencyMicroseconds = 200'000;
// How long a newer clip waits for the older one to let the device go. An older worker
// that is suspended does not give it up until resumed; the newer one then goes ahead.
constexpr std::chrono::milliseconds releaseWait{250};
constexpr std::chrono::milliseconds waitSlice{5};
constexpr int nMaxWriteErrors = 3;
// How long a full device is waited for at a time: how late a cut-off or a suspension can
// reach a worker whose device has stalled.
constexpr int nDeviceWaitMilliseconds = 20;

void QuietAlsaError(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsa()
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { snd_lib_error_set_handler(QuietAlsaError); });
}

// Keeps SIGPIPE from ending the program while this thread plays: a device whose reader has
// gone away (ALSA's file plugin writing into a pipe, for one) then fails its writes instead,
// silently like every other sound failure.
class CBrokenPipeGuard
{
public:
    CBrokenPipeGuard()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    CBrokenPipeGuard(const CBrokenPipeGuard&) = delete;
    CBrokenPipeGuard& operator=(const CBrokenPipeGuard&) = delete;
    ~CBrokenPipeGuard()
    {
        // A signal raised meanwhile is taken here, before the mask could let it through.
        if (!sigismember(&m_previous, SIGPIPE))
        {
            const timespec noWait{};
            while (sigtimedwait(&m_pipe, nullptr, &noWait) == SIGPIPE)
            {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }

private:
    sigset_t m_pipe{};
    sigset_t m_previous{};
};

// Closes the device on every way out of a play.
class CPcmHandle
{
public:
    CPcmHandle() = default;
    CPcmHandle(const CPcmHandle&) = delete;
    CPcmHandle& operator=(const CPcmHandle&) = delete;
    ~CPcmHandle()
    {
        if (m_pPcm != nullptr)
            snd_pcm_close(m_pPcm);
    }

    // Non-blocking, so that a device that stalls holds no write up for longer than a wait.
    bool Open()
    {
        return snd_pcm_open(&m_pPcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0;
    }
    snd_pcm_t* Get() const { return m_pPcm; }

private:
    snd_pcm_t* m_pPcm = nullptr;
};

std::optional<CAlsaAudioOutput::Format> CurrentFormat(snd_pcm_t* pPcm)
{
    snd_pcm_hw_params_t* pParams = nullptr;
    snd_pcm_hw_params_alloca(&pParams);
    snd_pcm_format_t format{};
    snd_pcm_access_t access{};
    unsigned nChannels = 0;
    unsigned nRate = 0;
    int nDir = 0;
    if (snd_pcm_hw_params_current(pPcm, pParams) < 0 ||
        snd_pcm_hw_params_get_format(pParams, &format) < 0 ||
        snd_pcm_hw_params_get_access(pParams, &access) < 0 ||
        snd_pcm_hw_params_get_channels(pParams, &nChannels) < 0 ||
        snd_pcm_hw_params_get_rate(pParams, &nRate, &nDir) < 0)
        return std::nullopt;
    const char* pszName = snd_pcm_format_name(format);
    return CAlsaAudioOutput::Format{pszName != nullptr ? pszName : "",
                                    access == SND_PCM_ACCESS_RW_INTERLEAVED, nChannels, nRate};
}
} // namespace

CAlsaAudioOutput::~CAlsaAudioOutput()
{
    StopAll();
}

void CAlsaAudioOutput::PlayWave(const void* pImage, std::size_t nSize)
{
    const CWaveImage wave(pImage, nSize);
    if (!wave.IsValid() || wave.FrameCount() == 0)
        return;
    const std::uint64_t nGeneration = BeginClip();
    if (nGeneration == 0)
        return;
    Play(wave, nGeneration);
    EndClip();
}

void CAlsaAudioOutput::StopAll()
{
    std::lock_guard lock(m_mutex);
    ++m_nGeneration;
    m_nStoppedWorkers = CThread::CreatedCount();
    m_changed.notify_all();
}

std::optional<CAlsaAudioOutput::Format> CAlsaAudioOutput::LastFormat() const
{
    std::lock_guard lock(m_mutex);
    return m_lastFormat;
}

std::uint64_t CAlsaAudioOutput::BeginClip()
{
    std::unique_lock lock(m_mutex);
    if (WasStopped())
        return 0;
    const std::uint64_t nGeneration = ++m_nGeneration;
    m_changed.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + releaseWait;
    while (m_nOpen > 0 && std::chrono::steady_clock::now() < deadline)
    {
        m_changed.wait_for(lock, waitSlice);
        lock.unlock();
        CThread::SafePoint();
        lock.lock();
        if (m_nGeneration != nGeneration)
            return 0;
    }
    ++m_nOpen;
    // Under the lock that StopAll takes: once stopped, no worker goes to the device again.
    CThread::EnterDevice();
    return nGeneration;
}

void CAlsaAudioOutput::EndClip()
{
    std::lock_guard lock(m_mutex);
    CThread::LeaveDevice();
    --m_nOpen;
    m_changed.notify_all();
}

bool CAlsaAudioOutput::IsNewest(std::uint64_t nGeneration) const
{
    std::lock_guard lock(m_mutex);
    return m_nGeneration == nGeneration;
}

bool CAlsaAudioOutput::WasStopped() const
{
    const std::uint64_t nWorker = CThread::CurrentNumber();
    return nWorker != 0 && nWorker <= m_nStoppedWorkers;
}

bool CAlsaAudioOutput::WaitWhileNewest(std::uint64_t nGeneration, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_nGeneration != nGeneration; });
}

void CAlsaAudioOutput::Play(const CWaveImage& wave, std::uint64_t nGeneration)
{
    SilenceAlsa();
    const CBrokenPipeGuard brokenPipeGuard;
    CPcmHandle pcm;
    if (!pcm.Open() ||
        snd_pcm_set_params(pcm.Get(), SND_PCM_FORMAT_U8, SND_PCM_ACCESS_RW_INTERLEAVED,
                           wave.Channels(), wave.SampleRate(), 1, nLatencyMicroseconds) < 0)
        return;
    if (auto format = CurrentFormat(pcm.Get()))
    {
        std::lock_guard lock(m_mutex);
        m_lastFormat = std::move(format);
    }

    const std::uint8_t* pNext = wave.Data();
    snd_pcm_uframes_t nLeft = wave.FrameCount();
    bool bCutOff = !IsNewest(nGeneration);
    int nErrors = 0;
    while (nLeft > 0 && !bCutOff && nErrors < nMaxWriteErrors)
    {
        const snd_pcm_sframes_t nWritten =
            snd_pcm_writei(pcm.Get(), pNext, std::min(nLeft, nSliceFrames));
        if (nWritten > 0)
        {
            pNext += static_cast<std::size_t>(nWritten) * wave.Channels();
            nLeft -= static_cast<snd_pcm_uframes_t>(nWritten);
            nErrors = 0;
        }
        // The device is full: wait for room a while, then look for a cut-off again.
        else if (nWritten == 0 || nWritten == -EAGAIN)
            snd_pcm_wait(pcm.Get(), nDeviceWaitMilliseconds);
        // An underrun, after a long suspension for instance, is recovered from.
        else if (snd_pcm_recover(pcm.Get(), static_cast<int>(nWritten), 1) < 0)
            nErrors = nMaxWriteErrors;
        else
            ++nErrors;
        CThread::SafePoint();
        bCutOff = !IsNewest(nGeneration);
    }

    // A short clip may not have filled enough of the buffer for the device to start.
    if (!bCutOff && snd_pcm_state(pcm.Get()) == SND_PCM_STATE_PREPARED)
        snd_pcm_start(pcm.Get());
    // The device still holds the clip's end: wait for it where a cut-off can reach us.
    snd_pcm_sframes_t nDelay = 0;
    while (!bCutOff && snd_pcm_state(pcm.Get()) == SND_PCM_STATE_RUNNING &&
           snd_pcm_delay(pcm.Get(), &nDelay) == 0 && nDelay > 0)
    {
        const auto remaining = std::chrono::milliseconds(nDelay * 1000 / wave.SampleRate() + 1);
        bCutOff = WaitWhileNewest(nGeneration, std::min(remaining, std::chrono::milliseconds(20)));
        CThread::SafePoint();
        bCutOff = bCutOff || !IsNewest(nGeneration);
    }
    if (bCutOff)
        snd_pcm_drop(pcm.Get());
    else
        snd_pcm_drain(pcm.Get());
}
