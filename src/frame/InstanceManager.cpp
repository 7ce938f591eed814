#include "frame/InstanceManager.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
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

// A socket file's address. A path too long for an address is reached
// through an open descriptor of its folder.
class SocketAddress {
public:
    explicit SocketAddress(const std::string& path) {
        std::memset(&address_, 0, sizeof address_);
        address_.sun_family = AF_UNIX;
        std::string reachable = path;
        if (path.size() >= sizeof address_.sun_path) {
            const size_t slash = path.rfind('/');
            const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
            folder_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (folder_ < 0) {
                return;
            }
            reachable = "/proc/self/fd/" + std::to_string(folder_) + path.substr(slash);
        }
        if (reachable.size() < sizeof address_.sun_path) {
            std::memcpy(address_.sun_path, reachable.data(), reachable.size());
            valid_ = true;
        }
    }
    ~SocketAddress() {
        if (folder_ >= 0) {
            ::close(folder_);
        }
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool Valid() const { return valid_; }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&address_); }
    socklen_t Size() const { return sizeof address_; }

private:
    sockaddr_un address_{};
    int folder_ = -1;
    bool valid_ = false;
};

bool IsPrivateFolder(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// Makes the folder (mode 0700) when it is missing. 0 when it is then a
// folder, not a link, of this user's that no one else may enter; else the
// error.
int MakePrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return errno;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        return errno;
    }
    return IsPrivateFolder(st) ? 0 : EPERM;
}

std::string AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

// $XDG_CACHE_HOME, else ~/.cache; the folders missing on the way are
// created with mode 0700.
std::string CacheFolder() {
    std::string cache = AbsoluteFromEnvironment("XDG_CACHE_HOME");
    if (cache.empty()) {
        std::string home = AbsoluteFromEnvironment("HOME");
        if (home.empty()) {
            if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
                home = user->pw_dir;
            }
        }
        if (home.empty()) {
            return "";
        }
        cache = WithoutTrailingSlashes(home) + "/.cache";
    }
    cache = WithoutTrailingSlashes(cache);
    for (size_t slash = cache.find('/', 1); slash != std::string::npos; slash = cache.find('/', slash + 1)) {
        ::mkdir(cache.substr(0, slash).c_str(), 0700);
    }
    ::mkdir(cache.c_str(), 0700);
    return cache;
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
    if (std::string runtime = AbsoluteFromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty()) {
        struct stat st {};
        if (::stat(runtime.c_str(), &st) == 0 && IsPrivateFolder(st)) {
            return WithoutTrailingSlashes(runtime);
        }
    }
    // Never a shared folder such as /tmp: another user could make or remove
    // our name there between two starts and so send them to different places.
    const std::string cache = CacheFolder();
    if (cache.empty()) {
        throw std::system_error(ENOENT, std::generic_category(), "$HOME");
    }
    const std::string folder = cache + "/pelko32-" + std::to_string(::getuid());
    if (const int error = MakePrivateFolder(folder); error != 0) {
        throw std::system_error(error, std::generic_category(), folder);
    }
    return folder;
}

InstancePaths InstancePathsFor(const std::string& folder, const std::string& name) {
    std::string base = folder + "/" + kInstanceClassName + "." + name;
    return InstancePaths{base + ".lock", base + ".sock"};
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
    SocketAddress address(socketFile);
    if (!address.Valid()) {
        return SendResult::NoListener;
    }
    Fd sock(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (sock.Get() < 0) {
        ThrowErrno("socket");
    }
    auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    if (::connect(sock.Get(), address.Get(), address.Size()) != 0) {
        // A stopped instance whose queue of connections is full.
        if (errno == EAGAIN) {
            return SendResult::NoAnswer;
        }
        // A missing file, a stale socket or anything else that does not accept.
        return SendResult::NoListener;
    }

    std::string message = EncodeHandOver(commandLine);
    size_t sent = 0;
    while (sent < message.size()) {
        ssize_t n = ::send(sock.Get(), message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(sock.Get(), POLLOUT, deadline)) {
                return SendResult::NoAnswer;
            }
        } else {
            return SendResult::BrokenOff;
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
                return SendResult::NoAnswer;
            }
        } else {
            return SendResult::BrokenOff;
        }
    }
    return int32_t(DecodeLength(answer)) > 0 ? SendResult::Accepted : SendResult::Refused;
}

Listener ListenAt(const std::string& socketFile) {
    SocketAddress address(socketFile);
    if (!address.Valid()) {
        throw std::system_error(ENAMETOOLONG, std::generic_category(), socketFile);
    }
    if (::unlink(socketFile.c_str()) != 0 && errno != ENOENT) {
        ThrowErrno(socketFile);
    }
    Fd sock(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (sock.Get() < 0) {
        ThrowErrno("socket");
    }
    if (::bind(sock.Get(), address.Get(), address.Size()) != 0) {
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
    return Listener{sock.Take(), st.st_dev, st.st_ino, st.st_ctim};
}

void RemoveOwnSocketFile(const std::string& socketFile, const Listener& listener) {
    struct stat st {};
    if (listener.inode != 0 && ::lstat(socketFile.c_str(), &st) == 0 && st.st_dev == listener.device &&
        st.st_ino == listener.inode && st.st_ctim.tv_sec == listener.changed.tv_sec &&
        st.st_ctim.tv_nsec == listener.changed.tv_nsec) {
        ::unlink(socketFile.c_str());
    }
}

InstanceStartResult StartInstance(InstanceLock& lock, const InstancePaths& paths, const std::string& commandLine,
                                  int lockWaitMs, int answerWaitMs) {
    if (!lock.Acquire(lockWaitMs)) {
        return {InstanceStart::End, {}};
    }
    struct Unlock {
        InstanceLock& lock;
        ~Unlock() { lock.Release(); }
    } unlock{lock};

    auto deadline = Clock::now() + std::chrono::milliseconds(answerWaitMs);
    for (;;) {
        switch (SendHandOver(paths.socketFile, commandLine, RemainingMs(deadline))) {
        case SendResult::Accepted:
        case SendResult::NoAnswer:
            // A slow instance still gets the text when it reads it.
            return {InstanceStart::End, {}};
        case SendResult::Refused:
            return {InstanceStart::WithoutGuard, {}};
        case SendResult::BrokenOff:
            // An instance on its way out, or one that turned the message
            // down: ask again until nothing listens or the time is up.
            if (RemainingMs(deadline) == 0) {
                return {InstanceStart::End, {}};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        case SendResult::NoListener:
            break;
        }
        return {InstanceStart::First, ListenAt(paths.socketFile)};
    }
}
