#include "CJudge.h"

struct CJudge::SState
{
    CAllSolutions solutions;
    std::int32_t nTarget = 0;
};

std::vector<CAllSolutions::SWayNode> CJudge::SVerdict::Way() const
{
    std::vector<CAllSolutions::SWayNode> way;
    way.reserve(steps.size());
    for (const SStep& step : steps)
        way.push_back(step.node);
    return way;
}

CJudge::CJudge() : m_pState(std::make_unique<SState>()) {}

CJudge::~CJudge() = default;

void CJudge::SetGame(std::span<const std::int32_t> tiles, std::int32_t nTarget)
{
    m_pState->solutions.SetTiles(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
    m_pState->nTarget = nTarget;
}

// Not yet written: every answer is judged empty.
CJudge::SVerdict CJudge::Judge(std::string_view, EPlace)
{
    SVerdict verdict;
    verdict.faults.push_back({});
    return verdict;
}

CAllSolutions& CJudge::Solutions()
{
    return m_pState->solutions;
}
