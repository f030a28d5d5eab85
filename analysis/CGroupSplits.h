#pragma once

#include "CGroupTable.h"
#include "CSolutionForms.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

// The forms of a value of a group, top-down: a sum (product) over a split of the group into
// parts, each part a group making a term (factor) of its own, its forms in turn a tile or
// a node of the other kind. The tables of what each group makes prune the splits; forms are
// made once and kept in lists, by group, value and kind.
class CGroupSplits
{
public:
    using SPart = CSolutionForms::SPart;
    // A form: a clean node, its parts' forms and its smallest largest step result.
    using Emit =
        std::function<void(int nNode, int nChildren, const int* pChildren, std::int32_t nLargest)>;

    CGroupSplits(const CGroupTable& table, CSolutionForms& forms) : m_table(table), m_forms(forms)
    {
    }

    void Clear();
    // Calls emit for every form of the kind (sum or product) that the group makes the value
    // with.
    void Enumerate(int nGroup, std::int32_t nValue, int nKind, const Emit& emit);
    // The forms a group makes that may stand as one part of a node of the kind given: a tile,
    // or a node of the other kind.
    const std::vector<int>& PartForms(int nGroup, std::int32_t nValue, int nParentKind);

private:
    // The forms of one kind a group makes, kept: the number of a list of forms.
    int Forms(int nGroup, std::int32_t nValue, int nKind);
    void Parts(int nKind, int nRest, std::int64_t nNum, std::int64_t nDen,
               std::vector<SPart>& parts, const Emit& emit);
    void EmitParts(int nKind, std::vector<SPart> parts, const Emit& emit);

    const CGroupTable& m_table;
    CSolutionForms& m_forms;
    std::vector<std::vector<int>> m_lists;
    std::unordered_map<std::uint64_t, int> m_listOf;
};
