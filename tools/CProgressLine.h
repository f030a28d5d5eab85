#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A line on a terminal that tells how far a long run has gone and updates in place: the
// share of the input done, games a second and the time left when the input's length is
// known, else the games done and games a second. It shows only once the run has lasted a
// while, so that short runs show nothing, and changes a few times a second at most; it is
// erased at the end, and before any other text goes to the same terminal.
class CProgressLine
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Writes text to the terminal as it comes.
    using Output = std::function<void(std::string_view text)>;

    static constexpr std::chrono::milliseconds firstAfter{500};
    static constexpr std::chrono::milliseconds updateEvery{200};

    // nTotalBytes: the input's length, when it is known.
    CProgressLine(std::optional<std::uint64_t> nTotalBytes, Output output,
                  Clock clock = &std::chrono::steady_clock::now);
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;
    // Erases the line.
    ~CProgressLine();

    // How far the run has gone: bytes of the input read, games read.
    void Update(std::uint64_t nBytes, std::uint64_t nGames);
    // Erases the line, leaving the cursor at the start of the line; the next update shows
    // it again.
    void Erase();

    // The line's text.
    static std::string Text(std::optional<std::uint64_t> nTotalBytes, std::uint64_t nBytes,
                            std::uint64_t nGames, std::chrono::steady_clock::duration elapsed);

private:
    std::optional<std::uint64_t> m_nTotalBytes;
    Output m_output;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastShown;
    // The length of the text on the terminal, 0 when nothing is shown.
    std::size_t m_nShown = 0;
    bool m_bEverShown = false;
};
