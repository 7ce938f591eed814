#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "frame/FileTypeRegistration.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/TempDir.h"

using platform::ModalResult;
using platform::RegRoot;
using platform::ScriptedDialogs;
using platform::TRegistry;

namespace {

struct ToolCall {
    std::string program;
    std::vector<std::string> args;
};

class RegistrationTest : public ::testing::Test {
protected:
    std::string Store() const { return dir.Path("registry.reg"); }
    XdgFolders Folders() const { return {dir.Path("data"), dir.Path("config")}; }

    void MarkInstallation() {
        TRegistry reg(RegRoot::CurrentUser, Store());
        ASSERT_TRUE(reg.OpenKey("\\Software\\Pelko32", true));
        reg.WriteString("Installation", "1");
        reg.CloseKey();
    }

    bool Run(bool fromButton) {
        TRegistry user(RegRoot::CurrentUser, Store());
        TRegistry classes(RegRoot::ClassesRoot, Store());
        FreedesktopRegistrar desktop(Folders(), [this](const std::string& p, const std::vector<std::string>& a) {
            tools.push_back({p, a});
        });
        return RegisterFileType(fromButton, user, classes, desktop, dialogs, data);
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::vector<ToolCall> tools;
    FileTypeData data{"/opt/pelko/Pelko32", "/opt/pelko/plkfile.ico", dir.Path("icons") + "/"};
};

TEST_F(RegistrationTest, StartAfterInstallationAsksOnceAndNeverAgain) {
    MarkInstallation();
    dialogs.messageAnswers = {ModalResult::No};
    EXPECT_FALSE(Run(false));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].helpContext, 2001);
    EXPECT_EQ(dialogs.shown[0].buttons, platform::mbYes | platform::mbNo | platform::mbHelp);
    EXPECT_NE(dialogs.shown[0].text.find("Administrator-Rechte"), std::string::npos);
    // The next start only renews the caption.
    EXPECT_TRUE(Run(false));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("data")));
}

TEST_F(RegistrationTest, StartWithoutProgramKeyDoesNothing) {
    EXPECT_FALSE(Run(false));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RegistrationTest, ButtonAsksEveryTimeAndYesWritesKeysAndDesktopFiles) {
    dialogs.messageAnswers = {ModalResult::Yes, ModalResult::Yes};
    std::filesystem::create_directories(dir.Path("config"));
    TempDir::Write(dir.Path("config/mimeapps.list"), "[Default Applications]\ntext/plain=editor.desktop\n");
    EXPECT_TRUE(Run(true));
    EXPECT_TRUE(Run(true));
    EXPECT_EQ(dialogs.shown.size(), 2u);

    TRegistry classes(RegRoot::ClassesRoot, Store());
    ASSERT_TRUE(classes.OpenKey("\\PLKFile", false));
    EXPECT_EQ(classes.ReadString(""), "Pelko32- Vokabeldatei");
    EXPECT_EQ(classes.ReadBinaryData("EditFlags"), (std::vector<uint8_t>{0, 0, 0, 0}));
    ASSERT_TRUE(classes.OpenKey("\\PLKFile\\Shell", false));
    EXPECT_EQ(classes.ReadString(""), "Öffnen");
    ASSERT_TRUE(classes.OpenKey("\\PLKFile\\Shell\\Öffnen\\Command", false));
    EXPECT_EQ(classes.ReadString(""), "\"/opt/pelko/Pelko32\" \"%1\"");
    ASSERT_TRUE(classes.OpenKey("\\PLKFile\\DefaultIcon", false));
    EXPECT_EQ(classes.ReadString(""), "/opt/pelko/plkfile.ico");
    ASSERT_TRUE(classes.OpenKey("\\.plk", false));
    EXPECT_EQ(classes.ReadString(""), "PLKFile");

    const std::string mime = TempDir::Read(dir.Path("data/mime/packages/pelko32.xml"));
    EXPECT_NE(mime.find("<mime-type type=\"application/x-pelko32\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.plk\"/>"), std::string::npos);
    const std::string entry = TempDir::Read(dir.Path("data/applications/pelko32.desktop"));
    EXPECT_NE(entry.find("\nExec=\"/opt/pelko/Pelko32\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=pelko32\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-pelko32;\n"), std::string::npos);
    // Twice registered, one line; the other association stays.
    EXPECT_EQ(TempDir::Read(dir.Path("config/mimeapps.list")),
              "[Default Applications]\ntext/plain=editor.desktop\napplication/x-pelko32=pelko32.desktop\n");
    ASSERT_EQ(tools.size(), 4u);
    EXPECT_EQ(tools[0].program, "update-mime-database");
    EXPECT_EQ(tools[0].args, std::vector<std::string>{dir.Path("data/mime")});
    EXPECT_EQ(tools[1].program, "update-desktop-database");
    EXPECT_EQ(tools[1].args, std::vector<std::string>{dir.Path("data/applications")});
}

TEST_F(RegistrationTest, IconsGoIntoTheIconThemeSizeBySize) {
    std::filesystem::create_directories(dir.Path("icons"));
    TempDir::Write(dir.Path("icons/pelko32-16.png"), "program 16");
    TempDir::Write(dir.Path("icons/pelko32-256.png"), "program 256");
    TempDir::Write(dir.Path("icons/plkfile-48.png"), "file 48");
    dialogs.messageAnswers = {ModalResult::Yes};
    EXPECT_TRUE(Run(true));
    EXPECT_EQ(TempDir::Read(dir.Path("data/icons/hicolor/16x16/apps/pelko32.png")), "program 16");
    EXPECT_EQ(TempDir::Read(dir.Path("data/icons/hicolor/256x256/apps/pelko32.png")), "program 256");
    EXPECT_EQ(TempDir::Read(dir.Path("data/icons/hicolor/48x48/mimetypes/application-x-pelko32.png")), "file 48");
    // Sizes that do not ship are left out, without an error.
    EXPECT_FALSE(std::filesystem::exists(dir.Path("data/icons/hicolor/32x32")));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(TempDir::Read(dir.Path("data/mime/packages/pelko32.xml")).find("<icon name=\"application-x-pelko32\"/>"),
              std::string::npos);
}

// The desktop's own tools accept what the registration writes: the entry
// validates, and the refreshed databases give *.plk the type and the type
// this program, which is what "Öffnen mit" lists.
TEST_F(RegistrationTest, DesktopToolsAcceptTheWrittenFiles) {
    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    const QString mimeTool = QStandardPaths::findExecutable("update-mime-database");
    const QString desktopTool = QStandardPaths::findExecutable("update-desktop-database");
    if (validate.isEmpty() || mimeTool.isEmpty() || desktopTool.isEmpty()) {
        GTEST_SKIP() << "desktop-file-utils or shared-mime-info are not installed";
    }
    data.programPath = dir.Path("Pelko 32/Pelko32");
    dialogs.messageAnswers = {ModalResult::Yes};
    ASSERT_TRUE(Run(true));
    auto run = [](const QString& program, const std::string& arg) {
        QProcess process;
        process.start(program, {QString::fromStdString(arg)});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0);
        return process.readAllStandardOutput() + process.readAllStandardError();
    };
    const QByteArray verdict = run(validate, dir.Path("data/applications/pelko32.desktop"));
    EXPECT_TRUE(verdict.trimmed().isEmpty()) << verdict.toStdString();
    run(mimeTool, dir.Path("data/mime"));
    EXPECT_NE(TempDir::Read(dir.Path("data/mime/globs2")).find("application/x-pelko32:*.plk"), std::string::npos);
    EXPECT_NE(TempDir::Read(dir.Path("data/mime/icons")).find("application/x-pelko32:application-x-pelko32"),
              std::string::npos);
    run(desktopTool, dir.Path("data/applications"));
    EXPECT_NE(TempDir::Read(dir.Path("data/applications/mimeinfo.cache")).find("application/x-pelko32=pelko32.desktop"),
              std::string::npos);
}

TEST_F(RegistrationTest, UnwritableFolderShowsTheErrorBox) {
    TempDir::Write(dir.Path("data"), "a file where the folder belongs");
    dialogs.messageAnswers = {ModalResult::Yes};
    EXPECT_FALSE(Run(true));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text,
              "Exception beim Schreiben in die Registry. Bitte beachten Sie, dass unter Windows 2000 und XP "
              "Administrator-Rechte benötigt werden!");
    EXPECT_TRUE(tools.empty());
}

TEST(DefaultApplicationTest, MimeappsListKeepsEverythingElse) {
    const std::string ours = "application/x-pelko32=pelko32.desktop\n";
    EXPECT_EQ(WithDefaultApplication(""), "[Default Applications]\n" + ours);
    EXPECT_EQ(WithDefaultApplication("[Added Associations]\na/b=x.desktop\n"),
              "[Added Associations]\na/b=x.desktop\n\n[Default Applications]\n" + ours);
    EXPECT_EQ(WithDefaultApplication("[Default Applications]\napplication/x-pelko32=other.desktop\n\n[X]\nk=v\n"),
              "[Default Applications]\n" + ours + "\n[X]\nk=v\n");
    EXPECT_EQ(WithDefaultApplication("# mine\n[Default Applications]\na/b=x.desktop\n[Y]\n"),
              "# mine\n[Default Applications]\na/b=x.desktop\n" + ours + "[Y]\n");
}

TEST(DesktopEntryTest, ProgramPathIsQuotedAndEscaped) {
    const std::string entry = DesktopEntryText({"/opt/my $dir/100%/Pelko32", "/opt/a\\b/plkfile.ico", "/opt/"});
    EXPECT_NE(entry.find("\nExec=\"/opt/my \\\\$dir/100%%/Pelko32\" %f\n"), std::string::npos) << entry;
}

}  // namespace
