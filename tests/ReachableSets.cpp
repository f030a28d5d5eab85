#include "ReachableSets.h"

#include "Step.h"

#include <algorithm>

namespace
{
void SortUnique(std::vector<std::int32_t>& values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

// What each group of positions makes, using all of them: by bit mask of positions.
std::vector<std::vector<std::int32_t>> MadeByGroups(const std::vector<std::int32_t>& values)
{
    const std::size_t nGroups = std::size_t{1} << values.size();
    std::vector<std::vector<std::int32_t>> made(nGroups);
    for (std::size_t g = 1; g < nGroups; ++g)
    {
        if ((g & (g - 1)) == 0)
            made[g].push_back(values[static_cast<std::size_t>(__builtin_ctzll(g))]);
        for (std::size_t a = (g - 1) & g; a > 0; a = (a - 1) & g)
        {
            for (std::int32_t x : made[a])
            {
                for (std::int32_t y : made[g ^ a])
                {
                    for (int nOperator = 0; nOperator < OpCount; ++nOperator)
                    {
                        std::int32_t r = 0;
                        if (ApplyStep(nOperator, x, y, r))
                            made[g].push_back(r);
                    }
                }
            }
        }
        SortUnique(made[g]);
    }
    return made;
}

// Every value of the groups that hold all the positions of nMustHold.
std::vector<std::int32_t> Union(const std::vector<std::vector<std::int32_t>>& made,
                                std::size_t nMustHold)
{
    std::vector<std::int32_t> all;
    for (std::size_t g = 1; g < made.size(); ++g)
    {
        if ((g & nMustHold) == nMustHold)
            all.insert(all.end(), made[g].begin(), made[g].end());
    }
    SortUnique(all);
    return all;
}
} // namespace

std::vector<std::int32_t> ReachableSet(const std::vector<std::int32_t>& values)
{
    return Union(MadeByGroups(values), 0);
}

std::vector<std::int32_t> ReachableSetUsingFirst(const std::vector<std::int32_t>& values)
{
    return Union(MadeByGroups(values), 1);
}

bool Holds(const std::vector<std::int32_t>& set, std::int64_t nValue)
{
    return std::binary_search(set.begin(), set.end(), nValue);
}

std::string Describe(const std::int32_t* pValues, std::size_t nCount)
{
    std::string text;
    for (std::size_t k = 0; k < nCount; ++k)
        text += (k ? " " : "") + std::to_string(pValues[k]);
    return text;
}
