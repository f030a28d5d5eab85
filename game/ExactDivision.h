#pragma once

#include <array>
#include <cstdint>
#include <limits>

// Exact division without the divide instruction for the small divisors that most steps
// have (a tile, a small result): n is a multiple of d exactly when n times the magic number
// of d, modulo 2^64, is below it, and the high half of the full product is the quotient.
inline constexpr int kMagicDivisors = 1024;

struct CMagicTable
{
    std::array<std::uint64_t, kMagicDivisors> anMagic{};
    constexpr CMagicTable()
    {
        // Unused for 0 and 1, whose quotients need no division.
        for (int d = 2; d < kMagicDivisors; ++d)
            anMagic[static_cast<std::size_t>(d)] =
                std::numeric_limits<std::uint64_t>::max() / static_cast<std::uint64_t>(d) + 1;
    }
};
inline constexpr CMagicTable kMagic;

inline bool DividesMagic(std::uint64_t nMagic, std::uint32_t n)
{
    return n * nMagic <= nMagic - 1;
}

inline std::uint32_t QuotientMagic(std::uint64_t nMagic, std::uint32_t n)
{
    return static_cast<std::uint32_t>((static_cast<unsigned __int128>(nMagic) * n) >> 64);
}

// The quotient of nHigh by nLow (nLow at least 1) when the division is exact; what most
// steps of the search and its tables ask, so it avoids the divide instruction where it can.
inline bool ExactQuotient(std::uint32_t nHigh, std::uint32_t nLow, std::uint32_t& q)
{
    if (nLow < kMagicDivisors)
    {
        if (nLow == 1)
        {
            q = nHigh;
            return true;
        }
        const std::uint64_t nMagic = kMagic.anMagic[nLow];
        if (!DividesMagic(nMagic, nHigh))
            return false;
        q = QuotientMagic(nMagic, nHigh);
        return true;
    }
    // A large divisor: the quotient is often 0 or 1, which needs no divide instruction.
    if (nHigh < nLow)
    {
        q = 0;
        return nHigh == 0;
    }
    if (nHigh - nLow < nLow)
    {
        q = 1;
        return nHigh == nLow;
    }
    if (nHigh % nLow != 0)
        return false;
    q = nHigh / nLow;
    return true;
}
