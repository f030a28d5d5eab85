#pragma once

#include "CTileSet.h"

#include <cstddef>
#include <string>
#include <vector>

// pivolo-stats' command line: the set, the targets, the draws, the files to write and how
// to work.
class CStatsOptions
{
public:
    enum class EMode
    {
        Help,
        Version,
        // The report on standard output, and the files asked for.
        Report,
        // One line a game instead of the report.
        Games,
    };

    CStatsOptions();

    // Reads the command line; false after a complaint.
    bool Read(int argc, char** argv);

    EMode Mode() const { return m_mode; }
    CTileSet::EKind Set() const { return m_set; }
    int FirstTarget() const { return m_nFirstTarget; }
    int LastTarget() const { return m_nLastTarget; }
    int Jobs() const { return m_nJobs; }
    bool Quiet() const { return m_bQuiet; }
    // JSON Lines rather than text on standard output.
    bool Json() const { return m_bJson; }
    // The folder of the CSV files, and the picture's file: empty when not asked for.
    const std::string& Csv() const { return m_csv; }
    const std::string& Plot() const { return m_plot; }
    // The draws asked for, in the set's order, each once: empty for every draw of the set.
    const std::vector<CTileSet::Draw>& Draws() const { return m_draws; }

    static const char* Usage();
    static const char* Help();

    static constexpr int kMaxJobs = 1024;

private:
    bool TakeOption(std::size_t nOption, const std::string& value);
    bool TakeTargets(const std::string& text);
    bool TakePlot(const std::string& name);
    bool TakeDraws();

    EMode m_mode = EMode::Report;
    bool m_bHelp = false;
    bool m_bVersion = false;
    CTileSet::EKind m_set = CTileSet::EKind::Full;
    int m_nFirstTarget = 100;
    int m_nLastTarget = 999;
    int m_nJobs;
    std::string m_csv;
    std::string m_plot;
    bool m_bQuiet = false;
    bool m_bJson = false;
    // Read once the whole command line is, as the set may come after them.
    std::vector<std::string> m_drawTexts;
    std::vector<CTileSet::Draw> m_draws;
};
