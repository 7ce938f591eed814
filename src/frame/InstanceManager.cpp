#include "frame/InstanceManager.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>

std::string ReceivedCommandLine;
std::function<void()> OnCommandLineReceived;

void DeliverCommandLine(const std::string& commandLine) {
    ReceivedCommandLine = commandLine;
    if (OnCommandLineReceived) {
        OnCommandLineReceived();
    }
}

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// Waits for one poll event on fd; false on time-out or error.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        int n = ::poll(&p, 1, RemainingMs(deadline));
        if (n > 0) {
            return true;
        }
        if (n == 0 || errno != EINTR) {
            return false;
        }
    }
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

bool IsPrivateFolder(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    int Take() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::string EncodeLength(uint32_t n) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = char((n >> (8 * i)) & 0xff);
    }
    return bytes;
}

uint32_t DecodeLength(const std::string& bytes) {
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i) {
        n |= uint32_t(uint8_t(bytes[i])) << (8 * i);
    }
    return n;
}

}  // namespace

std::string InstanceFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
        struct stat st {};
        if (::stat(runtime, &st) == 0 && IsPrivateFolder(st)) {
            std::string folder = runtime;
            while (folder.size() > 1 && folder.back() == '/') {
                folder.pop_back();
            }
            return folder;
        }
    }
    std::string folder = "/tmp/pelko32-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        ThrowErrno(folder);
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        ThrowErrno(folder);
    }
    // Someone else's folder, a link, or one others may enter.
    if (!IsPrivateFolder(st)) {
        throw std::system_error(EPERM, std::generic_category(), folder);
    }
    return folder;
}

InstancePaths InstancePathsFor(const std::string& folder, const std::string& name) {
    std::string base = folder + "/" + kInstanceClassName + "." + name;
    InstancePaths paths{base + ".lock", base + ".sock"};
    sockaddr_un address{};
    if (!FillAddress(paths.socketFile, address)) {
        throw std::system_error(ENAMETOOLONG, std::generic_category(), paths.socketFile);
    }
    return paths;
}

InstanceLock::InstanceLock(const std::string& path) {
    fd_ = ::open(path.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        ThrowErrno(path);
    }
}

InstanceLock::~InstanceLock() {
    Release();
    ::close(fd_);
}

bool InstanceLock::Acquire(int timeoutMs) {
    if (held_) {
        return true;
    }
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void InstanceLock::Release() {
    if (held_) {
        ::flock(fd_, LOCK_UN);
        held_ = false;
    }
}

std::string EncodeHandOver(const std::string& commandLine) {
    return EncodeLength(uint32_t(commandLine.size())) + commandLine;
}

std::string EncodeAnswer(int32_t answer) {
    return EncodeLength(uint32_t(answer));
}

HandOverReader::State HandOverReader::Feed(const char* data, size_t size) {
    while (size > 0 && state_ == State::Incomplete) {
        if (header_.size() < 4) {
            size_t take = std::min(size, 4 - header_.size());
            header_.append(data, take);
            data += take;
            size -= take;
            if (header_.size() < 4) {
                break;
            }
            length_ = DecodeLength(header_);
            if (length_ > maxBytes_) {
                state_ = State::TooLarge;
                break;
            }
        }
        size_t take = std::min<size_t>(size, length_ - text_.size());
        text_.append(data, take);
        data += take;
        size -= take;
        if (text_.size() == length_) {
            state_ = State::Complete;
        }
    }
    return state_;
}

SendResult SendHandOver(const std::string& socketFile, const std::string& commandLine, int waitMs) {
    sockaddr_un address{};
    if (!FillAddress(socketFile, address)) {
        return SendResult::NoListener;
    }
    Fd sock(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (sock.Get() < 0) {
        ThrowErrno("socket");
    }
    // A missing file, a stale socket or anything else that does not accept.
    if (::connect(sock.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return SendResult::NoListener;
    }
    ::fcntl(sock.Get(), F_SETFL, ::fcntl(sock.Get(), F_GETFL) | O_NONBLOCK);
    auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);

    std::string message = EncodeHandOver(commandLine);
    size_t sent = 0;
    while (sent < message.size()) {
        ssize_t n = ::send(sock.Get(), message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(sock.Get(), POLLOUT, deadline)) {
                return SendResult::Refused;
            }
        } else {
            return SendResult::Refused;
        }
    }

    std::string answer;
    while (answer.size() < 4) {
        char buffer[4];
        ssize_t n = ::recv(sock.Get(), buffer, 4 - answer.size(), 0);
        if (n > 0) {
            answer.append(buffer, size_t(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(sock.Get(), POLLIN, deadline)) {
                return SendResult::Refused;
            }
        } else {
            return SendResult::Refused;
        }
    }
    return int32_t(DecodeLength(answer)) > 0 ? SendResult::Accepted : SendResult::Refused;
}

Listener ListenAt(const std::string& socketFile) {
    sockaddr_un address{};
    if (!FillAddress(socketFile, address)) {
        throw std::system_error(ENAMETOOLONG, std::generic_category(), socketFile);
    }
    if (::unlink(socketFile.c_str()) != 0 && errno != ENOENT) {
        ThrowErrno(socketFile);
    }
    Fd sock(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (sock.Get() < 0) {
        ThrowErrno("socket");
    }
    if (::bind(sock.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ThrowErrno(socketFile);
    }
    // The folder already keeps others out; the file says so too.
    ::chmod(socketFile.c_str(), 0600);
    if (::listen(sock.Get(), 16) != 0) {
        ThrowErrno(socketFile);
    }
    struct stat st {};
    if (::stat(socketFile.c_str(), &st) != 0) {
        ThrowErrno(socketFile);
    }
    return Listener{sock.Take(), st.st_dev, st.st_ino};
}

void RemoveOwnSocketFile(const std::string& socketFile, const Listener& listener) {
    struct stat st {};
    if (listener.fd >= 0 && ::lstat(socketFile.c_str(), &st) == 0 && st.st_dev == listener.device &&
        st.st_ino == listener.inode) {
        ::unlink(socketFile.c_str());
    }
}

InstanceStartResult StartInstance(InstanceLock& lock, const InstancePaths& paths, const std::string& commandLine,
                                  int lockWaitMs) {
    if (!lock.Acquire(lockWaitMs)) {
        return {InstanceStart::End, {}};
    }
    struct Unlock {
        InstanceLock& lock;
        ~Unlock() { lock.Release(); }
    } unlock{lock};

    switch (SendHandOver(paths.socketFile, commandLine)) {
    case SendResult::Accepted:
        return {InstanceStart::End, {}};
    case SendResult::Refused:
        return {InstanceStart::WithoutGuard, {}};
    case SendResult::NoListener:
        break;
    }
    return {InstanceStart::First, ListenAt(paths.socketFile)};
}
