#include "CAllSolutions.h"

#include "CGroupSplits.h"
#include "CGroupTable.h"
#include "CSolutionForms.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <tuple>

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
    // A node of a clean way as a candidate, each part's form found among those the splits
    // make, and its group; false when it is not clean.
    bool CandidateOf(const std::vector<SWayNode>& way, int n, SCandidate& c, int& nGroup);
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
        for (int nKind : {CSolutionForms::KindSum, CSolutionForms::KindProduct})
            splits.Enumerate(
                g, nValue, nKind,
                [&](int nNode, int nChildren, const int* pChildren, std::int32_t nLargest)
                {
                    SCandidate c{table.sizes[g], nLargest, nKind, nNode, nChildren};
                    std::copy_n(pChildren, nChildren, c.anChildren.begin());
                    offer(c);
                });
}

bool CAllSolutions::SState::Less(const SCandidate& x, const SCandidate& y) const
{
    if (std::tie(x.nSize, x.nLargest, x.nKind) != std::tie(y.nSize, y.nLargest, y.nKind))
        return std::tie(x.nSize, x.nLargest, x.nKind) < std::tie(y.nSize, y.nLargest, y.nKind);
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
    // The operands' steps first, the left one's before the right one's.
    way.push_back({nOperator, node.anValue[nMask],
                   AddNodeWay(node, pChildren, a, nEntryA, nBound, way),
                   AddNodeWay(node, pChildren, b, nEntryB, nBound, way)});
    return static_cast<int>(way.size()) - 1;
}

bool CAllSolutions::SState::CandidateOf(const std::vector<SWayNode>& way, int n, SCandidate& c,
                                        int& nGroup)
{
    const int nKind = CSolutionForms::KindOf(way[n].nOperator);
    if (nKind == CSolutionForms::KindTile)
    {
        const auto it = std::find(table.distinct.begin(), table.distinct.end(), way[n].nValue);
        nGroup = table.strides[it - table.distinct.begin()];
        c = SCandidate{1, 0, nKind, -1, 0, {}, way[n].nValue};
        return true;
    }
    // The chain's parts, each with its form, in the order the node knows them, then by rank of
    // group and by form, as the splits choose them.
    std::vector<std::pair<SPart, int>> parts;
    nGroup = 0;
    bool bClean = true;
    CSolutionForms::ForEachPart(
        [&](int m) -> const SWayNode& { return way[m]; }, n,
        [&](int m, int nSign, int)
        {
            SCandidate part;
            int g = 0;
            int nForm = -1;
            // A term is never 0, a factor at least 2 (else the way is not clean).
            const std::int32_t nLeast = nKind == CSolutionForms::KindSum ? 1 : 2;
            if (!bClean || parts.size() > 6 || way[m].nValue < nLeast ||
                !CandidateOf(way, m, part, g))
                return void(bClean = false);
            for (int f : splits.PartForms(g, way[m].nValue, nKind))
            {
                const SForm& form = forms.forms[f];
                const auto first = forms.children.begin() + form.nFirstChild;
                if (form.nNode == part.nNode && form.nKind == part.nKind &&
                    std::equal(first, first + form.nChildren, part.anChildren.begin(),
                               part.anChildren.begin() + part.nChildren))
                    nForm = f;
            }
            bClean = nForm >= 0;
            parts.push_back({{g, nSign, way[m].nValue}, nForm});
            nGroup += g;
        });
    if (!bClean || parts.size() > 6)
        return false;
    auto key = [&](const std::pair<SPart, int>& p)
    { return std::tuple(p.first.nSign, p.first.nValue, table.ranks[p.first.nGroup], p.second); };
    std::sort(parts.begin(), parts.end(), [&](auto& x, auto& y) { return key(x) < key(y); });
    std::vector<SPart> node;
    c = SCandidate{table.sizes[nGroup], 0, nKind, 0, static_cast<int>(parts.size())};
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        node.push_back(parts[i].first);
        c.anChildren[i] = parts[i].second;
        c.nLargest = std::max(c.nLargest, forms.forms[parts[i].second].nLargest);
    }
    c.nNode = forms.Node(nKind, node);
    c.nLargest = std::max(c.nLargest, forms.nodes[c.nNode].nMinLargest);
    return forms.nodes[c.nNode].bClean;
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
    auto offer = [&](const SCandidate& candidate)
    {
        ++result.nCount;
        if (nMax == 0)
            return;
        candidates.push_back(candidate);
        if (nMax < std::numeric_limits<std::size_t>::max() / 2 &&
            candidates.size() >= 2 * nMax + 64)
        {
            const auto nth = candidates.begin() + static_cast<std::ptrdiff_t>(nMax) - 1;
            std::nth_element(candidates.begin(), nth, candidates.end(), less);
            candidates.resize(nMax);
        }
    };
    s.ForEachSolution(nValue, offer);
    std::sort(candidates.begin(), candidates.end(), less);
    if (candidates.size() > nMax)
        candidates.resize(nMax);
    for (const SCandidate& c : candidates)
        result.solutions.push_back(s.Shown(c));
    return result;
}

std::optional<CAllSolutions::SPlace> CAllSolutions::Place(const std::vector<SWayNode>& way)
{
    SState& s = *m_pState;
    std::vector<int> left = s.table.counts;
    for (const SWayNode& node : way)
    {
        const auto it = std::find(s.table.distinct.begin(), s.table.distinct.end(), node.nValue);
        if (node.nOperator == SWayNode::Tile &&
            (it == s.table.distinct.end() || --left[it - s.table.distinct.begin()] < 0))
            return std::nullopt;
    }
    SCandidate mine;
    int nGroup = 0;
    if (way.empty() || !s.CandidateOf(way, static_cast<int>(way.size()) - 1, mine, nGroup))
        return std::nullopt;
    SPlace place{1, 0, s.Shown(mine)};
    bool bFound = false;
    s.ForEachSolution(way.back().nValue,
                      [&](const SCandidate& c)
                      {
                          ++place.nCount;
                          if (s.Less(c, mine))
                              ++place.nRank;
                          else if (!s.Less(mine, c))
                              bFound = true;
                      });
    return bFound ? std::optional(place) : std::nullopt;
}
