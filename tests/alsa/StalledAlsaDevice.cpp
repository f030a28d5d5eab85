#include "StalledAlsaDevice.h"

#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <poll.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>

namespace
{
std::mutex g_mutex;
std::condition_variable g_changed;
int g_nStalls = 0;
int g_nOpen = 0;

// One opening of the device. Its poll descriptor is the reading end of a pipe that nobody
// writes to.
struct Device
{
    snd_pcm_ioplug_t io{};
    int anPipe[2] = {-1, -1};
};

void Count(int& nCounter, int nStep)
{
    {
        std::lock_guard lock(g_mutex);
        nCounter += nStep;
    }
    g_changed.notify_all();
}

// The buffer is full when the device starts; from then on nothing moves.
int Start(snd_pcm_ioplug_t*)
{
    Count(g_nStalls, 1);
    return 0;
}

int Stop(snd_pcm_ioplug_t*)
{
    return 0;
}

snd_pcm_sframes_t Pointer(snd_pcm_ioplug_t*)
{
    return 0;
}

snd_pcm_sframes_t Transfer(snd_pcm_ioplug_t*, const snd_pcm_channel_area_t*, snd_pcm_uframes_t,
                           snd_pcm_uframes_t nFrames)
{
    return static_cast<snd_pcm_sframes_t>(nFrames);
}

int Close(snd_pcm_ioplug_t* pIo)
{
    auto* pDevice = static_cast<Device*>(pIo->private_data);
    close(pDevice->anPipe[0]);
    close(pDevice->anPipe[1]);
    delete pDevice;
    Count(g_nOpen, -1);
    return 0;
}

snd_pcm_ioplug_callback_t MakeCallbacks()
{
    snd_pcm_ioplug_callback_t callbacks{};
    callbacks.start = Start;
    callbacks.stop = Stop;
    callbacks.pointer = Pointer;
    callbacks.transfer = Transfer;
    callbacks.close = Close;
    return callbacks;
}

const snd_pcm_ioplug_callback_t g_callbacks = MakeCallbacks();

// The formats of the program's clips: unsigned 8-bit, mono or stereo, 11 to 44 kHz.
int Constrain(snd_pcm_ioplug_t* pIo)
{
    static const unsigned aAccess[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
    static const unsigned aFormats[] = {SND_PCM_FORMAT_U8};
    int nError = snd_pcm_ioplug_set_param_list(pIo, SND_PCM_IOPLUG_HW_ACCESS, 1, aAccess);
    if (nError >= 0)
        nError = snd_pcm_ioplug_set_param_list(pIo, SND_PCM_IOPLUG_HW_FORMAT, 1, aFormats);
    if (nError >= 0)
        nError = snd_pcm_ioplug_set_param_minmax(pIo, SND_PCM_IOPLUG_HW_CHANNELS, 1, 2);
    if (nError >= 0)
        nError = snd_pcm_ioplug_set_param_minmax(pIo, SND_PCM_IOPLUG_HW_RATE, 8000, 48000);
    if (nError >= 0)
        nError = snd_pcm_ioplug_set_param_minmax(pIo, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 65536);
    if (nError >= 0)
        nError = snd_pcm_ioplug_set_param_minmax(pIo, SND_PCM_IOPLUG_HW_PERIODS, 2, 64);
    if (nError >= 0)
        nError = snd_pcm_ioplug_set_param_minmax(pIo, SND_PCM_IOPLUG_HW_BUFFER_BYTES, 128, 1 << 20);
    return nError;
}
} // namespace

extern "C"
{
    SND_PCM_PLUGIN_DEFINE_FUNC(pivolo_stalled)
    {
        (void)root;
        (void)conf;
        if (stream != SND_PCM_STREAM_PLAYBACK)
            return -EINVAL;
        auto* pDevice = new Device;
        if (pipe(pDevice->anPipe) != 0)
        {
            delete pDevice;
            return -errno;
        }
        snd_pcm_ioplug_t& io = pDevice->io;
        io.version = SND_PCM_IOPLUG_VERSION;
        io.name = "pivolo stalled device";
        io.callback = &g_callbacks;
        io.private_data = pDevice;
        io.poll_fd = pDevice->anPipe[0];
        io.poll_events = POLLIN;
        int nError = snd_pcm_ioplug_create(&io, name, stream, mode);
        if (nError < 0)
        {
            close(pDevice->anPipe[0]);
            close(pDevice->anPipe[1]);
            delete pDevice;
            return nError;
        }
        Count(g_nOpen, 1);
        nError = Constrain(&io);
        if (nError < 0)
        {
            // Deleting the plugin's PCM calls Close, which frees the device.
            snd_pcm_ioplug_delete(&io);
            return nError;
        }
        *pcmp = io.pcm;
        return 0;
    }
    SND_PCM_PLUGIN_SYMBOL(pivolo_stalled)
}

namespace StalledAlsaDevice
{
int StallCount()
{
    std::lock_guard lock(g_mutex);
    return g_nStalls;
}

bool WaitForStalls(int nCount, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(g_mutex);
    return g_changed.wait_for(lock, timeout, [nCount] { return g_nStalls >= nCount; });
}

int OpenCount()
{
    std::lock_guard lock(g_mutex);
    return g_nOpen;
}
} // namespace StalledAlsaDevice
