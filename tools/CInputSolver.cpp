#include "CInputSolver.h"

#include "CBatchGame.h"
#include "CCheckLine.h"
#include "CConsole.h"
#include "CGameLine.h"
#include "CLineReader.h"
#include "COrderedBatch.h"
#include "CProgressLine.h"
#include "CSolveJson.h"
#include "CTerminalLine.h"
#include "CVerdictText.h"
#include "CWorkerMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace
{
// The text that stands for a line too long, which the reader does not keep: no line read
// is as long.
const std::string& TooLongLine()
{
    static const std::string line(CLineReader::nMaxLine + 1, ' ');
    return line;
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

} // namespace

bool CInputSolver::Refuse(long nLine, const std::string& error, std::string& output) const
{
    if (m_eFormat == CSolveOptions::EFormat::Json)
        CSolveJson::AppendRefused(nLine, error, output);
    else
        output.append("error: line " + std::to_string(nLine) + ": " + error + "\n");
    return false;
}

bool CInputSolver::CheckLine(long nLine, std::string_view text, std::string& output) const
{
    const CCheckLine line(text);
    switch (line.Kind())
    {
    case CGameLine::EKind::Skipped:
        return true;
    case CGameLine::EKind::Malformed:
        return Refuse(nLine, "expected seven integers, ':' and an answer", output);
    case CGameLine::EKind::Game:
        break;
    }
    CBatchGame game(line.Game());
    if (m_eFormat == CSolveOptions::EFormat::Json)
        return CSolveJson::Check(nLine, game, line.Answer(), output);
    return CVerdictText::Play(game, line.Answer(), output);
}

bool CInputSolver::SolveLine(long nLine, std::string_view text, std::string& output) const
{
    if (text.size() > CLineReader::nMaxLine)
        return Refuse(nLine, "line too long", output);
    if (m_eWork == CSolveOptions::EWork::Check)
        return CheckLine(nLine, text, output);
    const CGameLine line(text);
    switch (line.Kind())
    {
    case CGameLine::EKind::Skipped:
        return true;
    case CGameLine::EKind::Malformed:
        return Refuse(nLine, "expected seven integers", output);
    case CGameLine::EKind::Game:
        break;
    }
    CBatchGame game(line);
    if (m_eFormat == CSolveOptions::EFormat::Json)
        return CSolveJson::Play(nLine, game, m_allMax, output);
    return game.Play(output, m_allMax);
}

int CInputSolver::SolveInput(const std::vector<std::string>& files, int nJobs, bool bQuiet) const
{
    CLineReader reader(files);
    std::unique_ptr<CProgressLine> progress;
    if (!bQuiet && CConsole::ProgressLine())
        progress = std::make_unique<CProgressLine>(reader.TotalBytes(), *CConsole::ProgressLine());

    if (nJobs > 1)
        CWorkerMemory::Prepare();
    COrderedBatch batch(
        nJobs,
        [this](const std::string& line, long nLine)
        {
            COrderedBatch::Result result;
            // A game's lines at once, rather than one allocation per doubling.
            result.text.reserve(256);
            result.bRefused = !SolveLine(nLine, line, result.text);
            result.bGame = line.size() > CLineReader::nMaxLine || CountsAsGame(line);
            return result;
        },
        CConsole::Write);
    if (batch.Jobs() < nJobs)
    {
        CConsole::Message("started only " + std::to_string(batch.Jobs()) + " of " +
                          std::to_string(nJobs) + " jobs");
    }
    // The progress tells the games solved and written, not the lines read: reading runs
    // ahead of the workers by as many blocks as wait for them.
    if (progress)
    {
        batch.OnWritten([&progress](std::uint64_t nInputEnd, std::uint64_t nGames)
                        { progress->Update(nInputEnd, nGames); });
    }
    // What is solved reaches the output while the input keeps the program waiting.
    reader.OnStall([&batch] { batch.Flush(); });

    std::string previousTiles;
    // Where the line ends in the input: the reader's own count runs ahead by what it has
    // read and not yet handed out.
    std::uint64_t nLineEnd = 0;
    CLineReader::EStatus status = CLineReader::EStatus::Line;
    for (std::string_view line; (status = reader.Next(line)) != CLineReader::EStatus::End &&
                                status != CLineReader::EStatus::Error;)
    {
        bool bSubmitted = false;
        if (status == CLineReader::EStatus::TooLong)
        {
            previousTiles.clear();
            // Its length is not kept: the bytes read so far stand for it.
            nLineEnd = std::max(nLineEnd, reader.BytesRead());
            bSubmitted = batch.Submit(TooLongLine(), reader.LineNumber(), false, nLineEnd);
            // Skipping the rest may take long (an endless line): the refusal is written now.
            batch.Flush();
        }
        else
        {
            const std::string_view tiles = TilesOf(line);
            const bool bSameTiles = !tiles.empty() && tiles == previousTiles;
            if (!bSameTiles)
                previousTiles.assign(tiles);
            nLineEnd += line.size() + 1;
            bSubmitted = batch.Submit(line, reader.LineNumber(), bSameTiles, nLineEnd);
        }
        if (!bSubmitted)
            break;
    }
    batch.Finish();
    progress.reset();
    if (batch.WriteFailed())
    {
        CConsole::ReportWriteFailure();
        return kFailure;
    }
    if (status == CLineReader::EStatus::Error)
    {
        CConsole::Message("cannot read " + reader.ErrorName() + ": " +
                          std::strerror(reader.Error()));
        return kFailure;
    }
    return batch.AnyRefused() ? kSomeRefused : kAllSolved;
}

int CInputSolver::SolveArguments(const std::vector<std::string>& operands) const
{
    // With --check, the answer comes first and the game after it: the line is the game, the
    // separator and the answer, which may hold anything, line ends included.
    const bool bCheck = m_eWork == CSolveOptions::EWork::Check;
    std::string text;
    for (std::size_t i = bCheck ? 1 : 0; i < operands.size(); ++i)
        text.append(operands[i]).push_back(' ');
    if (bCheck && !operands.empty())
        text.append(1, CCheckLine::cSeparator).append(operands.front());
    std::string output;
    // The line is no line of a file: no bound on its length.
    const bool bSolved = bCheck ? CheckLine(1, text, output) : SolveLine(1, text, output);
    if (!CConsole::Write(output))
    {
        CConsole::ReportWriteFailure();
        return kFailure;
    }
    return bSolved ? kAllSolved : kSomeRefused;
}
