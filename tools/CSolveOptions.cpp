#include "CSolveOptions.h"

#include "CCommandLine.h"
#include "CConsole.h"
#include "CGameLine.h"
#include "COrderedBatch.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr const char* kszUsage =
    "Usage: pivolo-solve [OPTION]... [FILE]...\n"
    "       pivolo-solve [OPTION]... [--] t1 t2 t3 t4 t5 t6 target\n"
    "       pivolo-solve --check [OPTION]... [FILE]...\n"
    "       pivolo-solve --check [OPTION]... [--] ANSWER t1 t2 t3 t4 t5 t6 target\n";

constexpr const char* kszHelp =
    "Solves pivolo games with the checks and the search of the game's dialog.\n"
    "\n"
    "Games are read from the files in turn, as one input, or from standard input when\n"
    "there is none or for a file named -. One game a line: six tiles and a target, as\n"
    "decimal integers separated by blanks. A tile is 1 to 10, 25, 50, 75 or 100, each\n"
    "value at most twice; the target is 0 to 999. Lines of blanks and lines whose first\n"
    "character other than a blank is # are skipped. Seven arguments that are all\n"
    "integers are one game, solved as such a line (write ./7 for a file named 7).\n"
    "\n"
    "Several games are solved at once, one per core, handed to the workers in blocks\n"
    "of lines; the output is written in input order, block by block, and whatever is\n"
    "solved is written whenever the input makes the program wait. A line may hold at\n"
    "most 4096 bytes: a longer one is refused and skipped without being kept, so that\n"
    "memory stays bounded whatever the input: a few megabytes, and about a fifth of a\n"
    "megabyte more for each job.\n"
    "\n"
    "For each game, the output has the lines:\n"
    "  game: t1 t2 t3 t4 t5 t6 target   the game as read\n"
    "  list: STEP                       the solution list, the last step first\n"
    "  stdout: Sol : N                  the search's diagnostic line, if any\n"
    "  result: R reached: N             R is 1 when N is the target, else 0\n"
    "or, for a game that the dialog refuses, \"game:\" and then \"error: MESSAGE\".\n"
    "A line that is not a game, or too long, gives\n"
    "  error: line N: expected seven integers\n"
    "  error: line N: line too long\n"
    "where N counts the lines of all the files together, from 1.\n"
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
    "With --check, each line holds a game, a colon and a player's answer to judge:\n"
    "  t1 t2 t3 t4 t5 t6 target : ANSWER\n"
    "An answer is an expression, (100 - 4) x 4 + 3, or steps each with its result,\n"
    "separated by ; or , as in 100 - 4 = 96; 96 x 4 = 384; 384 + 3 = 387. x, X, * and\n"
    "\u00d7 multiply; /, : and \u00f7 divide. Each tile may be used as often as drawn, each\n"
    "result once; no step may be negative or inexact. The game is checked as the dialog\n"
    "checks it, then the answer judged, with the lines:\n"
    "  game: t1 t2 t3 t4 t5 t6 target   the game as read\n"
    "  answer: ANSWER                   the answer as read, its line ends shown as ;\n"
    "  valid: yes|no\n"
    "  fault: step S position P: TEXT   each fault of an answer that is not valid\n"
    "  value: V distance: D best: B     for a valid one: its value, how far from the\n"
    "                                   target, whether the tiles make nothing nearer\n"
    "  nearest: N SIDE                  when not best: the target, or the nearest\n"
    "                                   values the tiles make above and below it\n"
    "  reordered: STEPS                 the order in which its steps are legal, when\n"
    "                                   it is written in an order that is not\n"
    "  left-out: step S position P: TEXT  a step that changes nothing, a detour or a\n"
    "                                   step whose result is not used\n"
    "  solutions: C                     then the distinct solution the answer is, as\n"
    "  solution: K steps: S largest: L  --all writes the K-th of the C solutions of\n"
    "  step: STEP                       its value\n"
    "  expression: EXPR = V\n"
    "Positions count the characters of the answer from 1. A wrong answer is judged, not\n"
    "refused.\n"
    "\n"
    "With --json, each line of input that is not skipped gives one JSON object on a line\n"
    "of its own instead, with the same content (the manual page gives its keys); a\n"
    "refused line gives an object with \"error\".\n"
    "\n"
    "Options:\n"
    "  -a, --all      write every distinct solution of the value each game reaches\n"
    "  -m, --max=N    with --all, write at most N solutions of each value, N from 0\n"
    "                 to 2147483646 (the count still counts them all)\n"
    "  -c, --check    judge the answer that each line gives after its game\n"
    "      --json     write JSON Lines rather than text\n"
    "  -j, --jobs=N   solve N games at once, from 1 to 1024 (by default, one per core)\n"
    "  -q, --quiet    show no progress line\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "When standard error is a terminal, a progress line there tells the share of the\n"
    "input solved and written, games a second and the time left (from a pipe: the games\n"
    "solved and games a second); it is erased before any output to the same terminal,\n"
    "at the end, and when SIGINT, SIGTERM or SIGHUP ends the program.\n"
    "\n"
    "Exit status:\n"
    "  0  every game was solved (with --check: every answer judged, right or wrong)\n"
    "  1  some line was refused\n"
    "  2  an input could not be read, the output could not be written, memory ran out\n"
    "     or the command line is wrong; a message on standard error says which, except\n"
    "     when the program reading the output has gone away (a closed pipe): then\n"
    "     pivolo-solve stops quietly\n";

// The options, in the order of the table below.
enum EOption : std::size_t
{
    kAll,
    kMax,
    kCheck,
    kJson,
    kJobs,
    kQuiet,
    kHelp,
    kVersion,
};

// A whole decimal number without a sign, from 0 to nMost.
std::optional<int> ReadCount(const std::string& text, int nMost)
{
    const std::optional<int> value = CGameLine::ParseNumber(text);
    if (!value || *value < 0 || *value > nMost || text[0] == '+' || text[0] == '-')
        return std::nullopt;
    return value;
}
} // namespace

CSolveOptions::CSolveOptions() : m_nJobs(COrderedBatch::DefaultJobs()) {}

const char* CSolveOptions::Usage()
{
    return kszUsage;
}

const char* CSolveOptions::Help()
{
    return kszHelp;
}

bool CSolveOptions::TakeOption(std::size_t nOption, const std::string& value)
{
    switch (nOption)
    {
    case kAll:
        m_bAll = true;
        return true;
    case kMax:
    {
        constexpr int nMost = std::numeric_limits<int>::max() - 1;
        const std::optional<int> max = ReadCount(value, nMost);
        if (!max)
        {
            CConsole::Complain("the most solutions to write must be a number from 0 to " +
                               std::to_string(nMost) + ", not '" + value + "'");
            return false;
        }
        m_max = static_cast<std::size_t>(*max);
        return true;
    }
    case kJobs:
    {
        const std::optional<int> jobs = ReadCount(value, kMaxJobs);
        if (!jobs || *jobs < 1)
        {
            CConsole::Complain("the number of jobs must be from 1 to " + std::to_string(kMaxJobs) +
                               ", not '" + value + "'");
            return false;
        }
        m_nJobs = *jobs;
        return true;
    }
    case kCheck:
        m_bCheck = true;
        return true;
    case kJson:
        m_bJson = true;
        return true;
    case kQuiet:
        m_bQuiet = true;
        return true;
    case kHelp:
        m_bHelp = true;
        return true;
    case kVersion:
        m_bVersion = true;
        return true;
    }
    return false;
}

bool CSolveOptions::Read(int argc, char** argv)
{
    CCommandLine commandLine(
        {
            {"all", 'a', false},
            {"max", 'm', true},
            {"check", 'c', false},
            {"json", 0, false},
            {"jobs", 'j', true},
            {"quiet", 'q', false},
            {"help", 'h', false},
            {"version", 0, false},
        },
        CCommandLine::ENegativeNumbers::AreOperands);
    if (!commandLine.Read(argc, argv,
                          [this](std::size_t nOption, const std::string& value)
                          { return TakeOption(nOption, value); }))
        return false;
    m_operands = commandLine.Operands();
    return ChooseMode();
}

bool CSolveOptions::ChooseMode()
{
    if (m_max && !m_bAll)
    {
        CConsole::Complain("option '--max' goes with '--all'");
        return false;
    }
    if (m_bAll && m_bCheck)
    {
        CConsole::Complain("option '--all' does not go with '--check'");
        return false;
    }
    if (m_bAll)
        m_allMax = m_max ? *m_max : std::numeric_limits<std::size_t>::max();
    if (m_bHelp || m_bVersion)
    {
        m_mode = m_bHelp ? EMode::Help : EMode::Version;
        return true;
    }
    auto areNumbers = [](auto first, auto last)
    {
        return first != last && std::all_of(first, last,
                                            [](const std::string& operand) {
                                                return CGameLine::ParseNumber(operand).has_value();
                                            });
    };
    const bool bAllNumbers = areNumbers(m_operands.begin(), m_operands.end());
    if (m_bCheck)
    {
        // An answer and seven numbers are one answer to judge, whatever the answer holds.
        const bool bOneAnswer = m_operands.size() == CGameLine::nNumbers + 1 &&
                                areNumbers(m_operands.begin() + 1, m_operands.end());
        if (bAllNumbers && !bOneAnswer)
        {
            CConsole::Complain("expected an answer and seven numbers (six tiles and a target), "
                               "or files of answers");
            return false;
        }
        m_mode = bOneAnswer ? EMode::Game : EMode::Input;
        return true;
    }
    if (bAllNumbers && m_operands.size() != CGameLine::nNumbers)
    {
        CConsole::Complain("expected seven numbers (six tiles and a target), or files of games");
        return false;
    }
    m_mode = bAllNumbers ? EMode::Game : EMode::Input;
    return true;
}
