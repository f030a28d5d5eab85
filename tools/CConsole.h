#pragma once

#include <string>
#include <string_view>

class CTerminalLine;

// A command-line tool's standard streams, for every thread of it: the output, written at
// once and every failure kept; messages on standard error, each starting with the program's
// name; and the progress line there, when standard error is a terminal, which is erased
// before a message, before output that goes to the same terminal, and by a signal that ends
// the program.
class CConsole
{
public:
    // What a standard output closed when the program starts means.
    enum class EClosedOutput
    {
        // Nothing is wanted of it: the output goes to /dev/null.
        Discarded,
        // The output is lost: writing it fails.
        Fails,
    };

    // First thing in main(), before anything is opened: names the program, and opens
    // descriptors 0, 1 and 2 on /dev/null where they are closed, so that no file opened
    // later takes their place. False when one cannot be opened: nothing is safe to write.
    static bool Start(const char* pszProgram, EClosedOutput closed);
    static const char* Program();

    // Writes the text to standard output, whole. A failure is kept for the end (the writing
    // thread may be a worker): false then, and on every later call.
    static bool Write(std::string_view text);
    // Why the output failed (errno), or 0.
    static int WriteError();
    // Says why the output failed, unless its reader has gone away (a closed pipe): nobody is
    // left to read it.
    static void ReportWriteFailure();

    // "program: message" on standard error.
    static void Message(const std::string& message);
    // A wrong command line: the message, then where to learn more.
    static void Complain(const std::string& message);

    // The progress line on standard error, or nothing when standard error is not a
    // terminal.
    static CTerminalLine* ProgressLine();
    // Erases the progress line from a signal handler: async-signal-safe.
    static void EraseProgressFromSignal();
};
