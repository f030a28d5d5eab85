#pragma once

#include "CAllSolutions.h"
#include "CTargetLevel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>

// The games of the practice window: six tiles drawn from the 28 without replacement, with as
// many large tiles (25, 50, 75, 100) as the player chose or as they fall, and a target from
// 100 to 999 of the level the player chose, or any.
//
// A game of a level is drawn as any game is, tiles and target together, until one has the
// level: each game of the level is then as likely as the random draw makes it.
class CPracticeDraw
{
public:
    using Tiles = std::array<std::int32_t, 6>;
    using ELevel = CTargetLevel::ELevel;

    struct SGame
    {
        Tiles tiles{};
        std::int32_t nTarget = 0;
        ELevel eLevel = ELevel::Medium;
    };

    static constexpr std::int32_t TARGET_MIN = 100;
    static constexpr std::int32_t TARGET_MAX = 999;
    static constexpr int LARGE_TILES_MAX = 4;

    // Seeded from the system's source of randomness: no two runs draw alike.
    CPracticeDraw();
    // Seeded as given: the same games every time (tests, benchmarks).
    explicit CPracticeDraw(std::uint32_t nSeed);

    // Six tiles in the order drawn; nLarge (0 to 4) of them large, or as they fall.
    Tiles DrawTiles(std::optional<int> nLarge);
    // A game whose target has the level, or any target when there is none.
    SGame Draw(std::optional<int> nLarge, std::optional<ELevel> level);
    // The game given, with its level.
    SGame Given(const Tiles& tiles, std::int32_t nTarget);

private:
    std::mt19937 m_random;
    CAllSolutions m_solutions;
};
