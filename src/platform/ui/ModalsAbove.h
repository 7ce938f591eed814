#pragma once
// A modal window of the program comes above every window of the program that
// stays on top (the start wizard, the search-in-files progress, a help viewer
// kept in front) for as long as it is open, whoever opens it. Otherwise the
// window manager stacks a box of the main window under the wizard, and the
// program looks frozen.

class QApplication;

namespace platform {

// Watches every window the application shows; installing it twice does nothing.
void KeepModalsAbove(QApplication& app);

}  // namespace platform
