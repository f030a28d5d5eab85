#include "CWayCleaner.h"

#include "Step.h"

#include <algorithm>
#include <array>
#include <bit>

int CWayCleaner::Tiles(const SForm& form)
{
    int n = form.nKind == CSolutionForms::KindTile ? 1 : 0;
    for (const SForm& part : form.parts)
        n += Tiles(part);
    return n;
}

void CWayCleaner::Mark(const SForm& form, CJudge::ERole eRole)
{
    CJudge::ERole& eTile = (*m_pSteps)[form.nNode].eRole;
    if (form.nKind == CSolutionForms::KindTile && eTile == CJudge::ERole::Kept)
        eTile = eRole;
    for (const SForm& part : form.parts)
        Mark(part, eRole);
}

// The form of a node: its chain flattened, each part cleaned first, a part that became a
// chain of the same kind merged into it.
CWayCleaner::SForm CWayCleaner::Reduce(int n)
{
    const auto& node = (*m_pSteps)[n].node;
    SForm form{CSolutionForms::KindOf(node.nOperator), node.nValue, n, 0, {}};
    if (form.nKind == CSolutionForms::KindTile)
        return form;
    CSolutionForms::ForEachPart([&](int m) -> const CAllSolutions::SWayNode&
                                { return (*m_pSteps)[m].node; },
                                n, [&](int m, int nSign, int) { Join(form, nSign, Reduce(m)); });
    return Simplify(std::move(form), false);
}

void CWayCleaner::Join(SForm& form, int nSign, SForm part)
{
    // A part's sign is its sign in its own chain: in this one it takes the sign given.
    part.nSign = 0;
    std::vector<SForm> parts;
    if (part.nKind != form.nKind)
        parts.push_back(std::move(part));
    else
        parts = std::move(part.parts);
    for (SForm& inner : parts)
    {
        inner.nSign ^= nSign;
        form.parts.push_back(std::move(inner));
    }
}

// Only once every chain has taken in what it merges with is a step that gives back its
// operand told from a grouping ((4 - 2) x 1 + 5 is 4 + 5 - 2, not 2 + 5).
CWayCleaner::SForm CWayCleaner::Finish(SForm form)
{
    std::vector<SForm> parts = std::move(form.parts);
    form.parts.clear();
    for (SForm& part : parts)
    {
        const int nSign = part.nSign;
        Join(form, nSign, Finish(std::move(part)));
    }
    return form.nKind == CSolutionForms::KindTile ? form : Simplify(std::move(form), true);
}

CWayCleaner::SForm CWayCleaner::Simplify(SForm form, bool bGivenBack)
{
    auto& parts = form.parts;
    // 0 x n and 0 / n give back the 0: the product is that factor.
    const auto zero = std::find_if(parts.begin(), parts.end(),
                                   [&](const SForm& p) {
                                       return form.nKind == CSolutionForms::KindProduct &&
                                              p.nSign == 0 && p.nValue == 0;
                                   });
    if (zero != parts.end())
    {
        for (const SForm& part : parts)
            if (&part != &*zero)
                Mark(part, CJudge::ERole::ChangesNothing);
        return std::move(*zero);
    }
    while (parts.size() > 1 && parts.size() <= 6)
    {
        const int k = static_cast<int>(parts.size());
        const int nFull = (1 << k) - 1;
        std::array<int, 6> anSign{};
        std::array<std::int32_t, 6> anPart{};
        std::array<int, 64> anTiles{};
        std::array<CSolutionForms::SGroupValue, 64> groups{};
        for (int j = 0; j < k; ++j)
        {
            anSign[j] = parts[j].nSign;
            anPart[j] = static_cast<std::int32_t>(parts[j].nValue);
        }
        for (int m = 1; m <= nFull; ++m)
        {
            groups[m] = CSolutionForms::GroupValue(form.nKind, anSign, anPart, m);
            anTiles[m] =
                anTiles[m & (m - 1)] + Tiles(parts[std::countr_zero(static_cast<unsigned>(m))]);
        }
        // The largest group of parts that cancels out, short of the whole: a detour, or, a
        // part alone (+ 0, x 1, / 1), a step that changes nothing.
        int nDrop = 0;
        for (int m = 1; m < nFull; ++m)
        {
            if (groups[m].bNeutral && anTiles[m] > anTiles[nDrop])
                nDrop = m;
        }
        // Else, unless the chain is clean, a group whose value one of its groups gives back
        // alone (4 - 2 = 2): that group stands for it, the right way round.
        int nKeep = 0;
        const bool bDetour = nDrop != 0 && std::popcount(static_cast<unsigned>(nDrop)) > 1;
        if (nDrop == 0 && !bGivenBack)
            return form;
        if (nDrop == 0)
        {
            std::vector<CSolutionForms::SPart> sorted;
            for (const SForm& part : parts)
                sorted.push_back({0, part.nSign, static_cast<std::int32_t>(part.nValue)});
            std::sort(sorted.begin(), sorted.end(),
                      [](const auto& x, const auto& y)
                      { return x.nSign != y.nSign ? x.nSign < y.nSign : x.nValue < y.nValue; });
            if (m_forms.nodes[m_forms.Node(form.nKind, sorted)].bClean)
                return form;
            for (int s = 1; s <= nFull; ++s)
            {
                for (int y = (s - 1) & s; y > 0 && groups[s].nValue >= 0; y = (y - 1) & s)
                {
                    if (groups[y].nValue == groups[s].nValue &&
                        (nDrop == 0 || anTiles[s ^ y] < anTiles[nDrop]))
                        nDrop = s ^ y, nKeep = groups[y].bUpright != groups[s].bUpright ? y : 0;
                }
            }
            if (nDrop == 0)
                return form;
        }
        std::vector<SForm> kept;
        for (int j = 0; j < k; ++j)
        {
            if (nDrop >> j & 1)
                Mark(parts[j], bDetour ? CJudge::ERole::Detour : CJudge::ERole::ChangesNothing);
            else
            {
                parts[j].nSign ^= nKeep >> j & 1;
                kept.push_back(std::move(parts[j]));
            }
        }
        parts = std::move(kept);
    }
    if (parts.size() == 1)
        return std::move(parts[0]);
    return form;
}

// A way of the form: each chain from its first part added (multiplied), the others in turn.
int CWayCleaner::Emit(const SForm& form, std::vector<CAllSolutions::SWayNode>& way)
{
    const auto value = static_cast<std::int32_t>(form.nValue);
    if (form.nKind == CSolutionForms::KindTile)
    {
        way.push_back({CAllSolutions::SWayNode::Tile, value});
        return static_cast<int>(way.size()) - 1;
    }
    std::vector<const SForm*> parts;
    for (const SForm& part : form.parts)
        parts.push_back(&part);
    std::stable_sort(parts.begin(), parts.end(),
                     [](const SForm* x, const SForm* y) { return x->nSign < y->nSign; });
    int nLeft = Emit(*parts[0], way);
    for (std::size_t j = 1; j < parts.size(); ++j)
    {
        const int nRight = Emit(*parts[j], way);
        const bool bSum = form.nKind == CSolutionForms::KindSum;
        way.push_back(
            {parts[j]->nSign ? (bSum ? OpSubtract : OpDivide) : (bSum ? OpAdd : OpMultiply), value,
             nLeft, nRight});
        nLeft = static_cast<int>(way.size()) - 1;
    }
    return nLeft;
}

std::vector<CAllSolutions::SWayNode> CWayCleaner::Clean(std::vector<CJudge::SStep>& steps,
                                                        int nRoot)
{
    m_pSteps = &steps;
    const SForm form = Finish(Reduce(nRoot));
    // A step is kept when both its operands hold a tile kept; else it goes with the tiles it
    // leaves out.
    std::vector<bool> kept(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i)
    {
        auto& step = steps[i];
        const bool bUnused = step.eRole == CJudge::ERole::Unused;
        if (step.node.nOperator == CAllSolutions::SWayNode::Tile)
        {
            kept[i] = step.eRole == CJudge::ERole::Kept;
            continue;
        }
        const bool bLeft = kept[step.node.nLeft];
        const bool bRight = kept[step.node.nRight];
        kept[i] = bLeft || bRight;
        if (!bUnused)
            step.eRole = bLeft && bRight ? CJudge::ERole::Kept
                         : !bLeft        ? steps[step.node.nLeft].eRole
                                         : steps[step.node.nRight].eRole;
    }
    std::vector<CAllSolutions::SWayNode> way;
    Emit(form, way);
    return way;
}
