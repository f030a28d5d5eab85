// pivolo-stats: every game of a tile set, every draw of six tiles with every target of a
// range, solved as the dialog solves them, and reported: a table of how far games end from
// their targets by number of large tiles, the hardest and easiest targets, the best and
// worst draws, each share of the draws and as the game deals them; optionally CSV files
// and a picture.

#include "CConsole.h"
#include "CSignalCleanup.h"
#include "CStatsOptions.h"
#include "CStatsRun.h"

#include <csignal>
#include <new>
#include <string>

int main(int argc, char** argv)
{
    // A closed output would lose the report: writing it fails.
    if (!CConsole::Start("pivolo-stats", CConsole::EClosedOutput::Fails))
        return CStatsRun::kFailure;
    // A reader that goes away makes the next write fail with EPIPE, and a file too large for
    // its limit with EFBIG: the program ends with its status, its files removed, rather than
    // by the signal halfway through a file.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    CSignalCleanup::Install();
    try
    {
        CStatsOptions options;
        if (!options.Read(argc, argv))
            return CStatsRun::kFailure;
        switch (options.Mode())
        {
        case CStatsOptions::EMode::Help:
            if (CConsole::Write(std::string(CStatsOptions::Usage()) + "\n" + CStatsOptions::Help()))
                return CStatsRun::kSuccess;
            break;
        case CStatsOptions::EMode::Version:
            if (CConsole::Write(std::string(CConsole::Program()) + " " PIVOLO_VERSION "\n"))
                return CStatsRun::kSuccess;
            break;
        case CStatsOptions::EMode::Report:
        case CStatsOptions::EMode::Games:
            return CStatsRun(options, argc, argv).Run();
        }
        CConsole::ReportWriteFailure();
        return CStatsRun::kFailure;
    }
    catch (const std::bad_alloc&)
    {
        CConsole::Message("out of memory");
        return CStatsRun::kFailure;
    }
}
