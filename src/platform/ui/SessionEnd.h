#pragma once
// The end of the desktop session: SIGTERM and SIGINT end the program at any
// moment, also while a box is open or before the message loop runs. The open
// boxes are closed (answered as a closed window would answer), every event
// loop returns, boxes raised on the way out are closed at once, and then the
// main window closes the way the user's close does, so whatever a normal
// close stores is stored. A window that refuses the close stays open and the
// program goes on.

class QWidget;

namespace platform {

// Installs the signal handlers (once) and makes window the one a session end
// closes; nullptr before the main window exists.
void CloseOnSessionEnd(QWidget* window);

// A session end has come and its close has not run yet.
bool SessionEndRequested();

// The program's message loop: returns its status when the last window
// closes, or 0 once a session end has closed the main window.
int RunUntilSessionEnd();

}  // namespace platform
