#include "CMainDialog.h"
#include "CWinApp.h"

namespace
{
// Runs the main dialog modally, then lets the program end.
class CStartupApp : public CWinApp
{
public:
    bool InitInstance() override
    {
        Enable3dControls();
        CMainDialog dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return false;
    }
};

CStartupApp theApp;
} // namespace

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
