// Reading pivolo-solve's input lines and checking their games as the dialog does.
#include "CBatchGame.h"
#include "CGameLine.h"
#include "CTilePool.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

using namespace std::string_literals;

namespace
{
using EKind = CGameLine::EKind;

EKind KindOf(std::string_view line)
{
    return CGameLine(line).Kind();
}

// The game's refusal message, or "" when it is accepted.
std::string RefusalOf(std::string_view text)
{
    const CGameLine line(text);
    EXPECT_EQ(line.Kind(), EKind::Game) << text;
    return CBatchGame(line).Check().value_or("");
}
} // namespace

TEST(GameLineTest, ParseNumber_ReadsTheWholeText)
{
    EXPECT_EQ(CGameLine::ParseNumber("7"), 7);
    EXPECT_EQ(CGameLine::ParseNumber("+25"), 25);
    EXPECT_EQ(CGameLine::ParseNumber("-1"), -1);
    EXPECT_EQ(CGameLine::ParseNumber(std::string(40, '0') + "100"), 100);
    EXPECT_EQ(CGameLine::ParseNumber("-0"), 0);
    EXPECT_EQ(CGameLine::ParseNumber("2147483647"), INT_MAX);
    EXPECT_EQ(CGameLine::ParseNumber("-2147483648"), INT_MIN);
}

TEST(GameLineTest, ParseNumber_KeepsValuesBeyondAnIntOutOfRange)
{
    // 2^32 + 1 and 2^64 + 7 would wrap to small, accepted values.
    EXPECT_EQ(CGameLine::ParseNumber("4294967297"), INT_MAX);
    EXPECT_EQ(CGameLine::ParseNumber("18446744073709551623"), INT_MAX);
    EXPECT_EQ(CGameLine::ParseNumber("-4294967297"), INT_MIN);
    EXPECT_EQ(CGameLine::ParseNumber(std::string(1000, '9')), INT_MAX);
}

TEST(GameLineTest, ParseNumber_RefusesAnythingButSignAndDigits)
{
    // The last two: an Arabic-Indic digit one, and 1 after a byte-order mark.
    for (const std::string& text : {""s, "+"s, "-"s, "+-1"s, "1x"s, "x1"s, " 1"s, "1 "s, "1\0"s,
                                    "0x10"s, "1e3"s, "1.0"s, "\xD9\xA1"s,
                                    "\xEF\xBB\xBF"
                                    "1"s})
        EXPECT_FALSE(CGameLine::ParseNumber(text).has_value()) << text;
}

TEST(GameLineTest, SevenNumbersAreAGame)
{
    const CGameLine line(" 2\t8  75 008 +100 25 387\r\n");
    ASSERT_EQ(line.Kind(), EKind::Game);
    const std::array<std::string, 7> texts = {"2", "8", "75", "008", "+100", "25", "387"};
    const std::array<int, 7> values = {2, 8, 75, 8, 100, 25, 387};
    EXPECT_EQ(line.Texts(), texts);
    EXPECT_EQ(line.Values(), values);
}

TEST(GameLineTest, EveryAsciiBlankSeparatesNumbers)
{
    EXPECT_EQ(KindOf("1 2\t3\n4\v5\f6\r7"), EKind::Game);
    EXPECT_EQ(KindOf(""), EKind::Skipped);
    EXPECT_EQ(KindOf(" \t\n\v\f\r"), EKind::Skipped);
    EXPECT_EQ(KindOf("\f"), EKind::Skipped);
}

TEST(GameLineTest, CommentsAreSkippedOnlyAtTheStart)
{
    EXPECT_EQ(KindOf("#"), EKind::Skipped);
    EXPECT_EQ(KindOf("  \t# 1 2 3 4 5 6 7"), EKind::Skipped);
    EXPECT_EQ(KindOf("1 2 3 4 5 6 7 # a game"), EKind::Malformed);
    EXPECT_EQ(KindOf("1 2 3 4 5 6 7#"), EKind::Malformed);
}

TEST(GameLineTest, OtherBytesMakeTheLineMalformed)
{
    EXPECT_EQ(KindOf("1 2 3 4 5 6 6\0 7 8"s), EKind::Malformed);
    EXPECT_EQ(KindOf("\0 1 2 3 4 5 6 7"s), EKind::Malformed);
    EXPECT_EQ(KindOf("\0"s), EKind::Malformed);
    EXPECT_EQ(KindOf("1 2 3 4 5 6 7\0"s), EKind::Malformed);
    EXPECT_EQ(KindOf("1 2 3 4 5 6 7\xC2\xA0"), EKind::Malformed);
    EXPECT_EQ(KindOf("1 2 x 4 5 6 7"), EKind::Malformed);
}

TEST(GameLineTest, OnlySevenNumbersMakeAGame)
{
    EXPECT_EQ(KindOf("1"), EKind::Malformed);
    EXPECT_EQ(KindOf("1 2 3 4 5 6"), EKind::Malformed);
    EXPECT_EQ(KindOf("1 2 3 4 5 6 7 8"), EKind::Malformed);
}

TEST(GameLineTest, ByteOrderMarkIsSkippedAtTheStartOnly)
{
    EXPECT_EQ(CGameLine::SkipByteOrderMark("\xEF\xBB\xBF"
                                           "1 2"),
              "1 2");
    EXPECT_EQ(CGameLine::SkipByteOrderMark("1 \xEF\xBB\xBF"), "1 \xEF\xBB\xBF");
    EXPECT_EQ(CGameLine::SkipByteOrderMark("\xEF\xBB"), "\xEF\xBB");
}

TEST(BatchGameTest, Check_AcceptsWhatTheDialogAccepts)
{
    EXPECT_EQ(RefusalOf("1 1 10 10 25 25 0"), "");
    EXPECT_EQ(RefusalOf("100 100 75 75 50 50 999"), "");
    // Read whole: 30 zeros and 100 is the tile 100, not a third 1.
    EXPECT_EQ(RefusalOf("000000000000000000000000000000100 1 1 2 2 3 100"), "");
}

TEST(BatchGameTest, Check_RefusesWhatTheDialogRefuses)
{
    for (const char* line : {"0 1 2 3 4 5 6", "11 1 2 3 4 5 6", "1 2 3 4 5 -5 6",
                             "100 100 100 1 2 3 4", "7 7 7 1 2 3 4", "4294967297 2 3 4 5 6 7"})
        EXPECT_EQ(RefusalOf(line), CTilePool::szBadTile) << line;
    for (const char* line : {"1 2 3 4 5 6 1000", "1 2 3 4 5 6 -1", "1 2 3 4 5 6 4294967296"})
        EXPECT_EQ(RefusalOf(line), CBatchGame::szBadTarget) << line;
}

TEST(BatchGameTest, Check_GivesTheSolverTheValues)
{
    const CGameLine line("+2 08 75 8 100 25 0387");
    CBatchGame game(line);
    ASSERT_FALSE(game.Check().has_value());
    const std::array<int, 6> tiles = {2, 8, 75, 8, 100, 25};
    EXPECT_EQ(game.Tiles(), tiles);
    EXPECT_EQ(game.Target(), 387);
}

TEST(BatchGameTest, Play_WritesTheGameAsTypedAndItsLines)
{
    const CGameLine line("1 2 3 4 5 6 03");
    std::string text = "before\n";
    EXPECT_TRUE(CBatchGame(line).Play(text));
    EXPECT_EQ(text, "before\ngame: 1 2 3 4 5 6 03\nlist: 3\t= 1 + 2\nstdout: Sol : 3 \n"
                    "result: 1 reached: 3\n");

    const CGameLine refused("1 2 3 4 5 6 1000");
    text.clear();
    EXPECT_FALSE(CBatchGame(refused).Play(text));
    EXPECT_EQ(text, "game: 1 2 3 4 5 6 1000\nerror: Valeur à trouver incorrecte\n");
}
