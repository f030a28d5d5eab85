// pivolo-solve: solves games read from standard input, one a line ("t1 t2 t3 t4 t5 t6
// target"), with the dialog's checks and solver, and writes each game's solution list,
// diagnostic lines and result as text.

#include "CEdit.h"
#include "CListBox.h"
#include "CRecordingPlatform.h"
#include "CSolver.h"
#include "CTextPeer.h"
#include "CTilePool.h"
#include "ParseDecimal.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace
{
constexpr const char* kszBadTarget = "Valeur à trouver incorrecte";

enum class EOutcome
{
    Solved,
    Failed,
};

// An integer as typed: an optional sign and decimal digits, of any length (the dialog's
// checks then refuse what is out of range).
bool IsInteger(const std::string& token)
{
    const std::size_t nFirst = token[0] == '+' || token[0] == '-' ? 1 : 0;
    return token.size() > nFirst &&
           token.find_first_not_of("0123456789", nFirst) == std::string::npos;
}

bool ParseGame(const std::string& line, std::array<std::string, 7>& game)
{
    std::istringstream words(line);
    std::string token;
    std::size_t n = 0;
    while (words >> token)
    {
        if (n == game.size() || !IsInteger(token))
            return false;
        game[n++] = token;
    }
    return n == game.size();
}

void WriteLines(const char* pszLabel, const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        std::cout << pszLabel << line << '\n';
}

// Checks the game as the dialog does and solves it.
EOutcome Play(const std::array<std::string, 7>& game)
{
    std::cout << "game:";
    for (const std::string& number : game)
        std::cout << ' ' << number;
    std::cout << '\n';

    CRecordingPlatform platform;
    CTilePool pool;
    pool.ResetValidation();
    std::array<int, 6> tiles{};
    for (std::size_t i = 0; i < tiles.size(); ++i)
    {
        CTextPeer peer(game[i]);
        CEdit edit;
        edit.Attach(&peer);
        tiles[i] = pool.CheckTile(edit);
        if (tiles[i] <= 0)
        {
            std::cout << "error: " << CTilePool::szBadTile << '\n';
            return EOutcome::Failed;
        }
    }
    const int nTarget = ParseDecimal(game[6].c_str());
    if (nTarget < 0 || nTarget > 999)
    {
        std::cout << "error: " << kszBadTarget << '\n';
        return EOutcome::Failed;
    }

    CTextPeer listPeer;
    CListBox list;
    list.Attach(&listPeer);
    CSolver solver(tiles[0], tiles[1], tiles[2], tiles[3], tiles[4], tiles[5], nTarget, &list);
    const int nResult = solver.Solve();
    for (const std::string& entry : listPeer.Entries())
        std::cout << "list: " << entry << '\n';
    WriteLines("stdout: ", platform.Output());
    std::cout << "result: " << nResult << " reached: " << solver.GetReached() << '\n';
    return EOutcome::Solved;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
    {
        std::cerr << "usage: " << argv[0] << " < games\n"
                  << "Each input line holds six tiles and a target: t1 t2 t3 t4 t5 t6 target.\n";
        return 2;
    }
    bool bAllSolved = true;
    char* pszLine = nullptr;
    std::size_t nCapacity = 0;
    long nLine = 0;
    // C input: unlike iostreams, it tells a read error (a directory, a broken device) from
    // the end of the input.
    while (getline(&pszLine, &nCapacity, stdin) >= 0)
    {
        ++nLine;
        const std::string line(pszLine);
        const std::size_t nFirst = line.find_first_not_of(" \t\r\n");
        if (nFirst == std::string::npos || line[nFirst] == '#')
            continue;
        std::array<std::string, 7> game{};
        if (!ParseGame(line, game))
        {
            std::cout << "error: line " << nLine << ": expected seven integers\n";
            bAllSolved = false;
        }
        else if (Play(game) == EOutcome::Failed)
        {
            bAllSolved = false;
        }
        std::cout.flush();
    }
    std::free(pszLine);
    if (std::ferror(stdin))
    {
        std::cerr << "pivolo-solve: standard input could not be read\n";
        return 2;
    }
    return bAllSolved ? 0 : 1;
}
