// The built programs and the application object, each run as a process of
// its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <signal.h>

#include <QProcess>
#include <QThread>

#include "platform/TempDir.h"

namespace {

QProcessEnvironment Environment(const TempDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("PELKO_REGISTRY", QString::fromStdString(dir.Path("registry.reg")));
    // A guard folder of its own, so a Pelko32 the user runs is never handed the start.
    const std::string runtime = dir.Path("run");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    return env;
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
