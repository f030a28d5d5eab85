#include "CProgressBar.h"
#include "CTerminalLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct Terminal
{
    double dNow = 100;
    std::size_t nColumns = 80;
    std::vector<std::string> writes;
    CTerminalLine line{[this](std::string_view text) { writes.emplace_back(text); },
                       [this] { return nColumns; }};

    CProgressBar Bar(std::size_t nTotal)
    {
        return CProgressBar(nTotal, line, [this] { return dNow; });
    }
};
} // namespace

// The bar is redrawn in place at most five times a second, with the share done and the time
// left at the pace so far, and erased at the end: the terminal's line is as it was found.
TEST(ProgressBar, RedrawsInPlaceAtMostFiveTimesASecondThenErases)
{
    Terminal terminal;
    CProgressBar bar = terminal.Bar(200);
    bar.Update(0);
    ASSERT_EQ(terminal.writes.size(), 1u);
    EXPECT_EQ(terminal.writes[0], "\r" + CProgressBar::Line(0, 200, 0));
    EXPECT_NE(terminal.writes[0].find("  0%  --:-- left"), std::string::npos) << terminal.writes[0];

    terminal.dNow += 0.1;
    bar.Update(10);
    EXPECT_EQ(terminal.writes.size(), 1u) << "too soon to redraw";
    terminal.dNow += 29.9; // 30 s for a quarter: 90 s left
    bar.Update(50);
    ASSERT_EQ(terminal.writes.size(), 2u);
    EXPECT_NE(terminal.writes[1].find(" 25%  1:30 left"), std::string::npos) << terminal.writes[1];
    EXPECT_EQ(terminal.writes[1].find('\n'), std::string::npos);

    bar.Finish();
    ASSERT_EQ(terminal.writes.size(), 3u);
    EXPECT_EQ(terminal.writes[2], "\r" + std::string(CProgressBar::kWidth - 1, ' ') + "\r");
    bar.Finish();
    EXPECT_EQ(terminal.writes.size(), 3u) << "erased once";

    Terminal quiet;
    quiet.Bar(10).Finish();
    EXPECT_TRUE(quiet.writes.empty()) << "nothing to erase when nothing was drawn";
}

// Every line has the same width, shorter than the terminal's, whatever the figures; on a
// narrow terminal the bar shrinks, then only the figures are left, never wider than the
// terminal (a line as wide wraps, and each redraw would leave one behind).
TEST(ProgressBar, LinesKeepOneWidthWithinTheTerminal)
{
    const struct
    {
        std::size_t nDone;
        std::size_t nTotal;
        double dElapsed;
        std::size_t nRoom;
        std::size_t nLength;
        const char* szText;
    } cases[] = {
        {0, 19383, 0, 79, 59, "  0%  --:-- left"},    {1, 19383, 1, 79, 59, "  0%  5:23:02 left"},
        {19383, 19383, 2, 79, 59, "100%  0:00 left"}, {0, 0, 0, 79, 59, "100%  --:-- left"},
        {7, 5, 1, 79, 59, "100%  0:00 left"},         {50, 100, 10, 39, 39, "]  50%  0:10 left"},
        {50, 100, 10, 20, 15, " 50%  0:10 left"},     {50, 100, 10, 9, 9, " 50%  0:1"},
    };
    for (const auto& c : cases)
    {
        const std::string line = CProgressBar::Line(c.nDone, c.nTotal, c.dElapsed, c.nRoom);
        EXPECT_EQ(line.size(), c.nLength) << line;
        EXPECT_NE(line.find(c.szText), std::string::npos) << line;
    }
    EXPECT_EQ(CProgressBar::Line(19383, 19383, 2).find('.'), std::string::npos) << "all filled";

    Terminal narrow;
    narrow.nColumns = 40;
    CProgressBar bar = narrow.Bar(100);
    bar.Update(50);
    ASSERT_EQ(narrow.writes.size(), 1u);
    EXPECT_EQ(narrow.writes[0].size(), 40u) << "a carriage return and 39 characters";
}

// The terminal's line: a text cut short of the last column, a shorter one covering a longer
// one, erased once; text written around it finds the line empty.
TEST(TerminalLine, CutsToTheWidthCoversAndErases)
{
    std::string written;
    std::size_t nColumns = 10;
    CTerminalLine line([&](std::string_view text) { written.append(text); },
                       [&] { return nColumns; });
    line.Show("pivolo-solve: 12% done");
    EXPECT_EQ(written, "\rpivolo-so");
    EXPECT_EQ(line.Shown(), 9u);
    written.clear();
    line.Show("1%");
    EXPECT_EQ(written, "\r1%       ");
    written.clear();
    line.EraseAround([&] { written.append("game: 1 2 3 4 5 6 7\n"); });
    EXPECT_EQ(written, "\r  \rgame: 1 2 3 4 5 6 7\n");
    written.clear();
    line.Erase();
    EXPECT_EQ(written, "");
    nColumns = 0;
    line.Show("abc");
    EXPECT_EQ(written, "\ra") << "one column at least";
}
