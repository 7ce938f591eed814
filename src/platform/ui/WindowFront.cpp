#include "platform/ui/WindowFront.h"

#include <QApplication>
#include <QWidget>

namespace platform {

void BringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box != window) {
        box->raise();
        box->activateWindow();
    }
}

}  // namespace platform
