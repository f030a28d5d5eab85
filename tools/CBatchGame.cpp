#include "CBatchGame.h"

#include "CAllSolutionsText.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"
#include "CTilePool.h"

#include <algorithm>
#include <cassert>
#include <string_view>

namespace
{
void AppendLine(std::string& text, std::string_view label, std::string_view line)
{
    text.append(label).append(line).push_back('\n');
}

} // namespace

CBatchGame::CBatchGame(const CGameLine& line) : m_line(line)
{
    assert(line.Kind() == CGameLine::EKind::Game);
}

std::optional<std::string> CBatchGame::Check()
{
    // The six numbers of the last game checked on this thread, and what the check gave: a
    // bulk job gives one draw with many targets in a row, and the check depends on the six
    // numbers alone.
    struct SChecked
    {
        bool bValid = false;
        std::array<int, 6> anNumbers{};
        std::array<int, 6> anTiles{};
        bool bAccepted = false;
    };
    thread_local SChecked checked;
    std::array<int, 6> anNumbers{};
    std::copy_n(m_line.Values().begin(), anNumbers.size(), anNumbers.begin());
    if (!checked.bValid || checked.anNumbers != anNumbers)
    {
        checked.bValid = false;
        checked.anNumbers = anNumbers;
        checked.anTiles = {};
        checked.bAccepted = CheckTiles(checked.anTiles);
        checked.bValid = true;
    }
    m_anTiles = checked.anTiles;
    if (!checked.bAccepted)
        return CTilePool::szBadTile;
    m_nTarget = m_line.Values()[6];
    if (m_nTarget < 0 || m_nTarget > 999)
        return szBadTarget;
    return std::nullopt;
}

bool CBatchGame::CheckTiles(std::array<int, 6>& anTiles) const
{
    // The refusal's message box is recorded, not shown; games are played on several threads
    // at once, each recording on a platform of its own.
    CRecordingPlatform platform(CRecordingPlatform::EScope::ThisThread);
    CTilePool pool;
    pool.ResetValidation();
    for (std::size_t i = 0; i < anTiles.size(); ++i)
    {
        // The tile edit is given the number's value in plain digits: the edit's reading
        // stops after 31 characters, and a long number must be read whole.
        CTextPeer peer(std::to_string(m_line.Values()[i]));
        CEdit edit;
        edit.Attach(&peer);
        anTiles[i] = pool.CheckTile(edit);
        if (anTiles[i] <= 0)
            return false;
    }
    return true;
}

CBatchGame::SSolved CBatchGame::Solve() const
{
    // The solver's diagnostic line goes to the platform's output, recorded here.
    CRecordingPlatform platform(CRecordingPlatform::EScope::ThisThread);
    CTextPeer listPeer;
    CListBox list;
    list.Attach(&listPeer);
    CSolver solver(m_anTiles[0], m_anTiles[1], m_anTiles[2], m_anTiles[3], m_anTiles[4],
                   m_anTiles[5], m_nTarget, &list);
    SSolved solved;
    solved.nResult = solver.Solve();
    solved.nReached = solver.GetReached();
    solved.list = listPeer.Entries();
    for (std::string_view lines = platform.Output(); !lines.empty();)
    {
        const std::size_t nEnd = lines.find('\n');
        solved.output.emplace_back(lines.substr(0, nEnd));
        lines.remove_prefix(nEnd == std::string_view::npos ? lines.size() : nEnd + 1);
    }
    return solved;
}

std::string CBatchGame::Text() const
{
    std::string text;
    for (const std::string& number : m_line.Texts())
        text.append(text.empty() ? "" : " ").append(number);
    return text;
}

CJudge::SVerdict CBatchGame::Judge(std::string_view answer) const
{
    // The judge of the last game judged on this thread: a class's answers to one game are
    // judged on the tables worked out once.
    struct SLastGame
    {
        CJudge judge;
        bool bSet = false;
        std::array<int, 6> anTiles{};
        int nTarget = 0;
    };
    thread_local SLastGame last;
    if (!last.bSet || last.anTiles != m_anTiles || last.nTarget != m_nTarget)
    {
        last.bSet = false;
        last.judge.SetGame(m_anTiles, m_nTarget);
        last.anTiles = m_anTiles;
        last.nTarget = m_nTarget;
        last.bSet = true;
    }
    return last.judge.Judge(answer, CJudge::EPlace::Ranked);
}

bool CBatchGame::Play(std::string& text, std::optional<std::size_t> allMax)
{
    AppendLine(text, "game: ", Text());

    if (const std::optional<std::string> refusal = Check())
    {
        AppendLine(text, "error: ", *refusal);
        return false;
    }
    const SSolved solved = Solve();
    for (const std::string& entry : solved.list)
        AppendLine(text, "list: ", entry);
    for (const std::string& line : solved.output)
        AppendLine(text, "stdout: ", line);
    AppendLine(text, "result: ",
               std::to_string(solved.nResult) + " reached: " + std::to_string(solved.nReached));
    if (allMax)
        CAllSolutionsText(*allMax).Append(m_anTiles, m_nTarget, solved.nReached, text);
    return true;
}
