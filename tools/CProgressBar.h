#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// A progress bar on one line of a terminal: the share done and the time left, redrawn in
// place (a carriage return, no new line) at most a few times a second, and erased when the
// work is done, so that the terminal is left as it was found. Where it writes and what time
// it is are given to it, so that it can be tried without a terminal or a clock.
class CProgressBar
{
public:
    // Seconds from any fixed start.
    using Clock = std::function<double()>;
    using Sink = std::function<void(std::string_view)>;

    CProgressBar(std::size_t nTotal, Sink sink, Clock clock);

    // nDone of the total are done; redraws the bar when the last drawing is old enough.
    void Update(std::size_t nDone);
    // Erases the bar, if it was drawn.
    void Finish();

    // The bar's text for nDone of nTotal, with the seconds spent so far (without the
    // carriage return).
    static std::string Line(std::size_t nDone, std::size_t nTotal, double dElapsed);

    // The least time between two drawings, in seconds.
    static constexpr double kInterval = 0.2;
    // The bar's width on the terminal, in characters, room left for the cursor.
    static constexpr std::size_t kWidth = 60;

    // Seconds of the steady clock.
    static double SteadySeconds();

private:
    std::size_t m_nTotal;
    Sink m_sink;
    Clock m_clock;
    double m_dStart;
    double m_dLastDrawn = 0;
    bool m_bDrawn = false;
};
