#pragma once

#include "COutputFile.h"
#include "CStatsOptions.h"

#include <memory>
#include <string>
#include <vector>

class CDrawTally;

// One run of pivolo-stats, as its command line asks: every file to write is opened (under
// its temporary name) before the long work, so that a folder that cannot be written is
// known at once; the tally, with its progress bar; the report or the games on standard
// output; then the files, all written and closed before any takes its name.
class CStatsRun
{
public:
    // argc and argv: for the picture's toolkit.
    CStatsRun(const CStatsOptions& options, int argc, char** argv);

    // The exit status.
    int Run();

    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 2;

private:
    bool OpenFiles();
    void Tally(CDrawTally& tally) const;
    bool WriteGames(const CDrawTally& tally) const;
    bool WriteFiles(const CDrawTally& tally);

    const CStatsOptions& m_options;
    int m_argc;
    char** m_argv;
    // The CSV files in the order of CStatsCsv::kaszFiles, then the picture.
    std::vector<std::unique_ptr<COutputFile>> m_files;
};
