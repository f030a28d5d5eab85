#include "CAllSolutionsText.h"

#include "Step.h"

#include <cstdio>
#include <optional>

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

void CAllSolutionsText::Append(const std::array<int, 6>& tiles, int nTarget, std::int32_t nReached,
                               std::string& text)
{
    m_solutions.SetTiles(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
    if (m_solutions.Reachable(nTarget))
    {
        AppendValue(nTarget, "target", text);
        return;
    }
    const auto [above, below] = m_solutions.Nearest(nTarget);
    if (above)
        AppendValue(*above, *above == nReached ? "above reached" : "above", text);
    if (below)
        AppendValue(*below, *below == nReached ? "below reached" : "below", text);
}

void CAllSolutionsText::AppendValue(std::int32_t nValue, const char* pszSide, std::string& text)
{
    const CAllSolutions::SValueSolutions all = m_solutions.Solve(nValue, m_nMax);
    text += "value: " + std::to_string(nValue) + ' ' + pszSide + '\n';
    text += "solutions: " + std::to_string(all.nCount) + '\n';
    int nNumber = 0;
    for (const CAllSolutions::SSolution& solution : all.solutions)
    {
        text += "solution: " + std::to_string(++nNumber) +
                " steps: " + std::to_string(solution.nSteps) +
                " largest: " + std::to_string(solution.nLargest) + '\n';
        for (const CAllSolutions::SWayNode& node : solution.way)
        {
            if (node.nOperator == CAllSolutions::SWayNode::Tile)
                continue;
            // The dialog's own step line.
            char szLine[80];
            std::snprintf(
                szLine, sizeof szLine, "%ld\t= %ld %c %ld", static_cast<long>(node.nValue),
                static_cast<long>(solution.way[static_cast<std::size_t>(node.nLeft)].nValue),
                kszOperators[node.nOperator],
                static_cast<long>(solution.way[static_cast<std::size_t>(node.nRight)].nValue));
            text += "step: ";
            text += szLine;
            text += '\n';
        }
        text += "expression: " + Expression(solution.way) + " = " + std::to_string(nValue) + '\n';
    }
}
