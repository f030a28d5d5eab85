#pragma once

#include "CByteArray.h"
#include "CFirstSteps.h"
#include "CTilePool.h"

#include <array>
#include <cstdint>

class CListBox;
struct CTileTables;

// The search of one game: the target, or else the nearest value the six tiles can make
// (at equal distance the value above first), with its steps written into the solution list
// last step first.
//
// Search is the plain depth-first search, step for step; a guide only lets it pass over the
// lists that cannot make the value tried, which would write nothing. docs/solver.md draws
// which table answers which question.
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

    // What answers the first level's question: nothing (the plain search), the group table
    // (the first game of a set of tiles) or the first steps (every further game).
    enum class EGuide
    {
        None,
        Groups,
        FirstSteps
    };

    // Solve with the group table's guide; with the first steps' guide.
    int SolveByGroups(CTileTables& tables, const std::int32_t* pTop);
    int SolveByFirstSteps(CTileTables& tables);
    // Whether the list that a step at positions i and j of a list of nCount values hands
    // down may still make nTarget: always, unless the search is guided. nStep numbers the
    // step among those of its list.
    bool MayReach(std::int32_t nTarget, int nCount, int i, int j, int nStep,
                  const std::int32_t* pChild);
    // Searches one trial value, first with the latest result only ever a first operand,
    // then with every value as a second operand; true when it is reached.
    bool SearchTrial(std::int32_t nTrial, const std::int32_t* pTop);
    // Every trial value in turn from the target outwards, unguided; returns the one reached.
    std::int32_t SearchEveryTrial(const std::int32_t* pTop);
    // Solve, given the value the tables found to be the first trial value reached.
    int SolveFrom(std::int32_t nFirstReachable);
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

    EGuide m_eGuide = EGuide::None;
    CTileTables* m_pTables = nullptr;
    // For the first steps' guide: what they say of the value searched.
    CFirstSteps::Reach m_reach;
    // Whether the lists below the first level are guided, and through the short lists' memo.
    bool m_bDeeperLists = false;
    bool m_bShortLists = false;
    // The step of the first level that made the list the second level searches.
    int m_nFirstStep = 0;
};
