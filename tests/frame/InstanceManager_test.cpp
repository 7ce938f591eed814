#include "frame/InstanceManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <system_error>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "frame/CommandLine.h"
#include "frame/ui/InstanceManagerQt.h"

namespace {

// waitForFinished is false for a process that has already ended.
bool Finished(QProcess* process) {
    return process->state() == QProcess::NotRunning || process->waitForFinished(5000);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

class GuardFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pelko-guard-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        // The folder is the test's own, so the name need not be unique.
        name_ = "Pelko32_test";
        paths_ = InstancePathsFor(folder_, name_);
    }
    void TearDown() override {
        for (QProcess* p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(2000);
            }
            delete p;
        }
        std::string command = "rm -rf '" + folder_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    // A start whose guard folder is guardFolder, else the test's folder.
    QProcess* Start(const std::string& name, const QStringList& args = {}, const std::string& guardFolder = "") {
        auto* process = new QProcess;
        processes_.push_back(process);
        process->setWorkingDirectory(QString::fromStdString(folder_));
        const std::string guard = guardFolder.empty() ? folder_ : guardFolder;
        process->start(INSTANCE_HELPER, QStringList{QString::fromStdString(guard), QString::fromStdString(name)} + args);
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }

    // The next line the helper prints.
    static std::string Line(QProcess* process, int timeoutMs = 10000) {
        QElapsedTimer timer;
        timer.start();
        while (!process->canReadLine() && timer.elapsed() < timeoutMs) {
            if (!process->waitForReadyRead(100) && process->state() == QProcess::NotRunning) {
                break;
            }
        }
        return process->readLine().trimmed().toStdString();
    }

    static std::string Hex(const std::string& bytes) {
        std::string hex;
        for (unsigned char c : bytes) {
            static const char digits[] = "0123456789abcdef";
            hex += digits[c >> 4];
            hex += digits[c & 15];
        }
        return hex;
    }

    std::string folder_;
    std::string name_;
    InstancePaths paths_;
    std::vector<QProcess*> processes_;
};

}  // namespace

TEST_F(GuardFolder, SecondStartHandsItsArgumentsOverAndEndsAtOnce) {
    std::ofstream(folder_ + "/b c.plk") << "x";
    std::ofstream(folder_ + "/Übung.plk") << "x";
    QProcess* first = Start(name_);
    ASSERT_EQ(Line(first), "first");

    QElapsedTimer timer;
    timer.start();
    QProcess* second = Start(name_, {"b c.plk", "Übung.plk", "/a", "fehlt.plk"});
    ASSERT_TRUE(Finished(second));
    // Answered, not ended by a wait for the guard or the answer running out.
    EXPECT_LT(timer.elapsed(), kInstanceAnswerWaitMs);
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardOutput().isEmpty());

    std::string helper = std::filesystem::canonical(INSTANCE_HELPER).string();
    std::string expected = "\"" + helper + "\" \"" + folder_ + "/b c.plk\" \"" + folder_ +
                           "/Übung.plk\" \"/a\" \"fehlt.plk\"";
    EXPECT_EQ(Line(first), "got " + Hex(expected));
    ASSERT_TRUE(Finished(first));
    EXPECT_EQ(first->exitCode(), 0);
    // The instance that ended took its socket along; the lock file stays.
    EXPECT_FALSE(Exists(paths_.socketFile));
    EXPECT_TRUE(Exists(paths_.lockFile));
}

TEST_F(GuardFolder, SocketLeftByACrashedInstanceDoesNotStopTheNextStart) {
    QProcess* crashed = Start(name_);
    ASSERT_EQ(Line(crashed), "first");
    crashed->kill();
    ASSERT_TRUE(Finished(crashed));
    ASSERT_TRUE(Exists(paths_.socketFile));

    QProcess* next = Start(name_);
    EXPECT_EQ(Line(next), "first");
    QProcess* third = Start(name_, {"x"});
    ASSERT_TRUE(Finished(third));
    EXPECT_EQ(third->exitCode(), 0);
    EXPECT_EQ(Line(next).substr(0, 4), "got ");
}

TEST_F(GuardFolder, TwoNamesDoNotMeetAndOverlappingStartsLeaveOneInstance) {
    std::string otherName = name_ + "_viewer";
    QProcess* main = Start(name_);
    QProcess* viewer = Start(otherName);
    EXPECT_EQ(Line(main), "first");
    EXPECT_EQ(Line(viewer), "first");
    // Each hand-over reaches the instance of its own name.
    QProcess* toViewer = Start(otherName, {"seite"});
    ASSERT_TRUE(Finished(toViewer));
    EXPECT_EQ(Line(viewer).substr(0, 4), "got ");
    EXPECT_EQ(main->state(), QProcess::Running);
    main->kill();
    Finished(main);

    // With nothing running, two starts at once: one serves, one hands over.
    std::string raceName = name_ + "_race";
    QProcess* a = Start(raceName);
    QProcess* b = Start(raceName);
    std::string lineA = Line(a, 3000);
    std::string lineB = Line(b, 3000);
    QProcess* served = lineA == "first" ? a : b;
    QProcess* handed = served == a ? b : a;
    EXPECT_NE(lineA == "first", lineB == "first") << lineA << " / " << lineB;
    ASSERT_TRUE(Finished(handed));
    EXPECT_EQ(handed->exitCode(), 0);
    EXPECT_EQ((served == a ? lineA : lineB), "first");
    EXPECT_EQ(Line(served).substr(0, 4), "got ");
}

TEST_F(GuardFolder, LockNotFreeInTimeEndsTheStartWithoutHandingOver) {
    InstanceLock holder(paths_.lockFile);
    ASSERT_TRUE(holder.Acquire(0));
    InstanceLock starter(paths_.lockFile);
    auto begin = std::chrono::steady_clock::now();
    InstanceStartResult result = StartInstance(starter, paths_, "\"prog\" \"a\"", 200);
    EXPECT_EQ(result.start, InstanceStart::End);
    EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(200));
    EXPECT_FALSE(Exists(paths_.socketFile));

    holder.Release();
    result = StartInstance(starter, paths_, "x", 200);
    EXPECT_EQ(result.start, InstanceStart::First);
    // The lock is free again once the start has decided.
    EXPECT_TRUE(holder.Acquire(0));
    ::close(result.listener.fd);
}

TEST_F(GuardFolder, OnlyAPositiveAnswerCountsAsHandedOver) {
    struct Case {
        int32_t answer;
        bool answers;
        InstanceStart expected;
    };
    // A peer that breaks off without an answer but still listens is alive:
    // the start ends rather than run beside it.
    for (Case c : {Case{1, true, InstanceStart::End}, Case{7, true, InstanceStart::End},
                   Case{0, true, InstanceStart::WithoutGuard}, Case{-1, true, InstanceStart::WithoutGuard},
                   Case{0, false, InstanceStart::End}}) {
        Listener peer = ListenAt(paths_.socketFile);
        std::string received;
        std::thread server([&] {
            pollfd p{peer.fd, POLLIN, 0};
            int fd = ::poll(&p, 1, 3000) == 1 ? ::accept(peer.fd, nullptr, nullptr) : -1;
            if (fd < 0) {
                return;
            }
            HandOverReader reader;
            char buffer[64];
            while (reader.Current() == HandOverReader::State::Incomplete) {
                ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0) {
                    break;
                }
                reader.Feed(buffer, size_t(n));
            }
            received = reader.Text();
            if (c.answers) {
                std::string answer = EncodeAnswer(c.answer);
                ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
            ::close(fd);
        });
        InstanceLock lock(paths_.lockFile);
        EXPECT_EQ(StartInstance(lock, paths_, "\"prog\"", 1000, 1000).start, c.expected) << c.answer;
        server.join();
        EXPECT_EQ(received, "\"prog\"");
        ::close(peer.fd);
    }
}

TEST_F(GuardFolder, SenderGivesUpOnAPeerThatNeverAnswers) {
    Listener peer = ListenAt(paths_.socketFile);
    auto begin = std::chrono::steady_clock::now();
    // Accepted by the backlog, never read.
    EXPECT_EQ(SendHandOver(paths_.socketFile, "x", 200), SendResult::NoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3));
    // A start facing such a peer ends: it never runs beside a living instance.
    InstanceLock lock(paths_.lockFile);
    EXPECT_EQ(StartInstance(lock, paths_, "x", 200, 200).start, InstanceStart::End);
    ::close(peer.fd);
    // Nothing listens on the file any more.
    EXPECT_EQ(SendHandOver(paths_.socketFile, "x", 200), SendResult::NoListener);
    ::unlink(paths_.socketFile.c_str());
    EXPECT_EQ(SendHandOver(paths_.socketFile, "x", 200), SendResult::NoListener);
}

TEST_F(GuardFolder, StartWhileTheInstanceIsStoppedEndsAndTheInstanceGetsItsLineOnceWhenItGoesOn) {
    std::ofstream(folder_ + "/a.plk") << "x";
    QProcess* first = Start(name_);
    ASSERT_EQ(Line(first), "first");
    ::kill(pid_t(first->processId()), SIGSTOP);

    QElapsedTimer timer;
    timer.start();
    QProcess* second = Start(name_, {"a.plk"});
    ASSERT_TRUE(second->waitForFinished(kInstanceAnswerWaitMs + 5000));
    EXPECT_GE(timer.elapsed(), kInstanceAnswerWaitMs - 100);
    EXPECT_EQ(second->exitCode(), 0);
    // Not "first" nor "without": it did not go on as an instance of its own.
    EXPECT_TRUE(second->readAllStandardOutput().isEmpty());
    EXPECT_FALSE(Exists(folder_ + "/other"));

    ::kill(pid_t(first->processId()), SIGCONT);
    std::string helper = std::filesystem::canonical(INSTANCE_HELPER).string();
    EXPECT_EQ(Line(first), "got " + Hex("\"" + helper + "\" \"" + folder_ + "/a.plk\""));
    ASSERT_TRUE(Finished(first));
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_TRUE(first->readAllStandardOutput().isEmpty());
}

TEST_F(GuardFolder, StartThatMeetsTheInstanceEndingBecomesTheInstance) {
    ASSERT_EQ(InstanceManagerInit(name_, folder_, "\"prog\""), InstanceStart::First);
    // The running instance no longer reads: it is on its way out.
    std::atomic<bool> waiting = false;
    InstanceStartResult racing;
    std::thread start([&] {
        InstanceLock lock(paths_.lockFile);
        waiting = true;
        racing = StartInstance(lock, paths_, "\"prog\" \"a\"");
    });
    while (!waiting) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    auto begin = std::chrono::steady_clock::now();
    InstanceManagerDone();
    start.join();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(kInstanceAnswerWaitMs));
    EXPECT_EQ(racing.start, InstanceStart::First);
    // Its socket is the one left, and it is reached.
    EXPECT_TRUE(Exists(paths_.socketFile));
    EXPECT_EQ(SendHandOver(paths_.socketFile, "x", 200), SendResult::NoAnswer);
    ::close(racing.listener.fd);
}

TEST_F(GuardFolder, RunningInstanceSurvivesBadPeersAndReceivesExactly) {
    ASSERT_EQ(InstanceManagerInit(name_, folder_, "\"prog\""), InstanceStart::First);
    std::vector<std::string> received;
    OnCommandLineReceived = [&] { received.push_back(ReceivedCommandLine); };

    std::atomic<bool> done = false;
    SendResult good = SendResult::NoListener;
    std::string text("\"prog\" \"a\0b\" \xff", 14);
    std::thread peers([&] {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, paths_.socketFile.data(), paths_.socketFile.size());
        auto raw = [&](const std::string& bytes) {
            int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            return fd;
        };
        // A length far beyond the limit, and a peer that stalls mid-header.
        int huge = raw(std::string("\xff\xff\xff\x7f", 4) + "abc");
        int stalled = raw(std::string("\x05\x00", 2));
        good = SendHandOver(paths_.socketFile, text, 3000);
        ::close(huge);
        ::close(stalled);
        done = true;
    });
    QElapsedTimer timer;
    timer.start();
    while ((!done || received.empty()) && timer.elapsed() < 8000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    peers.join();
    EXPECT_EQ(good, SendResult::Accepted);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], text);

    OnCommandLineReceived = nullptr;
    InstanceManagerDone();
    EXPECT_FALSE(Exists(paths_.socketFile));
    EXPECT_TRUE(ReceivedCommandLine.empty());
}

TEST_F(GuardFolder, HandOverDuringTheCloseCancelsItAndASettledCloseLeavesTheNextStartTheGuard) {
    ASSERT_EQ(InstanceManagerInit(name_, folder_, "\"prog\""), InstanceStart::First);
    std::vector<std::string> received;
    OnCommandLineReceived = [&] { received.push_back(ReceivedCommandLine); };
    auto serveUntil = [](const std::function<bool()>& done, int limitMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    };

    // A start while the close asks is answered, and the close is to give way.
    InstanceClose asking;
    EXPECT_FALSE(asking.Interrupted());
    std::atomic<SendResult> sent = SendResult::NoListener;
    std::atomic<bool> done = false;
    std::thread sender([&] {
        sent = SendHandOver(paths_.socketFile, "\"prog\" \"a\"", 3000);
        done = true;
    });
    serveUntil([&] { return done.load(); });
    sender.join();
    EXPECT_EQ(sent, SendResult::Accepted);
    EXPECT_TRUE(asking.Interrupted());
    EXPECT_FALSE(asking.StopAnswering());
    serveUntil([&] { return !received.empty(); });
    EXPECT_EQ(received, std::vector<std::string>{"\"prog\" \"a\""});
    EXPECT_FALSE(asking.StopAnswering());

    // The next close meets no start: answering stops at once, and a start
    // half-way through its message is broken off, so it may try again.
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, paths_.socketFile.data(), paths_.socketFile.size());
    const int halfway = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(halfway, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::send(halfway, "\x05\x00", 2, MSG_NOSIGNAL), 2);
    serveUntil([] { return false; }, 300);
    InstanceClose settled;
    EXPECT_TRUE(settled.StopAnswering());
    QCoreApplication::processEvents();
    const timeval limit{3, 0};
    ::setsockopt(halfway, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    char byte;
    const ssize_t n = ::recv(halfway, &byte, 1, 0);
    EXPECT_TRUE(n == 0 || (n < 0 && errno != EAGAIN)) << "still connected";
    ::close(halfway);

    // This instance has not ended yet; the next start is the instance all
    // the same, without waiting for it.
    InstanceLock lock(paths_.lockFile);
    auto begin = std::chrono::steady_clock::now();
    InstanceStartResult next = StartInstance(lock, paths_, "\"prog\" \"b\"", 1000, 3000);
    EXPECT_EQ(next.start, InstanceStart::First);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1));
    InstanceManagerDone();
    EXPECT_TRUE(Exists(paths_.socketFile));
    ::close(next.listener.fd);
    OnCommandLineReceived = nullptr;
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(GuardFolder, EndingInstanceLeavesASuccessorsSocketAlone) {
    ASSERT_EQ(InstanceManagerInit(name_, folder_, "\"prog\""), InstanceStart::First);
    // Our file was cleaned away and a new start took the name.
    ::unlink(paths_.socketFile.c_str());
    Listener successor = ListenAt(paths_.socketFile);
    InstanceManagerDone();
    EXPECT_TRUE(Exists(paths_.socketFile));
    ::close(successor.fd);
}

TEST_F(GuardFolder, AFolderWithALongPathServesAsWell) {
    std::string deep = folder_ + "/" + std::string(60, 'v') + "/" + std::string(60, 'w');
    std::filesystem::create_directories(deep);
    ::chmod(deep.c_str(), 0700);
    const std::string viewer = "Pelko32_HELPVIEWER_is_active123";
    ASSERT_GT(InstancePathsFor(deep, viewer).socketFile.size(), sizeof(sockaddr_un::sun_path));
    QProcess* first = Start(viewer, {}, deep);
    ASSERT_EQ(Line(first), "first");
    struct stat st {};
    ASSERT_EQ(::lstat(InstancePathsFor(deep, viewer).socketFile.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    QProcess* second = Start(viewer, {"seite"}, deep);
    ASSERT_TRUE(Finished(second));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(Line(first).substr(0, 4), "got ");
}

TEST_F(GuardFolder, SocketFolderIsOneOnlyThisUserMayEnter) {
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value != nullptr ? std::optional<std::string>(value) : std::nullopt});
    }
    const std::string runtime = folder_ + "/run";
    const std::string cache = folder_ + "/cache";
    ::mkdir(runtime.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    EXPECT_EQ(InstanceFolder(), runtime);

    // A runtime folder others may enter, or none: always the cache folder,
    // whatever stands in /tmp.
    const std::string own = cache + "/pelko32-" + std::to_string(::getuid());
    ::chmod(runtime.c_str(), 0755);
    EXPECT_EQ(InstanceFolder(), own);
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceFolder(), own);
    struct stat st {};
    ASSERT_EQ(::lstat(own.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::getuid());

    // One that others may enter is refused, not used.
    ::chmod(own.c_str(), 0755);
    EXPECT_THROW(InstanceFolder(), std::system_error);

    for (const Saved& s : saved) {
        if (s.value) {
            ::setenv(s.name, s.value->c_str(), 1);
        } else {
            ::unsetenv(s.name);
        }
    }
}

TEST(HandOverReaderTest, ReadsExactlyTheAnnouncedBytesInAnyPieces) {
    std::string message = EncodeHandOver("ab c") + "trailing";
    for (size_t piece : {size_t(1), size_t(3), message.size()}) {
        HandOverReader reader;
        for (size_t i = 0; i < message.size(); i += piece) {
            reader.Feed(message.data() + i, std::min(piece, message.size() - i));
        }
        EXPECT_EQ(reader.Current(), HandOverReader::State::Complete) << piece;
        EXPECT_EQ(reader.Text(), "ab c") << piece;
    }

    HandOverReader empty;
    EXPECT_EQ(empty.Feed(EncodeHandOver("").data(), 4), HandOverReader::State::Complete);
    EXPECT_EQ(empty.Text(), "");

    HandOverReader partial;
    EXPECT_EQ(partial.Feed(message.data(), 6), HandOverReader::State::Incomplete);

    HandOverReader limited(3);
    std::string big = EncodeHandOver("abcd");
    EXPECT_EQ(limited.Feed(big.data(), big.size()), HandOverReader::State::TooLarge);
    EXPECT_EQ(limited.Text(), "");
}
