#include "CStatsJson.h"

#include "CStatsReport.h"
#include "CStatsWords.h"

#include <nlohmann/json.hpp>

namespace
{
using Json = nlohmann::ordered_json;

void Append(const Json& object, std::string& text)
{
    text += object.dump();
    text += '\n';
}
} // namespace

std::string CStatsJson::DrawGames(const CDrawTally& tally, std::size_t nDraw)
{
    std::string text;
    const Json tiles = tally.DrawAt(nDraw);
    for (int t = tally.FirstTarget(); t <= tally.LastTarget(); ++t)
        Append({{"tiles", tiles}, {"target", t}, {"reached", tally.Reached(nDraw, t)}}, text);
    return text;
}

std::string CStatsJson::Report(const CDrawTally& tally, const CDealtTally& dealt,
                               const CTileSet& set)
{
    std::string text;
    const CStatsWords words(tally, set, false);
    const CStatsReport report(tally, dealt, words);
    const std::int64_t nTargets = tally.TargetCount();

    // The whole tally; then each number of large tiles, its games by distance (0 to 10, then
    // more than 10), as drawn and as dealt.
    Json categories = Json::array();
    std::int64_t nExact = 0;
    std::int64_t nDealtExact = 0;
    for (int c = 0; c < tally.UsedCategories(); ++c)
    {
        Json games = Json::array();
        Json dealtGames = Json::array();
        for (int b = 0; b < CDrawTally::Distances; ++b)
        {
            games.push_back(tally.Games(c, b));
            dealtGames.push_back(dealt.Games(c, b));
        }
        nExact += tally.Games(c, 0);
        nDealtExact += dealt.Games(c, 0);
        categories.push_back({{"large", c},
                              {"draws", tally.CategoryDraws(c)},
                              {"ways", dealt.CategoryWays(c)},
                              {"games", games},
                              {"dealt_games", dealtGames}});
    }
    Append({{"table", "tally"},
            {"set", set.Size()},
            {"draws", tally.DrawCount()},
            {"ways", dealt.AllWays()},
            {"first_target", tally.FirstTarget()},
            {"last_target", tally.LastTarget()},
            {"games", static_cast<std::int64_t>(tally.DrawCount()) * nTargets},
            {"reached_exactly", nExact},
            {"dealt_games", dealt.AllWays() * nTargets},
            {"dealt_reached_exactly", nDealtExact}},
           text);
    Append({{"table", "distances"}, {"categories", categories}}, text);

    for (const auto eEase : {CStatsReport::EEase::Hardest, CStatsReport::EEase::Easiest})
    {
        Json targets = Json::array();
        for (const int t : report.ListedTargets(eEase))
            targets.push_back(
                {{"target", t}, {"draws", tally.ExactDraws(t)}, {"ways", dealt.ExactWays(t)}});
        Append({{"table",
                 eEase == CStatsReport::EEase::Hardest ? "hardest_targets" : "easiest_targets"},
                {"targets", targets}},
               text);
    }

    const std::vector<std::size_t> perfect = report.PerfectDraws();
    std::vector<std::int64_t> anDraws(static_cast<std::size_t>(tally.UsedCategories()));
    std::vector<std::int64_t> anWays(anDraws.size());
    Json listed = Json::array();
    for (const std::size_t d : perfect)
    {
        ++anDraws[static_cast<std::size_t>(tally.CategoryOf(d))];
        anWays[static_cast<std::size_t>(tally.CategoryOf(d))] += dealt.Ways(d);
        if (listed.size() < CStatsReport::kListed)
            listed.push_back(tally.DrawAt(d));
    }
    Json perCategory = Json::array();
    std::int64_t nPerfectWays = 0;
    for (std::size_t c = 0; c < anDraws.size(); ++c)
    {
        perCategory.push_back({{"large", c}, {"draws", anDraws[c]}, {"ways", anWays[c]}});
        nPerfectWays += anWays[c];
    }
    Append({{"table", "perfect_draws"},
            {"draws", perfect.size()},
            {"ways", nPerfectWays},
            {"categories", perCategory},
            {"first", listed}},
           text);

    Json worst = Json::array();
    for (const std::size_t d : report.WorstDraws())
        worst.push_back({{"tiles", tally.DrawAt(d)},
                         {"targets_reached", tally.Summary(d).nExact},
                         {"total_distance", tally.Summary(d).nTotalDistance}});
    Append({{"table", "worst_draws"}, {"draws", worst}}, text);

    Json misses = Json::array();
    for (const std::size_t d : report.FurthestMisses())
    {
        const CDrawTally::DrawSummary& summary = tally.Summary(d);
        misses.push_back({{"tiles", tally.DrawAt(d)},
                          {"target", summary.nMaxTarget},
                          {"reached", tally.Reached(d, summary.nMaxTarget)},
                          {"distance", summary.nMaxDistance}});
    }
    Append({{"table", "furthest_misses"}, {"draws", misses}}, text);
    return text;
}
