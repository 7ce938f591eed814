#include "platform/ui/SessionEnd.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace platform {
namespace {

// A signal handler may only write a byte; the event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    int saved = errno;
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

void CloseModalWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        QPointer<QWidget> window = widget;
        if (window == nullptr || !window->isVisible() || !window->isModal()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(window.data())) {
            dialog->reject();
        } else {
            window->close();
        }
    }
}

// The way of one session end through the program. Its phases follow one
// another in this order only:
//
//   Running --signal--> Ending --every loop has returned--> Closing --> Running
//
// Ending: every event loop returns, the nested ones first, and each modal
// box closes as soon as it shows, so the code that runs on after a closed
// box asks nothing more. Closing: the main window closes the way the user's
// close does, and its boxes ask as usual. A refused close leaves the program
// running; a done one ends it.
class SessionEnd : public QObject {
public:
    enum class Phase { Running, Ending, Closing };

    Phase Current() const { return phase_; }
    void SetWindow(QWidget* window) { window_ = window; }

    // A signal ends the session in Running only; while it ends already, or
    // its close asks, a further one changes nothing.
    void Signal() {
        if (phase_ != Phase::Running) return;
        phase_ = Phase::Ending;
        CloseModalWindows();
        // Outside the message loop the code simply runs to its end.
        if (inMainLoop_) QCoreApplication::exit(0);
    }

    int Run() {
        for (;;) {
            int status = 0;
            if (phase_ == Phase::Running) {
                inMainLoop_ = true;
                status = QApplication::exec();
                inMainLoop_ = false;
            }
            if (phase_ == Phase::Running) return status;
            CloseModalWindows();
            if (window_ == nullptr || !window_->isVisible()) {
                phase_ = Phase::Running;
                return 0;
            }
            phase_ = Phase::Closing;
            const bool closed = window_->close();
            phase_ = Phase::Running;
            if (closed) return 0;
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (phase_ == Phase::Ending && event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog != nullptr && dialog->isModal()) {
                // Closed once a loop runs. A box shown when every loop has
                // been told to return runs none; the same box may then be
                // asked again in the close, and that time it stays.
                auto close = [this, dialog] {
                    if (phase_ == Phase::Ending) dialog->reject();
                };
                QMetaObject::invokeMethod(dialog, close, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    Phase phase_ = Phase::Running;
    bool inMainLoop_ = false;  // Run is inside exec()
    QPointer<QWidget> window_;
};

SessionEnd& TheSessionEnd() {
    static SessionEnd session;
    return session;
}

void OnSessionEnd() {
    char buffer[16];
    while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    TheSessionEnd().Signal();
}

void Install() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &OnSessionEnd);
    qApp->installEventFilter(&TheSessionEnd());
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace

void CloseOnSessionEnd(QWidget* window) {
    if (signalPipe[0] < 0) Install();
    TheSessionEnd().SetWindow(window);
}

bool SessionEndRequested() { return TheSessionEnd().Current() == SessionEnd::Phase::Ending; }

int RunUntilSessionEnd() { return TheSessionEnd().Run(); }

}  // namespace platform
