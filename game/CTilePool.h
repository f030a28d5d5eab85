#pragma once

#include "CByteArray.h"

#include <array>
#include <cstdint>

class CEdit;

// The tile set: the tiles not drawn yet, in set order, with the random draw, the listing
// and the check of typed tile values. A validation pass counts the accepted tiles of each
// value; a value may appear at most twice among the six, as in the set.
class CTilePool : public CByteArray
{
public:
    static constexpr const char* szBadTile = "Au moins une plaque a une valeur incorrecte";
    static constexpr std::array<BYTE, 28> FullSet = {1,  1,  2,  2,  3,  3,  4,   4,  5,  5,
                                                     6,  6,  7,  7,  8,  8,  9,   9,  10, 10,
                                                     25, 25, 50, 50, 75, 75, 100, 100};

    CTilePool() = default;
    ~CTilePool() override;

    void ResetValidation();
    void Refill();
    // The pool must hold a tile; an empty one gives 0 and draws nothing.
    BYTE DrawTile();
    // Writes the drawn value as decimal text into a buffer of at least 4 characters.
    char* DrawTileText(char* pszBuffer);
    int DrawTarget();
    void ShowTiles();
    // The tile value; -1 for a value outside the set (the message has been shown); 0 for
    // one tile too many of a value (no message shown: the caller shows it).
    int CheckTile(CEdit& edit);

    static bool IsTileValue(int nValue);

private:
    std::uint32_t NextRaw();
    void SeedOnce();

    // One counter per tile value, in the set's order of values (1 to 10, 25, 50, 75, 100).
    std::array<std::int32_t, 14> m_anAccepted{};
    std::uint32_t m_nRandState = 0;
    // Seeded from the clock at the pool's first draw only: reseeding before every draw
    // made the tiles of one game neighbours in the pool and repeated a game within a second.
    bool m_bSeeded = false;
};
