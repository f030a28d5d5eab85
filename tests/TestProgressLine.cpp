#include "CProgressLine.h"
#include "CTerminalLine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace std::chrono_literals;

namespace
{
// A terminal that records what is written, and a clock that the test moves.
struct SFakeTerminal
{
    std::string written;
    std::chrono::steady_clock::time_point now{};
    CTerminalLine line{[this](std::string_view text) { written.append(text); },
                       [] { return std::size_t{80}; }};

    CProgressLine::Clock Clock()
    {
        return [this] { return now; };
    }
    // What was written since the last call.
    std::string Take() { return std::exchange(written, std::string()); }
};
} // namespace

TEST(ProgressLine, ShowsOnlyAfterAWhileAtAFewUpdatesASecondInPlaceAndIsErased)
{
    SFakeTerminal terminal;
    {
        CProgressLine progress(4000, terminal.line, terminal.Clock());
        // A short run shows nothing.
        terminal.now += 499ms;
        progress.Update(100, 10);
        EXPECT_EQ(terminal.Take(), "");
        terminal.now += 1ms;
        progress.Update(1000, 500);
        EXPECT_EQ(terminal.Take(), "\rpivolo-solve: 25% done, 1000 games/s, 0:02 left");
        // Not again within a fifth of a second.
        terminal.now += 199ms;
        progress.Update(1100, 600);
        EXPECT_EQ(terminal.Take(), "");
        terminal.now += 301ms;
        progress.Update(2000, 1000);
        EXPECT_EQ(terminal.Take(), "\rpivolo-solve: 50% done, 1000 games/s, 0:01 left");
        // Erased before another message: spaces over the text, the cursor back at its start;
        // the next update shows it again.
        terminal.line.Erase();
        EXPECT_EQ(terminal.Take(), "\r" + std::string(47, ' ') + "\r");
        terminal.line.Erase();
        EXPECT_EQ(terminal.Take(), "");
        terminal.now += 3599s;
        progress.Update(3999, 1000);
        EXPECT_EQ(terminal.Take(), "\rpivolo-solve: 99% done, 0 games/s, 0:01 left");
    }
    // Erased at the end.
    EXPECT_EQ(terminal.Take(), "\r" + std::string(44, ' ') + "\r");

    // A run that shows nothing erases nothing.
    {
        CProgressLine progress(4000, terminal.line, terminal.Clock());
        progress.Update(4000, 10);
    }
    EXPECT_EQ(terminal.Take(), "");
}

TEST(ProgressLine, TellsTheGamesAloneWhenTheInputsLengthIsUnknown)
{
    SFakeTerminal terminal;
    CProgressLine progress(std::nullopt, terminal.line, terminal.Clock());
    terminal.now += 2s;
    progress.Update(123456, 123456);
    EXPECT_EQ(terminal.Take(), "\rpivolo-solve: 123456 games, 61728 games/s");
    // A shorter text covers the longer one before it.
    terminal.now += 98s;
    progress.Update(123456, 123456);
    EXPECT_EQ(terminal.Take(), "\rpivolo-solve: 123456 games, 1234 games/s ");
}

TEST(ProgressLine, TellsTheTimeLeftInMinutesOrHours)
{
    const auto text = [](std::uint64_t nDone, std::chrono::seconds elapsed)
    { return CProgressLine::Text(1000, nDone, 0, elapsed); };
    EXPECT_EQ(text(0, 10s), "pivolo-solve: 0% done, 0 games/s, ? left");
    EXPECT_EQ(text(500, 75s), "pivolo-solve: 50% done, 0 games/s, 1:15 left");
    EXPECT_EQ(text(100, 1000s), "pivolo-solve: 10% done, 0 games/s, 2:30:00 left");
    EXPECT_EQ(text(1000, 10s), "pivolo-solve: 100% done, 0 games/s, 0:00 left");
}
