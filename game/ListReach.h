#pragma once

#include <cstdint>

// Whether some steps on the values of a short list (up to four values), taking any of them
// in any order, make nTarget, or the list holds it. Exact; a longer list always may.
bool CanReach(std::int32_t nTarget, int nCount, const std::int32_t* pValues);
