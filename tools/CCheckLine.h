#pragma once

#include "CGameLine.h"

#include <string_view>

// One line of pivolo-solve --check's input: a game, a colon, and the answer to judge
// ("t1 t2 t3 t4 t5 t6 target : ANSWER"), or a line to skip, or neither. The game is read as
// a line of games is; the answer is everything after the first colon (a colon in the answer
// divides, as French schools write it).
class CCheckLine
{
public:
    explicit CCheckLine(std::string_view line);

    // Skipped and Malformed as for a line of games; Game when the line holds a game and an
    // answer (which may be empty).
    CGameLine::EKind Kind() const { return m_kind; }
    // For a game only.
    const CGameLine& Game() const { return m_game; }
    // The answer, without the blanks around it.
    std::string_view Answer() const { return m_answer; }

    static constexpr char cSeparator = ':';

private:
    CGameLine::EKind m_kind;
    CGameLine m_game;
    std::string_view m_answer;
};
