#include "CRecordingAudioOutput.h"
#include "CResource.h"
#include "CThread.h"
#include "SoundThreadProc.h"

#include <gtest/gtest.h>

namespace
{
struct Clip
{
    unsigned nId;
    std::size_t nSize;
};

constexpr Clip aClips[] = {{135, 26540}, {137, 1870378}, {140, 37712}, {141, 18934}};
} // namespace

TEST(SoundThreadProcTest, PlaysTheWholeResourceOfEachClipInPlace)
{
    for (const Clip& clip : aClips)
    {
        SCOPED_TRACE(clip.nId);
        CRecordingAudioOutput recorder;
        HTHREAD hThread = CThread::Create(SoundThreadProc, clip.nId);
        ASSERT_NE(hThread, nullptr);
        hThread->Join();

        const auto plays = recorder.Plays();
        ASSERT_EQ(plays.size(), 1u);
        EXPECT_EQ(plays[0].nClipId, clip.nId);
        EXPECT_EQ(plays[0].pImage, CResource::Find(clip.nId, "WAV").Data());
        EXPECT_EQ(plays[0].nSize, clip.nSize);
    }
}

TEST(SoundThreadProcTest, ReturnsZeroAfterItsClip)
{
    CRecordingAudioOutput recorder;
    EXPECT_EQ(SoundThreadProc(141), 0u);
    EXPECT_EQ(recorder.PlayedClips(), std::vector<unsigned>{141});
}

TEST(SoundThreadProcTest, UnknownClipPlaysNothingAndReturnsZero)
{
    CRecordingAudioOutput recorder;
    for (unsigned nId : {0u, 128u, 138u, 136u, 999u})
        EXPECT_EQ(SoundThreadProc(nId), 0u) << nId;
    EXPECT_TRUE(recorder.PlayedClips().empty());
}

TEST(SoundThreadProcTest, ANewerWorkersClipCutsOffTheOlderOne)
{
    CRecordingAudioOutput recorder;
    recorder.SetHoldPlayback(true);
    HTHREAD hStartUp = CThread::Create(SoundThreadProc, 137);
    ASSERT_TRUE(recorder.WaitForClips(1, std::chrono::seconds(10)));
    HTHREAD hToggle = CThread::Create(SoundThreadProc, 141);
    hStartUp->Join();
    recorder.StopAll();
    hToggle->Join();
    EXPECT_EQ(recorder.PlayedClips(), (std::vector<unsigned>{137, 141}));
    EXPECT_EQ(recorder.CutOff(), (std::vector<bool>{true, true}));
}
