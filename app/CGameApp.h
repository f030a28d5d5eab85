#pragma once

#include "CWinApp.h"

// The application: runs the main dialog modally, then lets the program end. Its title, the
// caption of every message box, is the program file's name.
class CGameApp : public CWinApp
{
public:
    CGameApp();
    bool InitInstance() override;
};
