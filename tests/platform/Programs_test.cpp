// The built programs and the application object, each run as a process of
// its own.
#include <gtest/gtest.h>

#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <signal.h>

#include <QProcess>
#include <QThread>

#include "platform/TempDir.h"

namespace {

QProcessEnvironment Environment(const TempDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("PELKO_REGISTRY", QString::fromStdString(dir.Path("registry.reg")));
    // Not a first start: that opens the help viewer, a process of its own
    // that nothing ends after the test.
    std::ofstream(dir.Path("registry.reg")) << "Windows Registry Editor Version 5.00\n\n"
                                               "[HKEY_CURRENT_USER\\Software\\Pelko32]\n"
                                               "\"Pelko noch nie gestartet\"=dword:00000000\n";
    // A guard folder of its own, so a Pelko32 the user runs is never handed the start.
    const std::string runtime = dir.Path("run");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    return env;
}

// Processes still running with this test folder's registry.
int ProcessesUsing(const TempDir& dir) {
    const std::string setting = "PELKO_REGISTRY=" + dir.Path("registry.reg");
    int count = 0;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return 0;
    while (const dirent* entry = ::readdir(proc)) {
        std::ifstream in(std::string("/proc/") + entry->d_name + "/environ", std::ios::binary);
        const std::string environ((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (environ.find(setting + '\0') != std::string::npos) ++count;
    }
    ::closedir(proc);
    return count;
}

}  // namespace

TEST(ProgramsTest, EndWithStatusZeroOnSessionEnd) {
    struct Case {
        const char* program;
        int signal;
    };
    for (const Case& c : {Case{"Pelko32", SIGTERM}, Case{"PelkoHelp", SIGTERM}, Case{"Pelko32", SIGINT}}) {
        TempDir dir;
        QProcess process;
        process.setProcessEnvironment(Environment(dir));
        process.start(QString(PELKO_BIN_DIR) + "/" + c.program, {});
        ASSERT_TRUE(process.waitForStarted(10000)) << c.program;
        // Still running after its start: it waits for its window to close.
        EXPECT_FALSE(process.waitForFinished(2000)) << c.program;
        ::kill(static_cast<pid_t>(process.processId()), c.signal);
        ASSERT_TRUE(process.waitForFinished(20000)) << c.program;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.program << " " << c.signal;
        EXPECT_EQ(process.exitCode(), 0) << c.program << " " << process.readAllStandardError().toStdString();
        EXPECT_EQ(ProcessesUsing(dir), 0) << c.program << " left a process behind";
    }
}

TEST(ProgramsTest, ExceptionFromAnEventHandlerIsShownAndTheProgramGoesOn) {
    TempDir dir;
    QProcess process;
    process.setProcessEnvironment(Environment(dir));
    process.start(EXCEPTION_BOUNDARY_HELPER, {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 3) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput().toStdString(),
              "exception: Datei nicht gefunden: übung.plk\n"
              "exception: Unbekannte Ausnahme\n"
              "went on\n");
}
