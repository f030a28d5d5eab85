#pragma once

#include "CTerminalLine.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// pivolo-stats' progress bar on a terminal's line: the share done and the time left, redrawn
// in place at most a few times a second, as wide as the terminal allows, and erased when
// the work is done, so that the terminal is left as it was found. The line and the clock
// are given to it, so that it can be tried without a terminal or a clock.
class CProgressBar
{
public:
    // Seconds from any fixed start.
    using Clock = std::function<double()>;

    CProgressBar(std::size_t nTotal, CTerminalLine& line, Clock clock);

    // nDone of the total are done; redraws the bar when the last drawing is old enough.
    void Update(std::size_t nDone);
    // Erases the bar, if it was drawn.
    void Finish();

    // The bar's text for nDone of nTotal, with the seconds spent so far, at most nRoom
    // characters long (kWidth - 1 at most).
    static std::string Line(std::size_t nDone, std::size_t nTotal, double dElapsed,
                            std::size_t nRoom = kWidth - 1);

    // The least time between two drawings, in seconds.
    static constexpr double kInterval = 0.2;
    // The bar's widest, in characters, room left for the cursor.
    static constexpr std::size_t kWidth = 60;

    // Seconds of the steady clock.
    static double SteadySeconds();

private:
    std::size_t m_nTotal;
    CTerminalLine& m_line;
    Clock m_clock;
    double m_dStart;
    double m_dLastDrawn = 0;
    bool m_bDrawn = false;
};
