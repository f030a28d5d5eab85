#include "CProgressLine.h"

#include <cstdio>

namespace
{
// A duration as "m:ss" or "h:mm:ss".
std::string Duration(std::uint64_t nSeconds)
{
    char szText[32];
    if (nSeconds >= 3600)
        std::snprintf(szText, sizeof szText, "%llu:%02llu:%02llu",
                      static_cast<unsigned long long>(nSeconds / 3600),
                      static_cast<unsigned long long>(nSeconds / 60 % 60),
                      static_cast<unsigned long long>(nSeconds % 60));
    else
        std::snprintf(szText, sizeof szText, "%llu:%02llu",
                      static_cast<unsigned long long>(nSeconds / 60),
                      static_cast<unsigned long long>(nSeconds % 60));
    return szText;
}
} // namespace

CProgressLine::CProgressLine(std::optional<std::uint64_t> nTotalBytes, CTerminalLine& line,
                             Clock clock)
    : m_nTotalBytes(nTotalBytes), m_line(line), m_clock(std::move(clock)), m_start(m_clock())
{
}

CProgressLine::~CProgressLine()
{
    if (m_bEverShown)
        m_line.Erase();
}

void CProgressLine::Update(std::uint64_t nBytes, std::uint64_t nGames)
{
    const auto now = m_clock();
    if (now - m_start < firstAfter || (m_bEverShown && now - m_lastShown < updateEvery))
        return;
    m_lastShown = now;
    m_bEverShown = true;
    m_line.Show(Text(m_nTotalBytes, nBytes, nGames, now - m_start));
}

std::string CProgressLine::Text(std::optional<std::uint64_t> nTotalBytes, std::uint64_t nBytes,
                                std::uint64_t nGames, std::chrono::steady_clock::duration elapsed)
{
    const double dSeconds = std::chrono::duration<double>(elapsed).count();
    const auto nRate =
        static_cast<unsigned long long>(dSeconds > 0 ? static_cast<double>(nGames) / dSeconds : 0);
    char szText[128];
    if (!nTotalBytes)
    {
        std::snprintf(szText, sizeof szText, "pivolo-solve: %llu %s, %llu games/s",
                      static_cast<unsigned long long>(nGames), nGames == 1 ? "game" : "games",
                      nRate);
        return szText;
    }
    const std::uint64_t nDone = nBytes < *nTotalBytes ? nBytes : *nTotalBytes;
    const unsigned nPercent =
        *nTotalBytes > 0 ? static_cast<unsigned>(nDone * 100 / *nTotalBytes) : 100;
    std::string left = "?";
    if (nDone > 0)
    {
        const double dLeft =
            dSeconds * static_cast<double>(*nTotalBytes - nDone) / static_cast<double>(nDone);
        left = Duration(static_cast<std::uint64_t>(dLeft + 0.5));
    }
    std::snprintf(szText, sizeof szText, "pivolo-solve: %u%% done, %llu games/s, %s left", nPercent,
                  nRate, left.c_str());
    return szText;
}
