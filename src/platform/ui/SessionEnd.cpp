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

QPointer<QWidget>& Target() {
    static QPointer<QWidget> window;
    return window;
}

bool requested = false;   // on the way out: loops return, boxes close at once
bool inMainLoop = false;  // RunUntilSessionEnd is in exec()
bool closing = false;     // the main window's close runs; it may ask

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

// A box raised by the code that runs on after a closed box closes as soon
// as its own loop runs.
class CloseRaisedBoxes : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog != nullptr && dialog->isModal()) {
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

CloseRaisedBoxes& BoxCloser() {
    static CloseRaisedBoxes closer;
    return closer;
}

void OnSessionEnd() {
    char buffer[16];
    while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    // Already on the way out, or the close is asking its questions.
    if (requested || closing) return;
    requested = true;
    qApp->installEventFilter(&BoxCloser());
    CloseModalWindows();
    // Every loop returns, the nested ones first; outside the message loop
    // the code simply runs to its end.
    if (inMainLoop) QCoreApplication::exit(0);
}

void Install() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &OnSessionEnd);
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
    Target() = window;
}

bool SessionEndRequested() { return requested; }

int RunUntilSessionEnd() {
    for (;;) {
        int status = 0;
        if (!requested) {
            inMainLoop = true;
            status = QApplication::exec();
            inMainLoop = false;
        }
        if (!requested) return status;
        qApp->removeEventFilter(&BoxCloser());
        CloseModalWindows();
        requested = false;
        QWidget* window = Target();
        if (window == nullptr || !window->isVisible()) return 0;
        closing = true;
        const bool closed = window->close();
        closing = false;
        if (closed) return 0;
    }
}

}  // namespace platform
