#pragma once

#include "CIcon.h"

#include <string>

class CDialog;

// The application object. Exactly one exists, constructed before the program starts; its
// title, the caption of every message box, is the program file's name without its
// extension unless a name is given.
class CWinApp
{
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The start-up routine; false ends the program without entering the message loop.
    virtual bool InitInstance();

    // Creates the toolkit's application, installs the windowed platform, runs the start-up
    // routine and, if it returns true, the message loop. Returns the exit code.
    int Run(int argc, char** argv);

    // The grey three-dimensional look of dialogs and controls.
    void Enable3dControls();
    // Names the program's desktop entry (its file name without ".desktop"), by which docks
    // and compositors link the program's windows to its name and icon.
    void SetAppID(const char* pszAppID);
    HICON LoadIcon(unsigned nId) const { return CIcon::Load(nId); }
    std::string GetTitle() const;

    CDialog* m_pMainWnd = nullptr;

private:
    std::string m_appName;
    std::string m_appID;
};

CWinApp* AfxGetApp();
// The program's entry: runs the one application object.
int AfxWinMain(int argc, char** argv);
