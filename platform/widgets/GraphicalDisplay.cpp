#include "GraphicalDisplay.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace
{
const char* g_pszOpeningProgram = "";
QtMessageHandler g_previousHandler = nullptr;

// While the toolkit opens the display: its fatal message is the failure to open it.
void DisplayOpeningHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message)
{
    if (type != QtFatalMsg)
    {
        if (g_previousHandler)
            g_previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fprintf(stderr,
                 "%s : impossible d'ouvrir l'affichage graphique ; le jeu a besoin d'un "
                 "écran (X11 ou Wayland).\n",
                 g_pszOpeningProgram);
    std::fflush(stderr);
    std::_Exit(1);
}

std::string Environment(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}

// The platforms the toolkit will try, in order: a list separated by semicolons, each with
// its options after a colon.
std::vector<std::string> PlatformNames(int argc, char** argv)
{
    std::string list = Environment("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
    {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform")
            list = argv[i + 1];
    }
    std::vector<std::string> names;
    std::string_view rest = list;
    while (!rest.empty())
    {
        const std::size_t nEnd = rest.find(';');
        const std::string_view entry = rest.substr(0, nEnd);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty())
            names.emplace_back(name);
        rest = nEnd == std::string_view::npos ? std::string_view() : rest.substr(nEnd + 1);
    }
    if (names.empty())
        names = {"xcb", "wayland"};
    return names;
}

// X11's display named on the command line rather than in the environment.
bool DisplayArgument(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
    {
        const std::string_view arg = argv[i];
        if (arg == "-display" || arg == "--display")
            return true;
    }
    return false;
}

bool WaylandSocketExists()
{
    if (!Environment("WAYLAND_DISPLAY").empty())
        return true;
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    return !runtime.empty() && access((runtime + "/wayland-0").c_str(), F_OK) == 0;
}
} // namespace

bool GraphicalDisplayAvailable(int argc, char** argv)
{
    for (const std::string& name : PlatformNames(argc, argv))
    {
        if (name == "xcb")
        {
            if (!Environment("DISPLAY").empty() || DisplayArgument(argc, argv))
                return true;
        }
        else if (name.starts_with("wayland"))
        {
            if (WaylandSocketExists())
                return true;
        }
        else
            return true;
    }
    return false;
}

void ReportNoGraphicalDisplay(const char* pszProgram)
{
    std::fprintf(stderr,
                 "%s : aucun affichage graphique n'est disponible ; le jeu a besoin d'un écran "
                 "(X11 ou Wayland).\n",
                 pszProgram);
}

void BeginDisplayOpening(const char* pszProgram)
{
    g_pszOpeningProgram = pszProgram;
    g_previousHandler = qInstallMessageHandler(DisplayOpeningHandler);
}

void EndDisplayOpening()
{
    qInstallMessageHandler(g_previousHandler);
}
