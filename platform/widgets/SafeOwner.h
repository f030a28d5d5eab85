#pragma once

class QWidget;

// The window that a new secondary window of the program (a dialog opened without a
// parent, a message box) belongs to: the modal window on top, else the application's main
// window, else the active window; nullptr when there is none. An owned window stays over
// its owner, has no taskbar entry of its own and shows its owner's icon.
QWidget* SafeOwner();

// Centres an owned window over its owner, client area over client area, within the
// owner's screen. The toolkit's own placement guesses the frames' sizes.
void CentreOverOwner(QWidget& window);
