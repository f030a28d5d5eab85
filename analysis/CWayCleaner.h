#pragma once

#include "CJudge.h"
#include "CSolutionForms.h"

#include <vector>

// The solution a valid answer counts as: its form, with what changes nothing and the detours
// taken out, each tile and step taken out marked with why. What is left is a clean way, which
// CAllSolutions places among the solutions of its value.
class CWayCleaner
{
public:
    // steps: the answer's tiles and steps in a legal order, those that make no part of the
    // value already marked unused. Returns the clean way of the value at nRoot.
    std::vector<CAllSolutions::SWayNode> Clean(std::vector<CJudge::SStep>& steps, int nRoot);

private:
    // A form being cleaned: a tile (the node nNode), or a sum or a product of parts, each
    // with its sign in the chain it is part of.
    struct SForm
    {
        int nKind = CSolutionForms::KindTile;
        std::int64_t nValue = 0;
        int nNode = -1;
        int nSign = 0;
        std::vector<SForm> parts;
    };

    // The form of the way's node n: chains flattened, 0 x n, + 0, x 1 and detours taken out.
    SForm Reduce(int n);
    // Then the steps that give back an operand, once the chains are whole.
    SForm Finish(SForm form);
    // Takes out of a chain what it can; bGivenBack: also a group that gives back one of its
    // own groups.
    SForm Simplify(SForm form, bool bGivenBack);
    static void Join(SForm& form, int nSign, SForm part);
    void Mark(const SForm& form, CJudge::ERole eRole);
    static int Tiles(const SForm& form);
    static int Emit(const SForm& form, std::vector<CAllSolutions::SWayNode>& way);

    std::vector<CJudge::SStep>* m_pSteps = nullptr;
    // Whether a node is clean, by the same rules as the listing of solutions.
    std::vector<int> m_noSizes;
    CSolutionForms m_forms{m_noSizes};
};
