#include "CAllSolutionsText.h"

#include "Step.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace
{
constexpr char kszOperators[] = "/x+-";

bool IsSum(const CAllSolutions::SWayNode& node)
{
    return node.nOperator == OpAdd || node.nOperator == OpSubtract;
}

void AppendExpression(const std::vector<CAllSolutions::SWayNode>& way, int nNode, std::string& text)
{
    const CAllSolutions::SWayNode& node = way[static_cast<std::size_t>(nNode)];
    if (node.nOperator == CAllSolutions::SWayNode::Tile)
    {
        text += std::to_string(node.nValue);
        return;
    }
    const CAllSolutions::SWayNode& left = way[static_cast<std::size_t>(node.nLeft)];
    const CAllSolutions::SWayNode& right = way[static_cast<std::size_t>(node.nRight)];
    const bool bProduct = !IsSum(node);
    // Steps are read from left to right, x and / before + and -.
    const bool bLeftParens = bProduct && IsSum(left);
    const bool bRightParens =
        right.nOperator != CAllSolutions::SWayNode::Tile && (bProduct || IsSum(right));
    if (bLeftParens)
        text += '(';
    AppendExpression(way, node.nLeft, text);
    if (bLeftParens)
        text += ')';
    text += ' ';
    text += kszOperators[node.nOperator];
    text += ' ';
    if (bRightParens)
        text += '(';
    AppendExpression(way, node.nRight, text);
    if (bRightParens)
        text += ')';
}
} // namespace

CAllSolutionsText::CAllSolutionsText(std::size_t nMax) : m_nMax(nMax) {}

std::string CAllSolutionsText::Expression(const std::vector<CAllSolutions::SWayNode>& way)
{
    std::string text;
    if (!way.empty())
        AppendExpression(way, static_cast<int>(way.size()) - 1, text);
    return text;
}

std::vector<CAllSolutionsText::SValue> CAllSolutionsText::Values(const std::array<int, 6>& tiles,
                                                                 int nTarget, std::int32_t nReached)
{
    m_solutions.SetTiles(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
    std::vector<SValue> values;
    if (m_solutions.Reachable(nTarget))
    {
        values.push_back({"target", true, m_solutions.Solve(nTarget, m_nMax)});
        return values;
    }
    const auto [above, below] = m_solutions.Nearest(nTarget);
    if (above)
        values.push_back({"above", *above == nReached, m_solutions.Solve(*above, m_nMax)});
    if (below)
        values.push_back({"below", *below == nReached, m_solutions.Solve(*below, m_nMax)});
    return values;
}

void CAllSolutionsText::Append(const std::array<int, 6>& tiles, int nTarget, std::int32_t nReached,
                               std::string& text)
{
    for (const SValue& value : Values(tiles, nTarget, nReached))
    {
        const bool bNearest = std::string_view(value.pszSide) != "target";
        text += "value: " + std::to_string(value.all.nValue) + ' ' + value.pszSide +
                (bNearest && value.bReached ? " reached\n" : "\n");
        text += "solutions: " + std::to_string(value.all.nCount) + '\n';
        std::uint64_t nNumber = 0;
        for (const CAllSolutions::SSolution& solution : value.all.solutions)
            AppendSolution(++nNumber, solution, value.all.nValue, text);
    }
}

std::string CAllSolutionsText::StepText(const std::vector<CAllSolutions::SWayNode>& way,
                                        const CAllSolutions::SWayNode& node)
{
    return Operation(node.nOperator, way[static_cast<std::size_t>(node.nLeft)].nValue,
                     way[static_cast<std::size_t>(node.nRight)].nValue) +
           " = " + std::to_string(node.nValue);
}

std::string CAllSolutionsText::Operation(int nOperator, std::int64_t nLeft, std::int64_t nRight)
{
    const char cOperator = nOperator >= 0 && nOperator < OpCount ? kszOperators[nOperator] : '?';
    return std::to_string(nLeft) + ' ' + cOperator + ' ' + std::to_string(nRight);
}

std::string CAllSolutionsText::StepLine(const std::vector<CAllSolutions::SWayNode>& way,
                                        const CAllSolutions::SWayNode& node)
{
    char szLine[80];
    std::snprintf(szLine, sizeof szLine, "%ld\t= %ld %c %ld", static_cast<long>(node.nValue),
                  static_cast<long>(way[static_cast<std::size_t>(node.nLeft)].nValue),
                  kszOperators[node.nOperator],
                  static_cast<long>(way[static_cast<std::size_t>(node.nRight)].nValue));
    return szLine;
}

void CAllSolutionsText::AppendSolution(std::uint64_t nNumber,
                                       const CAllSolutions::SSolution& solution,
                                       std::int32_t nValue, std::string& text)
{
    text += "solution: " + std::to_string(nNumber) + " steps: " + std::to_string(solution.nSteps) +
            " largest: " + std::to_string(solution.nLargest) + '\n';
    for (const CAllSolutions::SWayNode& node : solution.way)
    {
        if (node.nOperator != CAllSolutions::SWayNode::Tile)
            text += "step: " + StepLine(solution.way, node) + '\n';
    }
    text += "expression: " + Expression(solution.way) + " = " + std::to_string(nValue) + '\n';
}
