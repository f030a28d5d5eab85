#include "ReferenceSolver.h"

#include <cstdio>

namespace
{
struct Search
{
    std::int32_t target;
    int secondStart;
    ReferenceResult& out;

    static bool Apply(char op, std::int64_t a, std::int64_t b, std::int64_t& r)
    {
        switch (op)
        {
        case '/':
            if (b == 0 || a % b != 0)
                return false;
            r = a / b;
            break;
        case 'x':
            if (a == 1 || b == 1)
                return false;
            r = a * b;
            break;
        case '+':
            r = a + b;
            break;
        default:
            r = a - b;
            break;
        }
        return r >= 0 && r <= INT32_MAX;
    }

    bool Run(const std::int32_t* v, int count)
    {
        char line[64];
        if (count <= 0)
            return false;
        if (count == 1)
        {
            if (v[0] != target)
                return false;
            std::snprintf(line, sizeof line, "Solution : %d", v[0]);
            out.list.push_back(line);
            return true;
        }
        for (int i = 0; i < count; ++i)
        {
            if (v[i] == target)
            {
                std::snprintf(line, sizeof line, "Sol : %d \n", v[i]);
                out.output += line;
                return true;
            }
            for (int j = secondStart; j < count; ++j)
            {
                if (j == i)
                    continue;
                for (char op : {'/', 'x', '+', '-'})
                {
                    std::int64_t r = 0;
                    if (!Apply(op, v[i], v[j], r))
                        continue;
                    std::int32_t child[6];
                    int n = 0;
                    child[n++] = static_cast<std::int32_t>(r);
                    for (int k = 0; k < count; ++k)
                        if (k != i && k != j)
                            child[n++] = v[k];
                    // The deeper levels write first, so the last step ends up on top.
                    if (Run(child, n))
                    {
                        std::snprintf(line, sizeof line, "%d\t= %d %c %d",
                                      static_cast<std::int32_t>(r), v[i], op, v[j]);
                        out.list.push_back(line);
                        return true;
                    }
                }
            }
        }
        return false;
    }
};
} // namespace

bool ReferenceTrial(const std::array<int, 6>& tiles, std::int32_t nTrial, int nSecondStart,
                    ReferenceResult& result)
{
    std::int32_t top[6];
    for (int i = 0; i < 6; ++i)
        top[i] = tiles[static_cast<std::size_t>(i)] & 0xFF;
    Search search{nTrial, nSecondStart, result};
    return search.Run(top, 6);
}

ReferenceResult ReferenceSolve(const std::array<int, 6>& tiles, int nTarget, int nMaxDistance)
{
    ReferenceResult result;
    for (std::int32_t distance = 0;; ++distance)
    {
        if (distance > nMaxDistance)
        {
            result.bGaveUp = true;
            return result;
        }
        for (std::int32_t trial : {nTarget + distance, nTarget - distance})
        {
            for (int secondStart : {1, 0})
            {
                if (ReferenceTrial(tiles, trial, secondStart, result))
                {
                    result.nReached = trial;
                    result.nResult = trial == nTarget ? 1 : 0;
                    result.nSearch = secondStart == 1 ? 1 : 2;
                    return result;
                }
            }
            if (distance == 0)
                break;
        }
    }
}
