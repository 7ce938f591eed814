#pragma once
// One running instance per program and user. The first start holds a
// listening local socket; a later start hands its command line over through
// that socket and ends. A lock file, held with flock, serialises overlapping
// starts: only one start at a time looks for the socket, sends, or creates it.
//
// This is the plain POSIX half; ui/InstanceManagerQt.h serves the socket in
// the event loop.

#include <cstdint>
#include <functional>
#include <string>
#include <ctime>
#include <sys/types.h>

// The guard names of the two programs.
inline constexpr const char* kPelkoInstanceMutexName = "Pelko32_is_active123";
inline constexpr const char* kHelpViewerInstanceMutexName = "Pelko32_HELPVIEWER_is_active123";

// Shared by both programs; the guard name tells them apart.
inline constexpr const char* kInstanceClassName = "TInstanceManager";

inline constexpr int kInstanceLockWaitMs = 5000;
// Time a sender waits for the answer, and a receiver for a stalled message.
// A running instance that answers later still gets the command line.
inline constexpr int kInstanceAnswerWaitMs = 5000;
// Longest command line a running instance accepts.
inline constexpr uint32_t kMaxHandOverBytes = 1u << 20;

// The command line received last, and the handler the main window sets.
extern std::string ReceivedCommandLine;
extern std::function<void()> OnCommandLineReceived;

// Stores a received command line and calls the handler, if any.
void DeliverCommandLine(const std::string& commandLine);

// $XDG_RUNTIME_DIR when it is a folder of this user's that no one else may
// enter; else pelko32-<uid> in the user's cache folder ($XDG_CACHE_HOME or
// ~/.cache), created with mode 0700. Nothing another user may create or
// remove decides the choice. Throws std::system_error when the folder cannot
// be used.
std::string InstanceFolder();

struct InstancePaths {
    std::string lockFile;
    std::string socketFile;  // of any length: a long one is reached through its folder
};
InstancePaths InstancePathsFor(const std::string& folder, const std::string& name);

// The lock file. It is never deleted; flock ends with the process, so a
// crashed instance leaves no lock behind.
class InstanceLock {
public:
    explicit InstanceLock(const std::string& path);  // throws std::system_error
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries until the lock is taken or timeoutMs have passed.
    bool Acquire(int timeoutMs);
    void Release();

private:
    int fd_ = -1;
    bool held_ = false;
};

// Length-prefixed message: four bytes little-endian, then the text.
std::string EncodeHandOver(const std::string& commandLine);
std::string EncodeAnswer(int32_t answer);

// Collects the bytes of one message as they arrive.
class HandOverReader {
public:
    enum class State { Incomplete, Complete, TooLarge };
    explicit HandOverReader(uint32_t maxBytes = kMaxHandOverBytes) : maxBytes_(maxBytes) {}
    // Bytes after a complete message are ignored.
    State Feed(const char* data, size_t size);
    State Current() const { return state_; }
    const std::string& Text() const { return text_; }

private:
    uint32_t maxBytes_;
    State state_ = State::Incomplete;
    std::string header_;
    uint32_t length_ = 0;
    std::string text_;
};

enum class SendResult {
    NoListener,  // nothing listens: the caller may become the first instance
    Accepted,    // the running instance answered more than 0
    Refused,     // it answered 0 or less
    NoAnswer,    // no answer within the wait: a slow or stopped instance
    BrokenOff,   // the connection ended before the answer
};
// Connects to the socket, sends the command line and waits up to waitMs for
// the answer.
SendResult SendHandOver(const std::string& socketFile, const std::string& commandLine,
                        int waitMs = kInstanceAnswerWaitMs);

// A listening socket at socketFile; a stale socket file is replaced. Call it
// only while holding the lock and after SendHandOver found no listener.
struct Listener {
    int fd = -1;
    // The file: an inode number alone may come back for a successor's file.
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
};
Listener ListenAt(const std::string& socketFile);  // throws std::system_error
// Removes the socket file only while it is still the one ListenAt made,
// also after its descriptor has been closed.
void RemoveOwnSocketFile(const std::string& socketFile, const Listener& listener);

// What a program's start does next.
enum class InstanceStart {
    First,         // this is the running instance now, and listens
    WithoutGuard,  // the running instance refused: go on without listening
    End,           // handed over, or no lock or no answer within the wait: end with status 0
};

struct InstanceStartResult {
    InstanceStart start = InstanceStart::End;
    Listener listener;  // set for First
};
// Takes the lock, hands the command line over or starts listening, and
// releases the lock. A start becomes the first instance only when nothing
// listens any more: a running instance that is slow or breaks off the
// connection while it lives keeps the guard. Throws std::system_error when
// the socket cannot be made.
InstanceStartResult StartInstance(InstanceLock& lock, const InstancePaths& paths, const std::string& commandLine,
                                  int lockWaitMs = kInstanceLockWaitMs, int answerWaitMs = kInstanceAnswerWaitMs);
