#include "CRecordingPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

TEST(RecordingPlatform, ThreadsRecordTheirOwnOutputOverTheProcesss)
{
    CRecordingPlatform process;
    std::vector<std::string> recorded(3);
    std::vector<std::thread> threads;
    for (std::size_t n = 0; n < recorded.size(); ++n)
    {
        threads.emplace_back(
            [&recorded, n]
            {
                CRecordingPlatform own(CRecordingPlatform::EScope::ThisThread);
                for (int k = 0; k < 200; ++k)
                    PlatformPrintf("%zu", n);
                EXPECT_EQ(AfxMessageBox("question", MB_YESNO), IDNO);
                recorded[n] = own.Output();
                EXPECT_EQ(own.Messages().size(), 1u);
            });
    }
    PlatformPrintf("process");
    for (std::thread& thread : threads)
        thread.join();
    for (std::size_t n = 0; n < recorded.size(); ++n)
        EXPECT_EQ(recorded[n], std::string(200, static_cast<char>('0' + n)));
    EXPECT_EQ(process.Output(), "process");
    EXPECT_TRUE(process.Messages().empty());
}

TEST(RecordingPlatform, AThreadsPlatformGivesWayToThePreviousOneWhenItGoes)
{
    CRecordingPlatform process;
    {
        CRecordingPlatform outer(CRecordingPlatform::EScope::ThisThread);
        {
            CRecordingPlatform inner(CRecordingPlatform::EScope::ThisThread);
            PlatformPrintf("inner");
            EXPECT_EQ(inner.Output(), "inner");
        }
        PlatformPrintf("outer");
        EXPECT_EQ(outer.Output(), "outer");
    }
    PlatformPrintf("process");
    EXPECT_EQ(process.Output(), "process");
    EXPECT_EQ(&CPlatform::Current(), &process);
}
