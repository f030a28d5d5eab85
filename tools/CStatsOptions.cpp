#include "CStatsOptions.h"

#include "CCommandLine.h"
#include "CConsole.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <thread>

namespace
{
constexpr const char* kszUsage =
    "Usage: pivolo-stats [--set 28|24] [--targets A-B] [--csv DIR] [--plot FILE]\n"
    "                    [--jobs N] [--quiet] [--draw 'T1 ... T6']... [--games] [--json]\n"
    "       pivolo-stats --help | --version\n";

constexpr const char* kszHelp =
    "Solves every game of a tile set, as the game's dialog solves each one, and reports\n"
    "how often the target is reached and how far off the others end.\n"
    "\n"
    "A draw is six tiles of the set, counted as a multiset: equal tiles make one draw,\n"
    "whichever copies were drawn. The 28-tile set (1 to 10, 25, 50, 75 and 100, two of\n"
    "each) allows 19,383 draws; the 24-tile set (the large tiles once each) 13,243.\n"
    "Each game is a draw and a target; it ends on the target, or on the nearest value\n"
    "the tiles make, the one above at equal distance. Each share is given twice: of the\n"
    "draws, each counted once, and as dealt, each draw counted as many times as the set\n"
    "has ways of dealing it (1 2 3 4 5 6: 64 ways of the 28 tiles; 1 1 2 2 3 3: one).\n"
    "\n"
    "Options:\n"
    "  -s, --set N          the tile set: 28 (by default) or 24\n"
    "  -t, --targets A-B    the targets from A to B, 0 <= A <= B <= 999, or one target A\n"
    "                       (by default 100-999, the targets of a random draw)\n"
    "  -c, --csv DIR        also write targets.csv, draws.csv and categories.csv into DIR,\n"
    "                       made with its parents if it does not exist\n"
    "  -p, --plot FILE      also draw a picture, PNG or SVG by the name's extension: the\n"
    "                       share of draws that reach each target, and how far off the\n"
    "                       games end, by number of large tiles\n"
    "  -j, --jobs N         work on N draws at once, 1 to 1024 (by default, one per core)\n"
    "  -q, --quiet          show no progress bar\n"
    "  -d, --draw TILES     only this draw: six tiles of the set in one argument, separated\n"
    "                       by blanks or commas; may be repeated\n"
    "  -g, --games          instead of the report, write one line a game:\n"
    "                       t1 t2 t3 t4 t5 t6 target reached\n"
    "      --json           write JSON Lines instead: with --games, one object a game,\n"
    "                       {\"tiles\": [t1, ..., t6], \"target\": T, \"reached\": R}; else one\n"
    "                       object a table of the report, with the counts of its shares\n"
    "                       (the manual page gives their keys)\n"
    "  -h, --help           show this help and exit\n"
    "      --version        show the version and exit\n"
    "\n"
    "The report goes to standard output. Each file appears whole or not at all: it is\n"
    "written under a temporary name beside it and renamed when whole, so that a run\n"
    "that fails or is interrupted leaves an earlier file of that name as it was. While\n"
    "it works, a bar on standard error shows the share done and the time left, when\n"
    "standard error is a terminal.\n"
    "\n"
    "Exit status:\n"
    "  0  the report and every file asked for were written\n"
    "  2  the command line is wrong, memory ran out, or the output, the CSV files or\n"
    "     the picture could not be written\n";

enum EOption : std::size_t
{
    kSet,
    kTargets,
    kCsv,
    kPlot,
    kJobs,
    kQuiet,
    kDraw,
    kGames,
    kJson,
    kHelp,
    kVersion,
};

// A whole decimal number without a sign, from nLeast to nMost.
std::optional<int> ReadCount(std::string_view text, int nLeast, int nMost)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int nValue = std::stoi(std::string(text));
    if (nValue < nLeast || nValue > nMost)
        return std::nullopt;
    return nValue;
}

// Whether the name ends in the extension, in any case.
bool HasExtension(const std::string& path, std::string_view extension)
{
    if (path.size() < extension.size())
        return false;
    const std::string tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), extension.end(),
                      [](char a, char b)
                      { return std::tolower(static_cast<unsigned char>(a)) == b; });
}
} // namespace

CStatsOptions::CStatsOptions()
    : m_nJobs(std::max(1, static_cast<int>(std::thread::hardware_concurrency())))
{
}

const char* CStatsOptions::Usage()
{
    return kszUsage;
}

const char* CStatsOptions::Help()
{
    return kszHelp;
}

bool CStatsOptions::TakeTargets(const std::string& text)
{
    const std::size_t nDash = text.find('-');
    const std::optional<int> first = ReadCount(std::string_view(text).substr(0, nDash), 0, 999);
    const std::optional<int> last =
        nDash == std::string::npos ? first
                                   : ReadCount(std::string_view(text).substr(nDash + 1), 0, 999);
    if (!first || !last || *first > *last)
    {
        CConsole::Complain("the targets must be A-B with 0 <= A <= B <= 999, not '" + text + "'");
        return false;
    }
    m_nFirstTarget = *first;
    m_nLastTarget = *last;
    return true;
}

bool CStatsOptions::TakePlot(const std::string& name)
{
    if (!HasExtension(name, ".png") && !HasExtension(name, ".svg"))
    {
        CConsole::Complain("the picture's name must end in .png or .svg, not '" + name + "'");
        return false;
    }
    // ".png" alone, or "dir/.png", names no picture: a hidden file at best.
    const std::size_t nSlash = name.rfind('/');
    const std::string base = nSlash == std::string::npos ? name : name.substr(nSlash + 1);
    if (base.size() == 4)
    {
        CConsole::Complain("the picture needs a name before its extension, not '" + name + "'");
        return false;
    }
    m_plot = name;
    return true;
}

bool CStatsOptions::TakeOption(std::size_t nOption, const std::string& value)
{
    switch (nOption)
    {
    case kSet:
        if (value != "28" && value != "24")
        {
            CConsole::Complain("the set must be 28 or 24, not '" + value + "'");
            return false;
        }
        m_set = value == "28" ? CTileSet::EKind::Full : CTileSet::EKind::LargeOnce;
        return true;
    case kTargets:
        return TakeTargets(value);
    case kCsv:
        if (value.empty())
        {
            CConsole::Complain("the folder of the CSV files needs a name");
            return false;
        }
        m_csv = value;
        return true;
    case kPlot:
        return TakePlot(value);
    case kJobs:
        if (const std::optional<int> nJobs = ReadCount(value, 1, kMaxJobs))
        {
            m_nJobs = *nJobs;
            return true;
        }
        CConsole::Complain("the number of jobs must be from 1 to " + std::to_string(kMaxJobs) +
                           ", not '" + value + "'");
        return false;
    case kQuiet:
        m_bQuiet = true;
        return true;
    case kDraw:
        m_drawTexts.push_back(value);
        return true;
    case kGames:
        m_mode = EMode::Games;
        return true;
    case kJson:
        m_bJson = true;
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

bool CStatsOptions::TakeDraws()
{
    const int nSize = CTileSet(m_set).Size();
    for (const std::string& text : m_drawTexts)
    {
        std::optional<CTileSet::Draw> draw = CTileSet::ReadDraw(text, m_set);
        if (!draw)
        {
            CConsole::Complain("'" + text + "' is not a draw of six tiles of the " +
                               std::to_string(nSize) + "-tile set");
            return false;
        }
        // A draw is a multiset: its tiles in increasing order, as the set's draws have them.
        std::sort(draw->begin(), draw->end());
        m_draws.push_back(*draw);
    }
    // In the set's order, each once.
    std::sort(m_draws.begin(), m_draws.end());
    m_draws.erase(std::unique(m_draws.begin(), m_draws.end()), m_draws.end());
    return true;
}

bool CStatsOptions::Read(int argc, char** argv)
{
    CCommandLine commandLine(
        {
            {"set", 's', true},
            {"targets", 't', true},
            {"csv", 'c', true},
            {"plot", 'p', true},
            {"jobs", 'j', true},
            {"quiet", 'q', false},
            {"draw", 'd', true},
            {"games", 'g', false},
            {"json", 0, false},
            {"help", 'h', false},
            {"version", 0, false},
        },
        CCommandLine::ENegativeNumbers::AreOptions);
    if (!commandLine.Read(argc, argv,
                          [this](std::size_t nOption, const std::string& value)
                          { return TakeOption(nOption, value); }))
        return false;
    if (!commandLine.Operands().empty())
    {
        CConsole::Complain("unexpected argument '" + commandLine.Operands().front() + "'");
        return false;
    }
    if (m_bHelp || m_bVersion)
    {
        m_mode = m_bHelp ? EMode::Help : EMode::Version;
        return true;
    }
    return TakeDraws();
}
