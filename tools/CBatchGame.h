#pragma once

#include "CGameLine.h"
#include "CJudge.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One game of pivolo-solve, checked as the dialog's compute command checks it and solved
// by the dialog's solver, with what the dialog would show written as lines of text.
class CBatchGame
{
public:
    // The line must hold a game.
    explicit CBatchGame(const CGameLine& line);

    // The tiles in order, stopping at the first one refused, then the target from 0 to 999.
    // Nothing when the game is accepted, else the message the dialog would show.
    std::optional<std::string> Check();
    // Checks the game and, when it is accepted, solves it. Appends the game's lines to the
    // text: "game:", then "error:" or the "list:", "stdout:" and "result:" lines. False when
    // the game was refused. With allMax, every distinct solution of the value reached
    // follows (CAllSolutionsText), at most that many of each value.
    bool Play(std::string& text, std::optional<std::size_t> allMax = std::nullopt);

    // What the dialog shows of a game solved: its list, the lines the solver writes to the
    // output, whether it reached the target and the value it reached.
    struct SSolved
    {
        std::vector<std::string> list;
        std::vector<std::string> output;
        int nResult = 0;
        std::int32_t nReached = 0;
    };
    // Once Check has accepted the game: the dialog's solver run on it.
    SSolved Solve() const;

    // Once Check has accepted the game: the verdict on a player's answer to it, placed among
    // the distinct solutions of its value. A thread keeps the judge of its last game.
    CJudge::SVerdict Judge(std::string_view answer) const;

    // The game's numbers as they were typed, separated by blanks.
    std::string Text() const;

    // Once Check has accepted the game: what the solver is given.
    const std::array<int, 6>& Tiles() const { return m_anTiles; }
    int Target() const { return m_nTarget; }

    static constexpr const char* szBadTarget = "Valeur à trouver incorrecte";

private:
    // The tile pool's check of each tile in turn, into anTiles; false at the first refused.
    bool CheckTiles(std::array<int, 6>& anTiles) const;

    const CGameLine& m_line;
    std::array<int, 6> m_anTiles{};
    int m_nTarget = 0;
};
