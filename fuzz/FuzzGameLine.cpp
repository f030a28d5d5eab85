// pivolo-solve's reading of an input line and its checks of the game, against a plain
// reading of the same bytes: words split at ASCII blanks, each number's value worked out
// from its digits, the dialog's rules applied to the values. The same bytes as a line of
// --check, a game and an answer, judged and written as text and as JSON.
#include "CBatchGame.h"
#include "CCheckLine.h"
#include "CGameLine.h"
#include "CInputSolver.h"
#include "CLineReader.h"
#include "CTilePool.h"
#include "FuzzCheck.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace
{
bool IsBlank(char c)
{
    return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos;
}

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size())
    {
        if (IsBlank(line[i]))
        {
            ++i;
            continue;
        }
        const std::size_t nStart = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        words.push_back(line.substr(nStart, i - nStart));
    }
    return words;
}

// A sign and digits: the value, or the nearest int to it when it lies beyond.
std::optional<int> PlainValue(std::string_view word)
{
    const bool bNegative = !word.empty() && word[0] == '-';
    if (!word.empty() && (word[0] == '-' || word[0] == '+'))
        word.remove_prefix(1);
    if (word.empty() || word.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const std::size_t nFirst = word.find_first_not_of('0');
    const std::string_view digits = nFirst == std::string_view::npos ? "0" : word.substr(nFirst);
    if (digits.size() > 10)
        return bNegative ? INT_MIN : INT_MAX;
    const long long nValue = (bNegative ? -1 : 1) * std::stoll(std::string(digits));
    return nValue < INT_MIN ? INT_MIN : nValue > INT_MAX ? INT_MAX : static_cast<int>(nValue);
}

bool IsTileValue(int nValue)
{
    return (nValue >= 1 && nValue <= 10) || nValue == 25 || nValue == 50 || nValue == 75 ||
           nValue == 100;
}

// The dialog's rules on the values: the tile message first, then the target's.
std::optional<std::string> PlainRefusal(const std::array<int, 7>& values)
{
    std::map<int, int> counts;
    for (std::size_t i = 0; i < 6; ++i)
    {
        if (!IsTileValue(values[i]) || ++counts[values[i]] > 2)
            return CTilePool::szBadTile;
    }
    if (values[6] < 0 || values[6] > 999)
        return CBatchGame::szBadTarget;
    return std::nullopt;
}

void CheckGame(const CGameLine& line, const std::vector<std::string_view>& words)
{
    std::array<int, 7> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
    {
        FUZZ_CHECK(line.Texts()[i] == words[i]);
        values[i] = *PlainValue(words[i]);
        FUZZ_CHECK(line.Values()[i] == values[i]);
    }
    CBatchGame game(line);
    const std::optional<std::string> refusal = game.Check();
    FUZZ_CHECK(refusal == PlainRefusal(values));
    if (refusal)
        return;
    for (std::size_t i = 0; i < 6; ++i)
        FUZZ_CHECK(game.Tiles()[i] == values[i]);
    FUZZ_CHECK(game.Target() == values[6]);
}
// A game before the first colon and the answer after it, without its blanks; judged, the line
// gives its lines of text, or one JSON object on one line.
void CheckAnswerLine(std::string_view text)
{
    const CCheckLine check(text);
    const std::size_t nColon = text.find(':');
    const bool bGame = nColon != std::string_view::npos &&
                       CGameLine(text.substr(0, nColon)).Kind() == CGameLine::EKind::Game;
    const bool bSkipped = CGameLine(text).Kind() == CGameLine::EKind::Skipped;
    FUZZ_CHECK(check.Kind() == (bSkipped ? CGameLine::EKind::Skipped
                                : bGame  ? CGameLine::EKind::Game
                                         : CGameLine::EKind::Malformed));
    if (check.Kind() == CGameLine::EKind::Game)
        FUZZ_CHECK(text.substr(nColon + 1).find(check.Answer()) != std::string_view::npos);
    for (const auto eFormat : {CSolveOptions::EFormat::Text, CSolveOptions::EFormat::Json})
    {
        std::string output;
        CInputSolver(std::nullopt, CSolveOptions::EWork::Check, eFormat).SolveLine(1, text, output);
        const bool bWritten = !bSkipped || text.size() > CLineReader::nMaxLine;
        FUZZ_CHECK(output.empty() != bWritten);
        if (bWritten)
            FUZZ_CHECK(output.back() == '\n');
        if (bWritten && eFormat == CSolveOptions::EFormat::Json)
            FUZZ_CHECK(output.rfind("{\"line\":1,", 0) == 0 &&
                       output.find('\n') == output.size() - 1);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    const std::string_view withoutMark = CGameLine::SkipByteOrderMark(text);
    FUZZ_CHECK(text.substr(0, 3) == "\xEF\xBB\xBF" ? withoutMark == text.substr(3)
                                                   : withoutMark == text);

    const CGameLine line(text);
    const std::vector<std::string_view> words = Words(text);
    bool bNumbers = words.size() == CGameLine::nNumbers;
    for (std::string_view word : words)
        bNumbers = bNumbers && PlainValue(word).has_value();
    if (words.empty() || words[0][0] == '#')
        FUZZ_CHECK(line.Kind() == CGameLine::EKind::Skipped);
    else if (!bNumbers)
        FUZZ_CHECK(line.Kind() == CGameLine::EKind::Malformed);
    else
    {
        FUZZ_CHECK(line.Kind() == CGameLine::EKind::Game);
        CheckGame(line, words);
    }
    CheckAnswerLine(text);
    return 0;
}
