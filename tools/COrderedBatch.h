#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Works out the lines of an input on several threads and writes their text in input order.
// Lines are handed to the workers in blocks of consecutive lines, and each block's text is
// written in a few large writes, as soon as that block and all before it are done. A run of lines
// that belong together (a draw's targets, whose tables a worker keeps) stays in one block unless it
// is very long. At most a fixed number of blocks are read and not yet written, whatever the input's
// length: Submit waits for room. With one job, each line is worked out on the calling thread, its
// text still written block by block.
class COrderedBatch
{
public:
    struct Result
    {
        std::string text;
        // The line was refused: the batch's outcome is then a failure.
        bool bRefused = false;
        // The line is a game (neither blank nor a comment), for the progress.
        bool bGame = true;
    };
    // Works out one line (numbered from 1); called on the workers, several lines at once.
    // An exception it throws stops the batch and is thrown again by Finish (by Submit, with
    // one job, where the work is done on the calling thread).
    using Work = std::function<Result(const std::string& line, long nLine)>;
    // Writes the texts of consecutive lines of a block, flushed: as many whole texts as fit
    // in PIPE_BUF bytes (one text alone when it is longer), so that no text is cut short
    // by a signal that ends the program while it writes. False when the output failed.
    // Called on one thread at a time, never with an empty text.
    using Write = std::function<bool(std::string_view text)>;
    // Told after each block is written: where in the input its last line ends (as given to
    // Submit), and how many games are written in all. Called on one thread at a time.
    using Written = std::function<void(std::uint64_t nInputEnd, std::uint64_t nGames)>;

    struct SLimits
    {
        // A block is handed over once it holds this many lines or bytes of input, where the
        // next line does not belong with the last one...
        std::size_t nBlockLines = 256;
        std::size_t nBlockBytes = 16 * 1024;
        // ...and in any case at this many.
        std::size_t nGroupLines = 1024;
        std::size_t nGroupBytes = 64 * 1024;
        // The most blocks read and not yet written; 0: two per job and two more, at most 64.
        int nBlocks = 0;
    };

    // Starts the workers; when some cannot be started, it works with those that did (on the
    // calling thread when none did): Jobs() says how many.
    COrderedBatch(int nJobs, Work work, Write write, SLimits limits);
    COrderedBatch(int nJobs, Work work, Write write);
    COrderedBatch(const COrderedBatch&) = delete;
    COrderedBatch& operator=(const COrderedBatch&) = delete;
    // Finishes the lines submitted.
    ~COrderedBatch();

    // Hands over the next line; bSameGroup when it belongs with the line before it, so that
    // both go to the same worker. False once writing has failed, or the work has thrown, as
    // the rest would be lost. Called from one thread.
    // nInputEnd: where the line ends in the input, for the progress.
    bool Submit(std::string_view line, long nLine, bool bSameGroup = false,
                std::uint64_t nInputEnd = 0);
    // What to tell as blocks are written; before the first Submit.
    void OnWritten(Written written) { m_written = std::move(written); }
    // Hands over the lines submitted so far without waiting for their block to fill, and
    // writes what is done: for an input that makes the reader wait.
    void Flush();
    // Waits until every line submitted is worked out and written; throws again what the
    // work threw.
    void Finish();

    // The threads that work out lines: the workers started, or 1 for the calling thread.
    int Jobs() const;
    bool AnyRefused() const { return m_bAnyRefused; }
    bool WriteFailed() const { return m_bWriteFailed; }

    // The number of cores, or 1 when it is unknown: the jobs by default.
    static int DefaultJobs();

private:
    struct SLine
    {
        std::size_t nOffset = 0;
        std::size_t nLength = 0;
        long nLine = 0;
    };
    struct SBlock
    {
        std::string input;
        std::vector<SLine> lines;
        std::size_t nBytes = 0;
        std::string output;
        // Where each line's text ends in the output.
        std::vector<std::size_t> ends;
        bool bRefused = false;
        bool bDone = false;
        std::uint64_t nInputEnd = 0;
        std::uint64_t nGames = 0;
    };

    bool IsFull(const SBlock& block, std::size_t nNextLength, bool bSameGroup) const;

    void Worker();
    // Works out a block's lines into its text; on a worker, an exception stops the batch.
    void WorkOut(SBlock& block, std::string& line);
    // Hands the block being filled to the workers (or writes it, with one job).
    void HandOver();
    // Writes the blocks done in order from the next one to write; the lock is held on entry
    // and on return, and released while writing.
    void WriteReady(std::unique_lock<std::mutex>& lock);
    bool WriteText(const SBlock& block) const;
    // Tells the progress of a block written.
    void TellWritten(const SBlock& block);
    void Join();

    Work m_work;
    Write m_write;
    Written m_written;
    std::uint64_t m_nGamesWritten = 0;
    SLimits m_limits;
    bool m_bAnyRefused = false;
    bool m_bWriteFailed = false;

    // With one job: the block being worked out, its lines counted but not kept.
    SBlock m_inline;
    std::string m_inlineLine;

    std::mutex m_mutex;
    std::condition_variable m_workToDo;
    std::condition_variable m_roomOrDone;
    // Blocks in flight, by sequence number modulo their count; the one at m_nSubmitted is
    // being filled by the submitting thread once there is room for it.
    std::vector<SBlock> m_blocks;
    bool m_bFilling = false;
    long m_nSubmitted = 0;
    long m_nTaken = 0;
    long m_nWritten = 0;
    bool m_bWriting = false;
    bool m_bClosing = false;
    // Writing failed or the work threw: no more lines are taken.
    bool m_bStopped = false;
    std::exception_ptr m_exception;
    std::vector<std::thread> m_workers;
};
