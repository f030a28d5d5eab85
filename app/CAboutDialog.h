#pragma once

#include "CDialog.h"

// The About box: the icon, the version, where the program was made and who made it. It
// closes on OK, Escape or its close box.
class CAboutDialog : public CDialog
{
public:
    CAboutDialog();
};
