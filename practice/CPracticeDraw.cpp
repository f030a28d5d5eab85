#include "CPracticeDraw.h"

#include "CTileSet.h"

#include <algorithm>
#include <vector>

namespace
{
// After this many games without the level asked for, any target does. The rarest level of
// any number of large tiles comes about once in twenty games: this is never reached.
constexpr int LEVEL_TRIES = 10000;

std::vector<std::int32_t> SetTiles(bool bLarge)
{
    const CTileSet set(CTileSet::EKind::Full);
    std::vector<std::int32_t> tiles;
    for (std::int32_t nValue : CTileSet::kanValues)
    {
        if (CTileSet::IsLarge(nValue) != bLarge)
            continue;
        tiles.insert(tiles.end(), static_cast<std::size_t>(set.Copies(nValue)), nValue);
    }
    return tiles;
}
} // namespace

CPracticeDraw::CPracticeDraw() : m_random(std::random_device{}()) {}

CPracticeDraw::CPracticeDraw(std::uint32_t nSeed) : m_random(nSeed) {}

CPracticeDraw::Tiles CPracticeDraw::DrawTiles(std::optional<int> nLarge)
{
    static const std::vector<std::int32_t> small = SetTiles(false);
    static const std::vector<std::int32_t> large = SetTiles(true);
    std::vector<std::int32_t> drawn;
    if (nLarge)
    {
        const int nLargeTiles = std::clamp(*nLarge, 0, LARGE_TILES_MAX);
        std::sample(large.begin(), large.end(), std::back_inserter(drawn), nLargeTiles, m_random);
        std::sample(small.begin(), small.end(), std::back_inserter(drawn),
                    static_cast<int>(Tiles{}.size()) - nLargeTiles, m_random);
    }
    else
    {
        std::vector<std::int32_t> all = small;
        all.insert(all.end(), large.begin(), large.end());
        std::sample(all.begin(), all.end(), std::back_inserter(drawn), Tiles{}.size(), m_random);
    }
    // std::sample keeps the set's order: the tiles come in the order drawn.
    std::shuffle(drawn.begin(), drawn.end(), m_random);
    Tiles tiles{};
    std::copy(drawn.begin(), drawn.end(), tiles.begin());
    return tiles;
}

CPracticeDraw::SGame CPracticeDraw::Draw(std::optional<int> nLarge, std::optional<ELevel> level)
{
    std::uniform_int_distribution<std::int32_t> target(TARGET_MIN, TARGET_MAX);
    SGame game;
    for (int nTry = 0; nTry < LEVEL_TRIES; ++nTry)
    {
        game.tiles = DrawTiles(nLarge);
        game.nTarget = target(m_random);
        m_solutions.SetTiles(std::vector<std::int32_t>(game.tiles.begin(), game.tiles.end()));
        game.eLevel = CTargetLevel::Of(m_solutions, game.nTarget);
        if (!level || game.eLevel == *level)
            break;
    }
    return game;
}

CPracticeDraw::SGame CPracticeDraw::Given(const Tiles& tiles, std::int32_t nTarget)
{
    m_solutions.SetTiles(std::vector<std::int32_t>(tiles.begin(), tiles.end()));
    return {tiles, nTarget, CTargetLevel::Of(m_solutions, nTarget)};
}
