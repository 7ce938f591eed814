#include "frame/MainStartup.h"

#include <gtest/gtest.h>
#include <set>

#include "documents/AppSettings.h"

using platform::ModalResult;
using Names = std::vector<std::string>;

namespace {

std::function<bool(const std::string&)> Present(std::set<std::string> paths) {
    return [paths = std::move(paths)](const std::string& p) { return paths.count(p) > 0; };
}

OptionenTyp CheckedOptions() {
    OptionenTyp options;
    options.StandardArbeitsverzeichnis = "/home/u/Vokabeln/";
    options.Settings.VorlagenVerzeichnis = "/home/u/Vorlagen";
    options.Abfragen.BeepBeiFehler = true;
    options.Abfragen.BeepFilename = "/home/u/fehler.wav";
    return options;
}

}  // namespace

TEST(StartupChecksTest, EachMissingThingIsToldInTurnAndRepaired) {
    platform::ScriptedDialogs dialogs;
    dialogs.messageAnswers = {ModalResult::OK, ModalResult::OK, ModalResult::OK};
    OptionenTyp options = CheckedOptions();
    RunStartupChecks(options, "/opt/pelko32/", dialogs, Present({}), Present({}));

    EXPECT_EQ(dialogs.Texts(),
              (Names{"Das Standardverzeichnis für die Vokabeldateien existiert nicht. Setze Pelko32-Verzeichnis als "
                     "neues Arbeitsverzeichnis.",
                     "Das Vorlagen-Verzeichnis existiert nicht! Bitte prüfen Sie die Einstellung im Dialogfeld "
                     "Optionen!",
                     "Die im Optionendialog angegebene WAV-Datei für die Fehlertöne beim Abfragen kann nicht gefunden "
                     "werden. Fehlertöne werden ausgeschaltet."}));
    int context = 5507;
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.type, platform::MsgDlgType::Information);
        EXPECT_EQ(shown.buttons, platform::mbOK | platform::mbHelp);
        EXPECT_EQ(shown.helpContext, context++);
    }
    EXPECT_EQ(options.StandardArbeitsverzeichnis, "/opt/pelko32/");
    EXPECT_EQ(options.Settings.VorlagenVerzeichnis, "/opt/pelko32/Vorlagen");
    EXPECT_FALSE(options.Abfragen.BeepBeiFehler);
    EXPECT_EQ(options.Abfragen.BeepFilename, "/home/u/fehler.wav");
}

TEST(StartupChecksTest, NothingIsShownWhenAllIsThereOrTheSoundIsOff) {
    platform::ScriptedDialogs dialogs;
    OptionenTyp options = CheckedOptions();
    const OptionenTyp before = options;
    RunStartupChecks(options, "/opt/pelko32/", dialogs, Present({"/home/u/Vokabeln/", "/home/u/Vorlagen"}),
                     Present({"/home/u/fehler.wav"}));
    options.Abfragen.BeepBeiFehler = false;
    RunStartupChecks(options, "/opt/pelko32/", dialogs, Present({"/home/u/Vokabeln/", "/home/u/Vorlagen"}),
                     Present({}));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(options.StandardArbeitsverzeichnis, before.StandardArbeitsverzeichnis);
}

TEST(StartFilesTest, ReopenInSlotOrderAndTellWhatIsGone) {
    platform::ScriptedDialogs dialogs;
    OptionenTyp options;
    options.Settings.ReopenLastFiles = true;
    options.Settings.OpenFilesAtExit = {"/v/unten.plk", "", "/v/weg.plk", "/v/oben.plk"};
    Names opened;
    auto open = [&](const std::string& name) { opened.push_back(name); };
    auto exists = Present({"/v/unten.plk", "/v/oben.plk"});

    ReopenLastFiles(options, true, open, dialogs, exists);
    EXPECT_TRUE(opened.empty());
    ReopenLastFiles(options, false, open, dialogs, exists);
    EXPECT_EQ(opened, (Names{"/v/unten.plk", "/v/oben.plk"}));
    EXPECT_EQ(dialogs.Texts(), Names{"Kann Datei /v/weg.plk nicht finden."});
    EXPECT_EQ(dialogs.shown[0].type, platform::MsgDlgType::Error);

    options.Settings.ReopenLastFiles = false;
    opened.clear();
    ReopenLastFiles(options, false, open, dialogs, exists);
    EXPECT_TRUE(opened.empty());
}

TEST(StartFilesTest, EmptyStartDocumentOnlyWithoutFilesAndWizard) {
    OptionenTyp options;
    options.BeimStartLeereDatei = true;
    options.Settings.ShowWizAtStartUp = false;
    EXPECT_TRUE(WantsEmptyStartDocument(options, false));
    EXPECT_FALSE(WantsEmptyStartDocument(options, true));
    options.Settings.ShowWizAtStartUp = true;
    EXPECT_FALSE(WantsEmptyStartDocument(options, false));
    options.Settings.ShowWizAtStartUp = false;
    options.BeimStartLeereDatei = false;
    EXPECT_FALSE(WantsEmptyStartDocument(options, false));
}

TEST(CloseRecordingTest, TwelveDocumentsRecordTheTenLowest) {
    Names bottomFirst;
    for (int i = 1; i <= 12; ++i) {
        bottomFirst.push_back("/v/" + std::to_string(i) + ".plk");
    }
    bottomFirst[3].clear();  // untitled
    std::array<std::string, 10> slots = OpenFilesAtExit(bottomFirst);
    EXPECT_EQ(slots[0], "/v/1.plk");
    EXPECT_EQ(slots[3], "");
    EXPECT_EQ(slots[9], "/v/10.plk");

    slots = OpenFilesAtExit({"/v/a.plk"});
    EXPECT_EQ(slots, (std::array<std::string, 10>{"/v/a.plk"}));
}

TEST(CloseRecordingTest, MaximisedWindowKeepsTheNormalBoundsOfBefore) {
    SettingsTyp settings;
    RecordMainWindow(settings, MainWindowState::Normal, {10, 20, 800, 600});
    EXPECT_EQ(settings.HauptfensterStatus, 1);
    RecordMainWindow(settings, MainWindowState::Maximised, {0, 0, 1920, 1080});
    EXPECT_EQ(settings.HauptfensterStatus, 2);
    EXPECT_EQ(settings.HauptfensterX, 10);
    EXPECT_EQ(settings.HauptfensterY, 20);
    EXPECT_EQ(settings.HauptfensterBreite, 800);
    EXPECT_EQ(settings.HauptfensterHoehe, 600);
    RecordMainWindow(settings, MainWindowState::Minimised, {30, 40, 500, 400});
    EXPECT_EQ(settings.HauptfensterStatus, 0);
    EXPECT_EQ(settings.HauptfensterX, 30);

    for (auto [stored, state] : {std::pair{0, MainWindowState::Minimised}, std::pair{1, MainWindowState::Normal},
                                 std::pair{2, MainWindowState::Maximised}, std::pair{7, MainWindowState::Normal},
                                 std::pair{-1, MainWindowState::Normal}}) {
        settings.HauptfensterStatus = stored;
        EXPECT_EQ(StoredMainWindowState(settings), state) << stored;
    }
}
