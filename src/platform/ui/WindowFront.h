#pragma once
// Bringing a program's window to the front when a second start hands it
// files: restored from minimised only (a maximised window stays maximised),
// raised and activated. A box open above the window comes along in front of
// it, so its question is seen and answered first.

class QWidget;

namespace platform {

void BringToFront(QWidget* window);

}  // namespace platform
