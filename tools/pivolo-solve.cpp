// pivolo-solve: solves games read from standard input or from files, one a line ("t1 t2 t3
// t4 t5 t6 target"), or one game given as seven arguments, with the dialog's checks and
// solver, and writes each game's solution list, diagnostic lines and result as text. Games
// from the input are solved on every core, their text written in input order.

#include "CBatchGame.h"
#include "CGameLine.h"
#include "CLineReader.h"
#include "COrderedBatch.h"
#include "CProgressLine.h"
#include "StandardDescriptors.h"

#include <getopt.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
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

// A worker's stack: the search needs little, and many workers must fit in a limited
// address space.
constexpr std::size_t kWorkerStack = 1024 * 1024;

constexpr const char* kszUsage = "Usage: pivolo-solve [OPTION]... [FILE]...\n"
                                 "       pivolo-solve [OPTION]... [--] t1 t2 t3 t4 t5 t6 target\n";

constexpr const char* kszTry = "Try 'pivolo-solve --help' for more information.\n";

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
    "memory stays at a few megabytes whatever the input.\n"
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
    "Options:\n"
    "  -a, --all      write every distinct solution of the value each game reaches\n"
    "  -m, --max=N    with --all, write at most N solutions of each value (0 or more;\n"
    "                 the count still counts them all)\n"
    "  -j, --jobs=N   solve N games at once, from 1 to 1024 (by default, one per core)\n"
    "  -q, --quiet    show no progress line\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "When standard error is a terminal, a progress line there tells the share of the\n"
    "input done, games a second and the time left (from a pipe: the games done and\n"
    "games a second); it is erased at the end.\n"
    "\n"
    "Exit status:\n"
    "  0  every game was solved\n"
    "  1  some line was refused\n"
    "  2  an input could not be read, the output could not be written, memory ran out\n"
    "     or the command line is wrong; a message on standard error says which, except\n"
    "     when the program reading the output has gone away (a closed pipe): then\n"
    "     pivolo-solve stops quietly\n";

struct SOptions
{
    bool bHelp = false;
    bool bVersion = false;
    bool bQuiet = false;
    int nJobs = COrderedBatch::DefaultJobs();
    std::vector<std::string> operands;
    // The operands are a game's seven numbers.
    bool bGame = false;
    // With --all: how many solutions of each value to write.
    std::optional<std::size_t> allMax;
    std::optional<std::size_t> max;
};

// What a message on standard error must erase first.
CProgressLine* g_pProgress = nullptr;

void Message(const std::string& message)
{
    if (g_pProgress)
        g_pProgress->Erase();
    std::fprintf(stderr, "%s: %s\n", kszProgram, message.c_str());
}

// A wrong command line: the message, and where to learn more.
void Complain(const std::string& message)
{
    Message(message);
    std::fputs(kszTry, stderr);
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

// A negative number, which must reach the operands rather than be taken for options.
bool IsNegativeNumber(const char* pszArgument)
{
    return pszArgument[0] == '-' && CGameLine::ParseNumber(pszArgument).has_value();
}

// The argument is an option whose value is the next argument: -j or -m, a group of short
// options ending with one of them, or --jobs or --max (or an abbreviation) without "=".
bool TakesNextArgument(std::string_view argument)
{
    if (argument.size() > 2 && argument.substr(0, 2) == "--")
        return argument.find('=') == std::string_view::npos &&
               (std::string_view("--jobs").substr(0, argument.size()) == argument ||
                std::string_view("--max").substr(0, argument.size()) == argument);
    if (argument.size() < 2 || argument[0] != '-')
        return false;
    const std::size_t nValued = argument.find_first_of("jm", 1);
    return nValued == argument.size() - 1;
}

// The options and operands of the command line; false after a complaint.
bool ParseOptions(int argc, char** argv, SOptions& options)
{
    // getopt_long names the program by argv[0] in its messages, and takes "-1" for an
    // option: negative numbers are hidden from it behind stand-ins, found again among the
    // operands.
    std::vector<char*> args(argv, argv + argc);
    std::vector<std::string> standIns;
    standIns.reserve(static_cast<std::size_t>(argc));
    std::vector<std::pair<const char*, char*>> hidden;
    std::string program = kszProgram;
    args[0] = program.data();
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    {
        if (IsNegativeNumber(argv[i]) && !TakesNextArgument(argv[i - 1]))
        {
            standIns.emplace_back(std::string("N") + argv[i]);
            args[static_cast<std::size_t>(i)] = standIns.back().data();
            hidden.emplace_back(args[static_cast<std::size_t>(i)], argv[i]);
        }
    }
    args.push_back(nullptr);

    enum
    {
        kVersion = 256
    };
    static const option longOptions[] = {
        {"all", no_argument, nullptr, 'a'},
        {"max", required_argument, nullptr, 'm'},
        {"jobs", required_argument, nullptr, 'j'},
        {"quiet", no_argument, nullptr, 'q'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, kVersion},
        {nullptr, 0, nullptr, 0},
    };
    optind = 1;
    for (int nOption;
         (nOption = getopt_long(argc, args.data(), "ahj:m:q", longOptions, nullptr)) != -1;)
    {
        switch (nOption)
        {
        case 'h':
            options.bHelp = true;
            break;
        case kVersion:
            options.bVersion = true;
            break;
        case 'q':
            options.bQuiet = true;
            break;
        case 'a':
            options.allMax = std::numeric_limits<std::size_t>::max();
            break;
        case 'm':
            if (!ParseMax(optarg, options.max))
                return false;
            break;
        case 'j':
            if (!ParseJobs(optarg, options.nJobs))
                return false;
            break;
        default:
            // getopt_long has said what is wrong.
            std::fputs(kszTry, stderr);
            return false;
        }
    }
    for (int i = optind; i < argc; ++i)
    {
        const char* pszOperand = args[static_cast<std::size_t>(i)];
        for (const auto& [pszStandIn, pszOriginal] : hidden)
        {
            if (pszOperand == pszStandIn)
                pszOperand = pszOriginal;
        }
        options.operands.emplace_back(pszOperand);
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
    if (options.bHelp || options.bVersion || options.operands.empty())
        return true;
    const bool bAllNumbers = std::all_of(options.operands.begin(), options.operands.end(),
                                         [](const std::string& operand)
                                         { return CGameLine::ParseNumber(operand).has_value(); });
    if (bAllNumbers && options.operands.size() != CGameLine::nNumbers)
    {
        Complain("expected seven numbers (six tiles and a target), or files of games");
        return false;
    }
    options.bGame = bAllNumbers;
    return true;
}

// Why the output could not be written (errno), or 0.
int g_nWriteError = 0;

// Writes the text to standard output at once. A failed write is remembered for the end:
// the writing thread may be a worker.
bool Write(std::string_view text)
{
    while (!text.empty())
    {
        const ssize_t nWritten = write(STDOUT_FILENO, text.data(), text.size());
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
        {
            g_nWriteError = nWritten < 0 ? errno : EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    return true;
}

// Says why the output failed; nothing when the reader has gone away, as nobody is left
// to read it.
int WriteFailure()
{
    if (g_nWriteError != EPIPE)
        Message(std::string("cannot write the output: ") + std::strerror(g_nWriteError));
    return kFailure;
}

// The text that stands for a line too long, which the reader does not keep: no line read
// is as long.
const std::string& TooLongLine()
{
    static const std::string line(CLineReader::nMaxLine + 1, ' ');
    return line;
}

// One line of input: nothing for a line to skip, else the game's lines or the line's error.
// False when the line or its game was refused.
bool SolveLine(long nLine, std::string_view text, std::string& output,
               std::optional<std::size_t> allMax)
{
    if (text.size() > CLineReader::nMaxLine)
    {
        output.append("error: line " + std::to_string(nLine) + ": line too long\n");
        return false;
    }
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

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text of a line's first six words, the tiles of a game: lines with the same tiles go
// to the same worker, which keeps their tables.
std::string_view TilesOf(std::string_view line)
{
    std::size_t i = 0;
    for (int nWord = 0; nWord < 6; ++nWord)
    {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
    }
    return line.substr(0, i);
}

// A line that the progress counts as a game: neither blank nor a comment.
bool CountsAsGame(std::string_view line)
{
    for (const char c : line)
    {
        if (!IsBlank(c))
            return c != '#';
    }
    return false;
}

// Workers take little address space: small stacks rather than the 8 MB of the main
// thread's limit, so that many of them start under a limit on the address space. (Their
// malloc arenas, 64 MB of address space each, need no limit: where one cannot be made,
// malloc shares another.)
void MakeWorkersCheap()
{
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) == 0)
    {
        if (pthread_attr_setstacksize(&attributes, kWorkerStack) == 0)
            pthread_setattr_default_np(&attributes);
        pthread_attr_destroy(&attributes);
    }
}

// Every line of the inputs, nJobs games at once, written in input order.
int SolveInput(const SOptions& options)
{
    CLineReader reader(options.operands);
    std::unique_ptr<CProgressLine> progress;
    if (!options.bQuiet && isatty(STDERR_FILENO))
    {
        progress =
            std::make_unique<CProgressLine>(reader.TotalBytes(), [](std::string_view text)
                                            { std::fwrite(text.data(), 1, text.size(), stderr); });
    }
    g_pProgress = progress.get();
    struct SForget
    {
        ~SForget() { g_pProgress = nullptr; }
    } forget;

    if (options.nJobs > 1)
        MakeWorkersCheap();
    COrderedBatch batch(
        options.nJobs,
        [allMax = options.allMax](const std::string& line, long nLine)
        {
            COrderedBatch::Result result;
            // A game's lines at once, rather than one allocation per doubling.
            result.text.reserve(256);
            result.bRefused = !SolveLine(nLine, line, result.text, allMax);
            return result;
        },
        Write);
    if (batch.Jobs() < options.nJobs)
    {
        Message("started only " + std::to_string(batch.Jobs()) + " of " +
                std::to_string(options.nJobs) + " jobs");
    }
    // What is solved reaches the output while the input keeps the program waiting.
    reader.OnStall([&batch] { batch.Flush(); });

    std::string previousTiles;
    std::uint64_t nGames = 0;
    CLineReader::EStatus status = CLineReader::EStatus::Line;
    for (std::string_view line; (status = reader.Next(line)) != CLineReader::EStatus::End &&
                                status != CLineReader::EStatus::Error;)
    {
        bool bSubmitted = false;
        if (status == CLineReader::EStatus::TooLong)
        {
            previousTiles.clear();
            bSubmitted = batch.Submit(TooLongLine(), reader.LineNumber());
            // Skipping the rest may take long (an endless line): the refusal is written now.
            batch.Flush();
            ++nGames;
        }
        else
        {
            const std::string_view tiles = TilesOf(line);
            const bool bSameTiles = !tiles.empty() && tiles == previousTiles;
            if (!bSameTiles)
                previousTiles.assign(tiles);
            bSubmitted = batch.Submit(line, reader.LineNumber(), bSameTiles);
            nGames += CountsAsGame(line) ? 1 : 0;
        }
        if (!bSubmitted)
            break;
        if (progress)
            progress->Update(reader.BytesRead(), nGames);
    }
    batch.Finish();
    if (progress)
        progress->Erase();
    if (batch.WriteFailed())
        return WriteFailure();
    if (status == CLineReader::EStatus::Error)
    {
        Message("cannot read " + reader.ErrorName() + ": " + std::strerror(reader.Error()));
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
        return WriteFailure();
    return bSolved ? kAllSolved : kSomeRefused;
}

int Run(int argc, char** argv)
{
    SOptions options;
    if (!ParseOptions(argc, argv, options))
        return kFailure;
    if (options.bHelp)
        return Write(std::string(kszUsage) + "\n" + kszHelp) ? kAllSolved : WriteFailure();
    if (options.bVersion)
        return Write(std::string(kszProgram) + " " PIVOLO_VERSION "\n") ? kAllSolved
                                                                        : WriteFailure();
    if (options.bGame)
        return SolveArguments(options.operands, options.allMax);
    return SolveInput(options);
}
} // namespace

int main(int argc, char** argv)
{
    // Before anything is opened: a closed descriptor 0, 1 or 2 must not be taken by a file
    // that would then receive the output or the messages. When one cannot be opened again,
    // nothing is safe to write.
    if (!OpenStandardDescriptors())
        return kFailure;
    // A reader that goes away makes the write fail with EPIPE, which ends the program with
    // its status rather than by the signal.
    std::signal(SIGPIPE, SIG_IGN);
    try
    {
        return Run(argc, argv);
    }
    catch (const std::bad_alloc&)
    {
        Message("out of memory");
        return kFailure;
    }
}
