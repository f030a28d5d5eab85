#pragma once

// Identifiers of the program's resources and of the main dialog's controls.

// Dialog templates and strings.
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDS_ABOUTBOX = 101;
inline constexpr unsigned IDD_PIVOLO_DIALOG = 102;

// Pictures.
inline constexpr unsigned IDR_MAINFRAME = 128; // the icon
inline constexpr unsigned IDB_BACKGROUND = 138;

// Sound clips, of resource type "WAV".
inline constexpr unsigned IDW_SUCCESS_EVEN = 135;
inline constexpr unsigned IDW_STARTUP = 137;
inline constexpr unsigned IDW_SUCCESS_ODD = 140;
inline constexpr unsigned IDW_TOGGLE = 141;

// Controls of the main dialog.
inline constexpr int IDOK_COMPUTE = 1; // the dialog's OK button, "&Calculer"
inline constexpr int IDCANCEL_BUTTON = 2;
inline constexpr int IDC_TILE1 = 1000;
inline constexpr int IDC_TILE2 = 1001;
inline constexpr int IDC_TILE3 = 1002;
inline constexpr int IDC_TILE4 = 1003;
inline constexpr int IDC_TILE5 = 1004;
inline constexpr int IDC_TILE6 = 1005;
inline constexpr int IDC_TARGET = 1006;
inline constexpr int IDC_TIME = 1007;
inline constexpr int IDC_RANDOM_DRAW = 1008;
inline constexpr int IDC_SHOW_TILES = 1009;
inline constexpr int IDC_SOLUTION = 1010;
inline constexpr int IDC_SOUND_TOGGLE = 1011;
inline constexpr int IDC_ABOUT = 1012;

// The About entry of the system menu.
inline constexpr unsigned IDM_ABOUTBOX = 16;
