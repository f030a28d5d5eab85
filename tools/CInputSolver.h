#pragma once

#include "CSolveOptions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// pivolo-solve's work on lines of games: every line of the inputs (files in turn, or
// standard input), several games at once, written in input order with a progress line on
// a terminal; or one game given as arguments.
class CInputSolver
{
public:
    // allMax: with --all, how many solutions of each value to write.
    explicit CInputSolver(std::optional<std::size_t> allMax,
                          CSolveOptions::EWork eWork = CSolveOptions::EWork::Solve,
                          CSolveOptions::EFormat eFormat = CSolveOptions::EFormat::Text)
        : m_allMax(allMax), m_eWork(eWork), m_eFormat(eFormat)
    {
    }

    // Every line of the files (standard input for none or "-"); the exit status.
    int SolveInput(const std::vector<std::string>& files, int nJobs, bool bQuiet) const;
    // The game given as arguments, each a number (with --check, after the answer), read as
    // one line of input; the exit status.
    int SolveArguments(const std::vector<std::string>& operands) const;

    // One line of input: nothing for a line to skip, else the game's lines or the line's
    // error. False when the line or its game was refused.
    bool SolveLine(long nLine, std::string_view text, std::string& output) const;

    // Exit statuses.
    static constexpr int kAllSolved = 0;
    static constexpr int kSomeRefused = 1;
    static constexpr int kFailure = 2;

private:
    // A line that holds no game: its error in its place.
    bool Refuse(long nLine, const std::string& error, std::string& output) const;
    // One line of --check: a game and an answer.
    bool CheckLine(long nLine, std::string_view text, std::string& output) const;

    std::optional<std::size_t> m_allMax;
    CSolveOptions::EWork m_eWork;
    CSolveOptions::EFormat m_eFormat;
};
