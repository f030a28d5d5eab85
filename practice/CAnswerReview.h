#pragma once

#include "CJudge.h"
#include "CTargetLevel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The practice window's words on an answer, in French, from the judge: a mark for each line
// as it is typed, then the verdict (exact, or how far and whether the best possible; every
// fault named; steps that change nothing), which distinct solution the answer is, and the
// simplest solutions to learn from.
class CAnswerReview
{
public:
    using Tiles = std::array<std::int32_t, 6>;

    struct SLineMark
    {
        enum class EKind
        {
            None,
            Right,
            Wrong,
        };
        EKind eKind = EKind::None;
        std::string reason;
    };

    enum class EEnd
    {
        Submitted,
        TimeUp,
    };

    struct SSolutionLine
    {
        std::string text;
        // A value's heading, above its solutions.
        bool bHeading = false;
        // The solution the player's answer is.
        bool bPlayers = false;
    };

    struct SReview
    {
        bool bValid = false;
        bool bTargetMade = false;
        bool bBest = false;
        // The verdict in one sentence: what a screen reader announces first.
        std::string headline;
        // Each fault, each step that changes nothing, which solution the answer is.
        std::vector<std::string> details;
        std::vector<SSolutionLine> solutions;
    };

    // How many solutions of each value the review lists; all are counted.
    static constexpr std::size_t SOLUTIONS_SHOWN = 5;

    void SetGame(const Tiles& tiles, std::int32_t nTarget);

    // One mark a line of the answer. The line being typed (1-based) gets none while it merely
    // stops short.
    std::vector<SLineMark> CheckLines(std::string_view answer, int nTypingLine);
    SReview Review(std::string_view answer, EEnd eEnd);

    // A fault in a few words, without where it stands: "7 / 2 ne tombe pas juste".
    static std::string FaultText(const CJudge::SFault& fault, bool bSeveralSteps);

private:
    std::string Where(const CJudge::SFault& fault, const CJudge::SVerdict& verdict) const;
    void AddPlace(const CJudge::SVerdict& verdict, SReview& review) const;
    void AddSolutions(const CJudge::SVerdict& verdict, SReview& review);
    void AddValue(std::int32_t nValue, const std::string& heading, const CJudge::SVerdict& verdict,
                  SReview& review);

    CJudge m_judge;
    std::int32_t m_nTarget = 0;
    int m_nAnswerLines = 0;
};
