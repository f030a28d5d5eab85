#include "CProgressBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct Terminal
{
    double dNow = 100;
    std::vector<std::string> writes;

    CProgressBar Bar(std::size_t nTotal)
    {
        return CProgressBar(
            nTotal, [this](std::string_view text) { writes.emplace_back(text); },
            [this] { return dNow; });
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
    EXPECT_EQ(terminal.writes[2], "\r" + std::string(CProgressBar::kWidth, ' ') + "\r");
    bar.Finish();
    EXPECT_EQ(terminal.writes.size(), 3u) << "erased once";

    Terminal quiet;
    quiet.Bar(10).Finish();
    EXPECT_TRUE(quiet.writes.empty()) << "nothing to erase when nothing was drawn";
}

// Every line has the same width, shorter than the terminal's, whatever the figures.
TEST(ProgressBar, LinesKeepOneWidth)
{
    const struct
    {
        std::size_t nDone;
        std::size_t nTotal;
        double dElapsed;
        const char* szTail;
    } cases[] = {
        {0, 19383, 0, "  0%  --:-- left"},    {1, 19383, 1, "  0%  5:23:02 left"},
        {19383, 19383, 2, "100%  0:00 left"}, {0, 0, 0, "100%  --:-- left"},
        {7, 5, 1, "100%  0:00 left"},
    };
    for (const auto& c : cases)
    {
        const std::string line = CProgressBar::Line(c.nDone, c.nTotal, c.dElapsed);
        EXPECT_EQ(line.size(), CProgressBar::kWidth - 1) << line;
        EXPECT_NE(line.find(c.szTail), std::string::npos) << line;
        EXPECT_EQ(line.front(), '[');
    }
    EXPECT_EQ(CProgressBar::Line(19383, 19383, 2).find('.'), std::string::npos) << "all filled";
}
