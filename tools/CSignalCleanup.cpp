#include "CSignalCleanup.h"

#include "CConsole.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace
{
struct SSlot
{
    std::atomic<bool> bUsed{false};
    char szPath[PATH_MAX] = {};
};
SSlot g_aSlots[CSignalCleanup::kSlots];

constexpr int kaSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void OnEndingSignal(int nSignal)
{
    const int nSavedErrno = errno;
    for (SSlot& slot : g_aSlots)
    {
        if (slot.bUsed.load(std::memory_order_acquire))
            unlink(slot.szPath);
    }
    CConsole::EraseProgressFromSignal();
    // The signal's own action now: it is blocked while this handler runs, and ends the
    // program as soon as the handler returns, with the status that tells the signal.
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
    errno = nSavedErrno;
}
} // namespace

void CSignalCleanup::Install()
{
    for (const int nSignal : kaSignals)
    {
        struct sigaction current
        {
        };
        if (sigaction(nSignal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action
        {
        };
        action.sa_handler = OnEndingSignal;
        sigemptyset(&action.sa_mask);
        // One cleanup at a time, whichever of the signals comes.
        for (const int nOther : kaSignals)
            sigaddset(&action.sa_mask, nOther);
        sigaction(nSignal, &action, nullptr);
    }
}

int CSignalCleanup::Register(const std::string& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int n = 0; n < kSlots; ++n)
    {
        SSlot& slot = g_aSlots[n];
        if (slot.bUsed.load(std::memory_order_relaxed))
            continue;
        std::memcpy(slot.szPath, path.c_str(), path.size() + 1);
        slot.bUsed.store(true, std::memory_order_release);
        return n;
    }
    return -1;
}

void CSignalCleanup::Forget(int nSlot)
{
    if (nSlot >= 0 && nSlot < kSlots)
        g_aSlots[nSlot].bUsed.store(false, std::memory_order_release);
}
