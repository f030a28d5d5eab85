#include "CTargetLevel.h"

#include "CAllSolutions.h"

CTargetLevel::ELevel CTargetLevel::FromSolutions(int nSimplestSteps, std::uint64_t nSolutions)
{
    if (nSimplestSteps <= EASY_MOST_STEPS ||
        (nSimplestSteps == EASY_WITH_MANY_STEPS && nSolutions > EASY_MANY_SOLUTIONS))
        return ELevel::Easy;
    if (nSimplestSteps >= HARD_STEPS ||
        (nSimplestSteps == HARD_WITH_FEW_STEPS && nSolutions <= HARD_FEW_SOLUTIONS))
        return ELevel::Hard;
    return ELevel::Medium;
}

CTargetLevel::ELevel CTargetLevel::Of(CAllSolutions& solutions, std::int32_t nTarget)
{
    if (!solutions.Reachable(nTarget))
        return ELevel::Unreachable;
    // Only the simplest is kept: the others are counted, which is all a level needs.
    const CAllSolutions::SValueSolutions all = solutions.Solve(nTarget, 1);
    return FromSolutions(all.solutions.front().nSteps, all.nCount);
}

std::string_view CTargetLevel::Name(ELevel eLevel)
{
    switch (eLevel)
    {
    case ELevel::Easy:
        return "facile";
    case ELevel::Medium:
        return "moyen";
    case ELevel::Hard:
        return "difficile";
    case ELevel::Unreachable:
        break;
    }
    return "impossible";
}
