#include "platform/ui/PelkoApplication.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/Dialogs.h"
#include "platform/ui/ModalsAbove.h"
#include "platform/ui/QtGerman.h"

namespace platform {

namespace {

// Without any display (a headless session, a CI machine) the program still
// starts and ends normally instead of aborting in the display plugin.
int& PreparePlatform(int& argc) {
    auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    return argc;
}

}  // namespace

PelkoApplication::PelkoApplication(int& argc, char** argv, const QString& title)
    : QApplication(PreparePlatform(argc), argv) {
    SpeakGerman(*this);
    KeepModalsAbove(*this);
    // Only the name: a display name would be added to every window title.
    setApplicationName(title);
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
