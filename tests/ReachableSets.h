#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every value that some steps on the given values make, each value used at most once, with
// the search's refusals: the values themselves, and for every group of two or more, what
// its two parts make with any of the four operations in either order. In increasing order.
// Plain and slow, for checking the solver's own tables.
std::vector<std::int32_t> ReachableSet(const std::vector<std::int32_t>& values);
// The same, but only what the steps make that use the first value.
std::vector<std::int32_t> ReachableSetUsingFirst(const std::vector<std::int32_t>& values);

bool Holds(const std::vector<std::int32_t>& set, std::int64_t nValue);

// The values as a test's messages show them: "25 3 5 4 75 50".
std::string Describe(const std::int32_t* pValues, std::size_t nCount);
