#include <gtest/gtest.h>

#include <filesystem>

#include "frame/HelpContexts.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"
#include "platform/TempDir.h"

namespace {

TEST(HelpContextsTest, ExactNumbersFirstThenTheDialogByHundreds) {
    const std::pair<int, const char*> cases[] = {
        {1105, "Dialogfelder\\Optionen\\drucken.html"},
        {1000, "Dialogfelder\\Optionen\\index.html"},
        {611, "Dialogfelder\\hangman\\index.html"},
        {2001, "Allgemeines\\automatisches_oeffnen.html"},
        {250, "Dialogfelder\\beschreibung.html"},
        {2599, "Dialogfelder\\Optionen\\schriftarten.html"},
        {2650, "Dialogfelder\\Lernen.html"},
        {2799, "Dialogfelder\\neu-assistent.html"},
        {9282, "Allgemeines\\kontakt_zum_programmierer.html"},
        {5509, "Fehler\\beep_file_existiert_nicht.html"},
        {1801, "Dialogfelder\\indateiensuchen.html"},
        {100, "Dialogfelder\\abfragen.html"},
    };
    for (const auto& [context, page] : cases) {
        EXPECT_EQ(HelpContextPage(context).value_or("none"), page) << context;
    }
    for (int context : {0, 99, 850, 1750, 1900, 2000, 2004, 2800, 5500, 9999, -150, -1}) {
        EXPECT_FALSE(HelpContextPage(context).has_value()) << context;
    }
}

class HelpBridgeTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetProgramFolder(folder); }
    void TearDown() override { platform::SetProgramFolder(""); }

    TempDir dir;
    std::string folder = dir.Path("Pelko 32 Programm") + "/";
    platform::RecordingShell shell;
    platform::ScriptedDialogs dialogs;
};

TEST_F(HelpBridgeTest, TheViewerGetsThePagePathAsOneArgumentMatchedToTheFilesOnDisk) {
    std::filesystem::create_directories(folder + "hilfe/dialogfelder");
    TempDir::Write(folder + "hilfe/dialogfelder/lernen.html", "<html></html>");

    HelpContextToPage(2601, shell, dialogs);
    ShowHelpPage("Allgemeines\\history.html", shell);

    ASSERT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(shell.starts[0].program, folder + "PelkoHelp");
    EXPECT_EQ(shell.starts[0].arguments, std::vector<std::string>{folder + "hilfe/dialogfelder/lernen.html"});
    // A page that is not there still goes to the viewer, which reports it.
    EXPECT_EQ(shell.starts[1].arguments, std::vector<std::string>{folder + "Hilfe/Allgemeines/history.html"});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HelpBridgeTest, AnUnknownContextShowsTheErrorAndStartsNothing) {
    HelpContextToPage(1750, shell, dialogs);
    EXPECT_TRUE(shell.starts.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Falscher Hilfe-Aufruf (#1750). Bitte kontaktieren Sie den Programmierer.");
    EXPECT_EQ(dialogs.shown[0].type, platform::MsgDlgType::Error);
    EXPECT_EQ(dialogs.shown[0].buttons, platform::mbOK);
}

}  // namespace
