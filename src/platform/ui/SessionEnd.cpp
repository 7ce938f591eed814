#include "platform/ui/SessionEnd.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
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

void Install() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char buffer[16];
        while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        if (Target()) {
            Target()->close();
        } else {
            QCoreApplication::quit();
        }
    });
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

}  // namespace platform
