#include "CGate.h"
#include "COrderedBatch.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace
{
// The text a line's work writes.
std::string TextOf(long nLine)
{
    return "line " + std::to_string(nLine) + "\n";
}

// Writes to a file, flushed as pivolo-solve writes to its standard output.
COrderedBatch::Write To(std::FILE* pFile)
{
    return [pFile](std::string_view text)
    {
        return std::fwrite(text.data(), 1, text.size(), pFile) == text.size() &&
               std::fflush(pFile) == 0;
    };
}

std::string ReadAll(std::FILE* pFile)
{
    std::rewind(pFile);
    std::string text;
    for (int c; (c = std::fgetc(pFile)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

// Reads what a pipe holds as soon as it holds n bytes; empty when they do not come within
// a generous deadline.
std::string ReadFromPipe(int fd, std::size_t n)
{
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (text.size() < n && std::chrono::steady_clock::now() < deadline)
    {
        pollfd poll_fd{fd, POLLIN, 0};
        if (poll(&poll_fd, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t nRead = read(fd, buffer, sizeof buffer);
        if (nRead <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(nRead));
    }
    return text.size() >= n ? text : std::string();
}

// Blocks of one line each.
COrderedBatch::SLimits OneLineBlocks(int nBlocks = 0)
{
    COrderedBatch::SLimits limits;
    limits.nBlockLines = 1;
    limits.nBlocks = nBlocks;
    return limits;
}
} // namespace

TEST(OrderedBatch, WritesLinesInInputOrderWhateverOrderTheyAreDoneIn)
{
    // Line 3 is done first, then line 2, then line 1, each a block of its own.
    std::array<CGate, 4> done;
    std::FILE* pOut = std::tmpfile();
    ASSERT_NE(pOut, nullptr);
    {
        COrderedBatch batch(
            3,
            [&](const std::string& line, long nLine) -> COrderedBatch::Result
            {
                if (nLine < 3)
                    done[static_cast<std::size_t>(nLine + 1)].Wait();
                done[static_cast<std::size_t>(nLine)].Open();
                return {line + TextOf(nLine), false};
            },
            To(pOut), OneLineBlocks());
        for (long n = 1; n <= 3; ++n)
            EXPECT_TRUE(batch.Submit("in ", n));
        batch.Finish();
        EXPECT_FALSE(batch.AnyRefused());
        EXPECT_FALSE(batch.WriteFailed());
    }
    EXPECT_EQ(ReadAll(pOut), "in line 1\nin line 2\nin line 3\n");
    std::fclose(pOut);
}

TEST(OrderedBatch, WritesEachLineAsSoonAsItAndAllBeforeItAreDone)
{
    int anPipe[2];
    ASSERT_EQ(pipe(anPipe), 0);
    std::FILE* pOut = fdopen(anPipe[1], "w");
    ASSERT_NE(pOut, nullptr);
    CGate secondMayEnd;
    {
        COrderedBatch batch(
            2,
            [&](const std::string&, long nLine) -> COrderedBatch::Result
            {
                if (nLine == 2)
                    secondMayEnd.Wait();
                return {TextOf(nLine), false};
            },
            To(pOut), OneLineBlocks());
        batch.Submit("", 1);
        batch.Submit("", 2);
        // Line 1 reaches the reader while line 2 is still being worked out.
        EXPECT_EQ(ReadFromPipe(anPipe[0], TextOf(1).size()), TextOf(1));
        secondMayEnd.Open();
        batch.Finish();
    }
    std::fclose(pOut);
    EXPECT_EQ(ReadFromPipe(anPipe[0], TextOf(2).size()), TextOf(2));
    close(anPipe[0]);
}

TEST(OrderedBatch, HoldsNoMoreLinesThanItsWindow)
{
    constexpr int kWindow = 4;
    std::FILE* pOut = std::tmpfile();
    ASSERT_NE(pOut, nullptr);
    CGate firstMayEnd;
    std::atomic<int> nWorkedOut{0};
    std::atomic<int> nSubmitted{0};
    {
        COrderedBatch batch(
            2,
            [&](const std::string&, long nLine) -> COrderedBatch::Result
            {
                if (nLine == 1)
                    firstMayEnd.Wait();
                else
                    ++nWorkedOut;
                return {TextOf(nLine), false};
            },
            To(pOut), OneLineBlocks(kWindow));
        std::thread reader(
            [&]
            {
                for (long n = 1; n <= 10; ++n)
                {
                    batch.Submit("", n);
                    ++nSubmitted;
                }
            });
        // While line 1 holds up the writing, lines 2 to 4 (the blocks of the window) are
        // worked out and no more lines are taken in.
        while (nWorkedOut < kWindow - 1 || nSubmitted < kWindow)
            std::this_thread::yield();
        EXPECT_EQ(nSubmitted, kWindow);
        EXPECT_EQ(nWorkedOut, kWindow - 1);
        firstMayEnd.Open();
        reader.join();
        batch.Finish();
    }
    std::string expected;
    for (long n = 1; n <= 10; ++n)
        expected += TextOf(n);
    EXPECT_EQ(ReadAll(pOut), expected);
    std::fclose(pOut);
}

TEST(OrderedBatch, OneJobWorksEachLineOnTheCallingThread)
{
    std::FILE* pOut = std::tmpfile();
    ASSERT_NE(pOut, nullptr);
    const std::thread::id caller = std::this_thread::get_id();
    {
        COrderedBatch batch(
            1,
            [&](const std::string& line, long) -> COrderedBatch::Result
            {
                EXPECT_EQ(std::this_thread::get_id(), caller);
                return {line, line == "refused\n"};
            },
            To(pOut));
        // A line may also write nothing.
        for (const char* pszLine : {"first\n", "", "refused\n", "last\n"})
            batch.Submit(pszLine, 1);
        batch.Finish();
        EXPECT_TRUE(batch.AnyRefused());
    }
    EXPECT_EQ(ReadAll(pOut), "first\nrefused\nlast\n");
    std::fclose(pOut);
}

TEST(OrderedBatch, ARefusedLineOnAWorkerFailsTheBatch)
{
    std::FILE* pOut = std::tmpfile();
    ASSERT_NE(pOut, nullptr);
    COrderedBatch batch(
        3,
        [](const std::string&, long nLine) -> COrderedBatch::Result {
            return {TextOf(nLine), nLine == 5};
        },
        To(pOut));
    for (long n = 1; n <= 9; ++n)
        batch.Submit("", n);
    batch.Finish();
    EXPECT_TRUE(batch.AnyRefused());
    std::fclose(pOut);
}

TEST(OrderedBatch, AFailedWriteStopsTakingLines)
{
    for (int nJobs : {1, 3})
    {
        std::FILE* pFull = std::fopen("/dev/full", "w");
        ASSERT_NE(pFull, nullptr);
        std::atomic<int> nWorkedOut{0};
        COrderedBatch batch(
            nJobs,
            [&](const std::string&, long nLine) -> COrderedBatch::Result
            {
                ++nWorkedOut;
                return {TextOf(nLine), false};
            },
            To(pFull));
        // Far more lines than the blocks in flight hold.
        constexpr long kLines = 100000;
        long n = 1;
        while (n <= kLines && batch.Submit("", n))
            ++n;
        batch.Finish();
        EXPECT_TRUE(batch.WriteFailed()) << nJobs << " jobs";
        EXPECT_LT(n, kLines) << nJobs << " jobs";
        std::fclose(pFull);
    }
}

TEST(OrderedBatch, KeepsARunOfLinesThatBelongTogetherInOneBlockUnlessItIsVeryLong)
{
    COrderedBatch::SLimits limits;
    limits.nBlockLines = 2;
    limits.nGroupLines = 8;
    // Three runs of 5 lines, one of 20, then three lines on their own.
    std::vector<bool> sameGroup;
    for (int nRun : {5, 5, 5, 20})
    {
        for (int n = 0; n < nRun; ++n)
            sameGroup.push_back(n > 0);
    }
    sameGroup.insert(sameGroup.end(), {false, false, false});
    for (int nJobs : {1, 3})
    {
        std::mutex mutex;
        std::vector<std::thread::id> threadOf(sameGroup.size() + 1);
        std::string written;
        std::vector<int> blockLines;
        {
            COrderedBatch batch(
                nJobs,
                [&](const std::string& line, long nLine) -> COrderedBatch::Result
                {
                    std::lock_guard lock(mutex);
                    threadOf[static_cast<std::size_t>(nLine)] = std::this_thread::get_id();
                    return {line + TextOf(nLine), false};
                },
                [&](std::string_view text)
                {
                    written.append(text);
                    blockLines.push_back(
                        static_cast<int>(std::count(text.begin(), text.end(), '\n')));
                    return true;
                },
                limits);
            for (std::size_t i = 0; i < sameGroup.size(); ++i)
                EXPECT_TRUE(batch.Submit("in ", static_cast<long>(i + 1), sameGroup[i]));
            batch.Finish();
        }
        std::string expected;
        for (std::size_t n = 1; n <= sameGroup.size(); ++n)
            expected += "in " + TextOf(static_cast<long>(n));
        EXPECT_EQ(written, expected) << nJobs << " jobs";
        // Each block is written at once: a run of 5 is one block, the run of 20 is cut at 8,
        // and lines on their own make blocks of 2.
        EXPECT_EQ(blockLines, (std::vector<int>{5, 5, 5, 8, 8, 4, 2, 1})) << nJobs << " jobs";
        // A block's lines, a run's among them, are worked out on one thread, which keeps
        // their tables.
        std::size_t nFirst = 1;
        for (const int nLines : blockLines)
        {
            for (std::size_t n = nFirst + 1; n < nFirst + static_cast<std::size_t>(nLines); ++n)
                EXPECT_EQ(threadOf[n], threadOf[nFirst]) << "line " << n;
            nFirst += static_cast<std::size_t>(nLines);
        }
    }
}

TEST(OrderedBatch, AnInputThatMakesTheReaderWaitGetsWhatIsDoneWrittenAtOnce)
{
    for (int nJobs : {1, 2})
    {
        int anPipe[2];
        ASSERT_EQ(pipe(anPipe), 0);
        std::FILE* pOut = fdopen(anPipe[1], "w");
        ASSERT_NE(pOut, nullptr);
        {
            COrderedBatch batch(
                nJobs,
                [](const std::string&, long nLine) -> COrderedBatch::Result {
                    return {TextOf(nLine), false};
                },
                To(pOut));
            // Far fewer lines than a block: they wait for more, until the reader would wait.
            batch.Submit("", 1);
            batch.Submit("", 2);
            batch.Flush();
            const std::string expected = TextOf(1) + TextOf(2);
            EXPECT_EQ(ReadFromPipe(anPipe[0], expected.size()), expected) << nJobs << " jobs";
            batch.Submit("", 3);
            batch.Finish();
        }
        std::fclose(pOut);
        EXPECT_EQ(ReadFromPipe(anPipe[0], TextOf(3).size()), TextOf(3));
        close(anPipe[0]);
    }
}

TEST(OrderedBatch, AnExceptionOfTheWorkStopsTheBatchAndIsThrownAgain)
{
    for (int nJobs : {1, 3})
    {
        std::FILE* pOut = std::tmpfile();
        ASSERT_NE(pOut, nullptr);
        std::optional<COrderedBatch> batch;
        batch.emplace(
            nJobs,
            [](const std::string&, long nLine) -> COrderedBatch::Result
            {
                if (nLine == 700)
                    throw std::bad_alloc();
                return {TextOf(nLine), false};
            },
            To(pOut));
        // With one job, the work throws on the calling thread; on workers, the batch stops
        // taking lines and Finish throws it.
        EXPECT_THROW(
            {
                for (long n = 1; n <= 100000 && batch->Submit("", n); ++n)
                {
                }
                batch->Finish();
            },
            std::bad_alloc)
            << nJobs << " jobs";
        batch.reset();
        // What was written is the lines before the one that failed, in order, no more.
        std::string before;
        for (long n = 1; n < 700; ++n)
            before += TextOf(n);
        const std::string written = ReadAll(pOut);
        EXPECT_EQ(before.substr(0, written.size()), written) << nJobs << " jobs";
        std::fclose(pOut);
    }
}

// The progress counts what is solved and written, not what is read: while the first line
// holds up the writing, nothing is told however far the reading has gone; then each block,
// in order, with where its last line ends in the input and the games written so far (a
// line that is no game does not count), on one job as on two.
TEST(OrderedBatch, TellsTheProgressOfWhatIsWrittenNotOfWhatIsRead)
{
    for (const int nJobs : {1, 2})
    {
        SCOPED_TRACE(nJobs);
        std::FILE* pOut = std::tmpfile();
        ASSERT_NE(pOut, nullptr);
        CGate firstMayEnd;
        std::atomic<int> nWorkedOut{0};
        std::mutex mutex;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> told;
        {
            COrderedBatch batch(
                nJobs,
                [&](const std::string&, long nLine) -> COrderedBatch::Result
                {
                    if (nLine == 1 && nJobs > 1)
                        firstMayEnd.Wait();
                    ++nWorkedOut;
                    return {TextOf(nLine), false, nLine != 3};
                },
                To(pOut), OneLineBlocks(8));
            batch.OnWritten(
                [&](std::uint64_t nEnd, std::uint64_t nGames)
                {
                    const std::lock_guard lock(mutex);
                    told.emplace_back(nEnd, nGames);
                });
            for (long n = 1; n <= 4; ++n)
                ASSERT_TRUE(batch.Submit("", n, false, static_cast<std::uint64_t>(10 * n)));
            if (nJobs > 1)
            {
                batch.Flush();
                while (nWorkedOut < 3)
                    std::this_thread::yield();
                {
                    const std::lock_guard lock(mutex);
                    EXPECT_TRUE(told.empty()) << "told before line 1 was written";
                }
                firstMayEnd.Open();
            }
            batch.Finish();
        }
        const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected{
            {10, 1}, {20, 2}, {30, 2}, {40, 3}};
        EXPECT_EQ(told, expected);
        std::fclose(pOut);
    }
}
