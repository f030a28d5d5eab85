#include "CWinApp.h"

#include "CQtLook.h"
#include "CQtPlatform.h"
#include "CThread.h"
#include "GraphicalDisplay.h"

#include <QApplication>
#include <QFileInfo>

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
CWinApp* g_pApp = nullptr;

// The program's name as the user typed it, first on each of its messages.
const char* g_pszProgram = "pivolo";
} // namespace

CWinApp::CWinApp(const char* pszAppName) : m_appName(pszAppName ? pszAppName : "")
{
    assert(!g_pApp && "one application object only");
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    g_pApp = nullptr;
}

bool CWinApp::InitInstance()
{
    return true;
}

int CWinApp::Run(int argc, char** argv)
{
    if (argc > 0 && argv[0] && *argv[0])
    {
        const char* pszSlash = std::strrchr(argv[0], '/');
        g_pszProgram = pszSlash ? pszSlash + 1 : argv[0];
    }
    if (!GraphicalDisplayAvailable(argc, argv))
    {
        ReportNoGraphicalDisplay(g_pszProgram);
        return 1;
    }
    BeginDisplayOpening(g_pszProgram);
    QApplication application(argc, argv);
    EndDisplayOpening();
    if (m_appName.empty())
        m_appName = QFileInfo(QCoreApplication::applicationFilePath())
                        .completeBaseName()
                        .toUtf8()
                        .toStdString();
    QCoreApplication::setApplicationName(QString::fromUtf8(m_appName.c_str()));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(m_appID.c_str()));
    CQtPlatform platform;
    CPlatform* pPrevious = CPlatform::Install(&platform);
    int nExitCode = 0;
    if (InitInstance())
        nExitCode = QApplication::exec();
    m_pMainWnd = nullptr;
    CPlatform::Install(pPrevious);
    return nExitCode;
}

void CWinApp::Enable3dControls()
{
    ApplyThreeDimensionalLook();
}

void CWinApp::SetAppID(const char* pszAppID)
{
    m_appID = pszAppID ? pszAppID : "";
    if (QGuiApplication::instance())
        QGuiApplication::setDesktopFileName(QString::fromUtf8(m_appID.c_str()));
}

std::string CWinApp::GetTitle() const
{
    return m_appName;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

int AfxWinMain(int argc, char** argv)
{
    assert(g_pApp && "the program has no application object");
    const int nExitCode = g_pApp ? g_pApp->Run(argc, argv) : 1;
    // A sound worker left blocked in its device must neither see the program's statics
    // destroyed under it nor hold up their destruction: the process ends here at once.
    if (CThread::LeftRunningCount() > 0)
    {
        std::fflush(nullptr);
        std::_Exit(nExitCode);
    }
    return nExitCode;
}
