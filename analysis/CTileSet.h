#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A set of tiles that games are drawn from, and every draw of six tiles it allows. A draw is
// a multiset: equal tiles make one draw, whichever copies of them were drawn.
class CTileSet
{
public:
    using Draw = std::array<std::int32_t, 6>;

    enum class EKind
    {
        // 1 to 10, 25, 50, 75 and 100, each twice: the game's own 28 tiles.
        Full,
        // 1 to 10 twice, the large tiles once each: 24 tiles.
        LargeOnce,
    };

    explicit CTileSet(EKind kind);

    // The number of tiles in the set: 28 or 24.
    int Size() const;
    // How many copies of the value the set holds (0 for a value that is not a tile).
    int Copies(std::int32_t nValue) const;
    // Every draw the set allows, each with its tiles in increasing order, the draws in
    // increasing order of their tiles (compared from the first).
    std::vector<Draw> Draws() const;
    // Whether the set holds these six tiles, in any order.
    bool Allows(const Draw& draw) const;

    // The number of large tiles (25, 50, 75, 100) in a draw: 0 to 4.
    static int LargeTiles(const Draw& draw);
    static bool IsLarge(std::int32_t nValue) { return nValue > 10; }

    // The distinct values of the tiles, in increasing order.
    static constexpr std::array<std::int32_t, 14> kanValues{1, 2, 3,  4,  5,  6,  7,
                                                            8, 9, 10, 25, 50, 75, 100};

private:
    EKind m_kind;
};
