#include "CVerdictText.h"

#include "CAllSolutionsText.h"

#include <utility>

namespace
{
std::string Number(std::int64_t n)
{
    return std::to_string(n);
}

std::string Operation(const CJudge::SFault& fault)
{
    return CAllSolutionsText::Operation(fault.nOperator, fault.nLeft, fault.nRight);
}

// "once", "twice", "3 times".
std::string Times(int n)
{
    return n == 1 ? "once" : n == 2 ? "twice" : std::to_string(n) + " times";
}

// "a number, an operator (+, -, x or /) or '('".
std::string Expected(unsigned nExpected)
{
    static const std::pair<unsigned, const char*> kinds[] = {
        {CJudge::ExpectNumber, "a number"},
        {CJudge::ExpectOperator, "an operator (+, -, x or /)"},
        {CJudge::ExpectOpenParen, "'('"},
        {CJudge::ExpectCloseParen, "')'"},
        {CJudge::ExpectEquals, "'=' and a result"},
        {CJudge::ExpectEnd, "the end of the step"},
    };
    std::vector<const char*> names;
    for (const auto& [nBit, pszName] : kinds)
        if (nExpected & nBit)
            names.push_back(pszName);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
    return text.empty() ? "something else" : text;
}

void AppendVerdict(const CJudge::SVerdict& v, std::int32_t nTarget, std::string& text)
{
    text += "value: " + Number(v.nValue) + " distance: " + Number(v.nDistance) +
            " best: " + (v.bBest ? "yes" : "no") + '\n';
    if (!v.bBest)
    {
        for (const std::optional<std::int32_t>& nearest :
             {v.bTargetMade ? std::optional(nTarget) : v.nearest.above,
              v.bTargetMade ? std::nullopt : v.nearest.below})
            if (nearest)
                text += "nearest: " + Number(*nearest) + ' ' +
                        CVerdictText::Side(*nearest, nTarget) + '\n';
    }
    const std::vector<CAllSolutions::SWayNode> way = v.Way();
    if (v.bReordered)
    {
        std::string steps;
        for (const CAllSolutions::SWayNode& node : way)
            if (node.nOperator != CAllSolutions::SWayNode::Tile)
                steps += (steps.empty() ? "" : "; ") + CAllSolutionsText::StepText(way, node);
        text += "reordered: " + steps + '\n';
    }
    for (const CJudge::SStep& step : v.steps)
    {
        if (step.eRole == CJudge::ERole::Kept ||
            step.node.nOperator == CAllSolutions::SWayNode::Tile)
            continue;
        text += "left-out: " + CVerdictText::Where(step.nStep, step.nPosition) + ": " +
                CAllSolutionsText::StepText(way, step.node) + ' ' +
                CVerdictText::RoleText(step.eRole) + '\n';
    }
    if (!v.bRanked)
        return;
    text += "solutions: " + Number(static_cast<std::int64_t>(v.nSolutions)) + '\n';
    CAllSolutionsText::AppendSolution(v.nRank, v.solution, v.nValue, text);
}
} // namespace

bool CVerdictText::Play(CBatchGame& game, std::string_view answer, std::string& text)
{
    text += "game: " + game.Text() + '\n';
    if (const std::optional<std::string> refusal = game.Check())
    {
        text += "error: " + *refusal + '\n';
        return false;
    }
    const CJudge::SVerdict v = game.Judge(answer);
    text += (answer.empty() ? "answer:" : "answer: " + OneLine(answer)) + '\n';
    text += v.bValid ? "valid: yes\n" : "valid: no\n";
    for (const CJudge::SFault& fault : v.faults)
        text += "fault: " + Where(fault.nStep, fault.nPosition) + ": " +
                FaultText(fault, v.nSteps) + '\n';
    if (v.bValid)
        AppendVerdict(v, game.Target(), text);
    return true;
}

std::string CVerdictText::FaultText(const CJudge::SFault& fault, int nSteps)
{
    using EFault = CJudge::EFault;
    switch (fault.eKind)
    {
    case EFault::Empty:
        return "the answer is empty";
    case EFault::Syntax:
        return "syntax error: " +
               (fault.found.empty() ? std::string("the step ends")
                                    : "'" + OneLine(fault.found) + "' stands") +
               " where " + Expected(fault.nExpected) + " was expected";
    case EFault::NotATile:
        return Number(fault.nNumber) +
               (nSteps > 1 ? " is neither one of the tiles nor the result of a step"
                           : " is not one of the tiles");
    case EFault::TileOverused:
        return Number(fault.nNumber) + " is used " + Times(fault.nUsed) + " but drawn " +
               Times(fault.nDrawn);
    case EFault::ResultReused:
        return "the result " + Number(fault.nNumber) + " is used " + Times(fault.nUsed);
    case EFault::Negative:
        return Operation(fault) + " is negative";
    case EFault::NotWhole:
        return Operation(fault) + " is not whole";
    case EFault::DivisionByZero:
        return Operation(fault) + " divides by 0";
    case EFault::TooLarge:
        if (fault.nOperator < 0)
            return fault.found + " is beyond 2147483647";
        return Operation(fault) + " is " + Number(fault.nResult) + ", beyond 2147483647";
    case EFault::WrongResult:
        return (fault.nOperator < 0 ? std::string("the answer's value") : Operation(fault)) +
               " is " + Number(fault.nResult) + ", not " + Number(fault.nStated);
    }
    return "fault";
}

std::string CVerdictText::Where(int nStep, int nPosition)
{
    const std::string position = "position " + Number(nPosition);
    return nStep > 0 ? "step " + Number(nStep) + ' ' + position : position;
}

const char* CVerdictText::RoleText(CJudge::ERole eRole)
{
    switch (eRole)
    {
    case CJudge::ERole::Kept:
        break;
    case CJudge::ERole::ChangesNothing:
        return "changes nothing";
    case CJudge::ERole::Detour:
        return "is a detour";
    case CJudge::ERole::Unused:
        return "is not used";
    }
    return "";
}

std::string CVerdictText::OneLine(std::string_view answer)
{
    std::string line(answer);
    for (char& c : line)
    {
        if (c == '\n' || c == '\r')
            c = ';';
        // Other control characters would reach the reader's terminal as they are (an escape
        // sequence could clear it or retitle it): shown as '?', one character for one, so
        // that the faults' positions still point at them.
        else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f)
            c = '?';
    }
    return line;
}

const char* CVerdictText::Side(std::int32_t nValue, std::int32_t nTarget)
{
    return nValue == nTarget ? "target" : nValue > nTarget ? "above" : "below";
}
