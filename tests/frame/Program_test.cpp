// The built main program as a process: a second start hands its file to the
// running one, the session end records the open files, the next start
// reopens them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/LoadSave.h"
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

    void Start(QProcess& process, const QStringList& args) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PELKO_REGISTRY", QString::fromStdString(registry));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QString::fromStdString(dir.Path()));
        process.start(QString(PELKO_BIN_DIR) + "/Pelko32", args);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // Running once its guard listens and its window has had time to open.
    void WaitUntilRunning() {
        const std::string socket = runtime + "/TInstanceManager.Pelko32_is_active123.sock";
        for (int i = 0; i < 200 && !std::filesystem::exists(socket); ++i) QThread::msleep(50);
        ASSERT_TRUE(std::filesystem::exists(socket));
        QThread::msleep(1500);
    }

    void EndSession(QProcess& process) {
        ::kill(pid_t(process.processId()), SIGTERM);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }

    std::array<std::string, 10> RecordedFiles() {
        DefaultOptionsForTest fresh;
        EXPECT_EQ(LoadSettings(), LoadSettingsResult::Done);
        return Optionen.Settings.OpenFilesAtExit;
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

    QProcess first;
    Start(first, {"a.plk", "b c.plk", "/a"});
    WaitUntilRunning();
    QProcess second;
    Start(second, {"d.plk"});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    QThread::msleep(300);
    EndSession(first);
    const std::array<std::string, 10> expected = {a, bc, d};
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

}  // namespace
