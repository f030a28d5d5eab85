#include "CPlatform.h"

#include "CConsolePlatform.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace
{
CConsolePlatform g_consolePlatform;
CPlatform* g_pCurrent = &g_consolePlatform;
thread_local CPlatform* t_pThreadCurrent = nullptr;
} // namespace

CPlatform::~CPlatform() = default;

std::int64_t CPlatform::MonotonicMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

CPlatform& CPlatform::Current()
{
    return t_pThreadCurrent ? *t_pThreadCurrent : *g_pCurrent;
}

CPlatform* CPlatform::Install(CPlatform* pPlatform)
{
    CPlatform* pPrevious = g_pCurrent;
    g_pCurrent = pPlatform ? pPlatform : &g_consolePlatform;
    return pPrevious;
}

CPlatform* CPlatform::InstallForThisThread(CPlatform* pPlatform)
{
    CPlatform* pPrevious = t_pThreadCurrent;
    t_pThreadCurrent = pPlatform;
    return pPrevious;
}

void PlatformPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int nLength = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (nLength > 0)
    {
        std::vector<char> buffer(static_cast<std::size_t>(nLength) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        CPlatform::Current().WriteOutput(std::string_view(buffer.data(), nLength));
    }
    va_end(args);
}
