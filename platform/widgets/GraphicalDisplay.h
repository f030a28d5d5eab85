#pragma once

// Whether one of the window systems the toolkit will try has a display to connect to: the
// platforms named by a -platform argument or QT_QPA_PLATFORM, else X11 and Wayland. An X11
// display is named by DISPLAY; a Wayland one by WAYLAND_DISPLAY, or is the default socket
// of XDG_RUNTIME_DIR. Platforms that need no display (offscreen, vnc...) always have one.
// Asked before the toolkit starts, which would abort without a word of its own.
bool GraphicalDisplayAvailable(int argc, char** argv);

// Says on standard error, in French and after the program's name, that no display is there.
void ReportNoGraphicalDisplay(const char* pszProgram);
// From here to EndDisplayOpening, a display the toolkit fails to open, which it would end with
// an abort, ends the program with status 1, after the toolkit's own words and a French line
// that starts with the program's name.
void BeginDisplayOpening(const char* pszProgram);
void EndDisplayOpening();
