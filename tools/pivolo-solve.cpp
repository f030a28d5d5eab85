// pivolo-solve: solves games read from standard input or from files, one a line ("t1 t2 t3
// t4 t5 t6 target"), or one game given as seven arguments, with the dialog's checks and
// solver, and writes each game's solution list, diagnostic lines and result as text. Games
// from the input are solved on every core, their text written in input order.

#include "CConsole.h"
#include "CInputSolver.h"
#include "CSignalCleanup.h"
#include "CSolveOptions.h"

#include <csignal>
#include <new>
#include <string>

namespace
{
// What the command line asks for, mode by mode; the exit status.
int Run(const CSolveOptions& options)
{
    const CInputSolver solver(options.AllMax(), options.Work(), options.Format());
    switch (options.Mode())
    {
    case CSolveOptions::EMode::Help:
        if (CConsole::Write(std::string(CSolveOptions::Usage()) + "\n" + CSolveOptions::Help()))
            return CInputSolver::kAllSolved;
        break;
    case CSolveOptions::EMode::Version:
        if (CConsole::Write(std::string(CConsole::Program()) + " " PIVOLO_VERSION "\n"))
            return CInputSolver::kAllSolved;
        break;
    case CSolveOptions::EMode::Game:
        return solver.SolveArguments(options.Operands());
    case CSolveOptions::EMode::Input:
        return solver.SolveInput(options.Operands(), options.Jobs(), options.Quiet());
    }
    CConsole::ReportWriteFailure();
    return CInputSolver::kFailure;
}
} // namespace

int main(int argc, char** argv)
{
    // A closed output: nothing is wanted of it.
    if (!CConsole::Start("pivolo-solve", CConsole::EClosedOutput::Discarded))
        return CInputSolver::kFailure;
    // A reader that goes away makes the write fail with EPIPE, and a file too large for its
    // limit with EFBIG: the program ends with its status rather than by the signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    CSignalCleanup::Install();
    try
    {
        CSolveOptions options;
        if (!options.Read(argc, argv))
            return CInputSolver::kFailure;
        return Run(options);
    }
    catch (const std::bad_alloc&)
    {
        CConsole::Message("out of memory");
        return CInputSolver::kFailure;
    }
}
