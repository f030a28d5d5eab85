#pragma once

#include "CTerminalLine.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// pivolo-solve's progress, on a terminal's line: the share of the input solved, games a
// second and the time left when the input's length is known, else the games solved and
// games a second. It shows only once the run has lasted a while, so that short runs show
// nothing, and changes a few times a second at most; it is erased at the end (the line
// itself is erased before any other text goes to the same terminal).
class CProgressLine
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::chrono::milliseconds firstAfter{500};
    static constexpr std::chrono::milliseconds updateEvery{200};

    // nTotalBytes: the input's length, when it is known.
    CProgressLine(std::optional<std::uint64_t> nTotalBytes, CTerminalLine& line,
                  Clock clock = &std::chrono::steady_clock::now);
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;
    // Erases the line.
    ~CProgressLine();

    // How far the run has gone: the input's bytes whose games are solved, the games solved.
    void Update(std::uint64_t nBytes, std::uint64_t nGames);

    // The line's text.
    static std::string Text(std::optional<std::uint64_t> nTotalBytes, std::uint64_t nBytes,
                            std::uint64_t nGames, std::chrono::steady_clock::duration elapsed);

private:
    std::optional<std::uint64_t> m_nTotalBytes;
    CTerminalLine& m_line;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastShown;
    bool m_bEverShown = false;
};
