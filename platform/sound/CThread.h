#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

// A worker thread with one integer parameter. Suspension is cooperative: a suspended worker
// stops at its next safe point (CThread::SafePoint, called by the worker where it holds
// nothing the user-interface thread needs) and waits there until resumed. Suspend counts
// behave like the system's: two suspensions need two resumptions. Suspending or resuming a
// worker that has ended does nothing.
//
// A worker marks the time it spends with a device that may never answer (a stalled sound
// server): whoever ends the program can then leave such a worker to end with the process
// rather than wait for it.
class CThread
{
public:
    using Procedure = unsigned (*)(unsigned nParam);
    using Deadline = std::chrono::steady_clock::time_point;

    // Starts the worker at once; nullptr when it cannot be created.
    static std::shared_ptr<CThread> Create(Procedure pProcedure, unsigned nParam);

    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;
    // Lifts any suspension, so that the worker can run to its end, and joins it.
    ~CThread();

    // Raise or lower the suspend count by one; they return the previous count, or -1
    // when the worker has ended. Resuming a worker whose count is 0 leaves it at 0.
    int Suspend();
    int Resume();
    bool HasEnded() const;
    // Waits for the worker to end (it must not be suspended then, or it never will).
    void Join();
    // True while the worker waits at a safe point because it is suspended.
    bool IsHeld() const;
    // Waits until the worker waits at a safe point, or has ended; true if it is held.
    bool WaitUntilHeld(std::chrono::milliseconds timeout) const;
    // Waits until the worker has ended, or the timeout; true if it has ended.
    bool WaitUntilEnded(std::chrono::milliseconds timeout) const;
    // Lifts any suspension and joins the worker if it ends by the deadline. A worker still
    // with its device then is left to end by itself, at the latest with the process; any
    // other is waited for, as nothing outside the program can hold it up. False when the
    // worker was left.
    bool JoinOrLeave(Deadline deadline);
    // Workers left by JoinOrLeave that have not ended yet.
    static int LeftRunningCount();

    // Called by a worker: waits here while its suspend count is above 0. Does nothing on a
    // thread that no CThread started.
    static void SafePoint();
    // Called by a worker as it takes and as it lets go of a device that may never answer.
    // They do nothing on a thread that no CThread started.
    static void EnterDevice();
    static void LeaveDevice();
    // Workers are numbered from 1 in the order they were created. A stop can so tell the
    // workers created before it, even those that have not reached their clip yet.
    static std::uint64_t CreatedCount();
    // The calling worker's number; 0 on a thread that no CThread started.
    static std::uint64_t CurrentNumber();

    struct State;

private:
    CThread();
    // Sets the suspend count to 0, so that a held worker goes on.
    void LiftSuspension();
    // Shared with the running worker, which outlives this handle when it was left.
    std::shared_ptr<State> m_pState;
};

using HTHREAD = std::shared_ptr<CThread>;
