#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Works out the lines of an input on several threads and writes each line's text in input
// order, flushed as soon as that line and all before it are done. At most a fixed number
// of lines are read and not yet written, whatever the input's length: Submit waits for
// room. With one job, each line is worked out and written at once on the calling thread.
class COrderedBatch
{
public:
    struct Result
    {
        std::string text;
        // The line was refused: the batch's outcome is then a failure.
        bool bRefused = false;
    };
    // Works out one line (numbered from 1); called on the workers, several lines at once.
    using Work = std::function<Result(const std::string& line, long nLine)>;
    // Writes a line's text, flushed; false when the output failed. Called on one thread at
    // a time, never with an empty text.
    using Write = std::function<bool(std::string_view text)>;

    // nWindow: the most lines read and not yet written (0: sixteen per job).
    COrderedBatch(int nJobs, Work work, Write write, int nWindow = 0);
    COrderedBatch(const COrderedBatch&) = delete;
    COrderedBatch& operator=(const COrderedBatch&) = delete;
    // Finishes the lines submitted.
    ~COrderedBatch();

    // Hands over the next line; false once writing has failed, as the rest would be lost.
    // Called from one thread.
    bool Submit(std::string line, long nLine);
    // Waits until every line submitted is worked out and written.
    void Finish();

    bool AnyRefused() const { return m_bAnyRefused; }
    bool WriteFailed() const { return m_bWriteFailed; }

    // The number of cores, or 1 when it is unknown: the jobs by default.
    static int DefaultJobs();

private:
    struct Slot
    {
        std::string line;
        long nLine = 0;
        Result result;
        bool bDone = false;
    };

    void Worker();
    // Writes the lines done in order from the next one to write; the lock is held on entry
    // and on return, and released while writing.
    void WriteReady(std::unique_lock<std::mutex>& lock);
    bool WriteText(const std::string& text) const;

    Work m_work;
    Write m_write;
    bool m_bAnyRefused = false;
    bool m_bWriteFailed = false;

    std::mutex m_mutex;
    std::condition_variable m_workToDo;
    std::condition_variable m_roomOrDone;
    // Lines in flight, by sequence number modulo the window's size.
    std::vector<Slot> m_slots;
    long m_nSubmitted = 0;
    long m_nTaken = 0;
    long m_nWritten = 0;
    bool m_bWriting = false;
    bool m_bClosing = false;
    std::vector<std::thread> m_workers;
};
