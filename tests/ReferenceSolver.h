#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A plain search written from the game's rules, kept apart from the program's solver so
// that the two can be compared: every trial value searched in full, first with the latest
// result only ever a first operand, then, when that fails, with every other value as second
// operand too. Steps that do not fit in 32 bits are refused.
struct ReferenceResult
{
    std::vector<std::string> list; // top to bottom
    std::string output;            // what went to standard output
    int nResult = 0;
    std::int32_t nReached = 0;
    // Which search reached it: 1 for the first, 2 when only the second one did.
    int nSearch = 0;
    // Nothing was reached within the distance the caller allowed.
    bool bGaveUp = false;
};

// Every trial value costs a full search or two: a caller that cannot wait for a far nearest
// value limits the distance from the target.
ReferenceResult ReferenceSolve(const std::array<int, 6>& tiles, int nTarget,
                               int nMaxDistance = INT32_MAX);

// One search of one trial value, the second operand starting at nSecondStart (1 or 0);
// true when it reaches the value, its lines then in result.
bool ReferenceTrial(const std::array<int, 6>& tiles, std::int32_t nTrial, int nSecondStart,
                    ReferenceResult& result);
