#include "platform/Dialogs.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ScriptedDialogsTest, AnswersInOrderAndRecordsWhatWasShown) {
    ScriptedDialogs dialogs;
    dialogs.messageAnswers = {ModalResult::No, ModalResult::Yes};
    dialogs.passwordAnswers = {"geheim", kCancelMarker};
    dialogs.inputAnswers = {std::string("Anna"), std::nullopt};
    FileDialogResult chosen{true, {"/tmp/a.plk"}, 2};
    dialogs.fileAnswers = {chosen};
    dialogs.folderAnswers = {std::string("/tmp")};
    ScopedDialogs scope(dialogs);

    EXPECT_EQ(Dialogs().MessageDlg("Speichern?", MsgDlgType::Confirmation, mbYesNoCancel, 7), ModalResult::No);
    EXPECT_EQ(Dialogs().MessageDlg("Wirklich?", MsgDlgType::Warning, mbYes | mbNo), ModalResult::Yes);
    Dialogs().ShowMessage("Fertig");
    EXPECT_EQ(Dialogs().AskPassword("Passwort:"), "geheim");
    EXPECT_EQ(Dialogs().AskPassword("Passwort:"), kCancelMarker);
    EXPECT_EQ(Dialogs().InputQuery("Name", "Ihr Name:", ""), "Anna");
    EXPECT_EQ(Dialogs().InputQuery("Name", "Ihr Name:", ""), std::nullopt);
    FileDialogRequest request;
    request.title = "Öffnen";
    request.filter = "Vokabeln|*.plk";
    FileDialogResult result = Dialogs().OpenFileDialog(request);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.files, chosen.files);
    EXPECT_EQ(Dialogs().ChooseFolder("Ordner", "/"), "/tmp");

    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"Speichern?", "Wirklich?", "Fertig", "Passwort:",
                                                         "Passwort:", "Ihr Name:", "Ihr Name:", "Öffnen",
                                                         "Ordner"}));
    EXPECT_EQ(dialogs.shown[0].kind, "message");
    EXPECT_EQ(dialogs.shown[0].type, MsgDlgType::Confirmation);
    EXPECT_EQ(dialogs.shown[0].buttons, mbYesNoCancel);
    EXPECT_EQ(dialogs.shown[0].helpContext, 7);
    EXPECT_EQ(dialogs.shown[2].kind, "show");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Vokabeln|*.plk");
}

TEST(ScriptedDialogsTest, UnexpectedPromptThrowsNamingIt) {
    ScriptedDialogs dialogs;
    ScopedDialogs scope(dialogs);
    // A box with only OK (and Help) needs no answer.
    EXPECT_EQ(Dialogs().MessageDlg("Hinweis", MsgDlgType::Information, mbOK | mbHelp), ModalResult::OK);
    try {
        Dialogs().MessageDlg("Datei überschreiben?", MsgDlgType::Confirmation, mbYes | mbNo);
        FAIL() << "no answer was queued";
    } catch (const std::logic_error& e) {
        EXPECT_NE(std::string(e.what()).find("Datei überschreiben?"), std::string::npos);
    }
    EXPECT_THROW(Dialogs().AskPassword("Passwort:"), std::logic_error);
    EXPECT_THROW(Dialogs().OpenFileDialog({}), std::logic_error);
    dialogs.autoConfirmOkOnly = false;
    EXPECT_THROW(Dialogs().MessageDlg("Hinweis", MsgDlgType::Information, mbOK), std::logic_error);
}

TEST(DialogSeamTest, ScopesNestAndRestore) {
    ScriptedDialogs outer;
    ScriptedDialogs inner;
    EXPECT_THROW(Dialogs().ShowMessage("ohne"), std::logic_error);
    {
        ScopedDialogs a(outer);
        {
            ScopedDialogs b(inner);
            Dialogs().ShowMessage("innen");
        }
        Dialogs().ShowMessage("außen");
    }
    EXPECT_THROW(Dialogs().ShowMessage("ohne"), std::logic_error);
    EXPECT_EQ(inner.Texts(), std::vector<std::string>{"innen"});
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"außen"});
}

TEST(DialogSeamTest, HelpContextGoesToTheHandler) {
    std::vector<int> asked;
    ShowHelpContext(5);  // no handler: nothing happens
    SetHelpHandler([&](int context) { asked.push_back(context); });
    ShowHelpContext(12);
    SetHelpHandler(nullptr);
    ShowHelpContext(13);
    EXPECT_EQ(asked, std::vector<int>{12});
}
