#pragma once

#include "CAllSolutions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The lines pivolo-solve --all writes for one game: every distinct solution of the value the
// dialog reached, or of the nearest values above and below the target when the dialog could
// not reach it, each value's count, then each solution's steps and its expression.
class CAllSolutionsText
{
public:
    // At most nMax solutions of each value are written; all are counted.
    explicit CAllSolutionsText(std::size_t nMax);

    // Appends the lines for checked tiles, the target and the value the dialog reached.
    void Append(const std::array<int, 6>& tiles, int nTarget, std::int32_t nReached,
                std::string& text);

    // The way in ordinary notation, with the fewest parentheses that keep its steps: "x"
    // and "/" before "+" and "-", otherwise from left to right.
    static std::string Expression(const std::vector<CAllSolutions::SWayNode>& way);

private:
    void AppendValue(std::int32_t nValue, const char* pszSide, std::string& text);

    std::size_t m_nMax;
    CAllSolutions m_solutions;
};
