#pragma once

#include "CDialogTemplate.h"

// The dialog templates and the string table of the program, as data.
extern const DLGTEMPLATE g_mainDialogTemplate; // IDD_PIVOLO_DIALOG
extern const DLGTEMPLATE g_aboutBoxTemplate;   // IDD_ABOUTBOX
