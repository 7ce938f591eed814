#include <gtest/gtest.h>

#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/VocabDocument.h"
#include "platform/Dialogs.h"

using platform::ModalResult;
using platform::MsgDlgType;

namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { doc = std::make_unique<VocabDocument>(); }

    // Rows first..last hold "w<row>" / "m<row>".
    void Fill(int first, int last) {
        for (int r = first; r <= last; ++r) doc->Entries[r] = MakeEntry("w" + std::to_string(r), "m" + std::to_string(r));
    }
    std::string Word(int row) const { return doc->Entries[row].FS1.Get(); }

    DefaultOptionsForTest options;
    std::unique_ptr<VocabDocument> doc;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    FakeFiles files;
    ScopedFiles scopedFiles{files};
};

class CountingView : public DocumentView {
public:
    int refreshes = 0;
    int captions = 0;
    void RefreshGrid() override { ++refreshes; }
    void CaptionChanged() override { ++captions; }
};

TEST_F(DocumentTest, CountsOnEmptyPartialAndFullTables) {
    struct Case {
        int first, last;  // used rows
        int used, lastUsed, firstFree;
    };
    const Case cases[] = {
        {0, -1, 0, 0, 1},
        {1, 12, 12, 12, 13},
        {3, 3, 1, 3, 1},
        {1, 500, 500, 500, 501},
        {2, 500, 499, 500, 1},
    };
    for (const Case& c : cases) {
        doc = std::make_unique<VocabDocument>();
        Fill(c.first, c.last);
        SCOPED_TRACE(std::to_string(c.first) + ".." + std::to_string(c.last));
        EXPECT_EQ(doc->CountUsedEntries(), c.used);
        EXPECT_EQ(doc->LastUsedRow(), c.lastUsed);
        EXPECT_EQ(doc->FirstFreeRow(), c.firstFree);
        EXPECT_EQ(doc->CountCompleteEntries(), c.used);
    }
}

TEST_F(DocumentTest, CompleteEntriesNeedBothLanguagesWhateverTheirUseFlag) {
    doc->Entries[1] = MakeEntry("nur", "");            // foreign language only
    doc->Entries[2] = MakeEntry("", "", "fs2");         // foreign language only, in FS2
    doc->Entries[3] = MakeEntry("", "nur Mutter");      // mother tongue only
    doc->Entries[4] = MakeEntry("", "", "fs2", "ms5");  // FS2 and MS5 count
    doc->Entries[5] = MakeEntry(" ", " ");              // blanks are text here
    doc->Entries[6] = MakeEntry("a", "b");
    doc->Entries[6].InUse = 0;
    EXPECT_EQ(doc->CountCompleteEntries(), 3);
    EXPECT_EQ(doc->CountUsedEntries(), 5);
}

TEST_F(DocumentTest, EntryComparisonAndClearing) {
    VokabelTyp a = MakeEntry("Haus", "house");
    VokabelTyp b = a;
    b.InUse = 0;
    b.Reserve = 7;
    EXPECT_TRUE(VocabDocument::EntriesEqual(a, b));
    b.MS1.Set("House");
    EXPECT_FALSE(VocabDocument::EntriesEqual(a, b));

    a.Reserve = 0x1234;
    VocabDocument::ClearEntry(a);
    EXPECT_TRUE(VocabDocument::IsEntryEmpty(a));
    EXPECT_EQ(a.InUse, 0);
    EXPECT_EQ(uint16_t(a.Reserve), 0x1234);
}

TEST_F(DocumentTest, RecomputeUsedFlagsSetsAndClears) {
    doc->Entries[1].MS3.Set(" ");  // untrimmed: in use
    doc->Entries[2].InUse = 1;     // nothing in it
    doc->RecomputeUsedFlags();
    EXPECT_EQ(doc->Entries[1].InUse, 1);
    EXPECT_EQ(doc->Entries[2].InUse, 0);
    EXPECT_EQ(doc->LastUsedRow(), 1);
}

TEST_F(DocumentTest, InsertRowMovesTheUsedRowsDown) {
    CountingView view;
    doc->SetView(&view);
    struct Case {
        int usedTo, row;
        std::vector<std::string> expected;  // rows 1..n afterwards
    };
    const Case cases[] = {
        {5, 3, {"w1", "w2", "neu", "w3", "w4", "w5"}},
        {5, 1, {"neu", "w1", "w2", "w3", "w4", "w5"}},
        {5, 8, {"w1", "w2", "w3", "w4", "w5", "", "", "neu"}},
        {0, 1, {"neu", ""}},
    };
    for (const Case& c : cases) {
        doc = std::make_unique<VocabDocument>();
        doc->SetView(&view);
        Fill(1, c.usedTo);
        SCOPED_TRACE(c.row);
        doc->InsertRow(c.row, MakeEntry("neu", "new"));
        for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(Word(int(i) + 1), c.expected[i]) << i + 1;
    }
    EXPECT_EQ(view.refreshes, 4);
    EXPECT_TRUE(dialogs.shown.empty());

    // Room for one more when row 499 is the last.
    doc = std::make_unique<VocabDocument>();
    Fill(1, 499);
    doc->InsertRow(1, MakeEntry("neu", "new"));
    EXPECT_EQ(Word(1), "neu");
    EXPECT_EQ(Word(500), "w499");
}

TEST_F(DocumentTest, InsertRowOnAFullTableWarnsAndChangesNothing) {
    CountingView view;
    doc->SetView(&view);
    Fill(1, 3);
    doc->Entries[500] = MakeEntry("letzte", "last");
    const VokabelArrayTyp before = doc->Entries;
    doc->InsertRow(2, MakeEntry("neu", "new"));
    EXPECT_TRUE(doc->Entries == before);
    EXPECT_EQ(view.refreshes, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Die letzte Vokabel (Nr.500) ist schon ausgefüllt. Zeile einfügen nicht möglich.");
    EXPECT_EQ(dialogs.shown[0].type, MsgDlgType::Warning);
}

TEST_F(DocumentTest, DeleteRowMovesUpAndBlanksRow500) {
    Fill(1, 500);
    doc->DeleteRow(1);
    EXPECT_EQ(Word(1), "w2");
    EXPECT_EQ(Word(499), "w500");
    EXPECT_TRUE(doc->Entries[500] == BlankEntry);
    // The scratch row and rows outside the table are never touched; an
    // entry for a row past 500 does not fit and is refused.
    doc->Entries[0] = MakeEntry("scratch", "");
    doc->DeleteRow(0);
    doc->InsertRow(0, MakeEntry("x", "y"));
    EXPECT_TRUE(dialogs.shown.empty());
    doc->InsertRow(501, MakeEntry("x", "y"));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{
                                   "Die letzte Vokabel (Nr.500) ist schon ausgefüllt. Zeile einfügen nicht möglich."});
    EXPECT_EQ(Word(0), "scratch");
    EXPECT_EQ(Word(1), "w2");
    EXPECT_TRUE(doc->Entries[500] == BlankEntry);
}

TEST_F(DocumentTest, SetModifiedMarksTheCaptionOnce) {
    CountingView view;
    doc->SetView(&view);
    doc->Caption = "/home/lena/latein.plk";
    doc->SetModified(true);
    doc->SetModified(true);
    EXPECT_EQ(doc->Caption, "/home/lena/latein.plk *");
    doc->SetModified(false);
    EXPECT_EQ(doc->Modified, 0);
    EXPECT_EQ(doc->Caption, "/home/lena/latein.plk *");
    EXPECT_EQ(view.captions, 1);
}

TEST_F(DocumentTest, LayoutCaptionRules) {
    struct Case {
        std::string caption, fileName;
        bool modified, minimised;
        std::string expected;
    };
    const Case cases[] = {
        {"x", "", false, false, "Vokabeldatei 3"},
        {"x", "", true, true, "Vokabeldatei 3 *"},
        {"x", "/home/lena/latein.plk", false, false, "/home/lena/latein.plk"},
        {"x", "/home/lena/latein.plk", true, true, "latein.plk *"},
        {"Suchergebnis", "", false, false, "Suchergebnis"},
        {"Suchergebnis *", "", true, false, "Suchergebnis *"},
        {"Suchergebnis *", "", false, false, "Suchergebnis"},
        {ErrorListCaption + " *", "", true, false, ErrorListCaption + " *"},
        {"Suchergebnis 2", "", false, false, "Vokabeldatei 3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LayoutCaption(c.caption, c.fileName, 3, c.modified, c.minimised), c.expected) << c.caption;
    }
}

TEST_F(DocumentTest, NewDocumentDefaults) {
    for (int r = 0; r <= 500; ++r) ASSERT_TRUE(doc->Entries[r] == BlankEntry);
    EXPECT_EQ(doc->ColumnNames.FS1.Get(), "1) Fremdsprache");
    EXPECT_EQ(doc->ColumnNames.FS2.Get(), "2) Fremdsprache");
    EXPECT_EQ(doc->ColumnNames.MS1.Get(), "1) Muttersprache ");
    EXPECT_EQ(doc->ColumnNames.MS3.Get(), "3) Muttersprache ");
    EXPECT_EQ(doc->ColumnNames.MS5.Get(), "5) Muttersprache ");
    EXPECT_TRUE(doc->Fonts.TableMS == Optionen.SchriftMS);
    EXPECT_TRUE(doc->Fonts.TableHeader == Optionen.SchriftTab);
    EXPECT_EQ(doc->UndoLevel, 1);
    EXPECT_TRUE(doc->UndoSlots[10].Entries == EmptyDocumentSnapshot.Entries);
    EXPECT_EQ(doc->FormatVersion, 15);
}

// ---- Asking before closing ----------------------------------------------------

TEST_F(DocumentTest, AskSaveChangesAnswers) {
    EXPECT_TRUE(doc->AskSaveChanges());  // not modified: no box
    EXPECT_TRUE(dialogs.shown.empty());

    doc->FileName = "/home/lena/latein.plk";
    doc->FormatVersion = 11;
    doc->SetModified(true);
    dialogs.messageAnswers = {ModalResult::Cancel, ModalResult::None, ModalResult::No};
    EXPECT_FALSE(doc->AskSaveChanges());
    EXPECT_FALSE(doc->AskSaveChanges());
    EXPECT_TRUE(doc->AskSaveChanges());
    EXPECT_TRUE(files.saves.empty());
    EXPECT_EQ(dialogs.shown[0].text, "Datei /home/lena/latein.plk wurde geändert. Änderungen speichern?");
    EXPECT_EQ(dialogs.shown[0].buttons, platform::mbYesNoCancel);

    dialogs.messageAnswers = {ModalResult::Yes};
    Fill(1, 4);
    EXPECT_TRUE(doc->AskSaveChanges());
    ASSERT_EQ(files.saves.size(), 1u);
    EXPECT_EQ(files.saves[0].fileName, "/home/lena/latein.plk");
    EXPECT_EQ(files.saves[0].version, 11);
    EXPECT_EQ(files.saves[0].usedRows, 4);
    EXPECT_EQ(doc->Modified, 0);
    EXPECT_EQ(doc->Caption, "/home/lena/latein.plk");
}

TEST_F(DocumentTest, AskSaveChangesKeepsTheDocumentWhenTheSaveFails) {
    doc->FileName = "/home/lena/latein.plk";
    doc->SetModified(true);
    files.saveMessage = "Die angegebene Datei ist schreibgeschützt. Geben Sie der Datei einen anderen Namen.";
    dialogs.messageAnswers = {ModalResult::Yes};
    EXPECT_FALSE(doc->AskSaveChanges());
    EXPECT_EQ(doc->Modified, 1);
    EXPECT_EQ(dialogs.Texts().back(), files.saveMessage);

    // Unnamed and imported documents are not saved by a plain save.
    doc->FileName = "";
    dialogs.messageAnswers = {ModalResult::Yes};
    EXPECT_FALSE(doc->AskSaveChanges());
    EXPECT_EQ(dialogs.Texts().back(), "Datei  wurde geändert. Änderungen speichern?");
    doc->FileName = "/home/lena/liste.Csv";
    dialogs.messageAnswers = {ModalResult::Yes};
    EXPECT_FALSE(doc->AskSaveChanges());
    EXPECT_EQ(dialogs.Texts().back(), "Datei wurde importiert. Wählen Sie \"Speichern unter...\"");
    EXPECT_TRUE(files.saves.empty());
    EXPECT_EQ(doc->Modified, 1);
}

TEST_F(DocumentTest, PlainSaveOfAnOldVersionWithPasswordsAsksForVersion14) {
    doc->FileName = "/home/lena/alt.plk";
    doc->FormatVersion = 13;
    doc->ReadPassword = "geheim";
    dialogs.messageAnswers = {ModalResult::Yes};
    EXPECT_TRUE(doc->Save());
    EXPECT_EQ(files.saves.at(0).version, 14);
    EXPECT_EQ(doc->FormatVersion, 14);
}

TEST_F(DocumentTest, CloseQueryRefusesWhileTheEditorWorksOnThisDocument) {
    auto other = std::make_unique<VocabDocument>();
    doc->SetModified(true);  // unnamed, and modified
    SetDocumentInEditor(doc.get());
    EXPECT_FALSE(doc->CloseQuery());
    EXPECT_EQ(dialogs.Texts().back(), "Bitte schließen Sie die Eingabemaske vor dem Schließen der Datei.");
    EXPECT_TRUE(other->CloseQuery());  // not modified, not edited
    doc.reset();
    EXPECT_EQ(DocumentInEditor(), nullptr);
}

// ---- Creation from a request -------------------------------------------------

TEST_F(DocumentTest, RequestFromTheFrameMarker) {
    EXPECT_EQ(DocumentRequest::FromMarker("\x1b").kind, DocumentRequest::Kind::Empty);
    const DocumentRequest t = DocumentRequest::FromMarker("/v/Latein.PLV>");
    EXPECT_EQ(t.kind, DocumentRequest::Kind::Template);
    EXPECT_EQ(t.name, "/v/Latein.PLV");
    const DocumentRequest f = DocumentRequest::FromMarker("/home/a.plk", 2);
    EXPECT_EQ(f.kind, DocumentRequest::Kind::File);
    EXPECT_EQ(f.lastOpenFilterIndex, 2);
}

TEST_F(DocumentTest, CreateFromAFileTakesWhatTheReaderRead) {
    FakeFile& f = files.files["/home/lena/latein.plk"];
    f.data.Description = "Lektion 1\r\nLektion 2";
    f.data.Entries[1] = MakeEntry("amare", "lieben");
    f.data.Entries[2] = MakeEntry("videre", "sehen");
    f.data.ColumnNames = DefaultColumnNames();
    f.data.ColumnNames.FS1.Set("Latein");
    f.data.Fonts = doc->Fonts;
    f.data.Fonts.TableFS.Name.Set("Courier New");
    f.data.Fonts.Present = 1;
    f.version = 11;

    auto created = CreateDocument(DocumentRequest::FromMarker("/home/lena/latein.plk"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->FileName, "/home/lena/latein.plk");
    EXPECT_EQ(created->LastUsedRow(), 2);
    EXPECT_EQ(created->Description, f.data.Description);
    EXPECT_EQ(created->ColumnNames.FS1.Get(), "Latein");
    EXPECT_EQ(created->Fonts.TableFS.Name.Get(), "Courier New");
    // An old native file is saved in the current version: column names,
    // fonts and passwords the document holds must survive a plain save.
    EXPECT_EQ(created->FormatVersion, 15);
    EXPECT_EQ(created->Modified, 0);
    EXPECT_EQ(files.allowAnyExtension.back(), true);

    // No font block: the fonts of the options stay; DOS text keeps version 0.
    f.data.Fonts.Present = 0;
    f.kind = FileKind::DosText;
    f.version = 0;
    created = CreateDocument(DocumentRequest::FromMarker("/home/lena/latein.plk", 2));
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->Fonts.TableFS == Optionen.SchriftFS);
    EXPECT_EQ(created->FormatVersion, 0);
    EXPECT_EQ(files.allowAnyExtension.back(), false);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DocumentTest, CreateFromAnUnreadableFileShowsTheMessageAndGivesNothing) {
    files.files["/home/lena/kaputt.plk"].message = "Dies ist keine Pelko-Vokabeldatei.";
    EXPECT_EQ(CreateDocument(DocumentRequest::FromMarker("/home/lena/kaputt.plk")), nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Dies ist keine Pelko-Vokabeldatei.");
    EXPECT_EQ(dialogs.shown[0].type, MsgDlgType::Error);

    // A warning is shown, and what was read opens.
    FakeFile& dos = files.files["/home/lena/lang.vok"];
    dos.message = "Es sind zu viele Vokabeln in der Datei. Die restlichen Vokabeln wurden ignoriert.";
    dos.warning = true;
    dos.kind = FileKind::DosText;
    dos.data.Entries[500] = MakeEntry("a", "b");
    auto created = CreateDocument(DocumentRequest::FromMarker("/home/lena/lang.vok"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->LastUsedRow(), 500);
    EXPECT_EQ(dialogs.shown.at(1).text, dos.message);
    EXPECT_EQ(dialogs.shown.at(1).type, MsgDlgType::Warning);
}

TEST_F(DocumentTest, WriteProtectionNotice) {
    files.files["/home/lena/s.plk"].data.WritePassword = "schutz";
    dialogs.messageAnswers = {ModalResult::OK, ModalResult::Abort};
    EXPECT_NE(CreateDocument(DocumentRequest::FromMarker("/home/lena/s.plk")), nullptr);
    EXPECT_EQ(CreateDocument(DocumentRequest::FromMarker("/home/lena/s.plk")), nullptr);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Diese Datei ist mit einem Schreibschutz-Kennwort geschützt.");
    EXPECT_EQ(dialogs.shown[0].type, MsgDlgType::Information);
    EXPECT_EQ(dialogs.shown[0].buttons, platform::mbOK | platform::mbAbort | platform::mbHelp);
    EXPECT_EQ(dialogs.shown[0].helpContext, 2002);

    Optionen.Settings.HinweisBeiSchreibschutz = false;
    auto created = CreateDocument(DocumentRequest::FromMarker("/home/lena/s.plk"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->WritePassword, "schutz");
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(DocumentTest, ImportedCsvHasNoFileNameAndIsMarkedModified) {
    FakeFile& csv = files.files["/home/lena/liste.cSv"];
    csv.kind = FileKind::SemicolonText;
    csv.data.Entries[1] = MakeEntry("a", "b");
    auto created = CreateDocument(DocumentRequest::FromMarker("/home/lena/liste.cSv"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->FileName, "");
    EXPECT_EQ(created->Modified, 1);
    EXPECT_EQ(created->LastUsedRow(), 1);
}

TEST_F(DocumentTest, TemplateReadErrorIsShownAndTheDocumentStillOpens) {
    FakeFile& t = files.files["/v/Latein.PLV"];
    t.data.Description = "Vorlage";
    t.data.ColumnNames = DefaultColumnNames();
    t.data.ColumnNames.FS1.Set("Latein");
    t.data.Fonts = doc->Fonts;
    t.data.Fonts.Present = 1;
    t.data.Fonts.HeaderFonts = 1;
    auto created = CreateDocument(DocumentRequest::FromMarker("/v/Latein.PLV>"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->FileName, "");
    EXPECT_EQ(created->Description, "Vorlage");
    EXPECT_EQ(created->ColumnNames.FS1.Get(), "Latein");
    EXPECT_EQ(created->Fonts.HeaderFonts, 1);
    EXPECT_TRUE(dialogs.shown.empty());

    t.message = "Vorlage konnte nicht gelesen werden.";
    created = CreateDocument(DocumentRequest::FromMarker("/v/Latein.PLV>"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{t.message});
}

}  // namespace
