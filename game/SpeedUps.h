#pragma once

// The speed-ups of the game core, named. Each is introduced at its spot with what it buys;
// the environment variable PIVOLO_WITHOUT, read once, turns off those it names (separated by
// commas, for instance PIVOLO_WITHOUT=short-lists,first-steps), so that bench/ can measure
// again what each still buys. The output never changes: only the time does.
enum class ESpeedUp : int
{
    Groups,          // "groups": the first game of a set of tiles guided by the group table
    FirstSteps,      // "first-steps": further games guided by the first steps of every value
    DeeperLists,     // "deeper-lists": the lists below the first level guided too
    ShortLists,      // "short-lists": what the short lists make, kept for further games
    ThreeKept,       // "three-kept": what three values of a list of four make, kept
    NearByGroups,    // "near-by-groups": a nearest value a few away found by the groups
    AskWhole,        // "ask-whole": after a few first steps say no, whether the tiles make it
    ProductAfterSum, // "product-after-sum": after a tile's sum, only a product or quotient
    FirstFive,       // "first-five": the groups of the first five tiles kept
    NeedAll,         // "need-all": a group's entries only the values that need all its tiles
    PairSums,        // "pair-sums": no sums of a pair's sum, which a single tile's split gives
    EqualTiles,      // "equal-tiles": each split of equal tiles worked out once
    Count
};

// Whether the speed-up is on (it is unless PIVOLO_WITHOUT names it). A name it does not know
// is ignored with a warning on standard error.
bool UseSpeedUp(ESpeedUp eSpeedUp);
