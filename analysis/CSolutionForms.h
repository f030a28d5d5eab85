#pragma once

#include "Step.h"

#include <array>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

// The canonical forms of ways (see CAllSolutions): a tile, or a node, a sum or a product of
// parts, each part a group of tiles with its sign and value, made by a form of its own (a tile
// or a node of the other kind). Forms of one value compare in a fixed order.
class CSolutionForms
{
public:
    enum EKind : int
    {
        KindTile,
        KindSum,
        KindProduct
    };
    // The kind of a way's node (an EOperator, or a tile's -1), and the other of sum and product.
    static int KindOf(int nOperator);
    static int Other(int nKind) { return KindSum + KindProduct - nKind; }
    // The parts of the chain of + and - (x and /) at node n of a way, left to right: calls
    // part(m, nSign, nJoin) for each (a node of another kind, or a tile), with its sign and
    // the step that joins it to the parts before it (n for the first). at(m) is node m.
    template <typename At, typename Part> static void ForEachPart(At&& at, int n, Part&& part)
    {
        const int nKind = KindOf(at(n).nOperator);
        for (std::vector<std::array<int, 3>> pending{{n, 0, n}}; !pending.empty();)
        {
            const auto [m, nSign, nJoin] = pending.back();
            pending.pop_back();
            const auto& node = at(m);
            if (KindOf(node.nOperator) != nKind)
            {
                part(m, nSign, nJoin);
                continue;
            }
            const bool bDown = node.nOperator == OpSubtract || node.nOperator == OpDivide;
            pending.push_back({node.nRight, nSign ^ (bDown ? 1 : 0), m});
            pending.push_back({node.nLeft, nSign, nJoin});
        }
    }

    struct SPart
    {
        int nGroup = 0;
        int nSign = 0; // 0: added or multiplied; 1: taken away or divided
        std::int32_t nValue = 0;
    };

    // The value of some of a node's parts: those added (multiplied) against those taken away
    // (divided), the larger side over the smaller; -1 when that is not whole. Upright: the
    // side added (multiplied) is the larger one. Neutral: both sides are equal, a detour.
    struct SGroupValue
    {
        std::int64_t nValue = -1;
        bool bUpright = true;
        bool bNeutral = false;
    };
    static SGroupValue GroupValue(int nKind, const std::array<int, 6>& anSign,
                                  const std::array<std::int32_t, 6>& anPart, int nMask);

    // One grouping of the parts in a mask, as the best one of them: its largest step result
    // and parentheses, the split it makes last and the entries of both sides.
    struct SEntry
    {
        std::int32_t nMax = 0;
        int nParens = 0;
        int nSplit = 0;
        int nLeftEntry = 0;
        int nRightEntry = 0;
    };

    // A sum or a product of parts (signs and values, in order): whether some grouping of them
    // is clean, and for each group of parts its value and the groupings worth keeping (none
    // larger and with more parentheses than another).
    struct SNode
    {
        int nKind = KindSum;
        int nParts = 0;
        std::array<int, 6> anSign{};
        std::array<std::int32_t, 6> anPart{};
        bool bClean = false;
        std::int32_t nMinLargest = 0;
        std::array<std::int32_t, 64> anValue{};
        std::array<bool, 64> abUpright{};
        std::array<std::vector<SEntry>, 64> entries;
    };

    // The form of a value of a group: a tile, or a node whose parts' forms are nChildren
    // entries of children from nFirstChild. nLargest: the smallest largest step result of
    // its clean ways.
    struct SForm
    {
        int nKind = KindTile;
        std::int32_t nValue = 0;
        int nGroup = 0;
        int nNode = -1;
        int nFirstChild = 0;
        int nChildren = 0;
        std::int32_t nLargest = 0;
    };

    // Groups' sizes (in tiles) by group number, as the tables keep them.
    explicit CSolutionForms(const std::vector<int>& sizes) : m_sizes(sizes) {}

    void Clear();
    // The node of these parts (in order of sign and value), made once.
    int Node(int nKind, const std::vector<SPart>& parts);
    // The fixed order: by size of group, kind, value, parts, then the parts' forms.
    int Compare(const SForm& a, const SForm& b) const;
    int CompareParts(int nNodeA, const int* pA, int nNodeB, const int* pB, int nCount) const;

    std::vector<SForm> forms;
    std::vector<int> children;
    // A deque: nodes are large, and stay where they are while more are made.
    std::deque<SNode> nodes;

private:
    void MakeNode(SNode& node);

    const std::vector<int>& m_sizes;
    using SNodeKey = std::array<std::uint64_t, 4>;
    struct SNodeKeyHash
    {
        std::size_t operator()(const SNodeKey& key) const;
    };
    std::unordered_map<SNodeKey, int, SNodeKeyHash> m_nodeOf;
    std::vector<SEntry> m_candidates;
};
