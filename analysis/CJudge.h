#pragma once

#include "CAllSolutions.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The judge of a player's answer to one game: reads it, checks it against the rules of a step,
// names every fault it finds with where and with which numbers, and places a valid answer:
// its value, how far from the target, whether the tiles make anything nearer, and which of
// the distinct solutions of its value it is (the same solutions, in the same order, as
// CAllSolutions gives).
//
// An answer is text in UTF-8, as a player writes it:
// - one expression in ordinary notation: x and / before + and -, otherwise from left to
//   right, with parentheses; x, X, * and U+00D7 multiply; /, U+00F7 and : divide; -, U+2212
//   and U+2013 subtract;
// - or steps, one a line or separated by ; or , each with its result stated: "50 x 8 = 400",
//   or as the dialog lists them, "400 = 50 x 8". A step's operands are tiles or results of
//   other steps, in any order a player could have done them (a number that may be either is
//   the result made last); a step may itself be an expression ("50 x 8 + 2 = 402"). The
//   answer's value is that of the last step whose result no step uses, or the one a line
//   states: the dialog's "Solution : 402" or "Sol : 402", or a number alone, which may also
//   be a tile that no step uses.
// Blanks (spaces, tabs, no-break spaces) go anywhere between numbers and symbols.
//
// Each tile is used at most as often as drawn, not every tile need be used; each result at
// most once; no step is negative, inexact, a division by 0 or beyond 32 bits. A product or
// quotient with 1 is legal: it changes nothing. The grouping of a chain of + and - (of x and
// /) is free: 3 - 7 + 50 is valid, worked as 3 + 50 - 7.
//
// One judge per thread; SetGame once per game, then Judge as often as wanted.
class CJudge
{
public:
    // What Judge works out: everything but the rank (cheap, for an answer judged as the
    // player types it), or also its place among the distinct solutions of its value.
    enum class EPlace
    {
        Unranked,
        Ranked,
    };

    // The rule an answer breaks.
    enum class EFault
    {
        Empty,          // nothing but blanks
        Syntax,         // a symbol where it cannot stand: found and expected say which
        NotATile,       // a number that is no tile and no step's result: nNumber
        TileOverused,   // a tile used more often than drawn: nNumber, nUsed, nDrawn
        ResultReused,   // a step's result used more than once: nNumber, nUsed
        Negative,       // nLeft - nRight below 0
        NotWhole,       // nLeft / nRight leaves a remainder
        DivisionByZero, // nLeft / 0
        TooLarge,       // a result (nLeft, nOperator, nRight, nResult) or a number (found)
                        // beyond 2^31 - 1
        WrongResult,    // a step's stated result (nStated) is not its result (nResult);
                        // nOperator -1: the answer's value stated is not its value
    };

    // What Syntax expected where it found something else (bits of nExpected).
    enum ESyntaxExpected : unsigned
    {
        ExpectNumber = 1u << 0,
        ExpectOperator = 1u << 1,   // + - x /
        ExpectOpenParen = 1u << 2,  // (
        ExpectCloseParen = 1u << 3, // )
        ExpectEquals = 1u << 4,     // = before a stated result
        ExpectEnd = 1u << 5,        // the end of the step
    };

    // One fault, as data: the front ends phrase it ("8 is used twice but drawn once", "7 / 2
    // is not whole", "50 x 8 is 400, not 401").
    struct SFault
    {
        EFault eKind = EFault::Empty;
        // Where, all 1-based and counted in characters (not bytes): the step (the answer's
        // pieces between line ends, ; and , that hold anything; an expression is step 1),
        // the text line and the column in it, the position in the whole answer, and how many
        // characters the fault covers (0 at the end of the answer).
        int nStep = 0;
        int nLine = 0;
        int nColumn = 0;
        int nPosition = 0;
        int nLength = 0;
        // The operation: an EOperator, its operands and its true result (any of them may lie
        // beyond 32 bits or below 0: they are what the player wrote or made).
        int nOperator = -1;
        std::int64_t nLeft = 0;
        std::int64_t nRight = 0;
        std::int64_t nResult = 0;
        std::int64_t nStated = 0;
        // The number at fault, how often the answer uses it and how often it was drawn.
        std::int64_t nNumber = 0;
        int nUsed = 0;
        int nDrawn = 0;
        // Syntax: what stands there (valid UTF-8: a byte that is not becomes U+FFFD; empty
        // at the end of a step) and what could have (ESyntaxExpected bits). TooLarge of a
        // number: its digits.
        std::string found;
        unsigned nExpected = 0;
    };

    // What a node of a valid answer does for its value.
    enum class ERole
    {
        Kept,           // part of the solution the answer counts as
        ChangesNothing, // its result is one of its operands: x 1, / 1, + 0, 4 - 2 = 2 alone
        Detour,         // cancels out with others: + 5 - 5, x 5 / (1 + 4)
        Unused,         // a step whose result is never used, and what only it uses
    };

    // A tile or a step of a valid answer, as a node of its way (see CAllSolutions::SWayNode:
    // operands are indexes of earlier nodes).
    struct SStep
    {
        CAllSolutions::SWayNode node;
        ERole eRole = ERole::Kept;
        // Where the answer writes it: its step and the position (1-based, in characters) of
        // its operator symbol, or of a tile's number.
        int nStep = 0;
        int nPosition = 0;
    };

    struct SVerdict
    {
        bool bValid = false;
        // Every fault found, in the order of the answer's text; empty when valid. Faults that
        // follow from another (a later use of a wrong result) are not repeated.
        std::vector<SFault> faults;
        // How many steps the answer has (what nStep counts), valid or not.
        int nSteps = 0;

        // The rest is set for a valid answer only.
        std::int32_t nValue = 0;
        std::int32_t nDistance = 0;
        // No value the tiles make is nearer the target (at equal distance above and below,
        // both are best).
        bool bBest = false;
        // Whether the tiles make the target, and the nearest values they make strictly above
        // and below it.
        bool bTargetMade = false;
        CAllSolutions::SNearest nearest;
        // Every tile and step of the answer in an order in which each step is legal, each
        // after its operands; the last is the answer's value. bReordered: the answer as
        // written passes through a value the game refuses (3 - 7 + 50) or uses a result
        // before the step that makes it.
        std::vector<SStep> steps;
        bool bReordered = false;

        // Set by EPlace::Ranked: the answer's rank among the nSolutions distinct solutions of
        // its value (1 = the simplest), and that solution, as CAllSolutions shows it.
        bool bRanked = false;
        std::uint64_t nRank = 0;
        std::uint64_t nSolutions = 0;
        CAllSolutions::SSolution solution;

        // The steps' nodes alone, as a way (for CAllSolutionsText::Expression and the like).
        std::vector<CAllSolutions::SWayNode> Way() const;
    };

    CJudge();
    ~CJudge();
    CJudge(const CJudge&) = delete;
    CJudge& operator=(const CJudge&) = delete;

    // The game: one to six tiles (0 to 255 each) and a target (0 or more). Works out once
    // what every answer needs: the tables of what the tiles make, the nearest values.
    void SetGame(std::span<const std::int32_t> tiles, std::int32_t nTarget);

    // The verdict on one answer to the game set.
    SVerdict Judge(std::string_view answer, EPlace ePlace);

    // The game's tables, for the solutions a window lists beside a verdict.
    CAllSolutions& Solutions();

private:
    struct SState;
    std::unique_ptr<SState> m_pState;
};
