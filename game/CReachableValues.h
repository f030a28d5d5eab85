#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The values that some of the six tiles can make, combined in any order with any of the
// four operations, worked out subset by subset: so that the solver searches only the one
// trial value it knows to be the first reachable one.
class CReachableValues
{
public:
    explicit CReachableValues(const std::int32_t* pTiles);

    // The reachable value nearest to nTarget, the one above first at equal distance.
    std::int32_t Nearest(std::int32_t nTarget) const;
    bool Contains(std::int32_t nValue) const { return nValue >= 0 && Nearest(nValue) == nValue; }

private:
    static constexpr int FullSet = 63;

    // The nearest value that the six tiles together make within nDistance of nTarget, or
    // -1: the whole set's values are worked out only there, as they are the most numerous.
    std::int64_t NearestOfFullSet(std::int32_t nTarget, std::int64_t nDistance) const;

    const std::vector<std::int32_t>& Values(int nMask) const;

    // Sorted values of each subset but the full set, by bit mask of tile positions.
    std::array<std::vector<std::int32_t>, FullSet> m_bySubset;
    // Subsets that hold the same tile values make the same values: each such group is
    // worked out once, under the first of its masks, which the others name here.
    std::array<int, FullSet> m_anSameAs{};
};
