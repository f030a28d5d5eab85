#pragma once

#include <cstddef>

// What the workers of a tool take of the address space, kept small so that many of them
// start, and work at full speed, under a limit on it (ulimit -v).
class CWorkerMemory
{
public:
    // Call before the workers start.
    static void Prepare();
    // How many of nJobs workers fit in what a limit on the address space leaves, each
    // taking its stack and nPerJob bytes, with room kept for the rest of the run: nJobs
    // without a limit, at least 1. Workers started beyond it would take the room that
    // those started need to work, and the whole run would fail.
    static int JobsThatFit(int nJobs, std::size_t nPerJob);

    // A worker's stack: the searches need little, where the main thread's limit gives 8 MB.
    static constexpr unsigned long kStack = 1024 * 1024;
};
