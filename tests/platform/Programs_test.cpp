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
        QStringList args;
        const char* written;  // what the close writes to the options
    };
    // A missing file keeps a box open at start ("Kann Datei ... nicht
    // finden.", "Can't locate file: ..."): the session end closes it too.
    const Case cases[] = {
        {"Pelko32", SIGTERM, {}, "\"Hauptfenster-Status\""},
        {"PelkoHelp", SIGTERM, {}, "\"Stay-on-top\""},
        {"Pelko32", SIGINT, {}, "\"Hauptfenster-Status\""},
        {"Pelko32", SIGTERM, {"fehlt.plk"}, "\"Hauptfenster-Status\""},
        {"PelkoHelp", SIGTERM, {"fehlt.html"}, "\"Stay-on-top\""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        QProcess process;
        process.setProcessEnvironment(Environment(dir));
        process.setWorkingDirectory(QString::fromStdString(dir.Path()));
        process.start(QString(PELKO_BIN_DIR) + "/" + c.program, c.args);
        ASSERT_TRUE(process.waitForStarted(10000)) << c.program;
        // Still running after its start: it waits for its window to close.
        EXPECT_FALSE(process.waitForFinished(2500)) << c.program;
        ::kill(static_cast<pid_t>(process.processId()), c.signal);
        // Nobody answers the box: the program ends only because it closed.
        ASSERT_TRUE(process.waitForFinished(20000)) << c.program;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.program << " " << c.signal;
        EXPECT_EQ(process.exitCode(), 0) << c.program << " " << process.readAllStandardError().toStdString();
        EXPECT_EQ(ProcessesUsing(dir), 0) << c.program << " left a process behind";
        EXPECT_NE(TempDir::Read(dir.Path("registry.reg")).find(c.written), std::string::npos) << c.program;
        // The guard is free again: its socket went with the program.
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path("run"))) {
            EXPECT_NE(entry.path().extension(), ".sock") << c.program;
        }
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

TEST(ProgramsTest, WindowTitlesAreTheCaptionsWithNothingAdded) {
    for (const char* title : {"Pelko32", "Pelko32 Hilfe"}) {
        TempDir dir;
        QProcess process;
        process.setProcessEnvironment(Environment(dir));
        process.start(APPLICATION_TITLE_HELPER, {QString::fromUtf8(title)});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.readAllStandardOutput().toStdString(),
                  std::string("title: ") + title + "\ndisplay name of its own: no\n");
    }
}
