#pragma once

#include "CGroupValues.h"
#include "Step.h"

#include <algorithm>
#include <array>
#include <cstdint>

// The window: which of the values 0 to Size - 1 the six tiles make, and from it the value
// the dialog reaches for a target, the nearest value made (the one above first at equal
// distance). A target from 0 to 999 is at most 999 away from a tile, so the window holds
// every answer the dialog can need: the solver's nearest values and pivolo-stats' tally
// both come from here.
class CValueWindow
{
public:
    static constexpr std::int32_t Size = static_cast<std::int32_t>(CGroupValues::WindowSize);

    // Works out what the tiles of the table make: the groups of up to four tiles, all six
    // split into two of them, and each group of five folded with the sixth tile.
    void Make(CGroupValues& groups);
    // Whether the tiles make v, from 0 to Size - 1.
    bool Makes(std::int32_t v) const { return m_anMade[v / 64] >> (v % 64) & 1; }
    // The value the dialog reaches for nTarget; -1 when the window cannot tell, as for a
    // target of Size / 2 or more with nothing made above it in the window.
    std::int32_t Nearest(std::int32_t nTarget) const;
    // The same for every target from nFirst to nLast (within the window), at pNearest[0] to
    // pNearest[nLast - nFirst], in one pass up and one down.
    void Nearest(std::int32_t nFirst, std::int32_t nLast, std::int32_t* pNearest) const;

    // What a group of five makes, kept to be folded with the sixth tile t into a window of
    // cells, Cell being a byte (made or not) or the first steps of a value: every value up
    // to FiveWindow (sums and differences with t bring it into the window), and the
    // multiples of t whose quotient is in the window, by quotient. A cell out of bounds goes
    // to a place past the end, one per operation, never read: no branch on which results
    // fall in, which follows no pattern. The quotient by t of a quotient, high / low / t,
    // is left to high / (low x t), a split of all six that the window gives on its own.
    template <typename Cell> class CFive
    {
    public:
        static constexpr std::uint32_t FiveWindow = Size + 256;

        explicit CFive(std::uint32_t t)
            : m_t(t), m_nMagic(t >= 2 ? kMagic[t] : 0), m_nLimit(t >= 2 ? t * Size : 0)
        {
        }

        // Keeps every step of x and y (bSums false: only their product and quotient).
        template <bool bSums = true> void Add(std::uint32_t x, std::uint32_t y, Cell c)
        {
            m_any |= c;
            const bool bLarge = std::max(std::uint64_t{x} + y, std::uint64_t{x} * y) >= FiveWindow;
            ForEachStep(x, y,
                        [&](std::uint64_t r, bool bAccepted, int nOperator)
                        {
                            if (!bSums && nOperator != OpMultiply && nOperator != OpDivide)
                                return;
                            m_aFive[bAccepted && r < FiveWindow ? r : FiveWindow + nOperator] |= c;
                            if (!bLarge || nOperator == OpDivide)
                                return;
                            const auto r32 = static_cast<std::uint32_t>(r);
                            const bool bMultiple =
                                bAccepted && r < m_nLimit && r32 * m_nMagic <= m_nMagic - 1;
                            const auto q = static_cast<std::uint32_t>(
                                (static_cast<unsigned __int128>(m_nMagic) * r32) >> 64);
                            m_aQuotient[bMultiple ? q : Size + nOperator] |= c;
                        });
        }

        // Folds the five's values with t into the window's Size cells: the values
        // themselves, b + t, b - t, t - b, t / b, b x t and b / t. The steps with t are taken
        // on the whole row at once, as shifts and strides, which a value at a time through
        // ForEachStep would make several times dearer.
        void FoldInto(Cell* pWindow)
        {
            const auto t = static_cast<std::int32_t>(m_t);
            for (std::int32_t b = 0; b < Size; ++b)
                pWindow[b] |= m_aFive[b];
            for (std::int32_t b = 0; b + t < Size; ++b)
                pWindow[b + t] |= m_aFive[b];
            for (std::int32_t b = t; b < Size + t; ++b)
                pWindow[b - t] |= m_aFive[b];
            for (std::int32_t b = 0; b <= t; ++b)
            {
                pWindow[t - b] |= m_aFive[b];
                if (b > 0 && t % b == 0)
                    pWindow[t / b] |= m_aFive[b];
            }
            if (t == 0)
                pWindow[0] |= m_any;
            for (std::int32_t b = 0; t >= 2 && b * t < Size; ++b)
                pWindow[b * t] |= b != 1 ? m_aFive[b] : Cell{};
            for (std::int32_t m = 0; t >= 2 && m < static_cast<std::int32_t>(FiveWindow); m += t)
                m_aQuotient[m / t] |= m_aFive[m];
            for (std::int32_t q = 0; t >= 2 && q < Size; ++q)
                pWindow[q] |= m_aQuotient[q];
        }

    private:
        std::uint32_t m_t;
        std::uint64_t m_nMagic;
        std::uint64_t m_nLimit;
        Cell m_any{};
        std::array<Cell, FiveWindow + 4> m_aFive{};
        std::array<Cell, Size + 4> m_aQuotient{};
    };

private:
    static constexpr int Words = Size / 64;

    // Nearest, from the made values nearest below and above the target (-1 for none).
    static std::int32_t NearestBetween(std::int32_t nTarget, std::int32_t nBelow,
                                       std::int32_t nAbove);

    std::array<std::uint64_t, Words> m_anMade{};
};
