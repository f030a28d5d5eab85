#include "CAlsaAudioOutput.h"
#include "CGate.h"
#include "CResource.h"
#include "CThread.h"
#include "SoundThreadProc.h"
#include "StalledAlsaDevice.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// These tests run with ALSA_CONFIG_PATH naming tests/alsa/capture.conf: the default device
// writes what it is given into the file named by ALSA_CAPTURE_FILE, read at each opening;
// a named pipe or a command ("|command") there stands for a device that blocks or that goes
// away. The NoDevice tests run with a configuration that has no default device, the
// StalledServer tests with one whose default device stalls as a hung sound server does.

using namespace std::chrono_literals;

namespace
{
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

constexpr std::chrono::seconds patience{10};

struct ClipFormat
{
    unsigned nId;
    unsigned nChannels;
    unsigned nSampleRate;
    std::size_t nDataSize;
};

constexpr ClipFormat aClips[] = {
    {137, 2, 44100, 1870260},
    {140, 1, 11025, 37668},
    {135, 1, 22000, 26452},
    {141, 1, 19886, 18890},
};

// The samples as the clip table places them: right after the 44-byte header.
Bytes ClipSamples(unsigned nId, std::size_t nDataSize)
{
    const CResource clip = CResource::Find(nId, "WAV");
    const auto* pBytes = static_cast<const std::uint8_t*>(clip.Data());
    return Bytes(pBytes + 44, pBytes + 44 + nDataSize);
}

Bytes ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Prints the first differing offset instead of two megabytes.
testing::AssertionResult SameBytes(const Bytes& actual, const Bytes& expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure()
               << actual.size() << " bytes captured, " << expected.size() << " expected";
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i])
            return testing::AssertionFailure() << "bytes differ at offset " << i;
    return testing::AssertionSuccess();
}

// A device that blocks inside alsa-lib whatever the mode: the file plugin writing into a
// named pipe whose reader holds it open and reads nothing. Once the pipe is full, the
// writing worker waits inside write() until the reader goes away.
// Whether a thread of this process is asleep in write(2): the kernel shows a sleeping
// thread's system call and a running one's as "running".
bool AThreadWaitsInWrite()
{
    const std::string write = std::to_string(SYS_write) + ' ';
    for (const auto& task : fs::directory_iterator("/proc/self/task"))
    {
        std::ifstream syscall(task.path() / "syscall");
        std::string line;
        if (std::getline(syscall, line) && line.compare(0, write.size(), write) == 0)
            return true;
    }
    return false;
}

class CBlockedPipe
{
public:
    explicit CBlockedPipe(const fs::path& path) : m_path(path)
    {
        mkfifo(path.c_str(), 0600);
        // Opened first, so that the device's own opening finds a reader.
        m_nReader = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    }
    CBlockedPipe(const CBlockedPipe&) = delete;
    CBlockedPipe& operator=(const CBlockedPipe&) = delete;
    ~CBlockedPipe() { GoAway(); }

    const fs::path& Path() const { return m_path; }
    bool IsOpen() const { return m_nReader >= 0; }
    // Waits until a worker has written into the pipe and is blocked writing more (the clip is
    // many times the pipe's size); false on timeout. Its first bytes alone would not do: a
    // cut-off then could find the worker between two writes rather than blocked in one.
    bool WaitForWriter(std::chrono::milliseconds timeout) const
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        int nQueued = 0;
        while (ioctl(m_nReader, FIONREAD, &nQueued) != 0 || nQueued == 0 || !AThreadWaitsInWrite())
        {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            poll(nullptr, 0, 2);
        }
        return true;
    }
    // The reader goes away: a writer still blocked gets a broken pipe.
    void GoAway()
    {
        if (m_nReader >= 0)
            close(m_nReader);
        m_nReader = -1;
    }

private:
    fs::path m_path;
    int m_nReader = -1;
};

std::unique_ptr<CGate> g_pGate;

unsigned SoundThreadProcAfterGate(unsigned nClipId)
{
    g_pGate->Wait();
    return SoundThreadProc(nClipId);
}

class AlsaAudioOutputTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::path(testing::TempDir()) /
                ("pivolo-alsa-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_pPrevious = CAudioOutput::Install(&m_output);
        g_pGate = std::make_unique<CGate>();
    }

    void TearDown() override
    {
        CAudioOutput::Install(m_pPrevious);
        g_pGate.reset();
        fs::remove_all(m_dir);
    }

    // Where the next opening of the device writes; no worker may be opening it now.
    fs::path CaptureTo(const std::string& name)
    {
        const fs::path path = m_dir / name;
        setenv("ALSA_CAPTURE_FILE", path.c_str(), 1);
        return path;
    }

    // Plays the start-up clip into a device that blocks.
    HTHREAD StartUpClipInto(const CBlockedPipe& device)
    {
        EXPECT_TRUE(device.IsOpen());
        CaptureTo(device.Path().filename());
        return CThread::Create(SoundThreadProc, 137);
    }

    fs::path m_dir;
    CAlsaAudioOutput m_output;
    CAudioOutput* m_pPrevious = nullptr;
};

// Waits for the worker to end; a worker that does not is left, so that a failing test
// does not hang on it.
bool EndsWithin(const HTHREAD& hThread, std::chrono::milliseconds timeout)
{
    if (hThread->WaitUntilEnded(timeout))
        return true;
    hThread->JoinOrLeave(std::chrono::steady_clock::now());
    return false;
}

// Runs the call with standard error going to a file, and returns what was written there.
template <typename Call> std::string StandardErrorOf(const fs::path& path, Call call)
{
    std::fflush(stderr);
    const int nSaved = dup(STDERR_FILENO);
    const int nFile = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(nFile, STDERR_FILENO);
    close(nFile);
    call();
    std::fflush(stderr);
    dup2(nSaved, STDERR_FILENO);
    close(nSaved);
    const Bytes text = ReadFile(path);
    return std::string(text.begin(), text.end());
}
} // namespace

TEST_F(AlsaAudioOutputTest, EachClipReachesTheDeviceWholeInItsOwnFormat)
{
    for (const ClipFormat& clip : aClips)
    {
        SCOPED_TRACE(clip.nId);
        const fs::path capture = CaptureTo(std::to_string(clip.nId) + ".raw");
        HTHREAD hThread = CThread::Create(SoundThreadProc, clip.nId);
        ASSERT_NE(hThread, nullptr);
        hThread->Join();

        // The 44 bytes after clip 135's RIFF chunk and clip 137's LIST chunk stay out.
        EXPECT_TRUE(SameBytes(ReadFile(capture), ClipSamples(clip.nId, clip.nDataSize)));
        const auto format = m_output.LastFormat();
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(format->sSampleFormat, "U8");
        EXPECT_TRUE(format->bInterleaved);
        EXPECT_EQ(format->nChannels, clip.nChannels);
        EXPECT_EQ(format->nSampleRate, clip.nSampleRate);
    }
}

TEST_F(AlsaAudioOutputTest, ANewerClipCutsOffThePlayingOne)
{
    const Bytes startUp = ClipSamples(137, 1870260);
    const fs::path first = CaptureTo("137.raw");
    HTHREAD hStartUp = CThread::Create(SoundThreadProcAfterGate, 137);
    ASSERT_NE(hStartUp, nullptr);
    // Suspended before it starts, the worker stops at its first safe point after it has
    // given the device its first samples: the clip is then playing, and stays so.
    hStartUp->Suspend();
    g_pGate->Open();
    ASSERT_TRUE(hStartUp->WaitUntilHeld(patience));

    const fs::path second = CaptureTo("141.raw");
    HTHREAD hToggle = CThread::Create(SoundThreadProc, 141);
    hToggle->Join();
    hStartUp->Resume();
    hStartUp->Join();

    EXPECT_TRUE(SameBytes(ReadFile(second), ClipSamples(141, 18890)));
    const Bytes played = ReadFile(first);
    EXPECT_GT(played.size(), 0u);
    EXPECT_LT(played.size(), startUp.size());
    EXPECT_TRUE(SameBytes(played, Bytes(startUp.begin(), startUp.begin() + played.size())));
}

TEST_F(AlsaAudioOutputTest, StopAllCutsOffThePlayingClip)
{
    const fs::path capture = CaptureTo("137.raw");
    HTHREAD hStartUp = CThread::Create(SoundThreadProcAfterGate, 137);
    ASSERT_NE(hStartUp, nullptr);
    hStartUp->Suspend();
    g_pGate->Open();
    ASSERT_TRUE(hStartUp->WaitUntilHeld(patience));
    m_output.StopAll();
    hStartUp->Resume();
    hStartUp->Join();

    const Bytes played = ReadFile(capture);
    EXPECT_GT(played.size(), 0u);
    EXPECT_LT(played.size(), 1870260u);

    // The output is not left stopped: the next clip plays whole.
    const fs::path next = CaptureTo("141.raw");
    SoundThreadProc(141);
    EXPECT_TRUE(SameBytes(ReadFile(next), ClipSamples(141, 18890)));
}

TEST_F(AlsaAudioOutputTest, StopAllAlsoStopsAWorkerThatHadNotBegunItsClip)
{
    const fs::path capture = CaptureTo("137.raw");
    HTHREAD hLate = CThread::Create(SoundThreadProcAfterGate, 137);
    ASSERT_NE(hLate, nullptr);
    m_output.StopAll();
    g_pGate->Open();
    hLate->Join();
    EXPECT_FALSE(fs::exists(capture));

    const fs::path next = CaptureTo("140.raw");
    HTHREAD hNext = CThread::Create(SoundThreadProc, 140);
    hNext->Join();
    EXPECT_TRUE(SameBytes(ReadFile(next), ClipSamples(140, 37668)));
}

TEST_F(AlsaAudioOutputTest, ImagesThatAreNotPlayableNeverOpenTheDevice)
{
    const CResource clip = CResource::Find(135, "WAV");
    const fs::path capture = CaptureTo("bad.raw");
    const std::uint8_t aGarbage[64] = {'R', 'I', 'F', 'F', 0xff, 0xff, 0xff, 0x7f};
    const std::string errors = StandardErrorOf(m_dir / "stderr.txt",
                                               [&]
                                               {
                                                   m_output.PlayWave(aGarbage, sizeof aGarbage);
                                                   m_output.PlayWave(clip.Data(), 100);
                                                   m_output.PlayWave(nullptr, 0);
                                               });
    EXPECT_FALSE(fs::exists(capture));
    EXPECT_FALSE(m_output.LastFormat().has_value());
    EXPECT_EQ(errors, "");
}

TEST_F(AlsaAudioOutputTest, NoDevice_PlaysNothingAndSaysNothing)
{
    const fs::path capture = CaptureTo("135.raw");
    const std::string errors = StandardErrorOf(m_dir / "stderr.txt",
                                               []
                                               {
                                                   HTHREAD hThread =
                                                       CThread::Create(SoundThreadProc, 135);
                                                   hThread->Join();
                                                   SoundThreadProc(137);
                                               });
    EXPECT_FALSE(fs::exists(capture));
    EXPECT_FALSE(m_output.LastFormat().has_value());
    EXPECT_EQ(errors, "");
}

TEST_F(AlsaAudioOutputTest, AWorkerBlockedInItsDeviceIsLeftAndEndsOnceTheDeviceLetsGo)
{
    CBlockedPipe device(m_dir / "device");
    HTHREAD hStartUp = StartUpClipInto(device);
    ASSERT_TRUE(device.WaitForWriter(patience));

    // Cut off, but blocked inside its write: the program's end would not wait for it.
    m_output.StopAll();
    const int nLeftBefore = CThread::LeftRunningCount();
    EXPECT_FALSE(hStartUp->JoinOrLeave(std::chrono::steady_clock::now() + 250ms));
    EXPECT_EQ(CThread::LeftRunningCount(), nLeftBefore + 1);
    EXPECT_FALSE(hStartUp->HasEnded());

    // The reader goes away: the write fails, no SIGPIPE ends the tests, the worker ends.
    device.GoAway();
    EXPECT_TRUE(EndsWithin(hStartUp, patience));
    EXPECT_EQ(CThread::LeftRunningCount(), nLeftBefore);
}

TEST_F(AlsaAudioOutputTest, ANewerClipDoesNotWaitForAClipBlockedInItsDevice)
{
    CBlockedPipe device(m_dir / "device");
    HTHREAD hStartUp = StartUpClipInto(device);
    ASSERT_TRUE(device.WaitForWriter(patience));
    // The user-interface thread's part: neither a suspension nor a resumption waits.
    EXPECT_EQ(hStartUp->Suspend(), 0);
    EXPECT_EQ(hStartUp->Resume(), 1);
    hStartUp->Suspend();

    const fs::path capture = CaptureTo("141.raw");
    HTHREAD hToggle = CThread::Create(SoundThreadProc, 141);
    EXPECT_TRUE(EndsWithin(hToggle, patience));
    EXPECT_TRUE(SameBytes(ReadFile(capture), ClipSamples(141, 18890)));

    // Once its device lets go, the suspended worker stops at its next safe point; resumed,
    // it finds itself cut off and ends.
    device.GoAway();
    EXPECT_TRUE(hStartUp->WaitUntilHeld(patience));
    hStartUp->Resume();
    EXPECT_TRUE(EndsWithin(hStartUp, patience));
}

TEST_F(AlsaAudioOutputTest, ADeviceWhoseReaderGoesAwayFailsItsClipSilently)
{
    // The device's reader takes the clip's first bytes and exits.
    CaptureTo("|head -c 100000 >/dev/null");
    HTHREAD hStartUp = CThread::Create(SoundThreadProc, 137);
    ASSERT_NE(hStartUp, nullptr);
    EXPECT_TRUE(EndsWithin(hStartUp, patience));

    // The program goes on, and the next clip tries the device again.
    const fs::path next = CaptureTo("140.raw");
    HTHREAD hNext = CThread::Create(SoundThreadProc, 140);
    hNext->Join();
    EXPECT_TRUE(SameBytes(ReadFile(next), ClipSamples(140, 37668)));
}

TEST_F(AlsaAudioOutputTest, StalledServer_StopAllCutsOffTheClipWithoutWaitingForTheDevice)
{
    const int nStalls = StalledAlsaDevice::StallCount();
    HTHREAD hStartUp = CThread::Create(SoundThreadProc, 137);
    ASSERT_TRUE(StalledAlsaDevice::WaitForStalls(nStalls + 1, patience));
    m_output.StopAll();
    EXPECT_TRUE(EndsWithin(hStartUp, patience));
    EXPECT_EQ(StalledAlsaDevice::OpenCount(), 0) << "the device is let go";
}

TEST_F(AlsaAudioOutputTest, StalledServer_ANewerClipCutsOffTheStalledOne)
{
    const int nStalls = StalledAlsaDevice::StallCount();
    HTHREAD hStartUp = CThread::Create(SoundThreadProc, 137);
    ASSERT_TRUE(StalledAlsaDevice::WaitForStalls(nStalls + 1, patience));
    HTHREAD hToggle = CThread::Create(SoundThreadProc, 141);
    EXPECT_TRUE(EndsWithin(hStartUp, patience));
    // The newer clip has the device, which stalls in its turn.
    EXPECT_TRUE(StalledAlsaDevice::WaitForStalls(nStalls + 2, patience));
    EXPECT_FALSE(hToggle->HasEnded());
    m_output.StopAll();
    EXPECT_TRUE(EndsWithin(hToggle, patience));
}

TEST_F(AlsaAudioOutputTest, StalledServer_SuspensionHoldsTheWorkerAtASafePoint)
{
    const int nStalls = StalledAlsaDevice::StallCount();
    HTHREAD hStartUp = CThread::Create(SoundThreadProc, 137);
    ASSERT_TRUE(StalledAlsaDevice::WaitForStalls(nStalls + 1, patience));
    hStartUp->Suspend();
    EXPECT_TRUE(hStartUp->WaitUntilHeld(patience));
    // Cut off while held, it goes on only once resumed.
    m_output.StopAll();
    EXPECT_TRUE(hStartUp->IsHeld());
    EXPECT_FALSE(hStartUp->HasEnded());
    hStartUp->Resume();
    EXPECT_TRUE(EndsWithin(hStartUp, patience));
}
