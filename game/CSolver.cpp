#include "CSolver.h"

#include "CFailedStates.h"
#include "CGroupValues.h"
#include "CListBox.h"
#include "CPlatform.h"
#include "CReachWithThree.h"
#include "CShortListReach.h"
#include "CTileGroups.h"
#include "ListReach.h"
#include "Step.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cstring>
#include <limits>

namespace
{
// Marks a refused step; no accepted result can take this value.
constexpr std::int32_t kRefused = -10000;

// Copies a text without its terminating zero; returns where it ends.
char* AppendText(char* p, const char* szText)
{
    const std::size_t n = std::strlen(szText);
    std::memcpy(p, szText, n);
    return p + n;
}

// The lists the failed-search table keeps: shorter ones cost less to search than to look up.
constexpr int kMinRemembered = 3;

// The tables of the last tiles solved on this thread: kept for the next game, which need
// not work them out again when it has the same tiles, and never allocated twice.
CTileValues& TileValuesOfThisThread()
{
    thread_local CTileValues values;
    return values;
}

// The groups of the tiles of the last first game solved on this thread.
CGroupValues& GroupValuesOfThisThread()
{
    thread_local CGroupValues values;
    return values;
}

// What the short lists of the last tiles make, kept on this thread for every further game
// of the same tiles.
CShortListReach& ShortListsOfThisThread()
{
    thread_local CShortListReach lists;
    return lists;
}

// The largest value the six tiles make, when it is below the target; else -1. Only sums and
// products lead there, as a difference or a quotient is never above its larger operand, and
// a sum or a product is largest when each of its sides is: each group's largest value comes
// from those of its two parts. That holds while no step on the way exceeds 32 bits.
std::int64_t LargestValueBelow(const std::int32_t* pTiles, std::int32_t nTarget)
{
    // The product of the tiles from 2 on is made: when it reaches the target, as it does but
    // for draws of small tiles, so does the largest value.
    std::int64_t nProduct = 1;
    for (int p = 0; p < 6 && nProduct < nTarget; ++p)
        nProduct *= std::max(pTiles[p], 1);
    if (nProduct >= nTarget)
        return -1;
    std::array<std::int64_t, 64> anLargest{};
    for (int g = 1; g < 64; ++g)
    {
        const auto nGroup = static_cast<std::size_t>(g);
        if (kTileGroups.anSplits[nGroup] == 0)
        {
            anLargest[nGroup] = pTiles[__builtin_ctz(static_cast<unsigned>(g))];
            continue;
        }
        std::int64_t nLargest = 0;
        for (int s = 0; s < kTileGroups.anSplits[nGroup]; ++s)
        {
            const std::int64_t a = anLargest[static_cast<std::size_t>(
                kTileGroups.anSmall[nGroup][static_cast<std::size_t>(s)])];
            const std::int64_t b = anLargest[static_cast<std::size_t>(
                kTileGroups.anLarge[nGroup][static_cast<std::size_t>(s)])];
            nLargest = std::max(nLargest, a + b);
            if (a != 1 && b != 1)
                nLargest = std::max(nLargest, a * b);
        }
        if (nLargest > std::numeric_limits<std::int32_t>::max())
            return -1;
        anLargest[nGroup] = nLargest;
    }
    return anLargest[63] < nTarget ? anLargest[63] : -1;
}

// The three values beside each step's result in the lists that the second level hands down,
// when neither the groups nor the short lists answer for them.
CReachWithThree& WithThreeOfThisThread()
{
    thread_local CReachWithThree with;
    return with;
}
} // namespace

CSolver::CSolver(int nTile1, int nTile2, int nTile3, int nTile4, int nTile5, int nTile6,
                 int nTarget, CListBox* pList)
    : m_nTarget(nTarget), m_pList(pList)
{
    m_tiles.SetSize(0);
    for (int nTile : {nTile1, nTile2, nTile3, nTile4, nTile5, nTile6})
        m_tiles.Add(static_cast<BYTE>(nTile));
    std::strcpy(m_szOperators, "/x+-");
}

CSolver::~CSolver() = default;

void CSolver::AddLine()
{
    if (m_pList)
        m_pList->AddString(m_szLine);
}

int CSolver::Search(std::int32_t nTarget, int nCount, const std::int32_t* pValues)
{
    if (nCount <= 0)
        return 0;
    if (nCount == 1)
    {
        if (pValues[0] != nTarget)
            return 0;
        // "Solution : %ld", without the formatted print, which costs more than the search of
        // an easy game.
        char* p = AppendText(m_szLine, "Solution : ");
        p = std::to_chars(p, m_szLine + sizeof m_szLine - 1, static_cast<long>(pValues[0])).ptr;
        *p = '\0';
        AddLine();
        return 1;
    }
    const bool bRemembered =
        !Guided() && nCount >= kMinRemembered && nCount <= CFailedStates::MaxValues;
    if (bRemembered)
    {
        Failed().UseFor(nTarget, m_nSecondStart);
        if (m_pFailed->Contains(nCount, pValues))
            return 0;
    }
    std::int32_t child[6];
    for (int i = 0; i < nCount; ++i)
    {
        if (pValues[i] == nTarget)
        {
            PlatformPrintf("Sol : %ld \n", static_cast<long>(pValues[i]));
            return 1;
        }
        for (int j = m_nSecondStart; j < nCount; ++j)
        {
            if (j == i)
                continue;
            const std::int32_t a = pValues[i];
            const std::int32_t b = pValues[j];
            for (int nOperator = 0; nOperator < OpCount; ++nOperator)
            {
                std::int32_t r = kRefused;
                if (!ApplyStep(nOperator, a, b, r))
                    continue;
                child[0] = r;
                int n = 1;
                for (int k = 0; k < nCount; ++k)
                {
                    if (k != i && k != j)
                        child[n++] = pValues[k];
                }
                const int nStep = (i * nCount + j) * OpCount + nOperator;
                if (!MayReach(nTarget, nCount, i, j, nStep, child))
                    continue;
                if (nCount == 6)
                    m_nFirstStep = nStep;
                if (Search(nTarget, nCount - 1, child))
                {
                    // "%ld\t= %ld %c %ld"
                    char* const pEnd = m_szLine + sizeof m_szLine - 1;
                    char* p = std::to_chars(m_szLine, pEnd, static_cast<long>(r)).ptr;
                    p = AppendText(p, "\t= ");
                    p = std::to_chars(p, pEnd, static_cast<long>(a)).ptr;
                    *p++ = ' ';
                    *p++ = m_szOperators[nOperator];
                    *p++ = ' ';
                    p = std::to_chars(p, pEnd, static_cast<long>(b)).ptr;
                    *p = '\0';
                    AddLine();
                    return 1;
                }
            }
        }
    }
    if (bRemembered)
        m_pFailed->Add(nCount, pValues);
    return 0;
}

bool CSolver::MayReach(std::int32_t nTarget, int nCount, int i, int j, int nStep,
                       const std::int32_t* pChild) const
{
    if (!Guided())
        return true;
    // The guide knows the first level's lists by the tiles they combine; deeper lists are
    // short enough to work out.
    if (nCount == 6)
        return m_pGroups ? m_pGroups->MakesAfter(nTarget, i, j, pChild[0])
                         : m_pGuide->MayReachAfter(m_reach, i, j, pChild[0]);
    if (m_pShortLists)
    {
        // A list of the second level is known by the first step and its own.
        if (nCount == 5)
            return m_pShortLists->MakesAfter(m_nFirstStep, nStep, nTarget, pChild);
        return m_pShortLists->Makes(nTarget, nCount - 1, pChild);
    }
    if (nCount == 5)
    {
        // The operators of a pair hand down lists that differ only in the step's result.
        CReachWithThree& with = WithThreeOfThisThread();
        with.KeepFor(nTarget, pChild + 1);
        return with.CanReachWith(pChild[0]);
    }
    return CanReach(nTarget, nCount - 1, pChild);
}

CFailedStates& CSolver::Failed()
{
    if (!m_pFailed)
        m_pFailed = std::make_unique<CFailedStates>();
    return *m_pFailed;
}

bool CSolver::SearchTrial(std::int32_t nTrial, const std::int32_t* pTop)
{
    bool bFound = false;
    for (int nSecondStart : {1, 0})
    {
        m_nSecondStart = nSecondStart;
        bFound = Search(nTrial, 6, pTop) != 0;
        if (bFound)
            break;
    }
    m_nSecondStart = 1;
    return bFound;
}

std::int32_t CSolver::SearchEveryTrial(const std::int32_t* pTop)
{
    // Trial values run T, T+1, T-1, T+2, T-2, ...: any value equal to a tile is reached at
    // the latest, so this ends.
    std::int32_t t = m_nTarget;
    std::int32_t s = 0;
    while (!SearchTrial(t, pTop))
    {
        s = s <= 0 ? 1 - s : -1 - s;
        t += s;
    }
    return t;
}

int CSolver::Solve()
{
    const std::array<std::int32_t, 8> top = Top();
    CShortListReach& lists = ShortListsOfThisThread();
    m_pShortLists = lists.UseFor(top.data()) ? &lists : nullptr;
    CTileValues& values = TileValuesOfThisThread();
    CGroupValues& groups = GroupValuesOfThisThread();
    int nResult = 0;
    if (!values.HasTiles(top.data()) && !groups.HasTiles(top.data()))
    {
        // The first game of these tiles, as every random game is: guided by their groups,
        // which work out only what its search asks.
        groups.SetTiles(top.data());
        m_pGroups = &groups;
        const bool bSolved = SolveByGroups(groups, nResult);
        m_pGroups = nullptr;
        if (bSolved)
        {
            m_pShortLists = nullptr;
            return nResult;
        }
        values.SetTiles(top.data());
    }
    else
    {
        // From the second game of the same tiles on, their tables pay.
        values.SetTiles(top.data(), groups.HasTiles(top.data()) ? 1 : 0);
    }
    // The tiles' tables tell the first trial value that some steps make, and then guide the
    // search of that value.
    std::int32_t t = m_nTarget;
    m_reach = values.ExplainNearest(m_nTarget, t);
    m_pGuide = &values;
    nResult = SolveFrom(t);
    m_pGuide = nullptr;
    m_pShortLists = nullptr;
    return nResult;
}

bool CSolver::SolveByGroups(CGroupValues& groups, int& nResult)
{
    // The target first, as it is usually made: the search itself finds out, and when it
    // fails, its first steps have told the groups that the tiles do not make it.
    const std::array<std::int32_t, 8> top = Top();
    // A target above every value the tiles make has the largest one for its nearest, found
    // at once, however far: the value above is never made.
    const std::int64_t nLargest = LargestValueBelow(top.data(), m_nTarget);
    if (nLargest >= 0)
    {
        nResult = SolveFrom(static_cast<std::int32_t>(nLargest));
        return true;
    }
    if (SearchTrial(m_nTarget, top.data()))
    {
        m_nReached = m_nTarget;
        nResult = 1;
        return true;
    }
    const std::int32_t nNear = NearestOfGroups(groups);
    if (nNear < 0)
        return false;
    nResult = SolveFrom(nNear);
    return true;
}

std::int32_t CSolver::NearestOfGroups(CGroupValues& groups) const
{
    // A value missed is the dearest question the groups answer, as every way is tried: a
    // target missed by more than a few is left to the tables, which find it at once.
    constexpr std::int32_t kFewest = 4;
    for (std::int32_t d = 1; d <= kFewest; ++d)
    {
        if (m_nTarget <= std::numeric_limits<std::int32_t>::max() - d &&
            groups.Makes(m_nTarget + d))
            return m_nTarget + d;
        if (groups.Makes(m_nTarget - d))
            return m_nTarget - d;
    }
    return -1;
}

int CSolver::SolveFrom(std::int32_t nFirstReachable)
{
    const std::array<std::int32_t, 8> top = Top();
    // Every trial value before the nearest reachable one fails and writes nothing, so only
    // that one is searched. Should the two ever disagree, the trial-by-trial search still
    // gives the player a solution rather than an empty list.
    std::int32_t t = nFirstReachable;
    if (!SearchTrial(t, top.data()))
    {
        assert(!"a reachable value is found by the search with every second operand");
        m_pGuide = nullptr;
        m_pGroups = nullptr;
        t = SearchEveryTrial(top.data());
    }
    m_nReached = t;
    return t == m_nTarget ? 1 : 0;
}

std::array<std::int32_t, 8> CSolver::Top() const
{
    std::array<std::int32_t, 8> top{};
    assert(m_tiles.GetSize() == 6);
    for (int i = 0; i < 6; ++i)
        top[static_cast<std::size_t>(i)] = m_tiles.GetAt(i);
    return top;
}
