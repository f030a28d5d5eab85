#include "CSolveJson.h"

#include "CAllSolutionsText.h"
#include "CVerdictText.h"

#include <nlohmann/json.hpp>

namespace
{
using Json = nlohmann::ordered_json;

constexpr const char* kaszOperators[] = {"/", "x", "+", "-"};

void Append(const Json& object, std::string& text)
{
    // Answers and refused lines may hold any bytes: never a reason to fail.
    text += object.dump(-1, ' ', false, Json::error_handler_t::replace);
    text += '\n';
}

Json Step(const std::vector<CAllSolutions::SWayNode>& way, const CAllSolutions::SWayNode& node)
{
    return {{"left", way[static_cast<std::size_t>(node.nLeft)].nValue},
            {"operator", kaszOperators[node.nOperator]},
            {"right", way[static_cast<std::size_t>(node.nRight)].nValue},
            {"result", node.nValue}};
}

Json Solution(std::uint64_t nRank, const CAllSolutions::SSolution& solution)
{
    Json steps = Json::array();
    for (const CAllSolutions::SWayNode& node : solution.way)
        if (node.nOperator != CAllSolutions::SWayNode::Tile)
            steps.push_back(Step(solution.way, node));
    return {{"rank", nRank},
            {"steps", steps},
            {"largest", solution.nLargest},
            {"expression", CAllSolutionsText::Expression(solution.way)}};
}

// The line, the game as typed, and, when the dialog refuses it, the refusal.
Json Game(long nLine, CBatchGame& game, std::optional<std::string>& refusal)
{
    Json object = {{"line", nLine}, {"game", game.Text()}};
    refusal = game.Check();
    if (refusal)
        object["error"] = *refusal;
    else
        object.update({{"tiles", game.Tiles()}, {"target", game.Target()}});
    return object;
}

const char* FaultKind(CJudge::EFault eKind)
{
    switch (eKind)
    {
    case CJudge::EFault::Empty:
        return "empty";
    case CJudge::EFault::Syntax:
        return "syntax";
    case CJudge::EFault::NotATile:
        return "not-a-tile";
    case CJudge::EFault::TileOverused:
        return "tile-overused";
    case CJudge::EFault::ResultReused:
        return "result-reused";
    case CJudge::EFault::Negative:
        return "negative";
    case CJudge::EFault::NotWhole:
        return "not-whole";
    case CJudge::EFault::DivisionByZero:
        return "division-by-zero";
    case CJudge::EFault::TooLarge:
        return "too-large";
    case CJudge::EFault::WrongResult:
        return "wrong-result";
    }
    return "fault";
}

void AddVerdict(const CJudge::SVerdict& v, Json& object)
{
    object["value"] = v.nValue;
    object["distance"] = v.nDistance;
    object["best"] = v.bBest;
    object["target_made"] = v.bTargetMade;
    Json nearest = Json::object();
    if (v.nearest.above)
        nearest["above"] = *v.nearest.above;
    if (v.nearest.below)
        nearest["below"] = *v.nearest.below;
    object["nearest"] = nearest;
    const std::vector<CAllSolutions::SWayNode> way = v.Way();
    Json order = Json::array();
    Json leftOut = Json::array();
    for (const CJudge::SStep& step : v.steps)
    {
        if (step.node.nOperator == CAllSolutions::SWayNode::Tile)
            continue;
        order.push_back(Step(way, step.node));
        if (step.eRole == CJudge::ERole::Kept)
            continue;
        Json out = {{"step", step.nStep},
                    {"position", step.nPosition},
                    {"role", CVerdictText::RoleText(step.eRole)}};
        out.update(Step(way, step.node));
        leftOut.push_back(out);
    }
    object["reordered"] = v.bReordered;
    object["order"] = order;
    object["left_out"] = leftOut;
    object["rank"] = v.bRanked ? Json(v.nRank) : Json();
    object["solutions"] = v.bRanked ? Json(v.nSolutions) : Json();
    object["solution"] = v.bRanked ? Solution(v.nRank, v.solution) : Json();
}
} // namespace

void CSolveJson::AppendRefused(long nLine, std::string_view error, std::string& text)
{
    Append({{"line", nLine}, {"error", error}}, text);
}

bool CSolveJson::Play(long nLine, CBatchGame& game, std::optional<std::size_t> allMax,
                      std::string& text)
{
    std::optional<std::string> refusal;
    Json object = Game(nLine, game, refusal);
    if (!refusal)
    {
        const CBatchGame::SSolved solved = game.Solve();
        object.update({{"list", solved.list},
                       {"stdout", solved.output},
                       {"result", solved.nResult},
                       {"reached", solved.nReached}});
        if (allMax)
        {
            Json values = Json::array();
            for (const CAllSolutionsText::SValue& value :
                 CAllSolutionsText(*allMax).Values(game.Tiles(), game.Target(), solved.nReached))
            {
                Json shown = Json::array();
                std::uint64_t nRank = 0;
                for (const CAllSolutions::SSolution& solution : value.all.solutions)
                    shown.push_back(Solution(++nRank, solution));
                values.push_back({{"value", value.all.nValue},
                                  {"side", value.pszSide},
                                  {"reached", value.bReached},
                                  {"solutions", value.all.nCount},
                                  {"shown", shown}});
            }
            object["values"] = values;
        }
    }
    Append(object, text);
    return !refusal;
}

bool CSolveJson::Check(long nLine, CBatchGame& game, std::string_view answer, std::string& text)
{
    std::optional<std::string> refusal;
    Json object = Game(nLine, game, refusal);
    if (!refusal)
    {
        const CJudge::SVerdict v = game.Judge(answer);
        object["answer"] = answer;
        object["valid"] = v.bValid;
        if (v.bValid)
            AddVerdict(v, object);
        else
        {
            Json faults = Json::array();
            for (const CJudge::SFault& fault : v.faults)
            {
                Json f = {{"kind", FaultKind(fault.eKind)},
                          {"message", CVerdictText::FaultText(fault, v.nSteps)}};
                if (fault.nStep > 0)
                    f["step"] = fault.nStep;
                f.update({{"position", fault.nPosition}, {"length", fault.nLength}});
                faults.push_back(f);
            }
            object["faults"] = faults;
        }
    }
    Append(object, text);
    return !refusal;
}
