#pragma once

#include "CAllSolutions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The lines pivolo-solve --all writes for one game: every distinct solution of the value the
// dialog reached, or of the nearest values above and below the target when the dialog could
// not reach it, each value's count, then each solution's steps and its expression.
class CAllSolutionsText
{
public:
    // At most nMax solutions of each value are written; all are counted.
    explicit CAllSolutionsText(std::size_t nMax);

    // A value whose solutions are written: the target, or a nearest value above or below it.
    struct SValue
    {
        // "target", "above" or "below".
        const char* pszSide = "target";
        // The value the dialog reached (always so for the target).
        bool bReached = false;
        CAllSolutions::SValueSolutions all;
    };
    // The values for checked tiles, the target and the value the dialog reached, each with
    // its solutions.
    std::vector<SValue> Values(const std::array<int, 6>& tiles, int nTarget, std::int32_t nReached);
    // Appends their lines.
    void Append(const std::array<int, 6>& tiles, int nTarget, std::int32_t nReached,
                std::string& text);

    // The lines of the nNumber-th solution of nValue: "solution:", "step:", "expression:".
    static void AppendSolution(std::uint64_t nNumber, const CAllSolutions::SSolution& solution,
                               std::int32_t nValue, std::string& text);
    // A step of a way as the dialog lists it: "42\t= 7 x 6".
    static std::string StepLine(const std::vector<CAllSolutions::SWayNode>& way,
                                const CAllSolutions::SWayNode& node);
    // A step as a player writes it: "7 x 6 = 42".
    static std::string StepText(const std::vector<CAllSolutions::SWayNode>& way,
                                const CAllSolutions::SWayNode& node);
    // An operation and its operands, as written, whatever their values: "7 x 6" (? for an
    // operator that is none of the four).
    static std::string Operation(int nOperator, std::int64_t nLeft, std::int64_t nRight);

    // The way in ordinary notation, with the fewest parentheses that keep its steps: "x"
    // and "/" before "+" and "-", otherwise from left to right.
    static std::string Expression(const std::vector<CAllSolutions::SWayNode>& way);

private:
    std::size_t m_nMax;
    CAllSolutions m_solutions;
};
