// The built programs as processes: a second start hands its files to the
// running one (also from another copy of the program, to a stopped one, while
// the close asks, and whatever another user plants in /tmp), the session end
// records the open files, also while a box is open, and the next start
// reopens them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/LoadSave.h"
#include "common/VncKeyboard.h"
#include "documents/VocabDocument.h"
#include "platform/TempDir.h"

namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(runtime.c_str(), 0700);
        setenv("PELKO_REGISTRY", registry.c_str(), 1);
        // No box at the end of the splash: every folder and file it checks exists.
        Optionen.StandardArbeitsverzeichnis = dir.Path() + "/";
        Optionen.Settings.VorlagenVerzeichnis = dir.Path();
        Optionen.Abfragen.BeepBeiFehler = false;
        Optionen.Settings.ShowWizAtStartUp = false;
        Optionen.NochNieGestartet = false;
        Optionen.BeimStartLeereDatei = false;
        SaveSettings();
    }
    void TearDown() override { unsetenv("PELKO_REGISTRY"); }

    std::string MakeFile(const std::string& name) {
        auto data = std::make_unique<VocabularyFileData>();
        for (auto& e : data->Entries) VocabDocument::ClearEntry(e);
        data->Entries[1] = MakeEntry("pes", name);
        EXPECT_EQ(SaveVocabularyFile(dir.Path(name), *data, 15, FileFormatOptions{}), "");
        return dir.Path(name);
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PELKO_REGISTRY", QString::fromStdString(registry));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        return env;
    }

    void Start(QProcess& process, const QStringList& args, const QString& program = PELKO_BIN_DIR "/Pelko32") {
        StartWith(process, Environment(), args, program);
    }

    void StartWith(QProcess& process, const QProcessEnvironment& env, const QStringList& args,
                   const QString& program = PELKO_BIN_DIR "/Pelko32") {
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QString::fromStdString(dir.Path()));
        process.start(program, args);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    std::string Socket() const { return runtime + "/TInstanceManager.Pelko32_is_active123.sock"; }

    // Running once its guard listens and its window has had time to open.
    void WaitUntilRunning() {
        for (int i = 0; i < 200 && !std::filesystem::exists(Socket()); ++i) QThread::msleep(50);
        ASSERT_TRUE(std::filesystem::exists(Socket()));
        QThread::msleep(1500);
    }

    // Never pid 0: that would signal the test's own process group.
    static void Signal(QProcess& process, int signal) {
        const qint64 pid = process.processId();
        ASSERT_GT(pid, 0) << "the program has ended";
        ::kill(pid_t(pid), signal);
    }

    void EndSession(QProcess& process) {
        Signal(process, SIGTERM);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }

    std::array<std::string, 10> RecordedFiles() { return StoredSettings().OpenFilesAtExit; }

    SettingsTyp StoredSettings() {
        DefaultOptionsForTest fresh;
        EXPECT_EQ(LoadSettings(), LoadSettingsResult::Done);
        return Optionen.Settings;
    }

    DefaultOptionsForTest options;
    TempDir dir;
    std::string registry = dir.Path("registry.reg");
    std::string runtime = dir.Path("run");
};

TEST_F(ProgramTest, SecondStartHandsOverAndTheNextStartReopensTheFiles) {
    const std::string a = MakeFile("a.plk");
    const std::string bc = MakeFile("b c.plk");
    const std::string d = MakeFile("d.plk");
    // A Linux name may hold double quotes and backslashes.
    const std::string quoted = MakeFile("sag \"hi\" \\.plk");

    QProcess first;
    Start(first, {"a.plk", "b c.plk", "/a"});
    WaitUntilRunning();
    QProcess second;
    Start(second, {"d.plk", QString::fromStdString(quoted)});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    QThread::msleep(300);
    EndSession(first);
    // The hand-over opens its files last first: the first ends on top.
    const std::array<std::string, 10> expected = {a, bc, quoted, d};
    EXPECT_EQ(RecordedFiles(), expected);

    {
        DefaultOptionsForTest reopen;
        ASSERT_EQ(LoadSettings(), LoadSettingsResult::Done);
        Optionen.Settings.ReopenLastFiles = true;
        SaveSettings();
    }
    QProcess again;
    Start(again, {});
    WaitUntilRunning();
    EndSession(again);
    EXPECT_EQ(RecordedFiles(), expected);
}

TEST_F(ProgramTest, SessionEndWhileAStartBoxIsOpenEndsTheProgramAndFreesTheGuard) {
    const std::string b = MakeFile("b.plk");
    QProcess first;
    // "Kann Datei fehlt.plk nicht finden." stays open: nobody answers it.
    Start(first, {"b.plk", "fehlt.plk"});
    WaitUntilRunning();
    Signal(first, SIGTERM);
    // Nobody answers the box: the program ends only because it closed.
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    const std::array<std::string, 10> expected = {b};
    EXPECT_EQ(RecordedFiles(), expected);
    EXPECT_FALSE(std::filesystem::exists(Socket()));

    // The next start is the running instance, not a hand-over to a ghost.
    QProcess next;
    Start(next, {});
    WaitUntilRunning();
    EXPECT_EQ(next.state(), QProcess::Running);
    EndSession(next);
}

// The close asks "... wurde geändert. Änderungen speichern?"; a second start
// meanwhile cancels the close, so its file opens once the box is answered.
// The keys come through the program's VNC screen, as a user's would.
TEST_F(ProgramTest, StartWhileTheCloseAsksOpensItsFileInsteadOfLosingIt) {
    const std::string a = MakeFile("a.plk");
    const std::string b = MakeFile("b.plk");
    const int port = VncKeyboard::FreePort();
    ASSERT_NE(port, 0);
    QProcessEnvironment env = Environment();
    env.insert("QT_QPA_PLATFORM", QString("vnc:size=800x600:port=%1").arg(port));
    QProcess first;
    StartWith(first, env, {"a.plk"});
    WaitUntilRunning();
    VncKeyboard keys;
    ASSERT_TRUE(keys.Connect(port));
    // An "x" in the first cell of a.plk.
    ASSERT_TRUE(keys.Press({VncKeyboard::kDown}));
    ASSERT_TRUE(keys.Press({'x'}));
    ASSERT_TRUE(keys.Press({VncKeyboard::kReturn}));

    Signal(first, SIGTERM);
    ASSERT_FALSE(first.waitForFinished(1500)) << "the close did not ask";
    QProcess second;
    Start(second, {"b.plk"});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    QThread::msleep(500);
    // "&No": the close stays cancelled, b.plk opens.
    ASSERT_TRUE(keys.Press({VncKeyboard::kAlt, 'n'}));
    ASSERT_FALSE(first.waitForFinished(1500)) << "the program ended without the handed-over file";

    // The next close asks again, and this time the program ends.
    Signal(first, SIGTERM);
    QThread::msleep(1500);
    ASSERT_TRUE(keys.Press({VncKeyboard::kAlt, 'n'}));
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    const SettingsTyp stored = StoredSettings();
    const std::array<std::string, 10> open = {a, b};
    EXPECT_EQ(stored.OpenFilesAtExit, open);
    const std::array<std::string, 9> recent = {b, a};
    EXPECT_EQ(stored.LastFiles, recent);
}

TEST_F(ProgramTest, StartWhileTheInstanceIsStoppedEndsAndTheFileOpensOnceItGoesOn) {
    const std::string a = MakeFile("a.plk");
    QProcess first;
    Start(first, {});
    WaitUntilRunning();
    Signal(first, SIGSTOP);
    QProcess second;
    Start(second, {"a.plk"});
    const bool ended = second.waitForFinished(15000);
    Signal(first, SIGCONT);
    ASSERT_TRUE(ended) << "the second start ran as an instance of its own";
    EXPECT_EQ(second.exitCode(), 0);
    QThread::msleep(1500);
    EndSession(first);
    const std::array<std::string, 10> expected = {a};
    EXPECT_EQ(RecordedFiles(), expected);
}

TEST_F(ProgramTest, StartFromAnotherCopyOfTheProgramOpensOnlyTheNamedFile) {
    const std::string a = MakeFile("a.plk");
    const std::string b = MakeFile("b.plk");
    std::filesystem::create_directory(dir.Path("copy"));
    const std::string copy = dir.Path("copy/Pelko32");
    std::filesystem::copy_file(PELKO_BIN_DIR "/Pelko32", copy);
    QProcess first;
    Start(first, {});
    WaitUntilRunning();
    QProcess second;
    Start(second, {"a.plk"}, QString::fromStdString(copy));
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    // Had the copy been opened, its error box would hold this one back.
    QProcess third;
    Start(third, {"b.plk"});
    ASSERT_TRUE(third.waitForFinished(10000));
    QThread::msleep(1000);
    EndSession(first);
    const SettingsTyp stored = StoredSettings();
    const std::array<std::string, 10> open = {a, b};
    EXPECT_EQ(stored.OpenFilesAtExit, open);
    const std::array<std::string, 9> recent = {b, a};
    EXPECT_EQ(stored.LastFiles, recent);
}

// Another user takes the name our guard would have in /tmp: a folder or a
// link planted before the first start, or a folder planted and removed again
// between two starts. Every start of ours still meets the running instance,
// of either program. Seen in a /tmp of the test's own (a mount namespace);
// the other user acts through setpriv.
TEST_F(ProgramTest, AnotherUserCannotSplitTheGuard) {
    // Outside /tmp: the programs see another one.
    char pattern[] = "/var/tmp/pelko-guard-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) GTEST_SKIP() << "no /var/tmp";
    const std::string work = pattern;
    std::filesystem::copy_file(registry, work + "/registry.reg");
    std::filesystem::copy_file(MakeFile("a.plk"), work + "/a.plk");
    std::ofstream(work + "/seite.html") << "<title>Seite</title>Seite";
    const std::string script = R"(
        # The program's folder stays in sight when the build lies in /tmp.
        mkdir -p bin && mount --bind "$PELKO_DIR" bin || exit 77
        program=$PWD/bin/$1
        mount -t tmpfs pelko /tmp || exit 77
        other="setpriv --reuid=65534 --regid=65534 --clear-groups"
        taken=/tmp/pelko32-$(id -u)
        case "$2" in
            folder|removed) $other mkdir -m 700 "$taken" || exit 78 ;;
            link) $other ln -s /tmp/elsewhere "$taken" || exit 78 ;;
        esac
        "$program" & first=$!
        ( sleep 60; kill -KILL $first ) 2>/dev/null & watchdog=$!
        socket="$HOME/.cache/pelko32-$(id -u)/TInstanceManager.$3.sock"
        i=0
        while [ ! -S "$socket" ] && [ $i -lt 300 ] && kill -0 $first 2>/dev/null; do sleep 0.1; i=$((i+1)); done
        sleep 1
        if [ "$2" = removed ]; then $other rmdir "$taken" || exit 78; fi
        timeout -s KILL 20 "$program" "$4"; echo "second $?"
        sleep 1
        kill -TERM $first; wait $first; echo "first $?"
        kill $watchdog 2>/dev/null
        if [ "$2" = folder ]; then stat -c "taken %u" "$taken"; fi
    )";
    QProcess probe;
    probe.start("unshare", {"--mount", "--propagation", "private", "true"});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
        GTEST_SKIP() << "no mount namespace here";
    }
    struct Case {
        const char* program;
        const char* planted;
        const char* guard;
        const char* handed;
    };
    const Case cases[] = {
        {"Pelko32", "folder", "Pelko32_is_active123", "a.plk"},
        {"Pelko32", "link", "Pelko32_is_active123", "a.plk"},
        {"Pelko32", "removed", "Pelko32_is_active123", "a.plk"},
        {"PelkoHelp", "removed", "Pelko32_HELPVIEWER_is_active123", "seite.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " " + c.planted);
        QProcessEnvironment env = Environment();
        env.remove("XDG_RUNTIME_DIR");
        env.remove("XDG_CACHE_HOME");
        const std::string home = work + "/home-" + c.program + "-" + c.planted;
        std::filesystem::create_directory(home);
        env.insert("HOME", QString::fromStdString(home));
        env.insert("PELKO_REGISTRY", QString::fromStdString(work + "/registry.reg"));
        env.insert("PELKO_DIR", PELKO_BIN_DIR);
        QProcess run;
        run.setProcessEnvironment(env);
        run.setWorkingDirectory(QString::fromStdString(work));
        run.start("unshare", {"--mount", "--propagation", "private", "sh", "-c", QString::fromStdString(script), "sh",
                              c.program, c.planted, c.guard, c.handed});
        ASSERT_TRUE(run.waitForStarted(10000));
        ASSERT_TRUE(run.waitForFinished(90000));
        if (run.exitCode() == 77) GTEST_SKIP() << "no mount namespace here";
        if (run.exitCode() == 78) GTEST_SKIP() << "no other user may act here";
        const std::string out = run.readAllStandardOutput().toStdString();
        const std::string expected =
            std::string("second 0\nfirst 0\n") + (std::string(c.planted) == "folder" ? "taken 65534\n" : "");
        EXPECT_EQ(out, expected) << run.readAllStandardError().toStdString();
        if (std::string(c.program) == "Pelko32") {
            DefaultOptionsForTest fresh;
            setenv("PELKO_REGISTRY", (work + "/registry.reg").c_str(), 1);
            EXPECT_EQ(LoadSettings(), LoadSettingsResult::Done);
            setenv("PELKO_REGISTRY", registry.c_str(), 1);
            const std::array<std::string, 10> open = {work + "/a.plk"};
            EXPECT_EQ(Optionen.Settings.OpenFilesAtExit, open);
        }
    }
    std::filesystem::remove_all(work);
}

}  // namespace
