#include "CGameApp.h"

#include "CMainDialog.h"

// The one application object, made before the program starts.
CGameApp theApp;

CGameApp::CGameApp()
{
    // The name of the program's desktop entry and AppStream component.
    SetAppID("org.pivolo.pivolo");
}

bool CGameApp::InitInstance()
{
    Enable3dControls();
    CMainDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // No message loop after the dialog: the program ends here.
    return false;
}
