#include "CSolver.h"

#include "CGroupGuide.h"
#include "CListBox.h"
#include "CPlatform.h"
#include "CShortListReach.h"
#include "CValueWindow.h"
#include "SpeedUps.h"
#include "Step.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstring>

// What this thread knows of the tiles of its last game, kept for the next game: the first
// game of a set of tiles (every random game) asks the group table, which works out only
// what its search asks; every further game of the same tiles (every target of a draw) asks
// the window and the first steps, worked out once for all of them, and the short lists'
// memo.
struct CTileTables
{
    CGroupValues groups;
    CGroupGuide guide{groups};
    // Games of these tiles so far, this one included.
    int nGames = 0;
    CValueWindow window;
    bool bWindow = false;
    CFirstSteps firstSteps;
    CShortListReach lists;

    CValueWindow& Window()
    {
        if (!bWindow)
            window.Make(groups);
        bWindow = true;
        return window;
    }
};

namespace
{
// Marks a refused step; no accepted result can take this value.
constexpr std::int32_t kRefused = -10000;

// Copies a text without its terminating zero, or writes a number; returns where it ends.
// Without the formatted print, which costs more than the search of an easy game.
char* Append(char* p, const char* szText)
{
    return std::copy(szText, szText + std::strlen(szText), p);
}

char* Append(char* p, std::int32_t n)
{
    return std::to_chars(p, p + 12, static_cast<long>(n)).ptr;
}

CTileTables& TablesOfThisThread()
{
    thread_local CTileTables tables;
    return tables;
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
        // "Solution : %ld"
        *Append(Append(m_szLine, "Solution : "), pValues[0]) = '\0';
        AddLine();
        return 1;
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
                    char* p = Append(Append(Append(m_szLine, r), "\t= "), a);
                    *p++ = ' ';
                    *p++ = m_szOperators[nOperator];
                    *p++ = ' ';
                    *Append(p, b) = '\0';
                    AddLine();
                    return 1;
                }
            }
        }
    }
    return 0;
}

bool CSolver::MayReach(std::int32_t nTarget, int nCount, int i, int j, int nStep,
                       const std::int32_t* pChild)
{
    if (m_eGuide == EGuide::None)
        return true;
    // The first level's lists are known by the tiles they combine.
    if (nCount == 6)
        return m_eGuide == EGuide::Groups
                   ? m_pTables->guide.MakesAfter(nTarget, i, j, pChild[0])
                   : m_pTables->firstSteps.MakesAfter(m_reach, i, j, pChild[0]);
    // Speed-up "deeper-lists": the lists below it are short enough to work out, as they are
    // met. Without it, 3.5 times the instructions on random games, 23 times on every target
    // of a draw.
    if (!m_bDeeperLists)
        return true;
    // Speed-up "short-lists": for further games of the same tiles, what each short list
    // makes, kept; a list of the second level known by its first step and its own. Without
    // it, 2.5 times the instructions on every target of a draw.
    if (m_bShortLists)
        return nCount == 5 ? m_pTables->lists.MakesAfter(m_nFirstStep, nStep, nTarget, pChild)
                           : m_pTables->lists.Makes(nTarget, nCount - 1, pChild);
    return m_pTables->lists.CanReach(nTarget, nCount - 1, pChild);
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
    m_eGuide = EGuide::None;
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
    // The tables hold the values below 2048: the nearest value of every target below 1024,
    // the dialog's 0 to 999 among them. Any other is searched trial by trial, unguided.
    if (m_nTarget >= CValueWindow::Size / 2)
    {
        m_nReached = SearchEveryTrial(top.data());
        return m_nReached == m_nTarget ? 1 : 0;
    }
    CTileTables& tables = TablesOfThisThread();
    if (!tables.groups.HasTiles(top.data()))
    {
        tables.groups.SetTiles(top.data());
        tables.guide.Reset();
        tables.nGames = 0;
        tables.bWindow = false;
    }
    // The short lists' memo starts with the second game of the tiles: a single game, as
    // every random one, asks about too few lists to pay for it.
    if (++tables.nGames == 2)
        tables.lists.Reset();
    m_pTables = &tables;
    m_bDeeperLists = UseSpeedUp(ESpeedUp::DeeperLists);
    m_bShortLists = tables.nGames >= 2 && UseSpeedUp(ESpeedUp::ShortLists);
    // Speed-up "groups": the first game guided by the group table, which works out only
    // what its search asks, rather than by the window and the first steps of every value.
    // Without it, 16 times the instructions on random games. Speed-up "first-steps": every further
    // game guided by the first steps, a look-up per step. Without it, 5.0 times on every target of
    // a draw.
    const bool bFirstGame = tables.nGames == 1 && UseSpeedUp(ESpeedUp::Groups);
    const int nResult = bFirstGame || !UseSpeedUp(ESpeedUp::FirstSteps)
                            ? SolveByGroups(tables, top.data())
                            : SolveByFirstSteps(tables);
    m_eGuide = EGuide::None;
    m_pTables = nullptr;
    return nResult;
}

int CSolver::SolveByGroups(CTileTables& tables, const std::int32_t* pTop)
{
    // The target first, as it is usually made: the search itself finds out, and when it
    // fails, its first steps have told the guide that the tiles do not make it.
    m_eGuide = EGuide::Groups;
    if (SearchTrial(m_nTarget, pTop))
    {
        m_nReached = m_nTarget;
        return 1;
    }
    // Speed-up "near-by-groups": a nearest value a few away is asked of the groups value
    // by value, which costs less than the whole window; a value missed is the dearest
    // question they answer, so a farther one is left to the window. Without it, 1.07 times
    // the instructions on random games.
    constexpr std::int32_t kFewest = 4;
    for (std::int32_t d = 1; d <= kFewest && UseSpeedUp(ESpeedUp::NearByGroups); ++d)
    {
        if (tables.guide.Makes(m_nTarget + d))
            return SolveFrom(m_nTarget + d);
        if (tables.guide.Makes(m_nTarget - d))
            return SolveFrom(m_nTarget - d);
    }
    return SolveFrom(tables.Window().Nearest(m_nTarget));
}

int CSolver::SolveByFirstSteps(CTileTables& tables)
{
    if (!tables.firstSteps.HasTiles(Top().data()))
        tables.firstSteps.SetTiles(Top().data());
    const std::int32_t nNearest = tables.Window().Nearest(m_nTarget);
    m_eGuide = EGuide::FirstSteps;
    m_reach = tables.firstSteps.Explain(nNearest);
    return SolveFrom(nNearest);
}

int CSolver::SolveFrom(std::int32_t nFirstReachable)
{
    const std::array<std::int32_t, 8> top = Top();
    // Every trial value before the nearest reachable one fails and writes nothing, so only
    // that one is searched. Should the two ever disagree, the plain search still gives the
    // player a solution rather than an empty list.
    std::int32_t t = nFirstReachable;
    if (!SearchTrial(t, top.data()))
    {
        assert(!"a reachable value is found by the search with every second operand");
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
        top[i] = m_tiles.GetAt(i);
    return top;
}
