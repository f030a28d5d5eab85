#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class CAllSolutions;

// How hard a target is for its tiles, from what the distinct solutions say of it: the steps
// of the simplest solution and how many distinct solutions there are. A target the tiles
// cannot make has a level of its own, which only "any target" draws.
//
//   easy:   the simplest solution takes at most 2 steps, or 3 with more than 10 solutions
//   hard:   it takes 5 steps (every tile), or 4 with at most 5 solutions
//   medium: every other target the tiles make
//
// On the whole game (six tiles drawn from the 28, a target from 100 to 999) that makes about
// a third of the games easy, a third medium, a quarter hard and one in twenty unreachable
// (bench/PracticeLevels.cpp counts them).
class CTargetLevel
{
public:
    enum class ELevel
    {
        Easy,
        Medium,
        Hard,
        Unreachable,
    };

    static constexpr int EASY_MOST_STEPS = 2;
    static constexpr int EASY_WITH_MANY_STEPS = 3;
    static constexpr std::uint64_t EASY_MANY_SOLUTIONS = 10;
    static constexpr int HARD_STEPS = 5;
    static constexpr int HARD_WITH_FEW_STEPS = 4;
    static constexpr std::uint64_t HARD_FEW_SOLUTIONS = 5;

    // The level of a target the tiles make, from its simplest solution's steps and its number
    // of distinct solutions.
    static ELevel FromSolutions(int nSimplestSteps, std::uint64_t nSolutions);
    // The level of a target for the tiles the solutions were set to.
    static ELevel Of(CAllSolutions& solutions, std::int32_t nTarget);

    // The level's name in the window: "facile", "moyen", "difficile", "impossible".
    static std::string_view Name(ELevel eLevel);
};
