#pragma once

// What the workers of a tool take of the address space, kept small so that many of them
// start, and work at full speed, under a limit on it (ulimit -v).
class CWorkerMemory
{
public:
    // Call before the workers start.
    static void Prepare();

    // A worker's stack: the searches need little, where the main thread's limit gives 8 MB.
    static constexpr unsigned long kStack = 1024 * 1024;
};
