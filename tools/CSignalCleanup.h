#pragma once

#include <string>

// What a signal that ends the program (SIGINT, SIGTERM, SIGHUP) must not leave behind: the
// files being written under temporary names are removed, and the progress line is erased;
// then the signal ends the program as it would have. The handler is async-signal-safe: it
// only removes the names registered and writes to the terminal.
class CSignalCleanup
{
public:
    // Installs the handler for the signals that the program does not ignore (a program
    // started under nohup keeps ignoring SIGHUP).
    static void Install();

    // Registers a file to remove; its number for Forget, or -1 when every place is taken.
    static int Register(const std::string& path);
    // The file is no longer to be removed (it was renamed, or removed already).
    static void Forget(int nSlot);

    // The most files registered at once.
    static constexpr int kSlots = 16;
};
