#include "CAboutDialog.h"

#include "Resource.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}
