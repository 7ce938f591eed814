#pragma once
// The end of the desktop session: SIGTERM and SIGINT close the main window
// the same way the user's close does, so whatever a normal close stores is
// stored. A window that refuses the close stays open.

class QWidget;

namespace platform {

// Installs the signal handlers (once) and makes window the one they close.
void CloseOnSessionEnd(QWidget* window);

}  // namespace platform
