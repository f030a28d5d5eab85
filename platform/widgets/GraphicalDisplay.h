#pragma once

// Whether one of the window systems the toolkit will try has a display to connect to: the
// platforms named by a -platform argument or QT_QPA_PLATFORM, else X11 and Wayland. An X11
// display is named by DISPLAY; a Wayland one by WAYLAND_DISPLAY, or is the default socket
// of XDG_RUNTIME_DIR. Platforms that need no display (offscreen, vnc...) always have one.
// Asked before the toolkit starts, which would abort without a word of its own.
bool GraphicalDisplayAvailable(int argc, char** argv);
