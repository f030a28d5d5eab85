#include "CAllSolutions.h"

#include "Step.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iterator>
#include <numeric>
#include <string>
#include <unordered_map>

namespace
{
using Int64 = std::int64_t;
constexpr Int64 kMax32 = std::numeric_limits<std::int32_t>::max();
// Products of values made from disjoint groups of tiles stay below this: a value made from
// tiles is at most the product of each tile plus 1, and 256^6 is 2^48.
constexpr Int64 kProductBound = Int64{1} << 48;

enum EKind : int
{
    KindTile,
    KindSum,
    KindProduct,
};

// One part of a sum or a product: a group of tiles, added (multiplied) or taken away
// (divided), and the value the group makes.
struct SPart
{
    int nGroup = 0;
    int nSign = 0; // 0: added or multiplied; 1: taken away or divided
    std::int32_t nValue = 0;
};

// One grouping of a node's parts, as the best one of the parts in mask: its largest step
// result and parentheses, the split it makes last and the entries of both sides.
struct SEntry
{
    std::int32_t nMax = 0;
    int nParens = 0;
    int nSplit = 0;
    int nLeftEntry = 0;
    int nRightEntry = 0;
};

// What the parts of a sum or a product (signs and values, in order) allow: whether some
// grouping of them is clean, and for each group of parts its value and the groupings worth
// keeping (none larger and with more parentheses than another).
struct SNode
{
    int nKind = KindSum;
    int nParts = 0;
    // The parts' signs and values, in order.
    std::array<int, 6> anSign{};
    std::array<std::int32_t, 6> anPart{};
    bool bClean = false;
    std::int32_t nMinLargest = 0;
    std::array<std::int32_t, 64> anValue{};
    // Whether the group's value comes out of its parts the right way round: for a sum, the
    // terms added exceed those taken away; for a product, the factors multiplied.
    std::array<bool, 64> abUpright{};
    std::array<std::vector<SEntry>, 64> entries;
};

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

// A solution of the value asked for, kept until the best ones are known.
struct SCandidate
{
    int nSize = 0;
    std::int32_t nLargest = 0;
    int nKind = KindTile;
    int nNode = -1;
    int nChildren = 0;
    std::array<int, 6> anChildren{};
    std::int32_t nTile = 0;
};

// Calls take(operator, result) for each accepted step of x and y, in either order, whose
// result is neither operand, until take returns true; returns whether it did.
template <typename Take> bool ForEachChangingStep(std::int32_t x, std::int32_t y, Take&& take)
{
    const std::array<std::array<std::int32_t, 3>, 6> steps = {{
        {OpAdd, x, y},
        {OpSubtract, x, y},
        {OpSubtract, y, x},
        {OpMultiply, x, y},
        {OpDivide, x, y},
        {OpDivide, y, x},
    }};
    for (const auto& step : steps)
    {
        std::int32_t r = 0;
        if (ApplyStep(step[0], step[1], step[2], r) && r != x && r != y && take(step[0], r))
            return true;
    }
    return false;
}

// Sorted values without repeats: those below 2^16 through a bitmap, the others sorted.
class CValueSet
{
public:
    void Add(std::int32_t v)
    {
        if (v < kSmall)
        {
            const auto w = static_cast<std::size_t>(v >> 6);
            m_anBits[w] |= std::uint64_t{1} << (v & 63);
            m_nEnd = std::max(m_nEnd, w + 1);
        }
        else
            m_large.push_back(v);
    }
    // Moves the values out, leaving the set empty.
    void Take(std::vector<std::int32_t>& out)
    {
        out.clear();
        for (std::size_t w = 0; w < m_nEnd; ++w)
        {
            for (std::uint64_t bits = m_anBits[w]; bits; bits &= bits - 1)
                out.push_back(static_cast<std::int32_t>(w * 64) + std::countr_zero(bits));
            m_anBits[w] = 0;
        }
        m_nEnd = 0;
        std::sort(m_large.begin(), m_large.end());
        m_large.erase(std::unique(m_large.begin(), m_large.end()), m_large.end());
        out.insert(out.end(), m_large.begin(), m_large.end());
        m_large.clear();
    }

private:
    static constexpr std::int32_t kSmall = 1 << 16;
    std::array<std::uint64_t, kSmall / 64> m_anBits{};
    std::size_t m_nEnd = 0;
    std::vector<std::int32_t> m_large;
};

} // namespace

struct CAllSolutions::SState
{
    // The tiles as distinct values with their counts; a group of tiles is a multiset of
    // them, numbered in mixed radix (each digit the count of one value).
    std::vector<std::int32_t> distinct;
    std::vector<int> counts;
    std::vector<int> strides;
    int nGroups = 0;
    std::vector<std::vector<int>> digits;
    std::vector<int> sizes;
    // Groups ordered by size, then number: a sum's or product's parts come in this order.
    std::vector<int> ranks;
    std::vector<int> byRank;
    // The groups within each group, neither empty nor the whole, in order of rank.
    std::vector<std::vector<int>> within;
    std::vector<std::int32_t> tileOf; // the tile's value for a group of one tile, else -1

    // Values each group makes by ways whose steps change something: with a last step of
    // + or - (sums), x or / (products); and what may be a term of a sum (a tile or a
    // product, not 0) or a factor of a product (a tile or a sum, at least 2).
    std::vector<std::vector<std::int32_t>> sums;
    std::vector<std::vector<std::int32_t>> products;
    std::vector<std::vector<std::int32_t>> terms;
    std::vector<std::vector<std::int32_t>> factors;
    // Bounds on what the parts of a split of a group make together: the largest sum of
    // terms, the largest product of factors (so the largest value a sum, or either side of
    // a product, of the parts can reach).
    std::vector<Int64> termBound;
    std::vector<Int64> factorBound;
    // What the groups make, all of it; the whole set of tiles only once it is needed (its
    // values are worked out last and cost the most, and are no part of any other group).
    std::vector<std::vector<std::int32_t>> all;
    std::vector<std::int32_t> reachable;
    bool bWholeDone = false;
    // Kept from one group to the next, and from game to game.
    CValueSet sumValues;
    CValueSet productValues;

    // Forms of values of groups, made while the value asked for is solved.
    std::vector<SForm> forms;
    std::vector<int> children;
    std::vector<std::vector<int>> lists;
    std::unordered_map<std::uint64_t, int> listOf;
    // A deque: nodes are large, and stay where they are while more are made.
    std::deque<SNode> nodes;
    std::vector<SEntry> candidates;
    // Nodes by kind and parts (signs and values), packed.
    struct SNodeKey
    {
        std::array<std::uint64_t, 4> anWords{};
        bool operator==(const SNodeKey&) const = default;
    };
    struct SNodeKeyHash
    {
        std::size_t operator()(const SNodeKey& key) const
        {
            std::uint64_t h = 0x9E3779B97F4A7C15u;
            for (std::uint64_t w : key.anWords)
                h = (h ^ w) * 0xBF58476D1CE4E5B9u;
            return static_cast<std::size_t>(h ^ (h >> 31));
        }
    };
    std::unordered_map<SNodeKey, int, SNodeKeyHash> nodeOf;

    void Build(const std::vector<std::int32_t>& tiles);
    void BuildTables();
    void BuildGroup(int nGroup);
    // The values nearest to nValue, above and below it, that one step over a split of the
    // whole set of tiles makes, worked out without keeping them all.
    void WholeNearest(std::int32_t nValue, std::optional<std::int32_t>& above,
                      std::optional<std::int32_t>& below) const;
    bool WholeMakes(std::int32_t nValue) const;
    bool Has(const std::vector<std::int32_t>& values, std::int32_t v) const
    {
        return std::binary_search(values.begin(), values.end(), v);
    }

    int Node(int nKind, const std::vector<SPart>& parts);
    void MakeNode(SNode& node, const std::vector<SPart>& parts);
    const std::vector<int>& PartForms(int nGroup, std::int32_t nValue, int nParentKind);
    int Forms(int nGroup, std::int32_t nValue, int nKind);
    using Emit = std::function<void(int nNode, const std::vector<SPart>& parts,
                                    const std::vector<const std::vector<int>*>& lists,
                                    const std::vector<int>& choice)>;
    void Enumerate(int nGroup, std::int32_t nValue, int nKind, const Emit& emit);
    void Parts(int nKind, int nRest, Int64 nNum, Int64 nDen, std::vector<SPart>& parts,
               const Emit& emit);
    void EmitParts(int nKind, std::vector<SPart> parts, const Emit& emit);

    int Compare(const SForm& a, const SForm& b) const;
    int CompareParts(int nNodeA, const int* pA, int nNodeB, const int* pB, int nCount) const;
    int AddWay(int nForm, std::int32_t nBound, std::vector<SWayNode>& way) const;
    int AddNodeWay(const SNode& node, const int* pChildren, int nMask, int nEntry,
                   std::int32_t nBound, std::vector<SWayNode>& way) const;
};

void CAllSolutions::SState::Build(const std::vector<std::int32_t>& tiles)
{
    std::vector<std::int32_t> sorted = tiles;
    std::sort(sorted.begin(), sorted.end());
    distinct.clear();
    counts.clear();
    for (std::int32_t t : sorted)
    {
        if (distinct.empty() || distinct.back() != t)
        {
            distinct.push_back(t);
            counts.push_back(0);
        }
        ++counts.back();
    }
    const int nDistinct = static_cast<int>(distinct.size());
    strides.assign(static_cast<std::size_t>(nDistinct), 1);
    nGroups = 1;
    for (int i = 0; i < nDistinct; ++i)
    {
        strides[static_cast<std::size_t>(i)] = nGroups;
        nGroups *= counts[static_cast<std::size_t>(i)] + 1;
    }
    const auto n = static_cast<std::size_t>(nGroups);
    digits.assign(n, {});
    sizes.assign(n, 0);
    tileOf.assign(n, -1);
    for (int g = 0; g < nGroups; ++g)
    {
        auto& d = digits[static_cast<std::size_t>(g)];
        int nRest = g;
        for (int i = 0; i < nDistinct; ++i)
        {
            const int c = counts[static_cast<std::size_t>(i)] + 1;
            d.push_back(nRest % c);
            nRest /= c;
            sizes[static_cast<std::size_t>(g)] += d.back();
            if (d.back() == 1 && sizes[static_cast<std::size_t>(g)] == 1)
                tileOf[static_cast<std::size_t>(g)] = distinct[static_cast<std::size_t>(i)];
        }
        if (sizes[static_cast<std::size_t>(g)] != 1)
            tileOf[static_cast<std::size_t>(g)] = -1;
    }
    byRank.resize(n);
    std::iota(byRank.begin(), byRank.end(), 0);
    std::stable_sort(
        byRank.begin(), byRank.end(),
        [&](int a, int b)
        { return sizes[static_cast<std::size_t>(a)] < sizes[static_cast<std::size_t>(b)]; });
    ranks.assign(n, 0);
    for (int r = 0; r < nGroups; ++r)
        ranks[static_cast<std::size_t>(byRank[static_cast<std::size_t>(r)])] = r;
    within.assign(n, {});
    for (int g = 0; g < nGroups; ++g)
    {
        for (int a : byRank)
        {
            if (a == 0 || a == g)
                continue;
            bool bWithin = true;
            for (int i = 0; i < nDistinct && bWithin; ++i)
                bWithin = digits[static_cast<std::size_t>(a)][static_cast<std::size_t>(i)] <=
                          digits[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
            if (bWithin)
                within[static_cast<std::size_t>(g)].push_back(a);
        }
    }
    BuildTables();
    forms.clear();
    children.clear();
    lists.clear();
    listOf.clear();
    nodes.clear();
    nodeOf.clear();
}

void CAllSolutions::SState::BuildTables()
{
    const auto n = static_cast<std::size_t>(nGroups);
    sums.assign(n, {});
    products.assign(n, {});
    terms.assign(n, {});
    factors.assign(n, {});
    all.assign(n, {});
    reachable.clear();
    const int nWhole = nGroups - 1;
    for (int g : byRank)
    {
        if (g != 0 && (g != nWhole || sizes[static_cast<std::size_t>(g)] == 1))
            BuildGroup(g);
    }
    bWholeDone = sizes[static_cast<std::size_t>(nWhole)] == 1;
    termBound.assign(n, 0);
    factorBound.assign(n, 1);
    for (int g : byRank)
    {
        const auto ug = static_cast<std::size_t>(g);
        if (g == 0 || g == nWhole)
            continue;
        Int64& nTerms = termBound[ug];
        Int64& nFactors = factorBound[ug];
        if (!terms[ug].empty())
            nTerms = terms[ug].back();
        if (!factors[ug].empty())
            nFactors = factors[ug].back();
        for (int a : within[ug])
        {
            const auto ua = static_cast<std::size_t>(a);
            const auto ub = static_cast<std::size_t>(g - a);
            nTerms = std::max(nTerms, termBound[ua] + termBound[ub]);
            nFactors =
                std::max(nFactors, std::min(kProductBound, factorBound[ua] * factorBound[ub]));
        }
    }
    std::sort(reachable.begin(), reachable.end());
    reachable.erase(std::unique(reachable.begin(), reachable.end()), reachable.end());
}

void CAllSolutions::SState::WholeNearest(std::int32_t nValue, std::optional<std::int32_t>& above,
                                         std::optional<std::int32_t>& below) const
{
    if (bWholeDone)
        return;
    const int g = nGroups - 1;
    for (int a : within[static_cast<std::size_t>(g)])
    {
        const int b = g - a;
        if (ranks[static_cast<std::size_t>(a)] > ranks[static_cast<std::size_t>(b)])
            continue;
        for (std::int32_t x : all[static_cast<std::size_t>(a)])
        {
            for (std::int32_t y : all[static_cast<std::size_t>(b)])
            {
                ForEachChangingStep(x, y,
                                    [&](int, std::int32_t r)
                                    {
                                        if (r > nValue && (!above || r < *above))
                                            above = r;
                                        else if (r < nValue && (!below || r > *below))
                                            below = r;
                                        return false;
                                    });
            }
        }
    }
}

// Whether one step over a split of the whole set of tiles makes the value: each value of
// the smaller side with each operand that gives it, looked up in the other side.
bool CAllSolutions::SState::WholeMakes(std::int32_t nValue) const
{
    const int g = nGroups - 1;
    const Int64 v = nValue;
    for (int a : within[static_cast<std::size_t>(g)])
    {
        const int b = g - a;
        if (ranks[static_cast<std::size_t>(a)] > ranks[static_cast<std::size_t>(b)])
            continue;
        const auto& other = all[static_cast<std::size_t>(b)];
        for (std::int32_t x : all[static_cast<std::size_t>(a)])
        {
            const Int64 nX = x;
            const std::array<Int64, 6> candidates = {v - nX,
                                                     nX - v,
                                                     nX + v,
                                                     nX != 0 && v % nX == 0 ? v / nX : -1,
                                                     v != 0 && nX % v == 0 ? nX / v : -1,
                                                     v * nX};
            for (Int64 nY : candidates)
            {
                if (nY < 0 || nY > kMax32)
                    continue;
                const auto y = static_cast<std::int32_t>(nY);
                if (!std::binary_search(other.begin(), other.end(), y))
                    continue;
                if (ForEachChangingStep(x, y, [&](int, std::int32_t r) { return r == nValue; }))
                    return true;
            }
        }
    }
    return false;
}

void CAllSolutions::SState::BuildGroup(int g)
{
    const auto ug = static_cast<std::size_t>(g);
    CValueSet& sumSet = sumValues;
    CValueSet& productSet = productValues;
    for (int a : within[ug])
    {
        const int b = g - a;
        if (ranks[static_cast<std::size_t>(a)] > ranks[static_cast<std::size_t>(b)])
            continue;
        for (std::int32_t x : all[static_cast<std::size_t>(a)])
        {
            for (std::int32_t y : all[static_cast<std::size_t>(b)])
            {
                ForEachChangingStep(x, y,
                                    [&](int nOperator, std::int32_t r)
                                    {
                                        (nOperator == OpAdd || nOperator == OpSubtract ? sumSet
                                                                                       : productSet)
                                            .Add(r);
                                        return false;
                                    });
            }
        }
    }
    auto& sum = sums[ug];
    auto& product = products[ug];
    sumSet.Take(sum);
    productSet.Take(product);
    // A tile's value joins the sorted values at its place.
    auto withTile = [&](const std::vector<std::int32_t>& values, std::int32_t nLeast)
    {
        std::vector<std::int32_t> out(std::lower_bound(values.begin(), values.end(), nLeast),
                                      values.end());
        const std::int32_t t = tileOf[ug];
        if (t >= nLeast)
        {
            const auto it = std::lower_bound(out.begin(), out.end(), t);
            if (it == out.end() || *it != t)
                out.insert(it, t);
        }
        return out;
    };
    auto& every = all[ug];
    every.clear();
    std::set_union(sum.begin(), sum.end(), product.begin(), product.end(),
                   std::back_inserter(every));
    every = withTile(every, 0);
    reachable.insert(reachable.end(), every.begin(), every.end());
    terms[ug] = withTile(product, 1);
    factors[ug] = withTile(sum, 2);
}

// The groupings of a node's parts. A group of parts is worked out by one step over a split
// of it in two, each side worked out the same way; a side's value is the sum (product) of
// its parts, taken the other way round when the parts taken away (divided) weigh more.
void CAllSolutions::SState::MakeNode(SNode& node, const std::vector<SPart>& parts)
{
    const int k = static_cast<int>(parts.size());
    const int nFull = (1 << k) - 1;
    node.nParts = k;
    for (int i = 0; i < k; ++i)
    {
        node.anSign[static_cast<std::size_t>(i)] = parts[static_cast<std::size_t>(i)].nSign;
        node.anPart[static_cast<std::size_t>(i)] = parts[static_cast<std::size_t>(i)].nValue;
    }
    const bool bSum = node.nKind == KindSum;
    std::array<bool, 64> abLegal{};
    for (int m = 1; m <= nFull; ++m)
    {
        const auto um = static_cast<std::size_t>(m);
        Int64 nUp = bSum ? 0 : 1;
        Int64 nDown = bSum ? 0 : 1;
        for (int i = 0; i < k; ++i)
        {
            if (!(m >> i & 1))
                continue;
            const SPart& part = parts[static_cast<std::size_t>(i)];
            Int64& side = part.nSign == 0 ? nUp : nDown;
            side = bSum ? side + part.nValue : side * part.nValue;
        }
        Int64 nValue = -1;
        if (bSum)
        {
            node.abUpright[um] = nUp >= nDown;
            nValue = nUp >= nDown ? nUp - nDown : nDown - nUp;
            // A neutral group of parts is a detour, unless it is the whole node.
            if (nValue == 0 && m != nFull)
                return;
        }
        else
        {
            if (nUp == nDown && m != nFull)
                return;
            node.abUpright[um] = nUp >= nDown;
            if (nUp % nDown == 0)
                nValue = nUp / nDown;
            else if (nDown % nUp == 0)
                nValue = nDown / nUp;
        }
        abLegal[um] = nValue >= 0 && nValue <= kMax32;
        node.anValue[um] = abLegal[um] ? static_cast<std::int32_t>(nValue) : 0;
    }
    for (int m = 1; m <= nFull; ++m)
    {
        const auto um = static_cast<std::size_t>(m);
        auto& entries = node.entries[um];
        if (std::popcount(static_cast<unsigned>(m)) == 1)
        {
            entries.push_back({});
            continue;
        }
        if (!abLegal[um])
            continue;
        const int nLowest = m & -m;
        candidates.clear();
        for (int a = (m - 1) & m; a > 0; a = (a - 1) & m)
        {
            if (!(a & nLowest))
                continue;
            const int b = m ^ a;
            const auto& left = node.entries[static_cast<std::size_t>(a)];
            const auto& right = node.entries[static_cast<std::size_t>(b)];
            if (left.empty() || right.empty())
                continue;
            const bool bSameA = node.abUpright[static_cast<std::size_t>(a)] == node.abUpright[um];
            const bool bSameB = node.abUpright[static_cast<std::size_t>(b)] == node.abUpright[um];
            if (!bSameA && !bSameB)
                continue;
            const std::int32_t va = node.anValue[static_cast<std::size_t>(a)];
            const std::int32_t vb = node.anValue[static_cast<std::size_t>(b)];
            int nOperator = 0;
            std::int32_t nFirst = va;
            std::int32_t nSecond = vb;
            if (bSameA && bSameB)
                nOperator = bSum ? OpAdd : OpMultiply;
            else
            {
                nOperator = bSum ? OpSubtract : OpDivide;
                if (!bSameA)
                    std::swap(nFirst, nSecond);
            }
            std::int32_t r = 0;
            if (!ApplyStep(nOperator, nFirst, nSecond, r) || r != node.anValue[um] || r == va ||
                r == vb)
                continue;
            const bool bInnerA = std::popcount(static_cast<unsigned>(a)) > 1;
            const bool bInnerB = std::popcount(static_cast<unsigned>(b)) > 1;
            int nParens = 0;
            if (bSameA && bSameB)
                nParens = bInnerA && bInnerB ? 1 : 0;
            else
                nParens = (bSameA ? bInnerB : bInnerA) ? 1 : 0;
            for (std::size_t i = 0; i < left.size(); ++i)
            {
                for (std::size_t j = 0; j < right.size(); ++j)
                {
                    SEntry e;
                    e.nMax = std::max({left[i].nMax, right[j].nMax, r});
                    e.nParens = left[i].nParens + right[j].nParens + nParens;
                    e.nSplit = a;
                    e.nLeftEntry = static_cast<int>(i);
                    e.nRightEntry = static_cast<int>(j);
                    candidates.push_back(e);
                }
            }
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const SEntry& x, const SEntry& y)
                         { return x.nMax != y.nMax ? x.nMax < y.nMax : x.nParens < y.nParens; });
        for (const SEntry& e : candidates)
        {
            if (entries.empty() || e.nParens < entries.back().nParens)
                entries.push_back(e);
        }
    }
    const auto& whole = node.entries[static_cast<std::size_t>(nFull)];
    node.bClean = !whole.empty();
    if (node.bClean)
        node.nMinLargest = whole.front().nMax;
}

int CAllSolutions::SState::Node(int nKind, const std::vector<SPart>& parts)
{
    // The kind, the count and the signs, then each value, 32 bits apiece.
    SNodeKey key;
    std::uint64_t nHead = static_cast<std::uint64_t>(nKind) << 16 | parts.size() << 8;
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        nHead |= static_cast<std::uint64_t>(parts[i].nSign) << i;
        const std::size_t nPlace = i + 1;
        key.anWords[nPlace / 2] |=
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(parts[i].nValue))
            << (32 * (nPlace % 2));
    }
    key.anWords[0] |= nHead;
    const auto [it, bNew] = nodeOf.try_emplace(key, static_cast<int>(nodes.size()));
    if (bNew)
    {
        SNode& node = nodes.emplace_back();
        node.nKind = nKind;
        MakeNode(node, parts);
    }
    return it->second;
}

// The forms a group makes that may stand as one part of a node of the kind given: a tile,
// or a node of the other kind.
const std::vector<int>& CAllSolutions::SState::PartForms(int nGroup, std::int32_t nValue,
                                                         int nParentKind)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(nGroup) << 40) |
                              (static_cast<std::uint64_t>(nParentKind) << 32) |
                              static_cast<std::uint32_t>(nValue);
    const auto found = listOf.find(key);
    if (found != listOf.end())
        return lists[static_cast<std::size_t>(found->second)];
    std::vector<int> list;
    if (tileOf[static_cast<std::size_t>(nGroup)] == nValue)
    {
        SForm tile;
        tile.nValue = nValue;
        tile.nGroup = nGroup;
        list.push_back(static_cast<int>(forms.size()));
        forms.push_back(tile);
    }
    const int nOther = nParentKind == KindSum ? KindProduct : KindSum;
    const int nList = Forms(nGroup, nValue, nOther);
    const std::vector<int>& more = lists[static_cast<std::size_t>(nList)];
    list.insert(list.end(), more.begin(), more.end());
    const int nIndex = static_cast<int>(lists.size());
    lists.push_back(std::move(list));
    listOf.emplace(key, nIndex);
    return lists[static_cast<std::size_t>(nIndex)];
}

// The forms of one kind a group makes, kept: the number of a list of forms.
int CAllSolutions::SState::Forms(int nGroup, std::int32_t nValue, int nKind)
{
    std::vector<int> list;
    Enumerate(nGroup, nValue, nKind,
              [&](int nNode, const std::vector<SPart>& parts,
                  const std::vector<const std::vector<int>*>& partLists,
                  const std::vector<int>& choice)
              {
                  SForm form;
                  form.nKind = nKind;
                  form.nValue = nValue;
                  form.nGroup = nGroup;
                  form.nNode = nNode;
                  form.nFirstChild = static_cast<int>(children.size());
                  form.nChildren = static_cast<int>(parts.size());
                  form.nLargest = nodes[static_cast<std::size_t>(nNode)].nMinLargest;
                  for (std::size_t i = 0; i < parts.size(); ++i)
                  {
                      const int nChild = (*partLists[i])[static_cast<std::size_t>(choice[i])];
                      children.push_back(nChild);
                      form.nLargest =
                          std::max(form.nLargest, forms[static_cast<std::size_t>(nChild)].nLargest);
                  }
                  list.push_back(static_cast<int>(forms.size()));
                  forms.push_back(form);
              });
    lists.push_back(std::move(list));
    return static_cast<int>(lists.size()) - 1;
}

void CAllSolutions::SState::Enumerate(int nGroup, std::int32_t nValue, int nKind, const Emit& emit)
{
    if (sizes[static_cast<std::size_t>(nGroup)] < 2 || nValue < 0)
        return;
    // A product of factors of at least 2 is never 0.
    if (nKind == KindProduct && nValue == 0)
        return;
    std::vector<SPart> parts;
    Parts(nKind, nGroup, nValue, 1, parts, emit);
}

// The parts of a node, in order of group, sign and value, for the rest of the group, which
// must make nNum (a sum) or nNum / nDen (a product, in lowest terms).
void CAllSolutions::SState::Parts(int nKind, int nRest, Int64 nNum, Int64 nDen,
                                  std::vector<SPart>& parts, const Emit& emit)
{
    const bool bSum = nKind == KindSum;
    const auto& values = bSum ? terms : factors;
    // A copy: the parts grow below.
    const bool bFirst = parts.empty();
    const SPart previous = bFirst ? SPart{} : parts.back();
    const SPart* pLast = bFirst ? nullptr : &previous;
    auto notBefore = [&](const SPart& p)
    {
        if (!pLast)
            return true;
        const int ra = ranks[static_cast<std::size_t>(pLast->nGroup)];
        const int rb = ranks[static_cast<std::size_t>(p.nGroup)];
        if (ra != rb)
            return ra < rb;
        if (pLast->nSign != p.nSign)
            return pLast->nSign < p.nSign;
        return pLast->nValue <= p.nValue;
    };
    // The rest as the last part.
    if (!parts.empty())
    {
        SPart last;
        last.nGroup = nRest;
        bool bFits = false;
        if (bSum)
        {
            if (nNum != 0 && std::abs(nNum) <= kMax32)
            {
                last.nSign = nNum > 0 ? 0 : 1;
                last.nValue = static_cast<std::int32_t>(std::abs(nNum));
                bFits = true;
            }
        }
        else if (nNum % nDen == 0 && nNum / nDen <= kMax32 && nNum != nDen)
        {
            last.nValue = static_cast<std::int32_t>(nNum / nDen);
            bFits = true;
        }
        else if (nDen % nNum == 0 && nDen / nNum <= kMax32 && nNum != nDen)
        {
            last.nSign = 1;
            last.nValue = static_cast<std::int32_t>(nDen / nNum);
            bFits = true;
        }
        if (bFits && notBefore(last) && Has(values[static_cast<std::size_t>(nRest)], last.nValue))
        {
            parts.push_back(last);
            EmitParts(nKind, parts, emit);
            parts.pop_back();
        }
    }
    const int nRestSize = sizes[static_cast<std::size_t>(nRest)];
    for (int a : within[static_cast<std::size_t>(nRest)])
    {
        const int nSize = sizes[static_cast<std::size_t>(a)];
        // Every part after this one is no smaller.
        if (2 * nSize > nRestSize)
            break;
        if (pLast &&
            ranks[static_cast<std::size_t>(a)] < ranks[static_cast<std::size_t>(pLast->nGroup)])
            continue;
        for (int nSign = 0; nSign < 2; ++nSign)
        {
            for (std::int32_t v : values[static_cast<std::size_t>(a)])
            {
                SPart part{a, nSign, v};
                if (!notBefore(part))
                    continue;
                Int64 nNextNum = nNum;
                Int64 nNextDen = nDen;
                const auto uRest = static_cast<std::size_t>(nRest - a);
                if (bSum)
                {
                    nNextNum = nSign == 0 ? nNum - v : nNum + v;
                    // The parts left cannot make more than this, added or taken away.
                    if (std::abs(nNextNum) > termBound[uRest])
                        continue;
                }
                else
                {
                    // nNum / nDen divided (multiplied) by v, in lowest terms: v shares
                    // factors only with the side it does not join.
                    Int64& nKeep = nSign == 0 ? nNextNum : nNextDen;
                    Int64& nGrow = nSign == 0 ? nNextDen : nNextNum;
                    const Int64 g = std::gcd(nKeep, Int64{v});
                    nKeep /= g;
                    const Int64 nFactor = v / g;
                    if (nGrow > kProductBound / nFactor)
                        continue;
                    nGrow *= nFactor;
                    if (nNextNum > factorBound[uRest] || nNextDen > factorBound[uRest])
                        continue;
                }
                parts.push_back(part);
                Parts(nKind, nRest - a, nNextNum, nNextDen, parts, emit);
                parts.pop_back();
            }
        }
    }
}

// A complete set of parts: if the node is clean and every part has forms, every choice of
// one form per part, equal parts taking their forms in order so that each node comes once.
void CAllSolutions::SState::EmitParts(int nKind, std::vector<SPart> parts, const Emit& emit)
{
    // The node's parts in order of sign and value, as the node knows them.
    std::stable_sort(parts.begin(), parts.end(),
                     [](const SPart& x, const SPart& y)
                     { return x.nSign != y.nSign ? x.nSign < y.nSign : x.nValue < y.nValue; });
    const int nNode = Node(nKind, parts);
    if (!nodes[static_cast<std::size_t>(nNode)].bClean)
        return;
    std::vector<const std::vector<int>*> partLists;
    for (const SPart& part : parts)
    {
        const std::vector<int>& list = PartForms(part.nGroup, part.nValue, nKind);
        if (list.empty())
            return;
        partLists.push_back(&list);
    }
    // PartForms may have grown the lists: take their addresses again.
    for (std::size_t i = 0; i < parts.size(); ++i)
        partLists[i] = &PartForms(parts[i].nGroup, parts[i].nValue, nKind);
    const std::size_t k = parts.size();
    std::vector<int> choice(k, 0);
    auto same = [&](std::size_t i)
    {
        return i > 0 && parts[i].nGroup == parts[i - 1].nGroup &&
               parts[i].nSign == parts[i - 1].nSign && parts[i].nValue == parts[i - 1].nValue;
    };
    // Odometer over the choices, the last part fastest; equal parts never decrease.
    for (std::size_t i = 0; i < k; ++i)
        choice[i] = same(i) ? choice[i - 1] : 0;
    while (true)
    {
        emit(nNode, parts, partLists, choice);
        std::size_t i = k;
        while (i > 0)
        {
            --i;
            if (choice[i] + 1 < static_cast<int>(partLists[i]->size()))
            {
                ++choice[i];
                for (std::size_t j = i + 1; j < k; ++j)
                    choice[j] = same(j) ? choice[j - 1] : 0;
                break;
            }
            if (i == 0)
                return;
        }
        if (k == 0)
            return;
    }
}

// A fixed order of forms of the same value: by size, kind, parts, then the parts' forms.
int CAllSolutions::SState::Compare(const SForm& a, const SForm& b) const
{
    const int nSizeA = sizes[static_cast<std::size_t>(a.nGroup)];
    const int nSizeB = sizes[static_cast<std::size_t>(b.nGroup)];
    if (nSizeA != nSizeB)
        return nSizeA < nSizeB ? -1 : 1;
    if (a.nKind != b.nKind)
        return a.nKind < b.nKind ? -1 : 1;
    if (a.nValue != b.nValue)
        return a.nValue < b.nValue ? -1 : 1;
    if (a.nKind == KindTile)
        return 0;
    if (a.nChildren != b.nChildren)
        return a.nChildren < b.nChildren ? -1 : 1;
    return CompareParts(a.nNode, &children[static_cast<std::size_t>(a.nFirstChild)], b.nNode,
                        &children[static_cast<std::size_t>(b.nFirstChild)], a.nChildren);
}

int CAllSolutions::SState::CompareParts(int nNodeA, const int* pA, int nNodeB, const int* pB,
                                        int nCount) const
{
    const SNode& a = nodes[static_cast<std::size_t>(nNodeA)];
    const SNode& b = nodes[static_cast<std::size_t>(nNodeB)];
    for (std::size_t i = 0; i < static_cast<std::size_t>(nCount); ++i)
    {
        if (a.anSign[i] != b.anSign[i])
            return a.anSign[i] < b.anSign[i] ? -1 : 1;
        if (a.anPart[i] != b.anPart[i])
            return a.anPart[i] < b.anPart[i] ? -1 : 1;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(nCount); ++i)
    {
        if (pA[i] == pB[i])
            continue;
        const int c =
            Compare(forms[static_cast<std::size_t>(pA[i])], forms[static_cast<std::size_t>(pB[i])]);
        if (c != 0)
            return c;
    }
    return 0;
}

// Appends the way a form is shown by, each step after its operands' steps: every node
// takes the grouping with the fewest parentheses among those whose steps stay within the
// bound (the form's smallest largest step result). Returns the index of the form's value.
int CAllSolutions::SState::AddWay(int nForm, std::int32_t nBound, std::vector<SWayNode>& way) const
{
    const SForm& form = forms[static_cast<std::size_t>(nForm)];
    if (form.nKind == KindTile)
    {
        SWayNode tile;
        tile.nValue = form.nValue;
        way.push_back(tile);
        return static_cast<int>(way.size()) - 1;
    }
    const SNode& node = nodes[static_cast<std::size_t>(form.nNode)];
    return AddNodeWay(node, &children[static_cast<std::size_t>(form.nFirstChild)],
                      (1 << node.nParts) - 1, -1, nBound, way);
}

int CAllSolutions::SState::AddNodeWay(const SNode& node, const int* pChildren, int nMask,
                                      int nEntry, std::int32_t nBound,
                                      std::vector<SWayNode>& way) const
{
    if (std::popcount(static_cast<unsigned>(nMask)) == 1)
        return AddWay(pChildren[std::countr_zero(static_cast<unsigned>(nMask))], nBound, way);
    const auto& entries = node.entries[static_cast<std::size_t>(nMask)];
    if (nEntry < 0)
    {
        // Entries come by growing largest result and shrinking parentheses.
        nEntry = 0;
        while (static_cast<std::size_t>(nEntry) + 1 < entries.size() &&
               entries[static_cast<std::size_t>(nEntry) + 1].nMax <= nBound)
            ++nEntry;
    }
    const SEntry& e = entries[static_cast<std::size_t>(nEntry)];
    int a = e.nSplit;
    int b = nMask ^ a;
    int nEntryA = e.nLeftEntry;
    int nEntryB = e.nRightEntry;
    const bool bSum = node.nKind == KindSum;
    const bool bUp = node.abUpright[static_cast<std::size_t>(nMask)];
    const bool bSameA = node.abUpright[static_cast<std::size_t>(a)] == bUp;
    const bool bSameB = node.abUpright[static_cast<std::size_t>(b)] == bUp;
    int nOperator = 0;
    if (bSameA && bSameB)
    {
        nOperator = bSum ? OpAdd : OpMultiply;
        // A step of the node's own goes first, where it needs no parentheses.
        const bool bInnerA = std::popcount(static_cast<unsigned>(a)) > 1;
        const bool bInnerB = std::popcount(static_cast<unsigned>(b)) > 1;
        // Else the larger value first, as people write it.
        const bool bLargerB =
            node.anValue[static_cast<std::size_t>(b)] > node.anValue[static_cast<std::size_t>(a)];
        if (bInnerB != bInnerA ? bInnerB : bLargerB)
        {
            std::swap(a, b);
            std::swap(nEntryA, nEntryB);
        }
    }
    else
    {
        nOperator = bSum ? OpSubtract : OpDivide;
        if (!bSameA)
        {
            std::swap(a, b);
            std::swap(nEntryA, nEntryB);
        }
    }
    SWayNode step;
    step.nOperator = nOperator;
    step.nValue = node.anValue[static_cast<std::size_t>(nMask)];
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
    m_pState->Build(tiles);
}

bool CAllSolutions::Reachable(std::int32_t nValue) const
{
    const auto& values = m_pState->reachable;
    return std::binary_search(values.begin(), values.end(), nValue) ||
           (!m_pState->bWholeDone && m_pState->WholeMakes(nValue));
}

CAllSolutions::SNearest CAllSolutions::Nearest(std::int32_t nValue) const
{
    SNearest nearest;
    m_pState->WholeNearest(nValue, nearest.above, nearest.below);
    const auto& values = m_pState->reachable;
    const auto it = std::upper_bound(values.begin(), values.end(), nValue);
    if (it != values.end() && (!nearest.above || *it < *nearest.above))
        nearest.above = *it;
    const auto low = std::lower_bound(values.begin(), values.end(), nValue);
    if (low != values.begin() && (!nearest.below || *(low - 1) > *nearest.below))
        nearest.below = *(low - 1);
    return nearest;
}

CAllSolutions::SValueSolutions CAllSolutions::Solve(std::int32_t nValue, std::size_t nMax)
{
    SState& s = *m_pState;
    SValueSolutions result;
    result.nValue = nValue;
    std::vector<SCandidate> candidates;
    auto less = [&](const SCandidate& x, const SCandidate& y)
    {
        if (x.nSize != y.nSize)
            return x.nSize < y.nSize;
        if (x.nLargest != y.nLargest)
            return x.nLargest < y.nLargest;
        if (x.nKind != y.nKind)
            return x.nKind < y.nKind;
        if (x.nKind == KindTile || x.nChildren != y.nChildren)
            return x.nChildren < y.nChildren;
        return s.CompareParts(x.nNode, x.anChildren.data(), y.nNode, y.anChildren.data(),
                              x.nChildren) < 0;
    };
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
            std::nth_element(candidates.begin(),
                             candidates.begin() + static_cast<std::ptrdiff_t>(nMax) - 1,
                             candidates.end(), less);
            candidates.resize(nMax);
        }
    };
    for (std::size_t i = 0; i < s.distinct.size(); ++i)
    {
        if (s.distinct[i] == nValue)
        {
            SCandidate tile;
            tile.nSize = 1;
            tile.nTile = nValue;
            offer(tile);
        }
    }
    for (int g : s.byRank)
    {
        for (int nKind : {KindSum, KindProduct})
        {
            s.Enumerate(g, nValue, nKind,
                        [&](int nNode, const std::vector<SPart>& parts,
                            const std::vector<const std::vector<int>*>& partLists,
                            const std::vector<int>& choice)
                        {
                            SCandidate c;
                            c.nSize = s.sizes[static_cast<std::size_t>(g)];
                            c.nKind = nKind;
                            c.nNode = nNode;
                            c.nChildren = static_cast<int>(parts.size());
                            c.nLargest = s.nodes[static_cast<std::size_t>(nNode)].nMinLargest;
                            for (std::size_t i = 0; i < parts.size(); ++i)
                            {
                                const int nChild =
                                    (*partLists[i])[static_cast<std::size_t>(choice[i])];
                                c.anChildren[i] = nChild;
                                c.nLargest = std::max(
                                    c.nLargest, s.forms[static_cast<std::size_t>(nChild)].nLargest);
                            }
                            offer(c);
                        });
        }
    }
    std::sort(candidates.begin(), candidates.end(), less);
    if (candidates.size() > nMax)
        candidates.resize(nMax);
    for (const SCandidate& c : candidates)
    {
        SSolution solution;
        solution.nSteps = c.nSize - 1;
        solution.nLargest = c.nLargest;
        if (c.nKind == KindTile)
        {
            SWayNode tile;
            tile.nValue = c.nTile;
            solution.way.push_back(tile);
        }
        else
        {
            const SNode& node = s.nodes[static_cast<std::size_t>(c.nNode)];
            s.AddNodeWay(node, c.anChildren.data(), (1 << node.nParts) - 1, -1, c.nLargest,
                         solution.way);
        }
        result.solutions.push_back(std::move(solution));
    }
    return result;
}
