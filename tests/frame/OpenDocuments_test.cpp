#include "frame/OpenDocuments.h"

#include <gtest/gtest.h>

#include "documents/AppSettings.h"

using Names = std::vector<std::string>;

TEST(OpenDecisionTest, ActivatesAnOpenFileOrCreates) {
    struct Case {
        Names windows;
        int active;
        std::string path;
        OpenAction action;
        size_t window;
    };
    const Case cases[] = {
        {{}, -1, "/a.plk", OpenAction::Create, 0},
        {{"/a.plk", "/b.plk"}, 0, "/a.plk", OpenAction::AlreadyActive, 0},
        // Open but not active: brought to the front, no second window.
        {{"/a.plk", "", "/b.plk"}, 0, "/b.plk", OpenAction::Activate, 2},
        {{"/a.plk", "/b.plk"}, -1, "/a.plk", OpenAction::Activate, 0},
        // The topmost of two windows on the same file.
        {{"/c.plk", "/b.plk", "/b.plk"}, 0, "/b.plk", OpenAction::Activate, 1},
        // Exact names: another letter case is another file.
        {{"/a.plk"}, 0, "/A.plk", OpenAction::Create, 0},
        {{"/a.plk"}, 0, "/b.plk", OpenAction::Create, 0},
    };
    for (const Case& c : cases) {
        OpenDecision decision = DecideOpen(c.path, c.windows, c.active);
        EXPECT_EQ(decision.action, c.action) << c.path;
        if (c.action != OpenAction::Create) {
            EXPECT_EQ(decision.window, c.window) << c.path;
        }
    }
}

TEST(OpenDecisionTest, MissingFileIsReportedAndLeavesTheRecentFiles) {
    platform::ScriptedDialogs dialogs;
    RecentFileSlots slots{"/a.plk", "/weg.plk", "/b.plk"};
    ReportMissingFile("/weg.plk", slots, dialogs);
    EXPECT_EQ(dialogs.Texts(), Names{"Datei nicht gefunden: /weg.plk"});
    EXPECT_EQ(dialogs.shown[0].type, platform::MsgDlgType::Error);
    EXPECT_EQ(dialogs.shown[0].buttons, platform::mbOK);
    EXPECT_EQ(slots, (RecentFileSlots{"/a.plk", "/b.plk"}));
}

TEST(OpenDialogTest, FilterListAndFormatOfTheChosenFiles) {
    OptionenTyp options;
    options.StandardArbeitsverzeichnis = "/home/u/Vokabeln/";
    platform::FileDialogRequest request = OpenDialogRequest(options);
    EXPECT_EQ(request.title, "Vokabeldatei öffnen...");
    EXPECT_EQ(request.filter, "Pelko32 (*.PLK)|*.PLK|Pelko für DOS-Dateien (*.VOK)|*.VOK|Alle Dateien (*.*)|*.*");
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(request.initialDir, "/home/u/Vokabeln/");
    options.StandardArbeitsverzeichnisNutzen = false;
    EXPECT_EQ(ImportDialogRequest(options).initialDir, "");
    EXPECT_EQ(ImportDialogRequest(options).filter, "CSV Dateien|*.csv");

    EXPECT_EQ(FormatVersionForFilter(1), 15);
    EXPECT_EQ(FormatVersionForFilter(2), 0);
    EXPECT_EQ(FormatVersionForFilter(3), 15);
    // Not from the dialog at all.
    EXPECT_EQ(FormatVersionForFilter(0), 15);
}
