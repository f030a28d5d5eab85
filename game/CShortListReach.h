#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Whether the search's short lists (two to four values) make a target, for the levels below
// the first: exact, worked back from the target (the values that give it with one more value
// are few, so a list of three or four is settled by a few look-ups, not by making all it
// makes). For the further games of the same tiles, every target of a draw asking again
// about the same thousand or so lists, what each list makes from 0 to WindowSize - 1 is kept
// once it is asked about a second time (the memo), and the lists of the second level are
// found by the steps that made them.
class CShortListReach
{
public:
    static constexpr std::int32_t WindowSize = 1024;
    static constexpr int MaxLists = 2048;
    // The steps of the first level and of the second, numbered as the search numbers them.
    static constexpr int FirstSteps = 6 * 6 * 4;
    static constexpr int SecondSteps = 5 * 5 * 4;

    CShortListReach();

    // Whether some steps on the list (up to four values; a longer list always may), taking
    // any of them in any order, make nTarget, or the list holds it.
    bool CanReach(std::int32_t nTarget, int nCount, const std::int32_t* pValues);

    // Starts the memo afresh, for the games of one set of tiles.
    void Reset();
    // CanReach's answer, from the memo where it has the list.
    bool Makes(std::int32_t nTarget, int nCount, const std::int32_t* pValues);
    // The same for the list of four that the second level hands down, known by the step of
    // the first level and its own: with the same tiles, the same steps make the same list.
    bool MakesAfter(int nFirstStep, int nSecondStep, std::int32_t nTarget,
                    const std::int32_t* pValues);
    // How many lists the memo holds now.
    int Lists() const { return m_nLists; }

private:
    // The values x that give the target with one more value a: x itself is the target, or a
    // step of x and a makes it. Most values asked of it are turned away by their low bits.
    class CNeeded
    {
    public:
        CNeeded() = default;
        CNeeded(std::int32_t a, std::int32_t nTarget);
        bool AnyOf(int nCount, const std::int32_t* pValues) const;

    private:
        void Add(std::int32_t v);
        std::array<std::int32_t, 7> m_an{};
        int m_n = 0;
        std::uint64_t m_nLowBits = 0;
        bool m_bEvery = false;
    };

    static bool CanReachFromThree(std::int32_t nTarget, const std::int32_t* pValues);
    // CanReach of four values. Speed-up "three-kept": the second level hands down, for the
    // operators of one pair, lists that differ only in their first value, the step's result:
    // what the other three make among themselves, and the values that give the target with
    // each of their results, are kept while they stay. Without it, random games take 1.06
    // times the instructions.
    bool FourMake(std::int32_t nTarget, const std::int32_t* pFour);

    // One bit per value of the window.
    using Window = std::array<std::uint64_t, WindowSize / 64>;
    static constexpr std::size_t Slots = std::size_t{2} * MaxLists;

    // A list's values in increasing order, two to a key word; a list of three has the
    // largest word value last, which no value of a list takes (steps give nothing below 0).
    struct Slot
    {
        static constexpr std::uint64_t Free = ~std::uint64_t{0};
        // Marks a list asked about once, not worked out yet.
        static constexpr std::uint64_t Once = std::uint64_t{1} << 63;
        std::uint64_t nKeyLow = Free;
        std::uint64_t nKeyHigh = Free;
        // Where its window is, once worked out.
        std::uint32_t nWindow = 0;
    };

    // What the list makes, worked out when it is asked about a second time; null when it is
    // new, when its values have no key or when the memo is full.
    const Window* Find(int nCount, const std::int32_t* pValues);
    static void Work(int nCount, const std::uint32_t* pValues, Window& made);

    const bool m_bThreeKept;
    // The three values kept for FourMake, and what they make for m_nThreeTarget: a
    // value of theirs is it (every list does), the steps of the two beside each and the
    // values that give the target with them, the values that give it with each, and what
    // all three make (a pair's step, then a step with the third).
    bool m_bKept = false;
    std::int32_t m_nThreeTarget = 0;
    std::array<std::int32_t, 3> m_anThree{};
    bool m_bAlways = false;
    std::array<std::array<std::int32_t, 4>, 3> m_anPair{};
    std::array<int, 3> m_anPairCount{};
    std::array<std::array<CNeeded, 4>, 3> m_pairNeeded{};
    std::array<CNeeded, 3> m_needed{};
    std::array<std::int32_t, 48> m_anAll{};
    int m_nAll = 0;

    int m_nLists = 0;
    int m_nWorked = 0;
    std::vector<Slot> m_slots;
    std::vector<Window> m_made;
    // By first and second step, one more than the place of the list's window; 0 until it is
    // worked out.
    std::vector<std::uint16_t> m_anAfter;
};
