#include "CStepChecker.h"

#include "CSolutionForms.h"
#include "Step.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <limits>

namespace
{
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
} // namespace

std::optional<CJudge::EFault> CStepChecker::Apply(int nOperator, std::int64_t a, std::int64_t b,
                                                  std::int64_t& nResult)
{
    std::int32_t r = 0;
    if (nOperator == OpMultiply && (a == 1 || b == 1))
        nResult = a * b;
    else if (ApplyStep(nOperator, static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), r))
        nResult = r;
    else if (nOperator == OpDivide)
        return nResult = 0, b == 0 ? CJudge::EFault::DivisionByZero : CJudge::EFault::NotWhole;
    else if (nOperator == OpSubtract)
        return nResult = a - b, CJudge::EFault::Negative;
    else
        return nResult = nOperator == OpAdd ? a + b : a * b, CJudge::EFault::TooLarge;
    return std::nullopt;
}

std::optional<std::int64_t> CStepChecker::Check(const CAnswerReader::SStep& step,
                                                std::vector<SNode>& nodes, bool& bReordered,
                                                std::vector<CJudge::SFault>& faults)
{
    const auto& in = step.nodes;
    const int n = static_cast<int>(in.size());
    // Each written node's value (-1 at fault) and its place among the nodes worked.
    std::vector<std::int64_t> value(n, -1);
    std::vector<int> out(n, -1);
    std::vector<int> parent(n, -1);
    for (int i = 0; i < n; ++i)
    {
        if (in[i].nOperator >= 0)
            parent[in[i].nLeft] = parent[in[i].nRight] = i;
    }
    auto add = [&](int nOperator, std::int64_t v, int nLeft, int nRight, int nPosition, int i)
    {
        nodes.push_back({{nOperator, static_cast<std::int32_t>(v), nLeft, nRight}, i, nPosition});
        return static_cast<int>(nodes.size()) - 1;
    };
    for (int i = 0; i < n; ++i)
    {
        const int nKind = CSolutionForms::KindOf(in[i].nOperator);
        if (nKind == CSolutionForms::KindTile)
        {
            // A number beyond 32 bits is a fault of its own, already named.
            if (in[i].nValue <= kMax32)
                out[i] = add(CAllSolutions::SWayNode::Tile, value[i] = in[i].nValue, -1, -1,
                             in[i].nPosition, i);
            continue;
        }
        // A chain is worked from its top: its parts (written left to right, with their signs
        // and the step that joins each to the parts before it) and its steps, as written.
        if (parent[i] >= 0 && CSolutionForms::KindOf(in[parent[i]].nOperator) == nKind)
            continue;
        struct SPart
        {
            int nNode, nSign, nJoin;
        };
        std::vector<SPart> parts;
        std::vector<int> steps;
        CSolutionForms::ForEachPart([&](int m) -> const CAnswerReader::SNode& { return in[m]; }, i,
                                    [&](int m, int nSign, int nJoin)
                                    {
                                        parts.push_back({m, nSign, nJoin});
                                        if (parts.size() > 1)
                                            steps.push_back(nJoin);
                                    });
        if (std::any_of(parts.begin(), parts.end(),
                        [&](const SPart& p) { return value[p.nNode] < 0; }))
            continue;
        std::sort(steps.begin(), steps.end());
        int nFaulty = -1;
        std::int64_t nFaultResult = 0;
        std::optional<CJudge::EFault> fault;
        for (std::size_t s = 0; s < steps.size() && !fault; ++s)
        {
            const auto& node = in[nFaulty = steps[s]];
            fault = Apply(node.nOperator, value[node.nLeft], value[node.nRight], nFaultResult);
            value[nFaulty] = nFaultResult;
        }
        if (!fault)
        {
            for (int s : steps)
                out[s] = add(in[s].nOperator, value[s], out[in[s].nLeft], out[in[s].nRight],
                             in[s].nPosition, -1);
            continue;
        }
        value[i] = -1;
        // Another grouping of the same parts, unless the written one divides by 0: for each
        // group of parts, one split into two groups whose step the game accepts.
        const int k = static_cast<int>(parts.size());
        std::array<int, 6> anSign{};
        std::array<std::int32_t, 6> anPart{};
        std::array<CSolutionForms::SGroupValue, 64> groups{};
        std::array<int, 64> anSplit{};
        for (int j = 0; j < k && k <= 6; ++j)
        {
            anSign[j] = parts[j].nSign;
            anPart[j] = static_cast<std::int32_t>(value[parts[j].nNode]);
        }
        // A factor 0 divides by 0 in any order, wherever the written one fails first.
        const bool bByZero = *fault == CJudge::EFault::DivisionByZero ||
                             std::any_of(parts.begin(), parts.end(),
                                         [&](const SPart& p) {
                                             return nKind == CSolutionForms::KindProduct &&
                                                    p.nSign && !value[p.nNode];
                                         });
        for (int m = 1; k <= 6 && m < (1 << k) && !bByZero; ++m)
        {
            groups[m] = CSolutionForms::GroupValue(nKind, anSign, anPart, m);
            bool bLegal = groups[m].nValue >= 0 && groups[m].nValue <= kMax32;
            for (int a = (m - 1) & m; bLegal && a > 0 && anSplit[m] == 0; a = (a - 1) & m)
            {
                if ((a & m & -m) && anSplit[a] && anSplit[m ^ a] &&
                    (groups[a].bUpright == groups[m].bUpright ||
                     groups[m ^ a].bUpright == groups[m].bUpright))
                    anSplit[m] = a;
            }
            if (bLegal && std::popcount(static_cast<unsigned>(m)) == 1)
                anSplit[m] = m;
        }
        // The chain's value is its terms added (factors multiplied) less those taken away.
        const int nFull = k <= 6 && groups[(1 << k) - 1].bUpright ? (1 << k) - 1 : 0;
        if (anSplit[nFull] == 0)
        {
            const auto& node = in[nFaulty];
            CJudge::SFault f;
            f.eKind = *fault;
            f.nStep = step.nStep;
            f.nPosition = node.nPosition;
            f.nLength = 1;
            f.nOperator = node.nOperator;
            f.nLeft = value[node.nLeft];
            f.nRight = value[node.nRight];
            f.nResult = nFaultResult;
            faults.push_back(f);
            continue;
        }
        // Each step of the new grouping at the written step that joins its right side's first
        // part; the side that comes out the right way round first.
        std::function<int(int)> emit = [&](int m) -> int
        {
            if (anSplit[m] == m)
                return out[parts[std::countr_zero(static_cast<unsigned>(m))].nNode];
            int a = anSplit[m];
            int b = m ^ a;
            const bool bBoth = groups[a].bUpright == groups[b].bUpright;
            if (groups[a].bUpright != groups[m].bUpright)
                std::swap(a, b);
            const int nLeft = emit(a);
            const int nRight = emit(b);
            const int nOperator = nKind == CSolutionForms::KindSum
                                      ? (bBoth ? OpAdd : OpSubtract)
                                      : (bBoth ? OpMultiply : OpDivide);
            return add(nOperator, groups[m].nValue, nLeft, nRight,
                       in[parts[std::countr_zero(static_cast<unsigned>(b))].nJoin].nPosition, -1);
        };
        out[i] = emit(nFull);
        value[i] = groups[nFull].nValue;
        bReordered = true;
    }
    if (n == 0 || value[n - 1] < 0)
        return std::nullopt;
    return value[n - 1];
}
