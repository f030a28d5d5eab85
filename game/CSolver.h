#pragma once

#include "CByteArray.h"
#include "CTilePool.h"
#include "CTileValues.h"

#include <array>
#include <cstdint>
#include <memory>

class CFailedStates;
class CGroupValues;
class CShortListReach;
class CListBox;

// The search of one game: the target, or else the nearest value the six tiles can make
// (at equal distance the value above first), with its steps written into the solution list
// last step first.
class CSolver : public CByteArray
{
public:
    CSolver(int nTile1, int nTile2, int nTile3, int nTile4, int nTile5, int nTile6, int nTarget,
            CListBox* pList);
    ~CSolver() override;

    // 1 when the value reached is the target itself, 0 when it is only the nearest one.
    int Solve();
    // One level of the search: 1 when the target was reached in this list or below it,
    // after writing this level's line; 0, writing nothing, otherwise.
    int Search(std::int32_t nTarget, int nCount, const std::int32_t* pValues);

    // The value the last Solve reached.
    std::int32_t GetReached() const { return m_nReached; }

private:
    friend struct CSolverAccess;

    // Solve for the first game of a set of tiles, guided by m_pGroups; false, writing
    // nothing, when the nearest value is too far for the groups to find.
    bool SolveByGroups(CGroupValues& groups, int& nResult);
    // The reachable value nearest to a target that the tiles do not make, when it is at
    // most a few away; else -1.
    std::int32_t NearestOfGroups(CGroupValues& groups) const;
    // Solve, given the value that the reachable-value step found.
    int SolveFrom(std::int32_t nFirstReachable);
    // Whether the list that a step at positions i and j of a list of nCount values hands
    // down may still reach nTarget: always, unless the search is guided. nStep numbers the
    // step among those of its list.
    bool MayReach(std::int32_t nTarget, int nCount, int i, int j, int nStep,
                  const std::int32_t* pChild) const;
    CFailedStates& Failed();
    bool Guided() const { return m_pGuide || m_pGroups; }
    // Searches one trial value, first with the latest result only ever a first operand,
    // then with every value as a second operand; true when it is reached.
    bool SearchTrial(std::int32_t nTrial, const std::int32_t* pTop);
    // Every trial value in turn from the target outwards; returns the one reached.
    std::int32_t SearchEveryTrial(const std::int32_t* pTop);
    // The six tiles widened, in position order, in the top list's eight places.
    std::array<std::int32_t, 8> Top() const;
    void AddLine();

    std::int32_t m_nTarget;
    CListBox* m_pList;
    CTilePool m_tiles;
    char m_szLine[255];
    char m_szOperators[5];
    // Where the second operand's position starts. The first search of a trial value starts
    // at 1, so the latest result is only ever a first operand; when that search fails, a
    // second one starts at 0, so that "x - latest" and "x / latest" are tried too.
    int m_nSecondStart = 1;
    std::int32_t m_nReached = 0;
    // While Solve searches the value that the tiles are known to make, the search is
    // guided by what m_reach says of it: it passes over the lists that cannot reach it,
    // which would write nothing anyway.
    const CTileValues* m_pGuide = nullptr;
    CTileValues::Reach m_reach;
    // The first game of a set of tiles is guided by their groups instead, which work out
    // only what its search asks.
    CGroupValues* m_pGroups = nullptr;
    // What the short lists below the first level make, when the tiles are those of the
    // previous game too: then a look-up for most of them.
    CShortListReach* m_pShortLists = nullptr;
    // The step of the first level that made the list the second level searches.
    int m_nFirstStep = 0;
    // Lists the plain search has already seen fail, so that it does not search them twice;
    // made when the plain search first runs, which a guided solve never does.
    std::unique_ptr<CFailedStates> m_pFailed;
};
