#include "CRecordingAudioOutput.h"
#include "CResource.h"
#include "CThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include "CGate.h"

namespace
{
constexpr std::chrono::seconds patience{10};

unsigned PlayClip(unsigned nClipId)
{
    const CResource clip = CResource::Find(nClipId, "WAV");
    CAudioOutput::Current().PlayWave(clip.Data(), clip.Size());
    return 0;
}

CGate* g_pGate = nullptr;

unsigned PlayClipAfterGate(unsigned nClipId)
{
    g_pGate->Wait();
    return PlayClip(nClipId);
}
} // namespace

TEST(RecordingAudioOutputTest, IsCurrentForItsLifetimeOnly)
{
    CAudioOutput* pBefore = &CAudioOutput::Current();
    {
        CRecordingAudioOutput recorder;
        EXPECT_EQ(&CAudioOutput::Current(), &recorder);
        {
            CRecordingAudioOutput inner;
            EXPECT_EQ(&CAudioOutput::Current(), &inner);
        }
        EXPECT_EQ(&CAudioOutput::Current(), &recorder);
    }
    EXPECT_EQ(&CAudioOutput::Current(), pBefore);
}

TEST(RecordingAudioOutputTest, RecordsTheClipOfEachImageInOrder)
{
    CRecordingAudioOutput recorder;
    for (unsigned nId : {137u, 141u, 140u, 135u})
        PlayClip(nId);
    const std::uint8_t aOther[16] = {};
    recorder.PlayWave(aOther, sizeof aOther);
    recorder.PlayWave(nullptr, 0);

    EXPECT_EQ(recorder.PlayedClips(), (std::vector<unsigned>{137, 141, 140, 135, 0, 0}));
    EXPECT_EQ(recorder.CutOff(), std::vector<bool>(6, false));
    const auto plays = recorder.Plays();
    EXPECT_EQ(plays[0].nSize, 1870378u);
    EXPECT_EQ(plays[4].pImage, aOther);
    EXPECT_EQ(recorder.PlayingCount(), 0u);
}

TEST(RecordingAudioOutputTest, HeldClipIsCutOffByANewerClipAndByStopAll)
{
    CRecordingAudioOutput recorder;
    recorder.SetHoldPlayback(true);
    HTHREAD hFirst = CThread::Create(PlayClip, 137);
    ASSERT_TRUE(recorder.WaitForClips(1, patience));
    HTHREAD hSecond = CThread::Create(PlayClip, 141);
    ASSERT_TRUE(recorder.WaitForClips(2, patience));

    hFirst->Join();
    EXPECT_EQ(recorder.CutOff(), (std::vector<bool>{true, false}));
    EXPECT_EQ(recorder.PlayingCount(), 1u);
    EXPECT_FALSE(hSecond->HasEnded());

    recorder.StopAll();
    hSecond->Join();
    EXPECT_EQ(recorder.CutOff(), (std::vector<bool>{true, true}));
    EXPECT_EQ(recorder.StopAllCount(), 1);
    EXPECT_TRUE(recorder.WaitForEnded(2, patience));
}

TEST(RecordingAudioOutputTest, LeavingHoldModeLetsAHeldClipEndNormally)
{
    CRecordingAudioOutput recorder;
    recorder.SetHoldPlayback(true);
    HTHREAD hThread = CThread::Create(PlayClip, 140);
    ASSERT_TRUE(recorder.WaitForClips(1, patience));
    recorder.SetHoldPlayback(false);
    hThread->Join();
    EXPECT_EQ(recorder.CutOff(), std::vector<bool>{false});
    EXPECT_EQ(recorder.PlayingCount(), 0u);
}

TEST(RecordingAudioOutputTest, HeldClipLetsItsWorkerBeSuspended)
{
    CRecordingAudioOutput recorder;
    recorder.SetHoldPlayback(true);
    HTHREAD hThread = CThread::Create(PlayClip, 137);
    ASSERT_TRUE(recorder.WaitForClips(1, patience));
    hThread->Suspend();
    ASSERT_TRUE(hThread->WaitUntilHeld(patience));

    // Cut off while suspended, the clip's call returns only once its worker is resumed.
    recorder.StopAll();
    EXPECT_TRUE(hThread->IsHeld());
    EXPECT_EQ(recorder.PlayingCount(), 1u);
    hThread->Resume();
    hThread->Join();
    EXPECT_EQ(recorder.CutOff(), std::vector<bool>{true});
}

TEST(RecordingAudioOutputTest, ClearRecordsForgetsEndedCalls)
{
    CRecordingAudioOutput recorder;
    PlayClip(135);
    recorder.StopAll();
    recorder.ClearRecords();
    EXPECT_TRUE(recorder.PlayedClips().empty());
    EXPECT_EQ(recorder.StopAllCount(), 0);
    PlayClip(140);
    EXPECT_EQ(recorder.PlayedClips(), std::vector<unsigned>{140});
}

TEST(RecordingAudioOutputTest, StopAllAlsoStopsAWorkerThatHadNotBegunItsClip)
{
    CRecordingAudioOutput recorder;
    recorder.SetHoldPlayback(true);
    CGate gate;
    g_pGate = &gate;
    HTHREAD hLate = CThread::Create(PlayClipAfterGate, 137);
    recorder.StopAll();
    gate.Open();
    hLate->Join();
    EXPECT_EQ(recorder.PlayedClips(), std::vector<unsigned>{137});
    EXPECT_EQ(recorder.CutOff(), std::vector<bool>{true});

    // Workers created after the stop are held as usual.
    HTHREAD hNext = CThread::Create(PlayClip, 141);
    ASSERT_TRUE(recorder.WaitForClips(2, patience));
    EXPECT_EQ(recorder.PlayingCount(), 1u);
    recorder.StopAll();
    hNext->Join();
    EXPECT_EQ(recorder.CutOff(), (std::vector<bool>{true, true}));
}
