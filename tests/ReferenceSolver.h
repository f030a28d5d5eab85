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
};

ReferenceResult ReferenceSolve(const std::array<int, 6>& tiles, int nTarget);
