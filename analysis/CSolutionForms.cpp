#include "CSolutionForms.h"

#include "Step.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <tuple>

int CSolutionForms::KindOf(int nOperator)
{
    if (nOperator < 0)
        return KindTile;
    return nOperator == OpAdd || nOperator == OpSubtract ? KindSum : KindProduct;
}

void CSolutionForms::Clear()
{
    forms.clear();
    children.clear();
    nodes.clear();
    m_nodeOf.clear();
}

CSolutionForms::SGroupValue CSolutionForms::GroupValue(int nKind, const std::array<int, 6>& anSign,
                                                       const std::array<std::int32_t, 6>& anPart,
                                                       int nMask)
{
    const bool bSum = nKind == KindSum;
    std::int64_t nUp = bSum ? 0 : 1;
    std::int64_t nDown = bSum ? 0 : 1;
    for (int i = 0; i < 6; ++i)
    {
        if (!(nMask >> i & 1))
            continue;
        std::int64_t& side = anSign[i] == 0 ? nUp : nDown;
        side = bSum ? side + anPart[i] : side * anPart[i];
    }
    SGroupValue group;
    group.bUpright = nUp >= nDown;
    group.bNeutral = nUp == nDown;
    if (bSum)
        group.nValue = nUp >= nDown ? nUp - nDown : nDown - nUp;
    else if (nUp % nDown == 0)
        group.nValue = nUp / nDown;
    else if (nDown % nUp == 0)
        group.nValue = nDown / nUp;
    return group;
}

// A group of parts is worked out by one step over a split of it in two, each side worked out
// the same way.
void CSolutionForms::MakeNode(SNode& node)
{
    const int nFull = (1 << node.nParts) - 1;
    const bool bSum = node.nKind == KindSum;
    std::array<bool, 64> abLegal{};
    for (int m = 1; m <= nFull; ++m)
    {
        const SGroupValue group = GroupValue(node.nKind, node.anSign, node.anPart, m);
        // A neutral group of parts is a detour, unless it is the whole node.
        if (group.bNeutral && m != nFull)
            return;
        node.abUpright[m] = group.bUpright;
        abLegal[m] = group.nValue >= 0 && group.nValue <= std::numeric_limits<std::int32_t>::max();
        node.anValue[m] = abLegal[m] ? static_cast<std::int32_t>(group.nValue) : 0;
    }
    for (int m = 1; m <= nFull; ++m)
    {
        auto& entries = node.entries[m];
        if (std::popcount(static_cast<unsigned>(m)) == 1)
        {
            entries.push_back({});
            continue;
        }
        if (!abLegal[m])
            continue;
        const int nLowest = m & -m;
        m_candidates.clear();
        for (int a = (m - 1) & m; a > 0; a = (a - 1) & m)
        {
            if (!(a & nLowest))
                continue;
            const int b = m ^ a;
            const auto& left = node.entries[a];
            const auto& right = node.entries[b];
            if (left.empty() || right.empty())
                continue;
            const bool bSameA = node.abUpright[a] == node.abUpright[m];
            const bool bSameB = node.abUpright[b] == node.abUpright[m];
            if (!bSameA && !bSameB)
                continue;
            const std::int32_t va = node.anValue[a];
            const std::int32_t vb = node.anValue[b];
            const int nOperator =
                bSameA && bSameB ? (bSum ? OpAdd : OpMultiply) : (bSum ? OpSubtract : OpDivide);
            std::int32_t r = 0;
            if (!ApplyStep(nOperator, bSameA ? va : vb, bSameA ? vb : va, r) ||
                r != node.anValue[m] || r == va || r == vb)
                continue;
            const bool bInnerA = std::popcount(static_cast<unsigned>(a)) > 1;
            const bool bInnerB = std::popcount(static_cast<unsigned>(b)) > 1;
            const int nParens = bSameA && bSameB ? bInnerA && bInnerB : bSameA ? bInnerB : bInnerA;
            for (std::size_t i = 0; i < left.size(); ++i)
                for (std::size_t j = 0; j < right.size(); ++j)
                    m_candidates.push_back({std::max({left[i].nMax, right[j].nMax, r}),
                                            left[i].nParens + right[j].nParens + nParens, a,
                                            static_cast<int>(i), static_cast<int>(j)});
        }
        std::stable_sort(m_candidates.begin(), m_candidates.end(),
                         [](const SEntry& x, const SEntry& y)
                         { return x.nMax != y.nMax ? x.nMax < y.nMax : x.nParens < y.nParens; });
        for (const SEntry& e : m_candidates)
            if (entries.empty() || e.nParens < entries.back().nParens)
                entries.push_back(e);
    }
    const auto& whole = node.entries[nFull];
    node.bClean = !whole.empty();
    if (node.bClean)
        node.nMinLargest = whole.front().nMax;
}

std::size_t CSolutionForms::SNodeKeyHash::operator()(const SNodeKey& key) const
{
    std::uint64_t h = 0x9E3779B97F4A7C15u;
    for (std::uint64_t w : key)
        h = (h ^ w) * 0xBF58476D1CE4E5B9u;
    return static_cast<std::size_t>(h ^ (h >> 31));
}

int CSolutionForms::Node(int nKind, const std::vector<SPart>& parts)
{
    // The kind, the count and the signs, then each value, 32 bits apiece.
    SNodeKey key{};
    std::uint64_t nHead = static_cast<std::uint64_t>(nKind) << 16 | parts.size() << 8;
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        nHead |= static_cast<std::uint64_t>(parts[i].nSign) << i;
        const std::size_t nPlace = i + 1;
        key[nPlace / 2] |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(parts[i].nValue))
                           << (32 * (nPlace % 2));
    }
    key[0] |= nHead;
    const auto [it, bNew] = m_nodeOf.try_emplace(key, static_cast<int>(nodes.size()));
    if (bNew)
    {
        SNode& node = nodes.emplace_back();
        node.nKind = nKind;
        node.nParts = static_cast<int>(parts.size());
        for (std::size_t i = 0; i < parts.size(); ++i)
        {
            node.anSign[i] = parts[i].nSign;
            node.anPart[i] = parts[i].nValue;
        }
        MakeNode(node);
    }
    return it->second;
}

int CSolutionForms::Compare(const SForm& a, const SForm& b) const
{
    auto head = [&](const SForm& f)
    { return std::tuple(m_sizes[f.nGroup], f.nKind, f.nValue, f.nChildren); };
    if (head(a) != head(b))
        return head(a) < head(b) ? -1 : 1;
    if (a.nKind == KindTile)
        return 0;
    return CompareParts(a.nNode, &children[a.nFirstChild], b.nNode, &children[b.nFirstChild],
                        a.nChildren);
}

int CSolutionForms::CompareParts(int nNodeA, const int* pA, int nNodeB, const int* pB,
                                 int nCount) const
{
    const SNode& a = nodes[nNodeA];
    const SNode& b = nodes[nNodeB];
    for (int i = 0; i < nCount; ++i)
        if (std::tie(a.anSign[i], a.anPart[i]) != std::tie(b.anSign[i], b.anPart[i]))
            return std::tie(a.anSign[i], a.anPart[i]) < std::tie(b.anSign[i], b.anPart[i]) ? -1 : 1;
    for (int i = 0; i < nCount; ++i)
    {
        if (pA[i] == pB[i])
            continue;
        if (const int c = Compare(forms[pA[i]], forms[pB[i]]); c != 0)
            return c;
    }
    return 0;
}
