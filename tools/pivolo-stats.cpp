// pivolo-stats: every game of a tile set, every draw of six tiles with every target of a
// range, solved as the dialog solves them, and reported: a table of how far games end from
// their targets by number of large tiles, the hardest and easiest targets, the best and
// worst draws; optionally CSV files and a picture.

#include "CDrawTally.h"
#include "COutputFile.h"
#include "CProgressBar.h"
#include "CStatsCsv.h"
#include "CStatsPlot.h"
#include "CStatsReport.h"
#include "CTileSet.h"
#include "StandardDescriptors.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
constexpr const char* kszProgram = "pivolo-stats";

// Exit statuses.
constexpr int kSuccess = 0;
constexpr int kFailure = 2;

constexpr int kMaxJobs = 1024;

constexpr const char* kszUsage =
    "Usage: pivolo-stats [--set 28|24] [--targets A-B] [--csv DIR] [--plot FILE]\n"
    "                    [--jobs N] [--quiet] [--draw 'T1 ... T6']... [--games]\n"
    "       pivolo-stats --help | --version\n";

constexpr const char* kszHelp =
    "Solves every game of a tile set, as the game's dialog solves each one, and reports\n"
    "how often the target is reached and how far off the others end.\n"
    "\n"
    "A draw is six tiles of the set, counted as a multiset: equal tiles make one draw,\n"
    "whichever copies were drawn. The 28-tile set (1 to 10, 25, 50, 75 and 100, two of\n"
    "each) allows 19,383 draws; the 24-tile set (the large tiles once each) 13,243.\n"
    "Each game is a draw and a target; it ends on the target, or on the nearest value\n"
    "the tiles make, the one above at equal distance.\n"
    "\n"
    "Options:\n"
    "  -s, --set N          the tile set: 28 (by default) or 24\n"
    "  -t, --targets A-B    the targets from A to B, 0 <= A <= B <= 999, or one target A\n"
    "                       (by default 100-999, the targets of a random draw)\n"
    "  -c, --csv DIR        also write targets.csv, draws.csv and categories.csv into DIR,\n"
    "                       made if it does not exist\n"
    "  -p, --plot FILE      also draw a picture, PNG or SVG by the name's extension: the\n"
    "                       share of draws that reach each target, and how far off the\n"
    "                       games end, by number of large tiles\n"
    "  -j, --jobs N         work on N draws at once, 1 to 1024 (by default, one per core)\n"
    "  -q, --quiet          show no progress bar\n"
    "  -d, --draw TILES     only this draw: six tiles of the set in one argument; may be\n"
    "                       repeated\n"
    "  -g, --games          instead of the report, write one line a game:\n"
    "                       t1 t2 t3 t4 t5 t6 target reached\n"
    "  -h, --help           show this help and exit\n"
    "      --version        show the version and exit\n"
    "\n"
    "The report goes to standard output. While it works, a bar on standard error shows\n"
    "the share done and the time left, when standard error is a terminal.\n"
    "\n"
    "Exit status:\n"
    "  0  the report and every file asked for were written\n"
    "  2  the command line is wrong, or the output, the CSV files or the picture could\n"
    "     not be written\n";

struct SOptions
{
    bool bHelp = false;
    bool bVersion = false;
    CTileSet::EKind set = CTileSet::EKind::Full;
    int nFirstTarget = 100;
    int nLastTarget = 999;
    int nJobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    std::string csv;
    std::string plot;
    bool bQuiet = false;
    bool bGames = false;
    std::vector<CTileSet::Draw> draws;
};

void Complain(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n%s", kszProgram, message.c_str(), kszUsage);
}

// A whole decimal number without a sign, from nLeast to nMost.
std::optional<int> ParseCount(std::string_view text, int nLeast, int nMost)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int nValue = std::atoi(std::string(text).c_str());
    if (nValue < nLeast || nValue > nMost)
        return std::nullopt;
    return nValue;
}

// "A-B" or "A".
bool ParseTargets(std::string_view text, SOptions& options)
{
    const std::size_t nDash = text.find('-');
    const std::optional<int> first = ParseCount(text.substr(0, nDash), 0, 999);
    const std::optional<int> last =
        nDash == std::string_view::npos ? first : ParseCount(text.substr(nDash + 1), 0, 999);
    if (!first || !last || *first > *last)
    {
        Complain("the targets must be A-B with 0 <= A <= B <= 999, not '" + std::string(text) +
                 "'");
        return false;
    }
    options.nFirstTarget = *first;
    options.nLastTarget = *last;
    return true;
}

// Six tiles separated by blanks or commas, allowed by the set.
bool ParseDraw(std::string_view text, const CTileSet& set, SOptions& options)
{
    std::vector<std::int32_t> tiles;
    std::string word;
    auto take = [&]
    {
        if (word.empty())
            return true;
        const std::optional<int> tile = ParseCount(word, 1, 100);
        word.clear();
        if (!tile)
            return false;
        tiles.push_back(*tile);
        return true;
    };
    bool bValid = true;
    for (char c : text)
    {
        if (c == ' ' || c == '\t' || c == ',')
            bValid = take() && bValid;
        else
            word.push_back(c);
    }
    bValid = take() && bValid;
    CTileSet::Draw draw{};
    if (bValid && tiles.size() == draw.size())
    {
        std::copy(tiles.begin(), tiles.end(), draw.begin());
        std::sort(draw.begin(), draw.end());
        if (set.Allows(draw))
        {
            options.draws.push_back(draw);
            return true;
        }
    }
    Complain("'" + std::string(text) + "' is not a draw of six tiles of the " +
             std::to_string(set.Size()) + "-tile set");
    return false;
}

bool HasExtension(const std::string& path, std::string_view extension)
{
    if (path.size() <= extension.size())
        return false;
    const std::string tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), extension.end(),
                      [](char a, char b)
                      { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

enum ELongOnly
{
    kVersion = 256,
};

// The options of the command line; false after a complaint.
bool ParseOptions(int argc, char** argv, SOptions& options)
{
    static const option kaOptions[] = {
        {"set", required_argument, nullptr, 's'},
        {"targets", required_argument, nullptr, 't'},
        {"csv", required_argument, nullptr, 'c'},
        {"plot", required_argument, nullptr, 'p'},
        {"jobs", required_argument, nullptr, 'j'},
        {"quiet", no_argument, nullptr, 'q'},
        {"draw", required_argument, nullptr, 'd'},
        {"games", no_argument, nullptr, 'g'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, kVersion},
        {nullptr, 0, nullptr, 0},
    };
    // Draws are checked against the set once the whole command line is read.
    std::vector<std::string> drawTexts;
    opterr = 0;
    int nOption = 0;
    while ((nOption = getopt_long(argc, argv, "+:s:t:c:p:j:qd:gh", kaOptions, nullptr)) != -1)
    {
        const std::string argument = optarg ? optarg : "";
        switch (nOption)
        {
        case 's':
            if (argument == "28")
                options.set = CTileSet::EKind::Full;
            else if (argument == "24")
                options.set = CTileSet::EKind::LargeOnce;
            else
            {
                Complain("the set must be 28 or 24, not '" + argument + "'");
                return false;
            }
            break;
        case 't':
            if (!ParseTargets(argument, options))
                return false;
            break;
        case 'c':
            options.csv = argument;
            break;
        case 'p':
            if (!HasExtension(argument, ".png") && !HasExtension(argument, ".svg"))
            {
                Complain("the picture's name must end in .png or .svg: '" + argument + "'");
                return false;
            }
            options.plot = argument;
            break;
        case 'j':
            if (const std::optional<int> nJobs = ParseCount(argument, 1, kMaxJobs))
                options.nJobs = *nJobs;
            else
            {
                Complain("the number of jobs must be from 1 to " + std::to_string(kMaxJobs) +
                         ", not '" + argument + "'");
                return false;
            }
            break;
        case 'q':
            options.bQuiet = true;
            break;
        case 'd':
            drawTexts.push_back(argument);
            break;
        case 'g':
            options.bGames = true;
            break;
        case 'h':
            options.bHelp = true;
            break;
        case kVersion:
            options.bVersion = true;
            break;
        case ':':
            Complain("option '" + std::string(argv[optind - 1]) + "' needs a value");
            return false;
        default:
        {
            // An unknown short option is named by optopt; a long one, or one given a value
            // it does not take, by its word.
            const std::string word = argv[optind - 1];
            const std::string name = optopt != 0 && word.rfind("--", 0) != 0
                                         ? std::string("-") + static_cast<char>(optopt)
                                         : word;
            Complain("unknown or ambiguous option '" + name + "'");
            return false;
        }
        }
    }
    if (optind < argc)
    {
        Complain("unexpected argument '" + std::string(argv[optind]) + "'");
        return false;
    }
    const CTileSet set(options.set);
    for (const std::string& text : drawTexts)
    {
        if (!ParseDraw(text, set, options))
            return false;
    }
    return true;
}

// Writes the text to standard output. A failed write is reported, except when the reader
// has gone away (a pipe closed early), which ends the program quietly.
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

// Makes the folder for the CSV files unless it exists; false after a complaint.
bool MakeFolder(const std::string& folder)
{
    struct stat status
    {
    };
    if (mkdir(folder.c_str(), 0777) == 0 ||
        (errno == EEXIST && stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)))
        return true;
    const int nError = errno == EEXIST ? ENOTDIR : errno;
    std::fprintf(stderr, "%s: cannot make the folder %s: %s\n", kszProgram, folder.c_str(),
                 std::strerror(nError));
    return false;
}

// Whether the picture's file can be written where it is to go, checked before the long work.
bool CanWrite(const std::string& path)
{
    const std::size_t nSlash = path.rfind('/');
    const std::string folder = nSlash == std::string::npos ? "."
                               : nSlash == 0               ? "/"
                                                           : path.substr(0, nSlash);
    if (access(path.c_str(), F_OK) == 0 ? access(path.c_str(), W_OK) == 0
                                        : access(folder.c_str(), W_OK) == 0)
        return true;
    std::fprintf(stderr, "%s: cannot write %s: %s\n", kszProgram, path.c_str(),
                 std::strerror(errno));
    return false;
}

std::string SetDescription(const CTileSet& set)
{
    return set.Size() == 28 ? "the 28-tile set (1 to 10, 25, 50, 75 and 100, two of each)"
                            : "the 24-tile set (1 to 10 twice, 25, 50, 75 and 100 once each)";
}

// Every game as a line, draw by draw.
bool WriteGames(const CDrawTally& tally)
{
    for (std::size_t d = 0; d < tally.DrawCount(); ++d)
    {
        const std::string draw = CStatsReport::DrawText(tally.DrawAt(d)) + " ";
        std::string text;
        for (int t = tally.FirstTarget(); t <= tally.LastTarget(); ++t)
            text += draw + std::to_string(t) + " " + std::to_string(tally.Reached(d, t)) + "\n";
        if (!Write(text))
            return false;
    }
    return true;
}

int Run(const SOptions& options, int argc, char** argv)
{
    const CTileSet set(options.set);
    if (!options.csv.empty() && !MakeFolder(options.csv))
        return kFailure;
    if (!options.plot.empty() && !CanWrite(options.plot))
        return kFailure;

    std::vector<CTileSet::Draw> draws = options.draws;
    if (draws.empty())
        draws = set.Draws();
    else
    {
        // In the set's order, each once.
        std::sort(draws.begin(), draws.end());
        draws.erase(std::unique(draws.begin(), draws.end()), draws.end());
    }
    CDrawTally tally(std::move(draws), options.nFirstTarget, options.nLastTarget);
    if (!options.bQuiet && isatty(STDERR_FILENO))
    {
        CProgressBar bar(
            tally.DrawCount(),
            [](std::string_view text)
            {
                std::fwrite(text.data(), 1, text.size(), stderr);
                std::fflush(stderr);
            },
            CProgressBar::SteadySeconds);
        tally.Run(options.nJobs, [&](std::size_t nDone) { bar.Update(nDone); });
        bar.Finish();
    }
    else
        tally.Run(options.nJobs);

    if (options.bGames)
    {
        if (!WriteGames(tally))
            return kFailure;
    }
    else if (!Write(CStatsReport(tally, SetDescription(set)).Text()))
        return kFailure;

    if (!options.csv.empty())
    {
        if (const std::optional<std::string> error = CStatsCsv(tally).Write(options.csv))
        {
            std::fprintf(stderr, "%s: %s\n", kszProgram, error->c_str());
            return kFailure;
        }
    }
    if (!options.plot.empty())
    {
        const std::string title = "Every draw of " + SetDescription(set);
        if (const std::optional<std::string> error =
                CStatsPlot(tally, title).Save(options.plot, argc, argv))
        {
            std::fprintf(stderr, "%s: %s\n", kszProgram, error->c_str());
            return kFailure;
        }
    }
    return kSuccess;
}
} // namespace

int main(int argc, char** argv)
{
    if (!OpenStandardDescriptors())
        return kFailure;
    // A reader that goes away makes the next write fail with EPIPE, which ends the program
    // quietly, rather than killing it halfway through a file.
    std::signal(SIGPIPE, SIG_IGN);
    SOptions options;
    if (!ParseOptions(argc, argv, options))
        return kFailure;
    if (options.bHelp)
        return Write(std::string(kszUsage) + "\n" + kszHelp) ? kSuccess : kFailure;
    if (options.bVersion)
        return Write(std::string(kszProgram) + " " PIVOLO_VERSION "\n") ? kSuccess : kFailure;
    return Run(options, argc, argv);
}
