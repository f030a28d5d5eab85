#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
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
    // The number of ways the set deals the draw: for each of its distinct values, the ways
    // of choosing its copies in the draw among the set's copies, multiplied together
    // (1 1 2 3 25 25 of the 28 tiles: 1 x 2 x 2 x 1 = 4). The draws' ways add up to the
    // ways of choosing six tiles of the set: C(28, 6) = 376,740, C(24, 6) = 134,596.
    std::int64_t Ways(const Draw& draw) const;
    // The most large tiles a draw of the set holds: 6 or 4.
    int MostLarge() const;

    // A draw written as six tiles separated by blanks or commas ("1 2 3 4 5 6",
    // "100,75,5,5,1,2"), in any order, allowed by the set: the tiles in the order written (a
    // game set to a class shows them so), or nothing.
    static std::optional<Draw> ReadDraw(std::string_view text, EKind kind = EKind::Full);

    // The number of large tiles (25, 50, 75, 100) in a draw: 0 to 4.
    static int LargeTiles(const Draw& draw);
    static bool IsLarge(std::int32_t nValue) { return nValue > 10; }

    // The distinct values of the tiles, in increasing order.
    static constexpr std::array<std::int32_t, 14> kanValues{1, 2, 3,  4,  5,  6,  7,
                                                            8, 9, 10, 25, 50, 75, 100};

private:
    EKind m_kind;
};
