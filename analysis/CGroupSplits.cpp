#include "CGroupSplits.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <tuple>

namespace
{
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
} // namespace

void CGroupSplits::Clear()
{
    m_lists.clear();
    m_listOf.clear();
}

const std::vector<int>& CGroupSplits::PartForms(int nGroup, std::int32_t nValue, int nParentKind)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(nGroup) << 40) |
                              (static_cast<std::uint64_t>(nParentKind) << 32) |
                              static_cast<std::uint32_t>(nValue);
    if (const auto found = m_listOf.find(key); found != m_listOf.end())
        return m_lists[found->second];
    std::vector<int> list;
    if (m_table.tileOf[nGroup] == nValue)
    {
        list.push_back(static_cast<int>(m_forms.forms.size()));
        m_forms.forms.push_back({CSolutionForms::KindTile, nValue, nGroup});
    }
    const std::vector<int>& more =
        m_lists[Forms(nGroup, nValue, CSolutionForms::Other(nParentKind))];
    list.insert(list.end(), more.begin(), more.end());
    m_lists.push_back(std::move(list));
    m_listOf.emplace(key, static_cast<int>(m_lists.size()) - 1);
    return m_lists.back();
}

int CGroupSplits::Forms(int nGroup, std::int32_t nValue, int nKind)
{
    std::vector<int> list;
    Enumerate(nGroup, nValue, nKind,
              [&](int nNode, int nChildren, const int* pChildren, std::int32_t nLargest)
              {
                  list.push_back(static_cast<int>(m_forms.forms.size()));
                  m_forms.forms.push_back({nKind, nValue, nGroup, nNode,
                                           static_cast<int>(m_forms.children.size()), nChildren,
                                           nLargest});
                  m_forms.children.insert(m_forms.children.end(), pChildren, pChildren + nChildren);
              });
    m_lists.push_back(std::move(list));
    return static_cast<int>(m_lists.size()) - 1;
}

void CGroupSplits::Enumerate(int nGroup, std::int32_t nValue, int nKind, const Emit& emit)
{
    // A product of factors of at least 2 is never 0.
    if (m_table.sizes[nGroup] < 2 || nValue < 0 ||
        (nKind == CSolutionForms::KindProduct && nValue == 0))
        return;
    std::vector<SPart> parts;
    Parts(nKind, nGroup, nValue, 1, parts, emit);
}

// The parts of a node, in order of group, sign and value, for the rest of the group, which
// must make nNum (a sum) or nNum / nDen (a product, in lowest terms).
void CGroupSplits::Parts(int nKind, int nRest, std::int64_t nNum, std::int64_t nDen,
                         std::vector<SPart>& parts, const Emit& emit)
{
    const CGroupTable& t = m_table;
    const bool bSum = nKind == CSolutionForms::KindSum;
    const auto& values = bSum ? t.terms : t.factors;
    // A copy: the parts grow below.
    const bool bFirst = parts.empty();
    const SPart previous = bFirst ? SPart{} : parts.back();
    const SPart* pLast = bFirst ? nullptr : &previous;
    auto notBefore = [&](const SPart& p)
    {
        return !pLast || std::tuple(t.ranks[pLast->nGroup], pLast->nSign, pLast->nValue) <=
                             std::tuple(t.ranks[p.nGroup], p.nSign, p.nValue);
    };
    // The rest as the last part: what is left to make, added or taken away (multiplied or
    // divided).
    const std::int64_t nHigh = bSum ? std::abs(nNum) : std::max(nNum, nDen);
    const std::int64_t nLow = bSum ? 1 : std::min(nNum, nDen);
    const SPart last{nRest, (bSum ? nNum < 0 : nNum < nDen) ? 1 : 0,
                     static_cast<std::int32_t>(nHigh / nLow)};
    if (!bFirst && nHigh != (bSum ? 0 : nLow) && nHigh % nLow == 0 && nHigh / nLow <= kMax32 &&
        notBefore(last) && CGroupTable::Has(values[nRest], last.nValue))
    {
        parts.push_back(last);
        EmitParts(nKind, parts, emit);
        parts.pop_back();
    }
    for (int a : t.within[nRest])
    {
        // Every part after this one is no smaller.
        if (2 * t.sizes[a] > t.sizes[nRest])
            break;
        if (pLast && t.ranks[a] < t.ranks[pLast->nGroup])
            continue;
        for (int nSign = 0; nSign < 2; ++nSign)
            for (std::int32_t v : values[a])
            {
                SPart part{a, nSign, v};
                if (!notBefore(part))
                    continue;
                std::int64_t nNextNum = nNum;
                std::int64_t nNextDen = nDen;
                const int nOthers = nRest - a;
                if (bSum)
                {
                    nNextNum = nSign == 0 ? nNum - v : nNum + v;
                    // The parts left cannot make more than this, added or taken away.
                    if (std::abs(nNextNum) > t.termBound[nOthers])
                        continue;
                }
                else
                {
                    // nNum / nDen divided (multiplied) by v, in lowest terms: v shares
                    // factors only with the side it does not join.
                    std::int64_t& nKeep = nSign == 0 ? nNextNum : nNextDen;
                    std::int64_t& nGrow = nSign == 0 ? nNextDen : nNextNum;
                    const std::int64_t g = std::gcd(nKeep, std::int64_t{v});
                    nKeep /= g;
                    const std::int64_t nFactor = v / g;
                    if (nGrow > CGroupTable::ProductBound / nFactor)
                        continue;
                    nGrow *= nFactor;
                    if (nNextNum > t.factorBound[nOthers] || nNextDen > t.factorBound[nOthers])
                        continue;
                }
                parts.push_back(part);
                Parts(nKind, nOthers, nNextNum, nNextDen, parts, emit);
                parts.pop_back();
            }
    }
}

// A complete set of parts: if the node is clean and every part has forms, every choice of
// one form per part, equal parts taking their forms in order so that each node comes once.
void CGroupSplits::EmitParts(int nKind, std::vector<SPart> parts, const Emit& emit)
{
    // The node's parts in order of sign and value, as the node knows them.
    std::stable_sort(parts.begin(), parts.end(),
                     [](const SPart& x, const SPart& y)
                     { return x.nSign != y.nSign ? x.nSign < y.nSign : x.nValue < y.nValue; });
    const int nNode = m_forms.Node(nKind, parts);
    if (!m_forms.nodes[nNode].bClean)
        return;
    std::vector<const std::vector<int>*> partLists;
    for (const SPart& part : parts)
        if (PartForms(part.nGroup, part.nValue, nKind).empty())
            return;
    // PartForms may have grown the lists: their addresses are taken once all are made.
    for (const SPart& part : parts)
        partLists.push_back(&PartForms(part.nGroup, part.nValue, nKind));
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
    std::array<int, 6> anChildren{};
    while (true)
    {
        std::int32_t nLargest = m_forms.nodes[nNode].nMinLargest;
        for (std::size_t i = 0; i < k; ++i)
        {
            anChildren[i] = (*partLists[i])[choice[i]];
            nLargest = std::max(nLargest, m_forms.forms[anChildren[i]].nLargest);
        }
        emit(nNode, static_cast<int>(k), anChildren.data(), nLargest);
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
