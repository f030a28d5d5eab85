#include "CJudge.h"

#include "CAnswerReader.h"
#include "CStepChecker.h"
#include "CWayCleaner.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>

namespace
{
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr int kTile = -2; // the source of a number that is a tile

// One step with an operation, worked alone, then where each of its numbers comes from.
struct SWork
{
    explicit SWork(int n) : nStep(n) {}
    int nStep = 0; // its index among the answer's steps
    std::vector<CStepChecker::SNode> nodes;
    // What it hands on to the steps that use it: the result stated, else its value.
    std::optional<std::int64_t> result;
    std::vector<int> sources; // per node: kTile, a step's index, or -1
    std::size_t nNumbers = 0;
    bool bDone = false;
};

CJudge::SFault Fault(CJudge::EFault eKind, int nStep, int nPosition, int nLength)
{
    CJudge::SFault fault;
    fault.eKind = eKind;
    fault.nStep = nStep;
    fault.nPosition = nPosition;
    fault.nLength = nLength;
    return fault;
}

bool IsNumber(const CStepChecker::SNode& node)
{
    return node.nNumber >= 0;
}
} // namespace

struct CJudge::SState
{
    CAllSolutions solutions;
    std::vector<std::int32_t> tiles;
    std::int32_t nTarget = 0;
    bool bTargetMade = false;
    CAllSolutions::SNearest nearest;
    CAnswerReader reader;
    CWayCleaner cleaner;

    // Takes the numbers of a step from the free tiles and results: all of them (false when
    // one is missing, nothing taken), or, bAll, what there is. A number that may be a tile or
    // a result is the result, the one made last, as steps written in the order they are done
    // hand their results on: the right operand's steps come last, the left's before them.
    bool Take(std::vector<SWork>& work, int j, std::vector<std::int64_t>& freeTiles,
              std::vector<int>& freeResults, bool bAll) const;
};

std::vector<CAllSolutions::SWayNode> CJudge::SVerdict::Way() const
{
    std::vector<CAllSolutions::SWayNode> way;
    for (const SStep& step : steps)
        way.push_back(step.node);
    return way;
}

CJudge::CJudge() : m_pState(std::make_unique<SState>()) {}

CJudge::~CJudge() = default;

void CJudge::SetGame(std::span<const std::int32_t> tiles, std::int32_t nTarget)
{
    SState& s = *m_pState;
    s.tiles.assign(tiles.begin(), tiles.end());
    s.solutions.SetTiles(s.tiles);
    s.nTarget = nTarget;
    s.bTargetMade = s.solutions.Reachable(nTarget);
    s.nearest = s.solutions.Nearest(nTarget);
}

CAllSolutions& CJudge::Solutions()
{
    return m_pState->solutions;
}

bool CJudge::SState::Take(std::vector<SWork>& work, int j, std::vector<std::int64_t>& freeTiles,
                          std::vector<int>& freeResults, bool bAll) const
{
    auto& w = work[j];
    // More numbers than there is to take: not worth a try (and no step goes quadratic).
    if (!bAll && w.nNumbers > freeTiles.size() + freeResults.size())
        return false;
    std::vector<std::int64_t> tilesLeft = freeTiles;
    std::vector<int> resultsLeft = freeResults;
    std::vector<int> sources(w.nodes.size(), -1);
    // What is left over, for the faults, goes to the numbers written first.
    for (std::size_t i = 0; i < w.nodes.size(); ++i)
    {
        const std::size_t k = bAll ? i : w.nodes.size() - 1 - i;
        const std::int64_t v = w.nodes[k].node.nValue;
        if (!IsNumber(w.nodes[k]))
            continue;
        const auto result = std::find_if(resultsLeft.rbegin(), resultsLeft.rend(),
                                         [&](int t) { return t != j && work[t].result == v; });
        const auto tile = std::find(tilesLeft.begin(), tilesLeft.end(), v);
        if (result != resultsLeft.rend())
        {
            sources[k] = *result;
            resultsLeft.erase(std::next(result).base());
        }
        else if (tile != tilesLeft.end())
        {
            sources[k] = kTile;
            tilesLeft.erase(tile);
        }
        else if (!bAll)
            return false;
    }
    freeTiles = std::move(tilesLeft);
    freeResults = std::move(resultsLeft);
    w.sources = std::move(sources);
    return true;
}

CJudge::SVerdict CJudge::Judge(std::string_view answer, EPlace ePlace)
{
    SState& s = *m_pState;
    SVerdict v;
    std::vector<CAnswerReader::SStep> steps;
    s.reader.Read(answer, steps, v.faults);
    v.nSteps = static_cast<int>(steps.size());
    // The steps with an operation; a number alone states the answer's value, unless the
    // answer is nothing else (a tile alone).
    std::vector<SWork> work;
    std::vector<int> statements;
    for (int i = 0; i < v.nSteps; ++i)
    {
        if (steps[i].nodes.size() > 1)
            work.emplace_back(i);
        else if (steps[i].nodes.size() == 1 || steps[i].bStatesValue)
            statements.push_back(i);
    }
    if (work.empty() && !statements.empty() && !steps[statements.back()].nodes.empty())
    {
        work.emplace_back(statements.back());
        statements.pop_back();
    }
    if (work.empty() && statements.empty() && v.faults.empty())
        v.faults.push_back(Fault(EFault::Empty, 0, 1, 0));
    // Each step's arithmetic, on its numbers as written.
    for (SWork& w : work)
    {
        const CAnswerReader::SStep& step = steps[w.nStep];
        const auto value = CStepChecker::Check(step, w.nodes, v.bReordered, v.faults);
        w.nNumbers =
            static_cast<std::size_t>(std::count_if(w.nodes.begin(), w.nodes.end(), IsNumber));
        if (value && step.bStated && step.nStated != *value && step.nStated <= kMax32)
        {
            SFault f =
                Fault(EFault::WrongResult, step.nStep, step.nStatedPosition, step.nStatedLength);
            const auto& root = w.nodes.back().node;
            if (root.nOperator >= 0)
                f.nOperator = root.nOperator, f.nLeft = w.nodes[root.nLeft].node.nValue,
                f.nRight = w.nodes[root.nRight].node.nValue;
            f.nResult = *value;
            f.nStated = step.nStated;
            v.faults.push_back(f);
        }
        if (step.bStated ? step.nStated >= 0 && step.nStated <= kMax32 : value.has_value())
            w.result = step.bStated ? step.nStated : *value;
    }
    // Where each number comes from, as a player works: the steps in an order in which each
    // finds its numbers among the tiles and the results still free, the most steps done, then
    // the fewest results left free. Every order is tried when there are few steps (the dialog
    // lists the last step first); else the first step that can be done, in the order written.
    // Each step done takes more than it gives back: no order holds more than six steps.
    std::vector<std::int64_t> freeTiles(s.tiles.begin(), s.tiles.end());
    std::vector<int> freeResults;
    struct SBest
    {
        std::size_t nDone = 0;
        std::size_t nFree = 0;
        std::vector<SWork> work;
        std::vector<std::int64_t> tiles;
        std::vector<int> results;
    } best{0, 0, work, freeTiles, freeResults};
    const bool bEveryOrder = work.size() <= 8;
    std::function<void(std::size_t)> search = [&](std::size_t nDone)
    {
        if (nDone > best.nDone || (nDone == best.nDone && freeResults.size() < best.nFree))
            best = {nDone, freeResults.size(), work, freeTiles, freeResults};
        for (int j = 0; j < static_cast<int>(work.size()); ++j)
        {
            if (best.nDone == work.size() && best.nFree <= 1)
                return;
            const auto tiles = freeTiles;
            const auto results = freeResults;
            if (work[j].bDone || !s.Take(work, j, freeTiles, freeResults, false))
                continue;
            work[j].bDone = true;
            if (work[j].result)
                freeResults.push_back(j);
            search(nDone + 1);
            work[j].bDone = false;
            freeTiles = tiles;
            freeResults = results;
            if (!bEveryOrder)
                return;
        }
    };
    search(0);
    work = std::move(best.work);
    freeTiles = std::move(best.tiles);
    freeResults = std::move(best.results);
    for (int j = 0; j < static_cast<int>(work.size()); ++j)
        if (!work[j].bDone)
            s.Take(work, j, freeTiles, freeResults, true);
    // The numbers left without a source, each value named once: a tile used more often than
    // drawn, a result used twice, or neither; not a number whose step makes nothing. Counted
    // once for all: how often each value is used, by a number that is no result, and made by
    // a step done, by one not done.
    std::map<std::int64_t, std::array<int, 4>> counts;
    for (const SWork& w : work)
    {
        for (std::size_t u = 0; u < w.nodes.size(); ++u)
            if (IsNumber(w.nodes[u]))
                ++counts[w.nodes[u].node.nValue][0],
                    counts[w.nodes[u].node.nValue][1] += w.sources[u] < 0;
        if (w.result)
            ++counts[*w.result][w.bDone ? 2 : 3];
    }
    std::set<std::int64_t> named;
    for (const SWork& w : work)
    {
        for (std::size_t k = 0; k < w.nodes.size() && !w.bDone; ++k)
        {
            const std::int64_t n = w.nodes[k].node.nValue;
            if (!IsNumber(w.nodes[k]) || w.sources[k] != -1 || !named.insert(n).second)
                continue;
            const auto& number = steps[w.nStep].nodes[w.nodes[k].nNumber];
            SFault f =
                Fault(EFault::NotATile, steps[w.nStep].nStep, number.nPosition, number.nLength);
            const auto& c = counts[n];
            f.nNumber = n;
            f.nDrawn = static_cast<int>(std::count(s.tiles.begin(), s.tiles.end(), n));
            f.nUsed = c[f.nDrawn > 0 ? 1 : 0];
            if (f.nDrawn > 0)
                f.eKind = EFault::TileOverused;
            else if (c[2] > 0)
                f.eKind = EFault::ResultReused;
            // A step's own result is no source of its numbers.
            else if (c[3] > (w.result == n ? 1 : 0))
                continue;
            v.faults.push_back(f);
        }
    }
    // The answer's value: the one its last statement gives, made by the last step written
    // whose result no step uses, or a tile that no step uses; else that step's.
    std::vector<bool> used(work.size());
    for (const SWork& w : work)
        for (int t : w.sources)
            if (t >= 0)
                used[t] = true;
    // What a statement states, and a fault at it.
    auto statedValue = [&](int i)
    { return steps[i].bStated ? steps[i].nStated : steps[i].nodes[0].nValue; };
    auto statedFault = [&](int i, EFault eKind)
    {
        const CAnswerReader::SStep& step = steps[i];
        return Fault(eKind, step.nStep,
                     step.bStated ? step.nStatedPosition : step.nodes[0].nPosition,
                     step.bStated ? step.nStatedLength : step.nodes[0].nLength);
    };
    std::optional<std::int64_t> stated;
    if (!statements.empty())
        stated = statedValue(statements.back());
    int nLast = -1;
    for (int pass = 0; pass < 2 && nLast < 0; ++pass)
        for (int j = 0; j < static_cast<int>(work.size()); ++j)
            if (work[j].bDone && !used[j] && (pass == 1 || !stated || work[j].result == stated))
                nLast = j;
    const bool bTile = stated && (nLast < 0 || work[nLast].result != stated) &&
                       std::find(freeTiles.begin(), freeTiles.end(), *stated) != freeTiles.end();
    const bool bAllDone =
        std::all_of(work.begin(), work.end(), [](const SWork& w) { return w.bDone; });
    const std::optional<std::int64_t> value = bTile        ? stated
                                              : nLast >= 0 ? work[nLast].result
                                                           : std::nullopt;
    if (value && bAllDone)
    {
        for (int i : statements)
        {
            if (statedValue(i) == *value || statedValue(i) > kMax32)
                continue;
            SFault f = statedFault(i, EFault::WrongResult);
            f.nResult = *value;
            f.nStated = statedValue(i);
            v.faults.push_back(f);
        }
    }
    // A value stated that no step makes and no tile is.
    if (!value && stated && bAllDone && *stated <= kMax32)
    {
        SFault f = statedFault(statements.back(), EFault::NotATile);
        f.nNumber = *stated;
        v.faults.push_back(f);
    }
    // Steps that wait on one another, and nothing else at fault: the first number is named.
    if (v.faults.empty() && !bAllDone)
    {
        const auto j =
            std::find_if(work.begin(), work.end(), [](const SWork& w) { return !w.bDone; });
        auto k = std::find(j->sources.begin(), j->sources.end(), -1) - j->sources.begin();
        if (k == static_cast<long>(j->sources.size()))
            k = std::find_if(j->nodes.begin(), j->nodes.end(), IsNumber) - j->nodes.begin();
        const auto& number = steps[j->nStep].nodes[j->nodes[k].nNumber];
        SFault f = Fault(EFault::NotATile, steps[j->nStep].nStep, number.nPosition, number.nLength);
        f.nNumber = number.nValue;
        v.faults.push_back(f);
    }
    std::stable_sort(v.faults.begin(), v.faults.end(),
                     [](const SFault& a, const SFault& b) { return a.nPosition < b.nPosition; });
    for (SFault& f : v.faults)
        s.reader.Locate(f);
    if (!v.faults.empty())
        return v;

    // The answer's tiles and steps, each step after those whose results it uses: first the
    // steps whose result is never used, marked so, then the answer's value.
    std::function<int(int)> emit = [&](int j) -> int
    {
        const SWork& w = work[j];
        std::vector<int> at(w.nodes.size());
        for (std::size_t k = 0; k < w.nodes.size(); ++k)
        {
            CAllSolutions::SWayNode node = w.nodes[k].node;
            const int nSource = IsNumber(w.nodes[k]) ? w.sources[k] : -1;
            v.bReordered = v.bReordered || nSource > j;
            if (nSource >= 0)
            {
                at[k] = emit(nSource);
                continue;
            }
            if (!IsNumber(w.nodes[k]))
                node.nLeft = at[node.nLeft], node.nRight = at[node.nRight];
            v.steps.push_back({node, ERole::Kept, steps[w.nStep].nStep, w.nodes[k].nPosition});
            at[k] = static_cast<int>(v.steps.size()) - 1;
        }
        return at.back();
    };
    for (int j = 0; j < static_cast<int>(work.size()); ++j)
    {
        const std::size_t nFirst = v.steps.size();
        if ((bTile || j != nLast) && !used[j])
            emit(j);
        for (std::size_t k = nFirst; k < v.steps.size(); ++k)
            v.steps[k].eRole = ERole::Unused;
    }
    if (bTile)
    {
        const SFault at = statedFault(statements.back(), EFault::Empty);
        v.steps.push_back({{CAllSolutions::SWayNode::Tile, static_cast<std::int32_t>(*stated)},
                           ERole::Kept,
                           at.nStep,
                           at.nPosition});
    }
    const int nRoot = bTile ? static_cast<int>(v.steps.size()) - 1 : emit(nLast);
    v.bValid = true;
    v.nValue = v.steps[nRoot].node.nValue;
    v.nDistance = std::abs(v.nValue - s.nTarget);
    v.bTargetMade = s.bTargetMade;
    v.nearest = s.nearest;
    // At equal distance above and below an unreachable target, both are best.
    const auto [above, below] = s.nearest;
    v.bBest =
        v.nDistance == 0 || (!s.bTargetMade && (!above || *above - s.nTarget >= v.nDistance) &&
                             (!below || s.nTarget - *below >= v.nDistance));
    const std::vector<CAllSolutions::SWayNode> clean = s.cleaner.Clean(v.steps, nRoot);
    if (ePlace == EPlace::Ranked)
    {
        if (auto place = s.solutions.Place(clean))
        {
            v.bRanked = true;
            v.nRank = place->nRank;
            v.nSolutions = place->nCount;
            v.solution = std::move(place->solution);
        }
    }
    return v;
}
