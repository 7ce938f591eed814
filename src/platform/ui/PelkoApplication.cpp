#include "platform/ui/PelkoApplication.h"

#include <cstdio>
#include <exception>

#include "platform/Dialogs.h"

namespace platform {

PelkoApplication::PelkoApplication(int& argc, char** argv, const QString& title) : QApplication(argc, argv) {
    setApplicationName(title);
    setApplicationDisplayName(title);
}

bool PelkoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unbekannte Ausnahme");
    }
    return false;
}

void PelkoApplication::ShowException(const std::string& message) {
    // The box runs its own event loop; a failure inside it must not recurse.
    static bool showing = false;
    if (showing) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return;
    }
    showing = true;
    try {
        Dialogs().ShowException(message);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n%s\n", message.c_str(), e.what());
    }
    showing = false;
}

}  // namespace platform
