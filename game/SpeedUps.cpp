#include "SpeedUps.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace
{
constexpr std::array<std::string_view, static_cast<int>(ESpeedUp::Count)> kNames = {
    "groups",    "first-steps",       "deeper-lists", "short-lists", "three-kept", "near-by-groups",
    "ask-whole", "product-after-sum", "first-five",   "need-all",    "pair-sums",  "equal-tiles"};
constexpr const char* kKnown =
    "groups, first-steps, deeper-lists, short-lists, three-kept, near-by-groups, "
    "ask-whole, product-after-sum, first-five, need-all, "
    "pair-sums, equal-tiles";

// The speed-ups PIVOLO_WITHOUT turns off, one bit each.
unsigned ReadWithout()
{
    unsigned nOff = 0;
    std::string_view list = std::getenv("PIVOLO_WITHOUT") ? std::getenv("PIVOLO_WITHOUT") : "";
    while (!list.empty())
    {
        const std::string_view name = list.substr(0, list.find(','));
        list.remove_prefix(std::min(list.size(), name.size() + 1));
        const auto p = std::find(kNames.begin(), kNames.end(), name);
        nOff |= p != kNames.end() ? 1u << (p - kNames.begin()) : 0;
        if (p == kNames.end() && !name.empty())
            std::fprintf(
                stderr, "%s: PIVOLO_WITHOUT: unknown speed-up \"%.*s\" ignored (known: %s)\n",
                program_invocation_short_name, static_cast<int>(name.size()), name.data(), kKnown);
    }
    return nOff;
}
} // namespace

bool UseSpeedUp(ESpeedUp eSpeedUp)
{
    static const unsigned nOff = ReadWithout();
    return (nOff >> static_cast<int>(eSpeedUp) & 1) == 0;
}
