#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A command line read as GNU tools read theirs (getopt_long): short options alone or grouped
// (-qj2), long ones abbreviated while unambiguous, a value in the same argument or the next
// (-j2, -j 2, --jobs=2, --jobs 2), options among the operands, "--" to end them. Every
// wrong command line gets one style of complaint on standard error, the same for every
// tool: "PROGRAM: what is wrong", then "Try 'PROGRAM --help' for more information.".
class CCommandLine
{
public:
    struct SOption
    {
        const char* pszLong;
        // 0 for a long option alone.
        char cShort;
        bool bValue;
    };
    // Called for each option in turn, with its place in the table and its value; false
    // after it has complained (CConsole::Complain).
    using OnOption = std::function<bool(std::size_t nOption, const std::string& value)>;

    enum class ENegativeNumbers
    {
        // "-1" is read as options (and refused).
        AreOptions,
        // "-1" is an operand wherever it stands, except as the value of an option.
        AreOperands,
    };

    CCommandLine(std::vector<SOption> options, ENegativeNumbers negatives);

    // Reads the arguments after argv[0]; false after a complaint.
    bool Read(int argc, char** argv, const OnOption& onOption);
    const std::vector<std::string>& Operands() const { return m_operands; }

private:
    // The options whose long name starts with the word (the one named exactly, if any).
    std::vector<std::size_t> LongMatches(std::string_view name) const;
    // Whether the argument is an option whose value is the next argument.
    bool TakesNextArgument(std::string_view argument) const;
    void ComplainOfOption(std::string_view argument, int nOptopt, bool bMissingValue) const;

    std::vector<SOption> m_options;
    ENegativeNumbers m_negatives;
    std::vector<std::string> m_operands;
};
