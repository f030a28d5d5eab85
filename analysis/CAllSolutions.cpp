#include "CAllSolutions.h"

#include "CGroupSplits.h"
#include "CGroupTable.h"
#include "CSolutionForms.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace
{
using SForm = CSolutionForms::SForm;
using SNode = CSolutionForms::SNode;
using SPart = CSolutionForms::SPart;

// A solution of the value asked for, kept until the best ones are known.
struct SCandidate
{
    int nSize = 0;
    std::int32_t nLargest = 0;
    int nKind = CSolutionForms::KindTile;
    int nNode = -1;
    int nChildren = 0;
    std::array<int, 6> anChildren{};
    std::int32_t nTile = 0;
};
} // namespace

// Ranking and the way shown, over the forms that the splits of the groups make.
struct CAllSolutions::SState
{
    CGroupTable table;
    CSolutionForms forms{table.sizes};
    CGroupSplits splits{table, forms};

    // Calls offer for every solution of the value, as a candidate.
    template <typename Offer> void ForEachSolution(std::int32_t nValue, Offer&& offer);
    // Simplest first: fewest steps, smallest largest step result, then the forms' order.
    bool Less(const SCandidate& x, const SCandidate& y) const;
    SSolution Shown(const SCandidate& c) const;
    int AddWay(std::int32_t nTile, int nNode, const int* pChildren, std::int32_t nBound,
               std::vector<SWayNode>& way) const;
    int AddNodeWay(const SNode& node, const int* pChildren, int nMask, int nEntry,
                   std::int32_t nBound, std::vector<SWayNode>& way) const;
};

template <typename Offer>
void CAllSolutions::SState::ForEachSolution(std::int32_t nValue, Offer&& offer)
{
    for (std::int32_t t : table.distinct)
    {
        if (t == nValue)
            offer(SCandidate{1, 0, CSolutionForms::KindTile, -1, 0, {}, nValue});
    }
    for (int g : table.byRank)
    {
        for (int nKind : {CSolutionForms::KindSum, CSolutionForms::KindProduct})
        {
            splits.Enumerate(
                g, nValue, nKind,
                [&](int nNode, int nChildren, const int* pChildren, std::int32_t nLargest)
                {
                    SCandidate c{table.sizes[g], nLargest, nKind, nNode, nChildren};
                    std::copy_n(pChildren, nChildren, c.anChildren.begin());
                    offer(c);
                });
        }
    }
}

bool CAllSolutions::SState::Less(const SCandidate& x, const SCandidate& y) const
{
    if (x.nSize != y.nSize)
        return x.nSize < y.nSize;
    if (x.nLargest != y.nLargest)
        return x.nLargest < y.nLargest;
    if (x.nKind != y.nKind)
        return x.nKind < y.nKind;
    if (x.nKind == CSolutionForms::KindTile || x.nChildren != y.nChildren)
        return x.nChildren < y.nChildren;
    return forms.CompareParts(x.nNode, x.anChildren.data(), y.nNode, y.anChildren.data(),
                              x.nChildren) < 0;
}

CAllSolutions::SSolution CAllSolutions::SState::Shown(const SCandidate& c) const
{
    SSolution solution{{}, c.nSize - 1, c.nLargest};
    AddWay(c.nTile, c.nNode, c.anChildren.data(), c.nLargest, solution.way);
    return solution;
}

// Appends the way a tile (no node) or a node with its parts' forms is shown by, each step
// after its operands' steps: every node takes the grouping with the fewest parentheses among
// those whose steps stay within the bound (the form's smallest largest step result). Returns
// the index of the value.
int CAllSolutions::SState::AddWay(std::int32_t nTile, int nNode, const int* pChildren,
                                  std::int32_t nBound, std::vector<SWayNode>& way) const
{
    if (nNode < 0)
    {
        way.push_back({SWayNode::Tile, nTile});
        return static_cast<int>(way.size()) - 1;
    }
    const SNode& node = forms.nodes[nNode];
    return AddNodeWay(node, pChildren, (1 << node.nParts) - 1, -1, nBound, way);
}

int CAllSolutions::SState::AddNodeWay(const SNode& node, const int* pChildren, int nMask,
                                      int nEntry, std::int32_t nBound,
                                      std::vector<SWayNode>& way) const
{
    if (std::popcount(static_cast<unsigned>(nMask)) == 1)
    {
        const SForm& f = forms.forms[pChildren[std::countr_zero(static_cast<unsigned>(nMask))]];
        return AddWay(f.nValue, f.nNode, forms.children.data() + f.nFirstChild, nBound, way);
    }
    const auto& entries = node.entries[nMask];
    if (nEntry < 0)
    {
        // Entries come by growing largest result and shrinking parentheses.
        nEntry = 0;
        while (nEntry + 1 < static_cast<int>(entries.size()) && entries[nEntry + 1].nMax <= nBound)
            ++nEntry;
    }
    const CSolutionForms::SEntry& e = entries[nEntry];
    int a = e.nSplit;
    int b = nMask ^ a;
    int nEntryA = e.nLeftEntry;
    int nEntryB = e.nRightEntry;
    const bool bSum = node.nKind == CSolutionForms::KindSum;
    const bool bSameA = node.abUpright[a] == node.abUpright[nMask];
    const bool bSameB = node.abUpright[b] == node.abUpright[nMask];
    int nOperator = bSum ? OpSubtract : OpDivide;
    bool bSwap = !bSameA;
    if (bSameA && bSameB)
    {
        nOperator = bSum ? OpAdd : OpMultiply;
        // A step of the node's own goes first, where it needs no parentheses; else the larger
        // value first, as people write it.
        const bool bInnerA = std::popcount(static_cast<unsigned>(a)) > 1;
        const bool bInnerB = std::popcount(static_cast<unsigned>(b)) > 1;
        bSwap = bInnerB != bInnerA ? bInnerB : node.anValue[b] > node.anValue[a];
    }
    if (bSwap)
    {
        std::swap(a, b);
        std::swap(nEntryA, nEntryB);
    }
    SWayNode step;
    step.nOperator = nOperator;
    step.nValue = node.anValue[nMask];
    step.nLeft = AddNodeWay(node, pChildren, a, nEntryA, nBound, way);
    step.nRight = AddNodeWay(node, pChildren, b, nEntryB, nBound, way);
    way.push_back(step);
    return static_cast<int>(way.size()) - 1;
}

CAllSolutions::CAllSolutions() : m_pState(std::make_unique<SState>()) {}

CAllSolutions::~CAllSolutions() = default;

void CAllSolutions::SetTiles(const std::vector<std::int32_t>& tiles)
{
    assert(!tiles.empty() && tiles.size() <= 6);
    m_pState->table.Build(tiles);
    m_pState->forms.Clear();
    m_pState->splits.Clear();
}

bool CAllSolutions::Reachable(std::int32_t nValue) const
{
    return m_pState->table.Reachable(nValue);
}

CAllSolutions::SNearest CAllSolutions::Nearest(std::int32_t nValue) const
{
    SNearest nearest;
    m_pState->table.Nearest(nValue, nearest.above, nearest.below);
    return nearest;
}

CAllSolutions::SValueSolutions CAllSolutions::Solve(std::int32_t nValue, std::size_t nMax)
{
    SState& s = *m_pState;
    SValueSolutions result;
    result.nValue = nValue;
    std::vector<SCandidate> candidates;
    auto less = [&](const SCandidate& x, const SCandidate& y) { return s.Less(x, y); };
    // Only the best nMax are kept while the others are counted.
    s.ForEachSolution(nValue,
                      [&](const SCandidate& candidate)
                      {
                          ++result.nCount;
                          if (nMax == 0)
                              return;
                          candidates.push_back(candidate);
                          if (nMax < std::numeric_limits<std::size_t>::max() / 2 &&
                              candidates.size() >= 2 * nMax + 64)
                          {
                              std::nth_element(candidates.begin(),
                                               candidates.begin() +
                                                   static_cast<std::ptrdiff_t>(nMax) - 1,
                                               candidates.end(), less);
                              candidates.resize(nMax);
                          }
                      });
    std::sort(candidates.begin(), candidates.end(), less);
    if (candidates.size() > nMax)
        candidates.resize(nMax);
    for (const SCandidate& c : candidates)
        result.solutions.push_back(s.Shown(c));
    return result;
}
