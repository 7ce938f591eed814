#include <gtest/gtest.h>

#include <memory>

#include "documents/DocumentFileCommands.h"
#include "documents/DocumentTestFiles.h"
#include "documents/FileFormatTestSupport.h"
#include "platform/Dialogs.h"

using platform::FileDialogResult;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

const char kVersionQuestion[] =
    "Sie haben ein Kennwort für die Datei angegeben. Dies ist aber nur für Vokabeldateien ab Version 1.4 möglich. "
    "Möchten Sie die Datei mit der neuen Version, mit den Kennwörtern, abspeichern?";

FileDialogResult Chosen(const std::string& name, int filterIndex = 1) { return {true, {name}, filterIndex}; }

// The message boxes shown, without the file dialogs.
std::vector<platform::ScriptedDialogs::Shown> Messages(const platform::ScriptedDialogs& dialogs) {
    std::vector<platform::ScriptedDialogs::Shown> boxes;
    for (const auto& shown : dialogs.shown) {
        if (shown.kind == "message") boxes.push_back(shown);
    }
    return boxes;
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        Optionen.VerzeichnisAutomatischWechseln = false;
        Optionen.BeschreibungBeimErstenSpeichern = false;
        for (int r = 1; r <= 3; ++r) doc->Entries[r] = MakeEntry("fs" + std::to_string(r), "ms");
        doc->Description = "Alt";
    }

    bool SaveAs() { return SaveDocumentAs(*doc, hooks); }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    FakeFiles files;
    ScopedFiles scopedFiles{files};
    std::unique_ptr<VocabDocument> doc = std::make_unique<VocabDocument>();
    std::vector<std::string> mru;
    FileCommandHooks hooks{nullptr, [this](const std::string& name) { mru.push_back(name); }};
};

TEST_F(FileCommandsTest, TheFilterChoosesVersionAndExtension) {
    struct Case {
        int filter;
        std::string typed, saved;
        int version;
    } cases[] = {
        {1, "/d/a", "/d/a.PLK", 15}, {2, "/d/a", "/d/a.PLK", 14},  {3, "/d/a", "/d/a.PLK", 13},
        {4, "/d/a", "/d/a.PLK", 11}, {5, "/d/a", "/d/a.VOK", 0},   {6, "/d/a", "/d/a.PLK", 15},
        {4, "/d/a.plk", "/d/a.plk", 11}, {5, "/d.x/a", "/d.x/a.VOK", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + " filter " + std::to_string(c.filter));
        files.saves.clear();
        dialogs.fileAnswers.push_back(Chosen(c.typed, c.filter));
        ASSERT_TRUE(SaveAs());
        ASSERT_EQ(files.saves.size(), 1u);
        EXPECT_EQ(files.saves[0].fileName, c.saved);
        EXPECT_EQ(files.saves[0].version, c.version);
        EXPECT_EQ(doc->FileName, c.saved);
        EXPECT_EQ(doc->FormatVersion, c.version);
        EXPECT_EQ(doc->Caption, c.saved);
    }
    EXPECT_EQ(dialogs.fileRequests[0].title, "Vokabeldatei speichern...");
    // Only a changed name goes into the recent files.
    EXPECT_EQ(mru, (std::vector<std::string>{"/d/a.PLK", "/d/a.VOK", "/d/a.PLK", "/d/a.plk", "/d.x/a.VOK"}));
}

TEST_F(FileCommandsTest, SaveAsUnderANewNameDropsThePasswordsUnlessNewOnesAreGiven) {
    doc->FileName = "/d/alt.plk";
    doc->ReadPassword = "lesen";
    doc->WritePassword = "schreiben";
    doc->SetModified(true);
    dialogs.fileAnswers.push_back(Chosen("/d/neu.plk"));
    ASSERT_TRUE(SaveAs());
    EXPECT_EQ(doc->ReadPassword, "");
    EXPECT_EQ(doc->WritePassword, "");
    EXPECT_EQ(doc->Modified, 0);
    EXPECT_EQ(mru, std::vector<std::string>{"/d/neu.plk"});

    // With the option on the properties come up, and a password given there
    // makes version 11 ask for 14.
    Optionen.BeschreibungBeimErstenSpeichern = true;
    hooks.editProperties = [](VocabDocument& d) { d.ReadPassword = "neu"; };
    dialogs.fileAnswers.push_back(Chosen("/d/alt11.plk", 4));
    dialogs.messageAnswers.push_back(ModalResult::Yes);
    ASSERT_TRUE(SaveAs());
    EXPECT_EQ(dialogs.Texts().back(), kVersionQuestion);
    EXPECT_EQ(files.saves.back().version, 14);
    EXPECT_EQ(doc->FormatVersion, 14);
    EXPECT_EQ(doc->ReadPassword, "neu");
}

TEST_F(FileCommandsTest, AFailedSaveAsKeepsNameVersionModifiedAndPasswords) {
    doc->FileName = "/d/alt.plk";
    doc->FormatVersion = 14;
    doc->ReadPassword = "lesen";
    doc->SetModified(true);
    files.saveMessage = "Die Datei konnte nicht geschrieben werden.";
    dialogs.fileAnswers.push_back(Chosen("/d/neu.plk"));
    EXPECT_FALSE(SaveAs());
    EXPECT_EQ(dialogs.shown.back().text, files.saveMessage);
    EXPECT_EQ(dialogs.shown.back().type, MsgDlgType::Information);
    EXPECT_EQ(doc->FileName, "/d/alt.plk");
    EXPECT_EQ(doc->FormatVersion, 14);
    EXPECT_EQ(doc->Modified, 1);
    // The next plain save of the old file must keep its protection.
    EXPECT_EQ(doc->ReadPassword, "lesen");
    EXPECT_TRUE(mru.empty());
}

TEST_F(FileCommandsTest, SaveAsUnderTheSameName) {
    // Only a read password: the file keeps it.
    doc->FileName = "/d/alt.plk";
    doc->ReadPassword = "lesen";
    dialogs.fileAnswers.push_back(Chosen("/d/alt.plk", 2));
    ASSERT_TRUE(SaveAs());
    EXPECT_EQ(doc->ReadPassword, "lesen");
    EXPECT_EQ(files.saves.back().version, 14);

    // A write password: a plain save in the document's own version.
    doc->WritePassword = "schreiben";
    doc->FormatVersion = 15;
    dialogs.fileAnswers.push_back(Chosen("/d/alt.plk", 4));
    ASSERT_TRUE(SaveAs());
    EXPECT_EQ(files.saves.back().version, 15);
    EXPECT_EQ(doc->WritePassword, "schreiben");
    EXPECT_TRUE(mru.empty());
}

TEST_F(FileCommandsTest, DosTextCannotKeepPasswords) {
    doc->ReadPassword = "lesen";
    const std::string warning =
        "Dateien von Pelko für DOS (*.VOK) können keine Kennwörter enthalten. Die Datei wird ohne Kennwörter "
        "gespeichert.";
    // Save as DOS text with a password given in the properties: no offer
    // of version 14, which the name would ignore.
    doc->FileName = "/d/alt.plk";
    Optionen.BeschreibungBeimErstenSpeichern = true;
    hooks.editProperties = [](VocabDocument& d) { d.ReadPassword = "neu"; };
    dialogs.fileAnswers.push_back(Chosen("/d/dos", 5));
    dialogs.messageAnswers.push_back(ModalResult::Cancel);
    EXPECT_FALSE(SaveAs());
    EXPECT_EQ(dialogs.Texts().back(), warning);
    EXPECT_TRUE(files.saves.empty());
    EXPECT_EQ(doc->ReadPassword, "lesen");
    EXPECT_EQ(doc->FileName, "/d/alt.plk");

    // A plain save of a DOS document.
    doc->FileName = "/d/alt.vok";
    doc->FormatVersion = 0;
    dialogs.messageAnswers.push_back(ModalResult::OK);
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(dialogs.Texts().back(), warning);
    ASSERT_EQ(files.saves.size(), 1u);
    EXPECT_EQ(files.saves[0].version, 0);
}

TEST_F(FileCommandsTest, PlainSave) {
    // An imported semicolon file is refused.
    doc->FileName = "/d/import.csv";
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(dialogs.Texts().back(), "Datei wurde importiert. Wählen Sie \"Speichern unter...\"");
    EXPECT_TRUE(files.saves.empty());

    // An unnamed document goes to save as.
    doc->FileName.clear();
    doc->SaveAsHandler = [this] { return SaveAs(); };
    dialogs.fileAnswers.push_back(Chosen("/d/neu.plk"));
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(doc->FileName, "/d/neu.plk");

    // Version 13 with a password: No keeps 13.
    doc->FormatVersion = 13;
    doc->WritePassword = "x";
    dialogs.messageAnswers.push_back(ModalResult::No);
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(files.saves.back().version, 13);

    // A failed save leaves the document modified.
    doc->SetModified(true);
    files.saveMessage = "voll";
    dialogs.messageAnswers.push_back(ModalResult::No);
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(dialogs.shown.back().type, MsgDlgType::Error);
    EXPECT_EQ(doc->Modified, 1);
}

TEST_F(FileCommandsTest, CancelledSaveAsChangesNothing) {
    dialogs.fileAnswers.push_back({});
    EXPECT_FALSE(SaveAs());
    EXPECT_TRUE(files.saves.empty());
    EXPECT_EQ(doc->FileName, "");
}

TEST_F(FileCommandsTest, AppendFillsTheRowsAfterTheLastUsedOne) {
    doc->Entries[7] = MakeEntry("sieben", "7");
    doc->SetModified(false);
    FakeFile& other = files.files["/d/mehr.plk"];
    other.data.Description = "Neu";
    other.data.Entries[1] = MakeEntry("acht", "8");
    other.data.Entries[2] = MakeEntry("neun", "9");
    other.data.ColumnNames.FS1.Set("Englisch");
    dialogs.fileAnswers.push_back(Chosen("/d/mehr.plk"));

    const std::string name = ChooseFileToAppend(*doc);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Vokabeldatei hinzufügen...");
    ASSERT_TRUE(AppendVocabularyFile(*doc, name, 0));
    EXPECT_EQ(doc->Entries[7].FS1.Get(), "sieben");
    EXPECT_EQ(doc->Entries[8].FS1.Get(), "acht");
    EXPECT_EQ(doc->Entries[9].FS1.Get(), "neun");
    EXPECT_EQ(doc->Description, "Alt + Neu");
    EXPECT_EQ(doc->ColumnNames.FS1.Get(), "Englisch");
    EXPECT_EQ(doc->Modified, 1);
    EXPECT_EQ(files.allowAnyExtension, std::vector<bool>{true});
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(doc->LastUsedRow(), 7);
    EXPECT_EQ(doc->Description, "Alt");
}

TEST_F(FileCommandsTest, AFileThatCannotBeReadAppendsNothing) {
    FakeFile& broken = files.files["/d/kaputt.plk"];
    broken.message = "Die Datei ist beschädigt.";
    broken.data.Entries[1] = MakeEntry("halb", "gelesen");
    broken.data.ColumnNames.FS1.Set("Fremd");
    const SpaltennamenTyp names = doc->ColumnNames;
    EXPECT_FALSE(AppendVocabularyFile(*doc, "/d/kaputt.plk", 0));
    EXPECT_EQ(dialogs.Texts().back(), broken.message);
    EXPECT_EQ(dialogs.shown.back().type, MsgDlgType::Error);
    EXPECT_EQ(doc->LastUsedRow(), 3);
    EXPECT_EQ(doc->ColumnNames, names);
    EXPECT_EQ(doc->Description, "Alt");
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: Vokabeldatei hinzufügen");
}

TEST_F(FileCommandsTest, AFullTableIsRefusedBeforeTheDialog) {
    for (int r = 1; r <= kMaxEntries; ++r) doc->Entries[r] = MakeEntry("x", "y");
    EXPECT_EQ(ChooseFileToAppend(*doc), "");
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(dialogs.Texts().back(),
              "Die letzte Vokabel (Nr.500) ist schon ausgefüllt. Hinzufügen nicht möglich.");
}

TEST_F(FileCommandsTest, PropertiesTakeOverWhatChanged) {
    doc->SetModified(false);
    EXPECT_FALSE(ApplyProperties(*doc, {"Alt", "", ""}));
    EXPECT_EQ(doc->Modified, 0);

    EXPECT_TRUE(ApplyProperties(*doc, {"Alt", "lesen", "schreiben"}));
    EXPECT_EQ(doc->Modified, 1);
    EXPECT_FALSE(doc->UndoEnabled());  // passwords are no undo step
    EXPECT_EQ(doc->ReadPassword, "lesen");
    EXPECT_EQ(doc->WritePassword, "schreiben");

    EXPECT_TRUE(ApplyProperties(*doc, {"Neu", "lesen", "schreiben"}));
    EXPECT_EQ(doc->UndoCaption(), "&Rückgängig: Beschreibung ändern");
    ASSERT_TRUE(doc->UndoStep());
    EXPECT_EQ(doc->Description, "Alt");
    EXPECT_EQ(doc->ReadPassword, "lesen");
}

// With the real formats on disk.
class FileCommandsOnDiskTest : public ::testing::Test {
protected:
    FileCommandsOnDiskTest() {
        Optionen.VerzeichnisAutomatischWechseln = false;
        Optionen.BeschreibungBeimErstenSpeichern = false;
        Optionen.Sicherungskopien = false;
        doc->Entries[1] = MakeEntry("pivo", "Bier");
        doc->Entries[2] = MakeEntry("voda", "Wasser");
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    TempDir dir;
    std::unique_ptr<VocabDocument> doc = std::make_unique<VocabDocument>();
};

TEST_F(FileCommandsOnDiskTest, SaveAsVersion13WritesThatVersion) {
    dialogs.fileAnswers.push_back(Chosen(dir.Path("alt"), 3));
    ASSERT_TRUE(SaveDocumentAs(*doc, {}));
    auto data = std::make_unique<VocabularyFileData>();
    const LoadResult loaded =
        LoadVocabularyFile(dir.Path("alt.PLK"), *data, true, 1, FileFormatOptions::From(Optionen));
    ASSERT_FALSE(loaded.Failed()) << loaded.Message;
    EXPECT_EQ(loaded.Kind, FileKind::Native);
    EXPECT_EQ(loaded.Version, 13);
    EXPECT_EQ(data->Entries[2].FS1.Get(), "voda");
}

TEST_F(FileCommandsOnDiskTest, AWriteProtectedFileAsksForItsPasswordOnTheNextSave) {
    const std::string path = dir.Path("geschuetzt.plk");
    dialogs.fileAnswers.push_back(Chosen(path));
    Optionen.BeschreibungBeimErstenSpeichern = true;
    FileCommandHooks hooks;
    hooks.editProperties = [](VocabDocument& d) { d.WritePassword = "geheim"; };
    ASSERT_TRUE(SaveDocumentAs(*doc, hooks));
    EXPECT_TRUE(dialogs.passwordAnswers.empty());

    // A wrong password three times: nothing is written.
    doc->Entries[3] = MakeEntry("caj", "Tee");
    const std::string before = TempDir::Read(path);
    dialogs.passwordAnswers = {"a", "b", "c"};
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(TempDir::Read(path), before);
    dialogs.passwordAnswers = {"geheim"};
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(dialogs.shown.back().text, "Bitte das Schreibschutzkennwort eingeben:");
    EXPECT_NE(TempDir::Read(path), before);
}

TEST_F(FileCommandsOnDiskTest, Template) {
    const std::string path = dir.Path("vorlage.plv");
    // Two used rows: the warning first; Cancel ends.
    dialogs.messageAnswers.push_back(ModalResult::Cancel);
    SaveDocumentAsTemplate(*doc);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(dialogs.shown.back().type, MsgDlgType::Warning);

    // One used row asks nothing.
    doc->Entries[2] = BlankEntry;
    doc->ColumnNames.FS1.Set("Tschechisch");
    dialogs.shown.clear();
    dialogs.fileAnswers.push_back(Chosen(path));
    SaveDocumentAsTemplate(*doc);
    EXPECT_TRUE(Messages(dialogs).empty());
    EXPECT_EQ(dialogs.fileRequests.back().title, "Als Vorlage speichern...");
    EXPECT_EQ(dialogs.fileRequests.back().initialDir, Optionen.Settings.VorlagenVerzeichnis);
    auto data = std::make_unique<VocabularyFileData>();
    ASSERT_EQ(LoadTemplate(path + ">", *data), "");
    EXPECT_EQ(data->ColumnNames.FS1.Get(), "Tschechisch");

    // An existing file: No keeps it.
    const std::string before = TempDir::Read(path);
    doc->ColumnNames.FS1.Set("Polnisch");
    dialogs.fileAnswers.push_back(Chosen(path));
    dialogs.messageAnswers.push_back(ModalResult::No);
    SaveDocumentAsTemplate(*doc);
    EXPECT_EQ(dialogs.Texts().back(), "Die gewählte Datei existiert bereits. Überschreiben?");
    EXPECT_EQ(TempDir::Read(path), before);
    // Asked once: the file dialog does not ask first.
    EXPECT_FALSE(dialogs.fileRequests.back().confirmOverwrite);
}

TEST_F(FileCommandsOnDiskTest, ExportWritesSemicolonTextAndReportsAFailure) {
    dialogs.fileAnswers.push_back(Chosen(dir.Path("liste.csv")));
    ExportDocument(*doc);
    EXPECT_NE(TempDir::Read(dir.Path("liste.csv")).find("pivo"), std::string::npos);
    EXPECT_TRUE(Messages(dialogs).empty());
    EXPECT_EQ(doc->Modified, 0);

    dialogs.fileAnswers.push_back(Chosen(dir.Path("fehlt/liste.csv")));
    ExportDocument(*doc);
    ASSERT_EQ(Messages(dialogs).size(), 1u);
    EXPECT_EQ(Messages(dialogs)[0].type, MsgDlgType::Information);
}

}  // namespace
