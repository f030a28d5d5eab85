#include "CThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include "CGate.h"
#include <memory>

namespace
{
constexpr std::chrono::seconds patience{10};

std::atomic<unsigned> g_nParam{0};
std::atomic<bool> g_bPassedSafePoint{false};
// Holds a worker back until the test has set it up.
std::unique_ptr<CGate> g_pGate;

unsigned RecordParam(unsigned nParam)
{
    g_nParam = nParam;
    return 0;
}

unsigned PassSafePointAfterGate(unsigned)
{
    g_pGate->Wait();
    CThread::SafePoint();
    g_bPassedSafePoint = true;
    return 0;
}

class ThreadTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_nParam = 0;
        g_bPassedSafePoint = false;
        g_pGate = std::make_unique<CGate>();
    }
    void TearDown() override { g_pGate.reset(); }
};
} // namespace

TEST_F(ThreadTest, Create_RunsTheProcedureWithItsParameter)
{
    HTHREAD hThread = CThread::Create(RecordParam, 137);
    ASSERT_NE(hThread, nullptr);
    hThread->Join();
    EXPECT_EQ(g_nParam, 137u);
    EXPECT_TRUE(hThread->HasEnded());
}

TEST_F(ThreadTest, Create_WithoutProcedureGivesNoWorker)
{
    EXPECT_EQ(CThread::Create(nullptr, 1), nullptr);
}

TEST_F(ThreadTest, Suspend_HoldsTheWorkerAtItsSafePointUntilEveryResumption)
{
    HTHREAD hThread = CThread::Create(PassSafePointAfterGate, 0);
    ASSERT_NE(hThread, nullptr);
    EXPECT_EQ(hThread->Suspend(), 0);
    EXPECT_EQ(hThread->Suspend(), 1);
    g_pGate->Open();

    ASSERT_TRUE(hThread->WaitUntilHeld(patience));
    EXPECT_EQ(hThread->Resume(), 2);
    // One suspension is still in force: the worker cannot have left its safe point.
    EXPECT_TRUE(hThread->IsHeld());
    EXPECT_FALSE(g_bPassedSafePoint);
    EXPECT_FALSE(hThread->HasEnded());

    EXPECT_EQ(hThread->Resume(), 1);
    hThread->Join();
    EXPECT_TRUE(g_bPassedSafePoint);
    EXPECT_FALSE(hThread->IsHeld());
}

TEST_F(ThreadTest, Suspend_OnceHoldsTheWorkerUntilResumed)
{
    HTHREAD hThread = CThread::Create(PassSafePointAfterGate, 0);
    ASSERT_NE(hThread, nullptr);
    EXPECT_EQ(hThread->Suspend(), 0);
    g_pGate->Open();
    ASSERT_TRUE(hThread->WaitUntilHeld(patience));
    EXPECT_FALSE(g_bPassedSafePoint);
    EXPECT_EQ(hThread->Resume(), 1);
    hThread->Join();
    EXPECT_TRUE(g_bPassedSafePoint);
}

TEST_F(ThreadTest, Resume_OfAWorkerThatIsNotSuspendedLeavesItsCountAtZero)
{
    HTHREAD hThread = CThread::Create(PassSafePointAfterGate, 0);
    ASSERT_NE(hThread, nullptr);
    EXPECT_EQ(hThread->Resume(), 0);
    EXPECT_EQ(hThread->Suspend(), 0);
    EXPECT_EQ(hThread->Resume(), 1);
    g_pGate->Open();
    hThread->Join();
    EXPECT_TRUE(g_bPassedSafePoint);
}

TEST_F(ThreadTest, SuspendAndResume_OfAnEndedWorkerDoNothing)
{
    HTHREAD hThread = CThread::Create(RecordParam, 5);
    ASSERT_NE(hThread, nullptr);
    hThread->Join();
    EXPECT_EQ(hThread->Suspend(), -1);
    EXPECT_EQ(hThread->Resume(), -1);
    EXPECT_FALSE(hThread->IsHeld());
    EXPECT_FALSE(hThread->WaitUntilHeld(patience));
    hThread->Join();
    EXPECT_TRUE(hThread->HasEnded());
}

TEST_F(ThreadTest, Destructor_LiftsSuspensionAndJoinsTheWorker)
{
    HTHREAD hThread = CThread::Create(PassSafePointAfterGate, 0);
    ASSERT_NE(hThread, nullptr);
    hThread->Suspend();
    hThread->Suspend();
    g_pGate->Open();
    ASSERT_TRUE(hThread->WaitUntilHeld(patience));
    hThread.reset();
    EXPECT_TRUE(g_bPassedSafePoint);
}

TEST_F(ThreadTest, SafePoint_OnAThreadNoWorkerStartedDoesNothing)
{
    CThread::SafePoint();
    SUCCEED();
}
