// The judge's reading of a player's answer, on any bytes: no crash, no hang, the reader in
// linear time (at most a millisecond a kilobyte on the thread's processor time, sanitizers
// and all, with 2 ms to spare), and a verdict that holds together: faults in the order of the
// text at places inside it, their text valid UTF-8; a valid answer's steps legal, each after
// its operands, with no tile used more often than drawn.
#include "CAnswerReader.h"
#include "CJudge.h"
#include "CStepChecker.h"
#include "FuzzCheck.h"

#include <ctime>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace
{
double ThreadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Well-formed UTF-8 (no overlong form, no surrogate, nothing past U+10FFFF).
bool ValidUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();)
    {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80                 ? 1
                              : b >= 0xC2 && b <= 0xDF ? 2
                              : b >= 0xE0 && b <= 0xEF ? 3
                              : b >= 0xF0 && b <= 0xF4 ? 4
                                                       : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
        {
            const auto c = static_cast<unsigned char>(s[i + k]);
            const unsigned nLow = k > 1 ? 0x80 : b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
            const unsigned nHigh = k > 1 ? 0xBF : b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
            if (c < nLow || c > nHigh)
                return false;
        }
        i += n;
    }
    return true;
}

// The characters of the text, counted as the judge counts them (a byte that begins no
// character is one).
int Characters(std::string_view s)
{
    int n = 0;
    for (std::size_t i = 0; i < s.size(); ++n)
    {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t k = b >= 0xC2 && b <= 0xDF   ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 1;
        if (i + k > s.size() || !ValidUtf8(s.substr(i, k)))
            k = 1;
        i += k;
    }
    return n;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // The first byte picks the game (equal tiles, large tiles whose products pass 32 bits,
    // small tiles), asks for the rank (bit 0) and for the long read (bits 3 to 5).
    static const std::array<std::array<std::int32_t, 7>, 4> games = {{
        {50, 8, 3, 7, 2, 10, 402},
        {5, 5, 1, 4, 50, 8, 400},
        {100, 100, 75, 75, 50, 50, 999},
        {1, 1, 2, 2, 3, 3, 81},
    }};
    if (nSize == 0)
        return 0;
    const auto& game = games[(pData[0] >> 1) % games.size()];
    const std::string_view answer(reinterpret_cast<const char*>(pData + 1), nSize - 1);

    // The reader's time, the least of three reads (a page fault now and then is no part of
    // it), on the input and, now and then, on the input repeated to 32 kilobytes.
    auto readMs = [](std::string_view text)
    {
        double dLeast = 1e9;
        for (int i = 0; i < 3; ++i)
        {
            CAnswerReader reader;
            std::vector<CAnswerReader::SStep> steps;
            std::vector<CJudge::SFault> faults;
            const double dStart = ThreadMs();
            reader.Read(text, steps, faults);
            dLeast = std::min(dLeast, ThreadMs() - dStart);
        }
        return dLeast;
    };
    FUZZ_CHECK(readMs(answer) <= 2.0 + static_cast<double>(answer.size()) / 1024.0);
    if ((pData[0] & 0x38) == 0x38 && !answer.empty())
    {
        std::string longer;
        while (longer.size() < 32768)
            longer += answer;
        FUZZ_CHECK(readMs(longer) <= 2.0 + static_cast<double>(longer.size()) / 1024.0);
    }

    // One judge per game, its tables worked out once.
    static std::array<CJudge, 4> judges;
    static bool bSet = false;
    for (std::size_t i = 0; i < games.size() && !bSet; ++i)
        judges[i].SetGame(std::span(games[i].data(), 6), games[i][6]);
    bSet = true;
    const CJudge::SVerdict v = judges[(pData[0] >> 1) % games.size()].Judge(
        answer, pData[0] & 1 ? CJudge::EPlace::Ranked : CJudge::EPlace::Unranked);
    FUZZ_CHECK(v.bValid == v.faults.empty());
    const int nChars = Characters(answer);
    for (std::size_t i = 0; i < v.faults.size(); ++i)
    {
        const CJudge::SFault& f = v.faults[i];
        FUZZ_CHECK(i == 0 || v.faults[i - 1].nPosition <= f.nPosition);
        FUZZ_CHECK(f.nPosition >= 1 && f.nPosition + f.nLength <= nChars + 1);
        FUZZ_CHECK(f.nStep >= 0 && f.nStep <= v.nSteps && f.nLine >= 1 && f.nColumn >= 1);
        FUZZ_CHECK(ValidUtf8(f.found));
    }
    if (!v.bValid)
        return 0;
    std::vector<std::int32_t> left(game.begin(), game.begin() + 6);
    for (std::size_t i = 0; i < v.steps.size(); ++i)
    {
        const CAllSolutions::SWayNode& node = v.steps[i].node;
        if (node.nOperator < 0)
        {
            const auto tile = std::find(left.begin(), left.end(), node.nValue);
            FUZZ_CHECK(tile != left.end());
            left.erase(tile);
            continue;
        }
        FUZZ_CHECK(node.nLeft >= 0 && node.nLeft < static_cast<int>(i) && node.nRight >= 0 &&
                   node.nRight < static_cast<int>(i));
        std::int64_t r = 0;
        FUZZ_CHECK(!CStepChecker::Apply(node.nOperator, v.steps[node.nLeft].node.nValue,
                                        v.steps[node.nRight].node.nValue, r));
        FUZZ_CHECK(r == node.nValue);
    }
    FUZZ_CHECK(v.steps.back().node.nValue == v.nValue);
    FUZZ_CHECK(!v.bRanked || (v.nRank >= 1 && v.nRank <= v.nSolutions &&
                              v.solution.way.back().nValue == v.nValue));
    return 0;
}
