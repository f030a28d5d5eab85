#include "CStatsRun.h"

#include "CConsole.h"
#include "CDealtTally.h"
#include "CDrawTally.h"
#include "CProgressBar.h"
#include "CStatsCsv.h"
#include "CStatsJson.h"
#include "CStatsPlot.h"
#include "CStatsReport.h"
#include "CStatsWords.h"
#include "CTerminalLine.h"
#include "CWorkerMemory.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace
{
// Makes the folder and the missing folders above it, as mkdir -p; false after a complaint.
bool MakeFolders(const std::string& folder)
{
    for (std::size_t nEnd = 1; nEnd <= folder.size(); ++nEnd)
    {
        if (nEnd < folder.size() && folder[nEnd] != '/')
            continue;
        const std::string part = folder.substr(0, nEnd);
        struct stat status
        {
        };
        if (mkdir(part.c_str(), 0777) == 0 ||
            (errno == EEXIST && stat(part.c_str(), &status) == 0 && S_ISDIR(status.st_mode)))
            continue;
        const int nError = errno == EEXIST ? ENOTDIR : errno;
        CConsole::Message("cannot make the folder " + folder + ": " + std::strerror(nError));
        return false;
    }
    return true;
}
} // namespace

CStatsRun::CStatsRun(const CStatsOptions& options, int argc, char** argv)
    : m_options(options), m_argc(argc), m_argv(argv)
{
}

bool CStatsRun::OpenFiles()
{
    std::vector<std::string> paths;
    if (!m_options.Csv().empty())
    {
        if (!MakeFolders(m_options.Csv()))
            return false;
        for (const char* pszFile : CStatsCsv::kaszFiles)
            paths.push_back(m_options.Csv() + "/" + pszFile);
    }
    if (!m_options.Plot().empty())
        paths.push_back(m_options.Plot());
    for (const std::string& path : paths)
    {
        m_files.push_back(std::make_unique<COutputFile>(path));
        if (const auto& error = m_files.back()->Error())
        {
            CConsole::Message(*error);
            return false;
        }
    }
    return true;
}

void CStatsRun::Tally(CDrawTally& tally) const
{
    const int nWanted =
        std::min(m_options.Jobs(), static_cast<int>((tally.DrawCount() + CDrawTally::kBlock - 1) /
                                                    CDrawTally::kBlock));
    // Under a limit on the address space, only as many workers as can make their tables
    // (about half a megabyte each) with room to spare.
    const int nJobs = CWorkerMemory::JobsThatFit(nWanted, std::size_t{3} << 20);
    if (nJobs > 1)
        CWorkerMemory::Prepare();
    std::unique_ptr<CProgressBar> bar;
    if (!m_options.Quiet() && CConsole::ProgressLine())
    {
        bar = std::make_unique<CProgressBar>(tally.DrawCount(), *CConsole::ProgressLine(),
                                             CProgressBar::SteadySeconds);
    }
    const int nStarted = tally.Run(nJobs,
                                   [&](std::size_t nDone)
                                   {
                                       if (bar)
                                           bar->Update(nDone);
                                   });
    if (bar)
        bar->Finish();
    if (nWanted > 1 && std::max(nStarted, 1) < nWanted)
    {
        CConsole::Message("started only " + std::to_string(std::max(nStarted, 1)) + " of " +
                          std::to_string(nWanted) + " jobs");
    }
}

bool CStatsRun::WriteGames(const CDrawTally& tally) const
{
    for (std::size_t d = 0; d < tally.DrawCount(); ++d)
    {
        if (m_options.Json())
        {
            if (!CConsole::Write(CStatsJson::DrawGames(tally, d)))
                return false;
            continue;
        }
        const std::string draw = CStatsWords::DrawText(tally.DrawAt(d)) + " ";
        std::string text;
        for (int t = tally.FirstTarget(); t <= tally.LastTarget(); ++t)
            text += draw + std::to_string(t) + " " + std::to_string(tally.Reached(d, t)) + "\n";
        if (!CConsole::Write(text))
            return false;
    }
    return true;
}

bool CStatsRun::WriteFiles(const CDrawTally& tally)
{
    const CTileSet set(m_options.Set());
    const CDealtTally dealt(tally, set);
    const CStatsWords words(tally, set, m_options.Draws().empty());
    std::size_t nFile = 0;
    if (!m_options.Csv().empty())
    {
        const CStatsCsv csv(tally, dealt, set);
        m_files[nFile++]->Write(csv.Targets());
        m_files[nFile++]->Write(csv.Draws());
        m_files[nFile++]->Write(csv.Categories());
    }
    if (!m_options.Plot().empty())
    {
        const std::optional<std::string> picture =
            CStatsPlot(tally, dealt, words).Picture(m_options.Plot(), m_argc, m_argv);
        if (!picture)
        {
            CConsole::Message("cannot make the picture " + m_options.Plot());
            return false;
        }
        m_files[nFile++]->Write(*picture);
    }
    // Every file whole before any takes its name: a failure leaves the earlier ones all.
    for (const auto& file : m_files)
    {
        if (const std::optional<std::string> error = file->Close())
        {
            CConsole::Message(*error);
            return false;
        }
    }
    for (const auto& file : m_files)
    {
        if (const std::optional<std::string> error = file->Commit())
        {
            CConsole::Message(*error);
            return false;
        }
    }
    return true;
}

int CStatsRun::Run()
{
    // A closed output would lose the report: known before the long work.
    if (!CConsole::Write(""))
    {
        CConsole::ReportWriteFailure();
        return kFailure;
    }
    if (!OpenFiles())
        return kFailure;
    const CTileSet set(m_options.Set());
    CDrawTally tally(m_options.Draws().empty() ? set.Draws() : m_options.Draws(),
                     m_options.FirstTarget(), m_options.LastTarget());
    Tally(tally);
    bool bWritten = false;
    if (m_options.Mode() == CStatsOptions::EMode::Games)
        bWritten = WriteGames(tally);
    else
    {
        const CDealtTally dealt(tally, set);
        const CStatsWords words(tally, set, m_options.Draws().empty());
        bWritten = CConsole::Write(m_options.Json() ? CStatsJson::Report(tally, dealt, set)
                                                    : CStatsReport(tally, dealt, words).Text());
    }
    if (!bWritten)
    {
        CConsole::ReportWriteFailure();
        return kFailure;
    }
    return WriteFiles(tally) ? kSuccess : kFailure;
}
