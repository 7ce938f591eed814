#include "frame/ui/InstanceManagerQt.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <set>
#include <system_error>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "frame/CommandLine.h"

namespace {

struct GuardState {
    std::unique_ptr<InstanceLock> lock;
    InstancePaths paths;
    Listener listener;
    // Not QLocalServer: closing that removes the socket file even when it is
    // no longer ours. Set while this instance answers.
    std::unique_ptr<QSocketNotifier> server;
    // Connections whose message has not been answered yet.
    std::set<QLocalSocket*> unanswered;
    uint64_t answered = 0;  // messages answered with 1 so far
    int undelivered = 0;    // of those, the ones still on their way to the handler
};

GuardState& Guard() {
    static GuardState state;
    return state;
}

// One connection: read one message, answer 1, deliver the text later.
void Serve(QLocalSocket* socket) {
    auto reader = std::make_shared<HandOverReader>();
    Guard().unanswered.insert(socket);
    QObject::connect(socket, &QObject::destroyed, [socket] { Guard().unanswered.erase(socket); });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto* stall = new QTimer(socket);
    stall->setSingleShot(true);
    QObject::connect(stall, &QTimer::timeout, socket, [socket] { socket->abort(); });
    stall->start(kInstanceAnswerWaitMs);

    auto onData = [socket, reader] {
        QByteArray bytes = socket->readAll();
        if (reader->Current() != HandOverReader::State::Incomplete) {
            return;
        }
        switch (reader->Feed(bytes.constData(), size_t(bytes.size()))) {
        case HandOverReader::State::Incomplete:
            break;
        case HandOverReader::State::TooLarge:
            socket->abort();
            break;
        case HandOverReader::State::Complete: {
            GuardState& guard = Guard();
            guard.unanswered.erase(socket);
            ++guard.answered;
            ++guard.undelivered;
            std::string answer = EncodeAnswer(1);
            socket->write(answer.data(), qint64(answer.size()));
            socket->flush();
            socket->disconnectFromServer();
            QTimer::singleShot(0, QCoreApplication::instance(), [text = reader->Text()] {
                --Guard().undelivered;
                DeliverCommandLine(text);
            });
            break;
        }
        }
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, onData);
    if (socket->bytesAvailable() > 0) {
        onData();
    }
}

// No start is answered any more: connections that wait, or come, find
// nothing listening, so the start becomes the running instance itself.
void StopListening(GuardState& guard) {
    if (!guard.server) {
        return;
    }
    guard.server.reset();
    ::close(guard.listener.fd);
    guard.listener.fd = -1;
    for (QLocalSocket* socket : std::set<QLocalSocket*>(guard.unanswered)) {
        socket->abort();
        socket->deleteLater();
    }
    guard.unanswered.clear();
}

}  // namespace

InstanceClose::InstanceClose() : answered_(Guard().answered) {}

bool InstanceClose::Interrupted() const {
    const GuardState& guard = Guard();
    return guard.answered != answered_ || guard.undelivered > 0;
}

bool InstanceClose::StopAnswering() {
    if (Interrupted()) {
        return false;
    }
    StopListening(Guard());
    return true;
}

InstanceStart InstanceManagerInit(const std::string& name, const std::string& folder,
                                  const std::string& commandLine) {
    GuardState& guard = Guard();
    guard.paths = InstancePathsFor(folder, name);
    guard.lock = std::make_unique<InstanceLock>(guard.paths.lockFile);
    InstanceStartResult result = StartInstance(*guard.lock, guard.paths, commandLine);
    if (result.start != InstanceStart::First) {
        guard.lock.reset();
        return result.start;
    }
    guard.listener = result.listener;
    guard.server = std::make_unique<QSocketNotifier>(guard.listener.fd, QSocketNotifier::Read);
    QObject::connect(guard.server.get(), &QSocketNotifier::activated, guard.server.get(), [fd = guard.listener.fd] {
        int peer;
        while ((peer = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
            auto* socket = new QLocalSocket(QCoreApplication::instance());
            if (!socket->setSocketDescriptor(peer)) {
                ::close(peer);
                delete socket;
                continue;
            }
            Serve(socket);
        }
    });
    return InstanceStart::First;
}

InstanceStart InstanceManagerInit(const char* name, int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    char buffer[4096];
    std::string cwd = ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    std::string program = OwnExecutablePath();
    if (program.empty() && argc > 0) {
        program = argv[0];
    }
    return InstanceManagerInit(name, InstanceFolder(), BuildHandOverCommandLine(program, args, cwd));
}

void InstanceManagerDone() {
    GuardState& guard = Guard();
    if (guard.lock) {
        // Listening ends first: a start waiting for our answer sees its
        // connection fail and becomes the first instance itself. The file
        // goes under the lock, so that it is never a successor's.
        StopListening(guard);
        bool locked = guard.lock->Acquire(kInstanceLockWaitMs);
        RemoveOwnSocketFile(guard.paths.socketFile, guard.listener);
        if (locked) {
            guard.lock->Release();
        }
    }
    guard.lock.reset();
    guard.listener = {};
    ReceivedCommandLine.clear();
}
