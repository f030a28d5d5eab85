#include "CConsole.h"

#include "CTerminalLine.h"
#include "StandardDescriptors.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
const char* g_pszProgram = "";
bool g_bOutputClosed = false;
std::atomic<int> g_nWriteError{0};
// Whether standard output is the terminal of the progress line.
bool g_bOutputOnLine = false;
std::unique_ptr<CTerminalLine> g_pLine;

// Writes every byte, through interruptions; the error number, or 0.
int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const ssize_t nWritten = write(fd, bytes.data(), bytes.size());
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return nWritten < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    return 0;
}

// The width of the terminal on standard error: its own, else COLUMNS, else 80.
std::size_t TerminalWidth()
{
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* pszColumns = std::getenv("COLUMNS"))
    {
        const long nColumns = std::strtol(pszColumns, nullptr, 10);
        if (nColumns > 0 && nColumns < 10000)
            return static_cast<std::size_t>(nColumns);
    }
    return 80;
}

bool SameTerminal(int fdA, int fdB)
{
    struct stat a
    {
    };
    struct stat b
    {
    };
    return isatty(fdA) && isatty(fdB) && fstat(fdA, &a) == 0 && fstat(fdB, &b) == 0 &&
           a.st_rdev == b.st_rdev;
}
} // namespace

bool CConsole::Start(const char* pszProgram, EClosedOutput closed)
{
    g_pszProgram = pszProgram;
    g_bOutputClosed =
        closed == EClosedOutput::Fails && fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF;
    if (!OpenStandardDescriptors())
        return false;
    if (isatty(STDERR_FILENO))
    {
        g_pLine = std::make_unique<CTerminalLine>(
            [](std::string_view bytes) { WriteAll(STDERR_FILENO, bytes); }, TerminalWidth);
        g_bOutputOnLine = SameTerminal(STDOUT_FILENO, STDERR_FILENO);
    }
    return true;
}

const char* CConsole::Program()
{
    return g_pszProgram;
}

bool CConsole::Write(std::string_view text)
{
    if (g_nWriteError != 0)
        return false;
    int nError = g_bOutputClosed ? EBADF : 0;
    if (nError == 0 && g_bOutputOnLine && g_pLine)
        g_pLine->EraseAround([&] { nError = WriteAll(STDOUT_FILENO, text); });
    else if (nError == 0)
        nError = WriteAll(STDOUT_FILENO, text);
    if (nError == 0)
        return true;
    int nNone = 0;
    g_nWriteError.compare_exchange_strong(nNone, nError);
    return false;
}

int CConsole::WriteError()
{
    return g_nWriteError;
}

void CConsole::ReportWriteFailure()
{
    if (g_nWriteError != EPIPE)
        Message(std::string("cannot write the output: ") + std::strerror(g_nWriteError));
}

void CConsole::Message(const std::string& message)
{
    const std::string line = std::string(g_pszProgram) + ": " + message + "\n";
    if (g_pLine)
        g_pLine->EraseAround([&] { WriteAll(STDERR_FILENO, line); });
    else
        WriteAll(STDERR_FILENO, line);
}

void CConsole::Complain(const std::string& message)
{
    Message(message + "\nTry '" + g_pszProgram + " --help' for more information.");
}

CTerminalLine* CConsole::ProgressLine()
{
    return g_pLine.get();
}

void CConsole::EraseProgressFromSignal()
{
    if (!g_pLine)
        return;
    std::size_t nShown = g_pLine->Shown();
    if (nShown == 0)
        return;
    static constexpr char kszSpaces[] = "                                                "
                                        "                                                ";
    // Only write(2): nothing that may take a lock or allocate.
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, "\r", 1);
    while (nShown > 0)
    {
        const std::size_t nChunk = std::min(nShown, sizeof kszSpaces - 1);
        n = write(STDERR_FILENO, kszSpaces, nChunk);
        nShown -= nChunk;
    }
    n = write(STDERR_FILENO, "\r", 1);
}
