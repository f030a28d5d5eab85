#include "SpeedUps.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace
{
constexpr std::array<const char*, static_cast<int>(ESpeedUp::Count)> kNames = {
    "groups",         "first-steps", "deeper-lists",      "short-lists", "three-kept",
    "near-by-groups", "ask-whole",   "product-after-sum", "first-five",  "need-all",
    "far-values",     "pair-sums",   "equal-tiles"};

// The speed-ups PIVOLO_WITHOUT turns off, one bit each.
unsigned ReadWithout()
{
    const char* pszWithout = std::getenv("PIVOLO_WITHOUT");
    unsigned nOff = 0;
    for (std::string_view list = pszWithout ? pszWithout : ""; !list.empty();)
    {
        const std::size_t nComma = list.find(',');
        const std::string_view name = list.substr(0, nComma);
        list.remove_prefix(nComma == std::string_view::npos ? list.size() : nComma + 1);
        bool bKnown = name.empty();
        for (std::size_t k = 0; k < kNames.size(); ++k)
        {
            if (name == kNames[k])
            {
                nOff |= 1u << k;
                bKnown = true;
            }
        }
        if (bKnown)
            continue;
        std::fprintf(stderr, "%s: PIVOLO_WITHOUT: unknown speed-up \"%.*s\" ignored (known:",
                     program_invocation_short_name, static_cast<int>(name.size()), name.data());
        for (const char* pszName : kNames)
            std::fprintf(stderr, " %s", pszName);
        std::fputs(")\n", stderr);
    }
    return nOff;
}
} // namespace

bool UseSpeedUp(ESpeedUp eSpeedUp)
{
    static const unsigned nOff = ReadWithout();
    return (nOff >> static_cast<int>(eSpeedUp) & 1) == 0;
}
