#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// pivolo-solve's command line: what to do (a mode) and how. A mode is chosen by the options
// and the operands; each has its own run in the program, so that a new mode is a value
// here, the options that choose it, and one more run.
class CSolveOptions
{
public:
    enum class EMode
    {
        Help,
        Version,
        // The operands are one game's seven numbers (with --check, after its answer).
        Game,
        // The operands are files of games (with --check, of answers), or none: standard input.
        Input,
    };
    // What is done with each game.
    enum class EWork
    {
        Solve,
        // Each line holds an answer to judge.
        Check,
    };
    enum class EFormat
    {
        Text,
        // JSON Lines: one object a line of input that is not skipped.
        Json,
    };

    CSolveOptions();

    // Reads the command line; false after a complaint.
    bool Read(int argc, char** argv);

    EMode Mode() const { return m_mode; }
    EWork Work() const { return m_bCheck ? EWork::Check : EWork::Solve; }
    EFormat Format() const { return m_bJson ? EFormat::Json : EFormat::Text; }
    bool Quiet() const { return m_bQuiet; }
    int Jobs() const { return m_nJobs; }
    const std::vector<std::string>& Operands() const { return m_operands; }
    // With --all: how many solutions of each value to write; nothing without --all.
    std::optional<std::size_t> AllMax() const { return m_allMax; }

    static const char* Usage();
    static const char* Help();

    // The most games solved at once.
    static constexpr int kMaxJobs = 1024;

private:
    bool TakeOption(std::size_t nOption, const std::string& value);
    bool ChooseMode();

    EMode m_mode = EMode::Input;
    bool m_bHelp = false;
    bool m_bVersion = false;
    bool m_bQuiet = false;
    bool m_bAll = false;
    bool m_bCheck = false;
    bool m_bJson = false;
    int m_nJobs;
    std::optional<std::size_t> m_max;
    std::optional<std::size_t> m_allMax;
    std::vector<std::string> m_operands;
};
