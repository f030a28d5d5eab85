// pivolo-entrainement: the practice window, where a player plays against the clock, is
// judged, and learns the simplest solutions.
#include "CPracticeOptions.h"
#include "CPracticeWindow.h"
#include "CThread.h"
#include "GraphicalDisplay.h"
#include "StandardDescriptors.h"

#include <QApplication>
#include <QIcon>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace
{
// Standard output holds the help or the version whole, or the program says it could not.
int Written(const char* pszProgram)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "%s : impossible d'écrire sur la sortie standard\n", pszProgram);
    return CPracticeOptions::STATUS_REFUSED;
}

// The program's name as the user typed it, first on each of its messages.
const char* ProgramName(int argc, char** argv)
{
    if (argc < 1 || !argv[0] || !*argv[0])
        return "pivolo-entrainement";
    const char* pszSlash = std::strrchr(argv[0], '/');
    return pszSlash ? pszSlash + 1 : argv[0];
}
} // namespace

int main(int argc, char** argv)
{
    // Before the display's connection is opened: started with a descriptor closed, the
    // connection would take its place.
    OpenStandardDescriptors();
    // The sound device may be a pipe whose reader has gone: its writes fail, and the game goes
    // on.
    std::signal(SIGPIPE, SIG_IGN);
    const char* pszProgram = ProgramName(argc, argv);

    const CPracticeOptions options =
        CPracticeOptions::Parse(std::vector<std::string_view>(argv, argv + argc));
    switch (options.m_eAction)
    {
    case CPracticeOptions::EAction::Help:
        std::fputs(CPracticeOptions::HelpText(pszProgram).c_str(), stdout);
        return Written(pszProgram);
    case CPracticeOptions::EAction::Version:
        std::printf("%s %s\n", pszProgram, PIVOLO_VERSION);
        return Written(pszProgram);
    case CPracticeOptions::EAction::Refuse:
        std::fprintf(stderr, "%s : %s\nEssayez « %s --help ».\n", pszProgram,
                     options.m_error.c_str(), pszProgram);
        return CPracticeOptions::STATUS_REFUSED;
    case CPracticeOptions::EAction::Run:
        break;
    }
    if (!GraphicalDisplayAvailable(argc, argv))
    {
        ReportNoGraphicalDisplay(pszProgram);
        return 1;
    }

    BeginDisplayOpening(pszProgram);
    QApplication application(argc, argv);
    EndDisplayOpening();
    QApplication::setApplicationName(QString::fromUtf8(pszProgram));
    QApplication::setApplicationVersion(QStringLiteral(PIVOLO_VERSION));
    // The name of the program's desktop entry, by which docks and compositors know its
    // windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pivolo.entrainement"));
    QIcon icon;
    for (int nSize : {16, 32, 128})
        icon.addFile(QStringLiteral(":/practice/pivolo-entrainement-%1.png").arg(nSize));
    QApplication::setWindowIcon(icon);

    std::optional<CPracticeDraw::SGame> given;
    int nStatus = 0;
    {
        CPracticeDraw draw;
        if (options.m_game)
            given = draw.Given(options.m_game->tiles, options.m_game->nTarget);
        CPracticeWindow window(given);
        window.show();
        nStatus = QApplication::exec();
    }
    // A sound worker left blocked in its device must neither see the program's statics
    // destroyed under it nor hold up their destruction.
    if (CThread::LeftRunningCount() > 0)
    {
        std::fflush(nullptr);
        std::_Exit(nStatus);
    }
    return nStatus;
}
