#pragma once

#include "CAnswerReader.h"
#include "CJudge.h"

#include <cstdint>
#include <optional>
#include <vector>

// The arithmetic of one step of an answer, on the numbers as written: each chain of + and -
// (x and /) worked in its written order, or, when that passes through a value the game
// refuses, in another order that the game accepts (3 - 7 + 50 as 3 + 50 - 7). Division by 0
// is a fault in any order.
class CStepChecker
{
public:
    // A node of the step worked in a legal order: an operation on two earlier nodes, or a
    // number of the step (nNumber: its index among the step's nodes).
    struct SNode
    {
        CAllSolutions::SWayNode node;
        int nNumber = -1;
        int nPosition = 0;
    };

    // The step's value, or none after a fault (added to faults, unless it follows from a
    // number already at fault). nodes: the step in a legal order, its value last.
    static std::optional<std::int64_t> Check(const CAnswerReader::SStep& step,
                                             std::vector<SNode>& nodes, bool& bReordered,
                                             std::vector<CJudge::SFault>& faults);
    // The result of a step as the game accepts it, and a product or quotient by 1 besides
    // (legal, though it changes nothing); else the rule it breaks, and in nResult what it is.
    static std::optional<CJudge::EFault> Apply(int nOperator, std::int64_t a, std::int64_t b,
                                               std::int64_t& nResult);
};
