// pivolo-solve: solves games read from standard input, one a line ("t1 t2 t3 t4 t5 t6
// target"), or one game given as seven arguments, with the dialog's checks and solver, and
// writes each game's solution list, diagnostic lines and result as text. Games from the
// input are solved on every core, their text written in input order.

#include "CBatchGame.h"
#include "CGameLine.h"
#include "COrderedBatch.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace
{
constexpr const char* kszProgram = "pivolo-solve";

// Exit statuses.
constexpr int kAllSolved = 0;
constexpr int kSomeRefused = 1;
constexpr int kFailure = 2;

// The most games solved at once.
constexpr int kMaxJobs = 1024;

constexpr const char* kszUsage = "Usage: pivolo-solve [t1 t2 t3 t4 t5 t6 target]\n"
                                 "       pivolo-solve [--jobs N] < games\n"
                                 "       pivolo-solve --all [--max N] [OPTION]... [GAME]\n"
                                 "       pivolo-solve --help | --version\n";

constexpr const char* kszHelp =
    "Solves pivolo games with the checks and the search of the game's dialog.\n"
    "\n"
    "Without arguments, games are read from standard input, one a line: six tiles and\n"
    "a target, as decimal integers separated by blanks. A tile is 1 to 10, 25, 50, 75\n"
    "or 100, each value at most twice; the target is 0 to 999. Lines of blanks and\n"
    "lines whose first character other than a blank is # are skipped. With seven\n"
    "arguments, they are solved as one such line.\n"
    "\n"
    "Several games of the input are solved at once, one per core; each game's lines\n"
    "are written in input order, as soon as it and every game before it are solved.\n"
    "\n"
    "For each game, the output has the lines:\n"
    "  game: t1 t2 t3 t4 t5 t6 target   the game as read\n"
    "  list: STEP                       the solution list, the last step first\n"
    "  stdout: Sol : N                  the search's diagnostic line, if any\n"
    "  result: R reached: N             R is 1 when N is the target, else 0\n"
    "or, for a game that the dialog refuses, \"game:\" and then \"error: MESSAGE\".\n"
    "A line that does not hold seven integers gives\n"
    "  error: line N: expected seven integers\n"
    "\n"
    "With --all, each solved game's lines are followed by every distinct solution of\n"
    "the value reached: the target, or else the nearest value above it and the nearest\n"
    "below it that some of the tiles make (a side no value reaches is left out):\n"
    "  value: N SIDE                    SIDE is \"target\", or \"above\" or \"below\",\n"
    "                                   then \"reached\" for the one the dialog shows\n"
    "  solutions: C                     how many distinct solutions N has\n"
    "  solution: K steps: S largest: L  the K-th, simplest first: fewest steps, then\n"
    "                                   the smallest largest step result L\n"
    "  step: STEP                       its steps, the first step first\n"
    "  expression: EXPR = N             the same in ordinary notation\n"
    "A tile equal to the value is a solution of no step (\"expression: 6 = 6\").\n"
    "Ways that differ only in the order of + or x, the grouping of a chain of + and -\n"
    "or of x and /, or which of two equal tiles is used are one solution; so are ways\n"
    "with steps that change nothing or detours (+ 5 - 5) and the ways without them.\n"
    "\n"
    "Options:\n"
    "  -a, --all      write every distinct solution of the value each game reaches\n"
    "      --max N    with --all, write at most N solutions of each value (0 or more;\n"
    "                 the count still counts them all)\n"
    "  -j, --jobs N   solve N games at once, from 1 to 1024 (by default, one per core)\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  every game was solved\n"
    "  1  some line was refused\n"
    "  2  the input could not be read, the output could not be written, or the\n"
    "     command line is wrong\n";

struct SOptions
{
    bool bHelp = false;
    bool bVersion = false;
    int nJobs = COrderedBatch::DefaultJobs();
    // With --all: how many solutions of each value to write.
    std::optional<std::size_t> allMax;
    std::optional<std::size_t> max;
    // The game's numbers, when given as arguments.
    std::vector<std::string> numbers;
};

// A number may begin with a minus sign; it is not an option.
bool IsOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-' &&
           !CGameLine::ParseNumber(argument).has_value();
}

void Complain(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n%s", kszProgram, message.c_str(), kszUsage);
}

// The number of jobs: its whole text, from 1 to kMaxJobs; false after a complaint.
bool ParseJobs(const std::string& text, int& nJobs)
{
    const std::optional<int> value = CGameLine::ParseNumber(text);
    if (!value || *value < 1 || *value > kMaxJobs || text[0] == '+' || text[0] == '-')
    {
        Complain("the number of jobs must be from 1 to " + std::to_string(kMaxJobs) + ", not '" +
                 text + "'");
        return false;
    }
    nJobs = *value;
    return true;
}

// The most solutions of a value to write: its whole text, 0 or more; false after a complaint.
bool ParseMax(const std::string& text, std::optional<std::size_t>& max)
{
    const std::optional<int> value = CGameLine::ParseNumber(text);
    if (!value || *value < 0 || *value == std::numeric_limits<int>::max() || text[0] == '+' ||
        text[0] == '-')
    {
        Complain("the most solutions to write must be a number from 0 to " +
                 std::to_string(std::numeric_limits<int>::max() - 1) + ", not '" + text + "'");
        return false;
    }
    max = static_cast<std::size_t>(*value);
    return true;
}

// The options and arguments of the command line; false after a complaint.
bool ParseOptions(int argc, char** argv, SOptions& options)
{
    bool bOptionsEnded = false;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (bOptionsEnded || !IsOption(argument))
            options.numbers.push_back(argument);
        else if (argument == "--")
            bOptionsEnded = true;
        else if (argument == "--help" || argument == "-h")
            options.bHelp = true;
        else if (argument == "--version")
            options.bVersion = true;
        else if (argument == "--jobs" || argument == "-j")
        {
            if (++i == argc)
            {
                Complain("option '" + argument + "' needs a number");
                return false;
            }
            if (!ParseJobs(argv[i], options.nJobs))
                return false;
        }
        else if (argument == "--all" || argument == "-a")
            options.allMax = std::numeric_limits<std::size_t>::max();
        else if (argument == "--max")
        {
            if (++i == argc)
            {
                Complain("option '" + argument + "' needs a number");
                return false;
            }
            if (!ParseMax(argv[i], options.max))
                return false;
        }
        else if (argument.rfind("--max=", 0) == 0)
        {
            if (!ParseMax(argument.substr(6), options.max))
                return false;
        }
        else if (argument.rfind("--jobs=", 0) == 0)
        {
            if (!ParseJobs(argument.substr(7), options.nJobs))
                return false;
        }
        else
        {
            Complain("unknown option '" + argument + "'");
            return false;
        }
    }
    if (options.max)
    {
        if (!options.allMax)
        {
            Complain("option '--max' goes with '--all'");
            return false;
        }
        options.allMax = options.max;
    }
    if (options.bHelp || options.bVersion || options.numbers.empty())
        return true;
    if (options.numbers.size() != CGameLine::nNumbers)
    {
        Complain("expected seven numbers (six tiles and a target) or none");
        return false;
    }
    for (const std::string& number : options.numbers)
    {
        if (!CGameLine::ParseNumber(number))
        {
            Complain("'" + number + "' is not an integer");
            return false;
        }
    }
    return true;
}

// Writes the text to standard output at once. A failed write is reported, except when the
// reader has gone away (a pipe closed early), which ends the program quietly.
bool Write(std::string_view text)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
        return true;
    const int nError = errno;
    if (nError != EPIPE)
        std::fprintf(stderr, "%s: cannot write the output: %s\n", kszProgram,
                     std::strerror(nError));
    return false;
}

// One line of input: nothing for a line to skip, else the game's lines or the line's error.
// False when the line or its game was refused.
bool SolveLine(long nLine, std::string_view text, std::string& output,
               std::optional<std::size_t> allMax)
{
    const CGameLine line(text);
    switch (line.Kind())
    {
    case CGameLine::EKind::Skipped:
        return true;
    case CGameLine::EKind::Malformed:
        output.append("error: line " + std::to_string(nLine) + ": expected seven integers\n");
        return false;
    case CGameLine::EKind::Game:
        break;
    }
    return CBatchGame(line).Play(output, allMax);
}

// Every line of standard input, nJobs games at once, each game's lines written in input
// order as soon as it and every game before it are solved.
int SolveInput(int nJobs, std::optional<std::size_t> allMax)
{
    COrderedBatch batch(
        nJobs,
        [allMax](const std::string& line, long nLine)
        {
            COrderedBatch::Result result;
            result.bRefused = !SolveLine(nLine, line, result.text, allMax);
            return result;
        },
        Write);
    char* pszLine = nullptr;
    std::size_t nCapacity = 0;
    long nLine = 0;
    ssize_t nLength = 0;
    // C input: unlike iostreams, it tells a read error (a directory, a broken device) from
    // the end of the input, and it keeps the NUL bytes of a line.
    while ((nLength = getline(&pszLine, &nCapacity, stdin)) >= 0)
    {
        std::string_view text(pszLine, static_cast<std::size_t>(nLength));
        if (++nLine == 1)
            text = CGameLine::SkipByteOrderMark(text);
        if (!batch.Submit(std::string(text), nLine))
            break;
    }
    const int nError = errno;
    std::free(pszLine);
    batch.Finish();
    if (batch.WriteFailed())
        return kFailure;
    if (std::ferror(stdin))
    {
        std::fprintf(stderr, "%s: cannot read the input: %s\n", kszProgram, std::strerror(nError));
        return kFailure;
    }
    return batch.AnyRefused() ? kSomeRefused : kAllSolved;
}

// The game given as arguments, each a number, read as one line of input.
int SolveArguments(const std::vector<std::string>& numbers, std::optional<std::size_t> allMax)
{
    std::string text;
    for (const std::string& number : numbers)
        text.append(number).push_back(' ');
    std::string output;
    const bool bSolved = SolveLine(1, text, output, allMax);
    if (!Write(output))
        return kFailure;
    return bSolved ? kAllSolved : kSomeRefused;
}
} // namespace

int main(int argc, char** argv)
{
    SOptions options;
    if (!ParseOptions(argc, argv, options))
        return kFailure;
    if (options.bHelp)
        return Write(std::string(kszUsage) + kszHelp) ? kAllSolved : kFailure;
    if (options.bVersion)
        return Write(std::string(kszProgram) + " " PIVOLO_VERSION "\n") ? kAllSolved : kFailure;
    if (!options.numbers.empty())
        return SolveArguments(options.numbers, options.allMax);
    return SolveInput(options.nJobs, options.allMax);
}
