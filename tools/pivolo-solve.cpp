// pivolo-solve: solves games read from standard input, one a line ("t1 t2 t3 t4 t5 t6
// target"), with the dialog's checks and solver, and writes each game's solution list,
// diagnostic lines and result as text. Games are solved on every core, their text written
// in input order.

#include "CEdit.h"
#include "CListBox.h"
#include "COrderedBatch.h"
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

void WriteLines(std::ostream& out, const char* pszLabel, const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        out << pszLabel << line << '\n';
}

// Checks the game as the dialog does and solves it. Games are played on several threads at
// once: each records its messages and standard output on a platform of its own.
EOutcome Play(const std::array<std::string, 7>& game, std::ostream& out)
{
    out << "game:";
    for (const std::string& number : game)
        out << ' ' << number;
    out << '\n';

    CRecordingPlatform platform(CRecordingPlatform::EScope::ThisThread);
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
            out << "error: " << CTilePool::szBadTile << '\n';
            return EOutcome::Failed;
        }
    }
    const int nTarget = ParseDecimal(game[6].c_str());
    if (nTarget < 0 || nTarget > 999)
    {
        out << "error: " << kszBadTarget << '\n';
        return EOutcome::Failed;
    }

    CTextPeer listPeer;
    CListBox list;
    list.Attach(&listPeer);
    CSolver solver(tiles[0], tiles[1], tiles[2], tiles[3], tiles[4], tiles[5], nTarget, &list);
    const int nResult = solver.Solve();
    for (const std::string& entry : listPeer.Entries())
        out << "list: " << entry << '\n';
    WriteLines(out, "stdout: ", platform.Output());
    out << "result: " << nResult << " reached: " << solver.GetReached() << '\n';
    return EOutcome::Solved;
}

// One input line's text: nothing for a blank line or a comment.
COrderedBatch::Result PlayLine(const std::string& line, long nLine)
{
    COrderedBatch::Result result;
    const std::size_t nFirst = line.find_first_not_of(" \t\r\n");
    if (nFirst == std::string::npos || line[nFirst] == '#')
        return result;
    std::ostringstream out;
    std::array<std::string, 7> game{};
    if (!ParseGame(line, game))
    {
        out << "error: line " << nLine << ": expected seven integers\n";
        result.bRefused = true;
    }
    else
    {
        result.bRefused = Play(game, out) == EOutcome::Failed;
    }
    result.text = out.str();
    return result;
}

// "--jobs N" or "--jobs=N", N from 1; 0 for anything else.
int ParseJobs(int argc, char** argv)
{
    std::string value;
    const std::string option = argv[1];
    if (argc == 3 && option == "--jobs")
        value = argv[2];
    else if (argc == 2 && option.rfind("--jobs=", 0) == 0)
        value = option.substr(7);
    else
        return 0;
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos ||
        value.size() > 4)
        return 0;
    return std::atoi(value.c_str());
}
} // namespace

int main(int argc, char** argv)
{
    const int nJobs = argc == 1 ? COrderedBatch::DefaultJobs() : ParseJobs(argc, argv);
    if (nJobs <= 0)
    {
        std::cerr << "usage: " << argv[0] << " [--jobs N] < games\n"
                  << "Each input line holds six tiles and a target: t1 t2 t3 t4 t5 t6 target.\n"
                  << "--jobs N solves N games at once (from 1 to 9999; by default, one per "
                     "core).\n";
        return 2;
    }
    COrderedBatch batch(nJobs, PlayLine, stdout);
    char* pszLine = nullptr;
    std::size_t nCapacity = 0;
    long nLine = 0;
    // C input: unlike iostreams, it tells a read error (a directory, a broken device) from
    // the end of the input.
    while (getline(&pszLine, &nCapacity, stdin) >= 0)
    {
        if (!batch.Submit(pszLine, ++nLine))
            break;
    }
    std::free(pszLine);
    batch.Finish();
    if (batch.WriteFailed())
    {
        std::cerr << "pivolo-solve: standard output could not be written\n";
        return 2;
    }
    if (std::ferror(stdin))
    {
        std::cerr << "pivolo-solve: standard input could not be read\n";
        return 2;
    }
    return batch.AnyRefused() ? 1 : 0;
}
