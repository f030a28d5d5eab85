#include "CAudioOutput.h"

#include "CAlsaAudioOutput.h"

#include <atomic>

namespace
{
// Workers read it while a test installs its own output on the main thread.
std::atomic<CAudioOutput*> g_pInstalled{nullptr};

CAudioOutput& AlsaOutput()
{
    static CAlsaAudioOutput output;
    return output;
}
} // namespace

CAudioOutput::~CAudioOutput() = default;

CAudioOutput& CAudioOutput::Current()
{
    CAudioOutput* pOutput = g_pInstalled.load();
    return pOutput != nullptr ? *pOutput : AlsaOutput();
}

CAudioOutput* CAudioOutput::Install(CAudioOutput* pOutput)
{
    CAudioOutput* pPrevious = g_pInstalled.exchange(pOutput);
    return pPrevious != nullptr ? pPrevious : &AlsaOutput();
}
