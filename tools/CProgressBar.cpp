#include "CProgressBar.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace
{
// "m:ss", or "h:mm:ss" from an hour on.
std::string Duration(double dSeconds)
{
    const long nSeconds = std::lround(std::max(dSeconds, 0.0));
    char sz[32];
    if (nSeconds >= 3600)
        std::snprintf(sz, sizeof sz, "%ld:%02ld:%02ld", nSeconds / 3600, nSeconds / 60 % 60,
                      nSeconds % 60);
    else
        std::snprintf(sz, sizeof sz, "%ld:%02ld", nSeconds / 60, nSeconds % 60);
    return sz;
}
} // namespace

CProgressBar::CProgressBar(std::size_t nTotal, CTerminalLine& line, Clock clock)
    : m_nTotal(nTotal), m_line(line), m_clock(std::move(clock)), m_dStart(m_clock())
{
}

void CProgressBar::Update(std::size_t nDone)
{
    const double dNow = m_clock();
    if (m_bDrawn && dNow - m_dLastDrawn < kInterval)
        return;
    m_line.Show(Line(nDone, m_nTotal, dNow - m_dStart, m_line.Room()));
    m_dLastDrawn = dNow;
    m_bDrawn = true;
}

void CProgressBar::Finish()
{
    if (!m_bDrawn)
        return;
    m_line.Erase();
    m_bDrawn = false;
}

std::string CProgressBar::Line(std::size_t nDone, std::size_t nTotal, double dElapsed,
                               std::size_t nRoom)
{
    nDone = std::min(nDone, nTotal);
    const double dShare =
        nTotal == 0 ? 1.0 : static_cast<double>(nDone) / static_cast<double>(nTotal);
    // The time left is guessed from the pace so far, once there is a pace to go by.
    std::string left = "--:--";
    if (nDone > 0 && dElapsed > 0)
        left =
            Duration(dElapsed * static_cast<double>(nTotal - nDone) / static_cast<double>(nDone));
    char szTail[64];
    std::snprintf(szTail, sizeof szTail, "] %3d%%  %s left", static_cast<int>(dShare * 100),
                  left.c_str());
    const std::string tail = szTail;
    const std::size_t nWidth = std::min(nRoom, kWidth - 1);
    // A narrow terminal gets the figures alone, without the bar.
    if (nWidth < tail.size() + 4)
        return tail.substr(2).substr(0, nWidth);
    const std::size_t nBar = nWidth - tail.size() - 1;
    const std::size_t nFull = static_cast<std::size_t>(dShare * static_cast<double>(nBar));
    std::string line = "[" + std::string(nFull, '#') + std::string(nBar - nFull, '.') + tail;
    line.resize(nWidth, ' ');
    return line;
}

double CProgressBar::SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
