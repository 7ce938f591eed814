#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "documents/AppTools.h"
#include "documents/DocumentTestFiles.h"
#include "documents/LoadSave.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/TabelleModel.h"
#include "frame/FileSearch.h"
#include "frame/ui/FileSearchUnit.h"
#include "frame/ui/Main.h"
#include "FrameTestSupport.h"
#include "frame/ui/searchinfounit.h"
#include "platform/Dialogs.h"
#include "platform/TempDir.h"

using platform::ModalResult;

namespace {

VokabelTyp Entry(const std::string& fs1, const std::string& fs2, const std::string& ms1, const std::string& ms5) {
    return MakeEntry(fs1, ms1, fs2, ms5);
}

TEST(FileSearchMatchTest, WordPartsLookInTheLanguageOfTheFirstBoxOthersCompareAllFields) {
    const VokabelTyp e = Entry("Computer", "Rechner", "Haus", " Baum");
    struct Case {
        const char* text;
        bool ignoreCase, wordParts, foreign, expected;
    } const cases[] = {
        {"com", true, true, true, true},
        {"com", false, true, true, false},  // case counts
        {"Com", false, true, true, true},
        {"aus", true, true, true, false},   // mother tongue not looked at with the first box on
        {"aus", true, true, false, true},
        {"rech", true, true, false, false},
        {"BAUM", true, true, false, true},
        {"haus", true, false, true, true},  // without word parts every field, either box
        {"haus", true, false, false, true},
        {"computer", true, false, false, true},
        {"hau", true, false, true, false},  // equal, not contained
        {"baum", true, false, true, false}, // fields are not trimmed
        {"", true, true, true, false},
    };
    for (const Case& c : cases) {
        const FileSearchOptions options{c.ignoreCase, c.wordParts, c.foreign};
        EXPECT_EQ(EntryMatchesSearch(e, SearchTextForComparison(c.text, c.ignoreCase), options), c.expected)
            << c.text << " " << c.ignoreCase << c.wordParts << c.foreign;
    }
    // Only a to z change case.
    EXPECT_EQ(SearchTextForComparison("m\xfc" "de", true), "M\xfc" "DE");
    EXPECT_EQ(SearchTextForComparison("  \t ", true), "");
}

TEST(FileSearchResultTest, HitsFillRowsInOrderEvenWhenTheyComeWithoutTheirInUseMark) {
    VocabDocument result;
    VokabelTyp hit = Entry("a", "", "b", "");
    hit.InUse = 0;  // as newer files may store it
    EXPECT_EQ(AddSearchHit(result, hit), 1);
    EXPECT_EQ(AddSearchHit(result, hit), 2);
    EXPECT_EQ(result.Entries[1].InUse, 1);
    PrepareSearchResult(result, 3, "Haus");
    EXPECT_EQ(result.Caption, "Suchergebnis");
    EXPECT_EQ(result.Description, "Suchergebnis aus 3 Dateien, Suchbegriff: Haus");
    EXPECT_EQ(result.FileName, "");
}

// A port that records what the progress window would show.
class RecordingPort : public FileSearchPort {
public:
    std::vector<std::string> started;
    std::vector<std::string> hits;
    int cancelAfterFile = 0;  // the user clicks while the events of this file are served
    int acceptHits = 1000;
    bool cancelled = false;

    void FileStarted(int k, int n, const std::string& path) override {
        started.push_back(std::to_string(k) + "/" + std::to_string(n) + " " + path);
    }
    bool AddHit(const VokabelTyp& entry, int hitCount) override {
        if (hitCount > acceptHits) return false;
        hits.push_back(entry.FS1.Get());
        return true;
    }
    void ServeEvents() override {
        if (int(started.size()) == cancelAfterFile) cancelled = true;
    }
    bool Cancelled() override { return cancelled; }
    void NormalCursor() override {}
};

class FileSearchRunTest : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& name, const std::vector<VokabelTyp>& entries) {
        auto data = std::make_unique<VocabularyFileData>();
        for (auto& e : data->Entries) VocabDocument::ClearEntry(e);
        data->ColumnNames = DefaultColumnNames();
        for (size_t i = 0; i < entries.size(); ++i) data->Entries[i + 1] = entries[i];
        const std::string path = dir.Path(name);
        EXPECT_EQ(SaveVocabularyFile(path, *data, 15, FileFormatOptions{}), "");
        return path;
    }

    DefaultOptionsForTest options;
    TempDir dir;
    platform::ScriptedDialogs dialogs;
    RecordingPort port;
    const FileSearchOptions exact{true, false, true};
};

TEST_F(FileSearchRunTest, HitsComeInFileAndRowOrderWithTheirFiles) {
    const std::string a = MakeFile("a.plk", {Entry("x1", "", "Haus", ""), Entry("y", "", "z", ""), Entry("x2", "HAUS", "", "")});
    const std::string b = MakeFile("b.plk", {Entry("x3", "", "", "haus")});
    const auto outcome = RunFileSearch({a, b}, " haus ", exact, port, dialogs);
    EXPECT_EQ(port.hits, (std::vector<std::string>{"x1", "x2", "x3"}));
    EXPECT_EQ(outcome->hitCount, 3);
    EXPECT_EQ(outcome->hitSourceFiles[2], a);
    EXPECT_EQ(outcome->hitSourceFiles[3], b);
    EXPECT_EQ(port.started, (std::vector<std::string>{"1/2 " + a, "2/2 " + b}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FileSearchRunTest, MissingAndUnreadableFilesAskWhetherToGoOn) {
    const std::string a = MakeFile("a.plk", {Entry("x1", "", "Haus", "")});
    const std::string broken = dir.Path("broken.plk");
    TempDir::Write(broken, "not a vocabulary file");
    const std::string gone = dir.Path("gone.plk");

    dialogs.messageAnswers = {ModalResult::OK, ModalResult::OK};
    auto outcome = RunFileSearch({gone, broken, a}, "haus", exact, port, dialogs);
    EXPECT_EQ(outcome->hitCount, 1);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Folgende Datei existiert nicht: " + gone +
                                         ". Mit der nächsten Datei fortfahren oder Abbrechen?");
    EXPECT_EQ(dialogs.shown[0].buttons, platform::mbOKCancel);
    EXPECT_NE(dialogs.shown[1].text.find(" Drücken Sie OK um mit der nächsten Datei fortzufahren oder Abbrechen."),
              std::string::npos);
    EXPECT_EQ(dialogs.shown[1].type, platform::MsgDlgType::Error);

    // Cancel at a missing file keeps the hits so far and searches no further.
    dialogs.shown.clear();
    port.hits.clear();
    dialogs.messageAnswers = {ModalResult::Cancel};
    outcome = RunFileSearch({a, gone, a}, "haus", exact, port, dialogs);
    EXPECT_EQ(outcome->hitCount, 1);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(FileSearchRunTest, CancellingTakesEffectAtTheFirstRowOfTheNextFile) {
    const std::string a = MakeFile("a.plk", {Entry("a1", "", "Haus", "")});
    const std::string b = MakeFile("b.plk", {Entry("b1", "", "Haus", ""), Entry("b2", "", "Haus", "")});
    port.cancelAfterFile = 1;
    const auto outcome = RunFileSearch({a, b, a}, "haus", exact, port, dialogs);
    EXPECT_EQ(port.hits, (std::vector<std::string>{"a1", "b1"}));
    EXPECT_EQ(port.started.size(), 2u);
}

TEST_F(FileSearchRunTest, TheFiveHundredthHitIsStoredAndEndsTheSearch) {
    std::vector<VokabelTyp> entries;
    for (int i = 0; i < 300; ++i) entries.push_back(Entry("w" + std::to_string(i), "", "Haus", ""));
    const std::string a = MakeFile("a.plk", entries);
    const std::string b = MakeFile("b.plk", entries);
    const auto outcome = RunFileSearch({a, b, a}, "haus", exact, port, dialogs);
    EXPECT_EQ(outcome->hitCount, 500);
    EXPECT_EQ(port.hits.size(), 500u);
    EXPECT_EQ(port.hits.back(), "w199");
    EXPECT_EQ(outcome->hitSourceFiles[500], b);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"500 Übereinstimmungen gefunden. Breche die Suche ab."});
    EXPECT_EQ(port.started.size(), 2u);
}

TEST_F(FileSearchRunTest, AResultThatIsGoneEndsTheSearch) {
    const std::string a = MakeFile("a.plk", {Entry("a1", "", "Haus", ""), Entry("a2", "", "Haus", "")});
    port.acceptHits = 1;
    const auto outcome = RunFileSearch({a, a}, "haus", exact, port, dialogs);
    EXPECT_EQ(outcome->hitCount, 1);
    EXPECT_EQ(port.started.size(), 1u);
}

TEST_F(FileSearchRunTest, FolderFilesAreThePlkFilesOfAnyCaseAndNewPathsOnlyOnce) {
    MakeFile("b.PLK", {});
    MakeFile("a.plk", {});
    TempDir::Write(dir.Path("c.txt"), "x");
    std::filesystem::create_directory(dir.Path("sub.plk"));
    EXPECT_EQ(FolderSearchFiles(dir.Path() + "/"), (std::vector<std::string>{dir.Path("a.plk"), dir.Path("b.PLK")}));
    EXPECT_TRUE(FolderSearchFiles(dir.Path("missing")).empty());
    EXPECT_EQ(NewSearchFiles({"/x/a.plk"}, {"/x/a.plk", "/x/b.plk", "/x/b.plk", "/x/A.plk"}),
              (std::vector<std::string>{"/x/b.plk", "/x/A.plk"}));
}

// The dialog and the progress window over a real frame.
class FileSearchFormTest : public FileSearchRunTest {
protected:
    void SetUp() override {
        setenv("PELKO_REGISTRY", dir.Path("registry.reg").c_str(), 1);
        form = ShowMainFormForTest();
    }
    void TearDown() override {
        form.reset();
        unsetenv("PELKO_REGISTRY");
    }
    // Until the progress window has closed (the search runs from its timer).
    void WaitForSearch() {
        QElapsedTimer timer;
        timer.start();
        while ((form->SearchInfoForm->isVisible() || form->SearchInfoForm->Running()) && timer.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_FALSE(form->SearchInfoForm->isVisible());
    }

    platform::ScopedDialogs scoped{dialogs};
    std::unique_ptr<TMainForm> form;
};

TEST_F(FileSearchFormTest, ASearchOverAFolderFillsTheSearchResultWithItsHitsAndFiles) {
    const std::string a = MakeFile("a.plk", {Entry("Haus", "", "house", ""), Entry("Baum", "", "tree", "")});
    const std::string b = MakeFile("b.PLK", {Entry("Maus", "", "mouse", ""), Entry("Hausaufgabe", "", "homework", "")});
    TFileSearchForm& search = *form->FileSearchForm;
    search.show();
    dialogs.folderAnswers = {dir.Path()};
    search.Add_VerzClick();
    ASSERT_EQ(search.FileList(), (std::vector<std::string>{a, b}));
    // Adding the same folder again with Yes adds nothing twice.
    dialogs.folderAnswers = {dir.Path()};
    dialogs.messageAnswers = {ModalResult::Yes};
    search.Add_VerzClick();
    EXPECT_EQ(search.FileList().size(), 2u);

    search.SearchText->setText("haus");
    search.S_Teilbed->setChecked(true);
    search.S_FS->setChecked(true);
    search.CaseSensitive->setChecked(true);
    search.SearchButtonClick();
    EXPECT_FALSE(search.isVisible());
    WaitForSearch();

    ASSERT_EQ(form->Documents().size(), 1u);
    TMDIChild* result = form->Documents().front();
    const VocabDocument& doc = result->Document();
    EXPECT_EQ(doc.Caption, "Suchergebnis");
    EXPECT_EQ(doc.Description, "Suchergebnis aus 2 Dateien, Suchbegriff: haus");
    EXPECT_EQ(doc.Entries[1].FS1.Get(), "Haus");
    EXPECT_EQ(doc.Entries[2].FS1.Get(), "Hausaufgabe");
    EXPECT_EQ(doc.FirstFreeRow(), 3);
    EXPECT_EQ(doc.SourceFiles[1], a);
    EXPECT_EQ(doc.SourceFiles[2], b);
    EXPECT_EQ(result->Model().GridRowCount(), 4);
    EXPECT_EQ(doc.Modified, 0);
}

TEST_F(FileSearchFormTest, ATextOfBlanksIsRefusedAndNoHitTellsSo) {
    MakeFile("a.plk", {Entry("Haus", "", "house", "")});
    TFileSearchForm& search = *form->FileSearchForm;
    dialogs.fileAnswers = {platform::FileDialogResult{true, {dir.Path("a.plk")}, 1}};
    search.Add_DateienClick();
    dialogs.shown.clear();
    search.SearchText->setText("   ");
    search.SearchButtonClick();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Bitte zuerst einen Suchtext eingeben!"});
    EXPECT_FALSE(form->SearchInfoForm->Running());

    dialogs.shown.clear();
    search.SearchText->setText("Garten");
    search.SearchButtonClick();
    WaitForSearch();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Keine Übereinstimmung gefunden."});
    EXPECT_TRUE(form->Documents().empty());
}

TEST_F(FileSearchFormTest, TheSpecialCharacterPopupOpensBelowThePressAndInsertsTheChoice) {
    TFileSearchForm& search = *form->FileSearchForm;
    search.move(100, 100);
    search.show();
    QToolButton* button = search.SonderzButton99;
    const QPoint press(5, 7);
    QPoint shownAt;
    QTimer::singleShot(0, form.get(), [&] {
        QMenu* popup = form->Bpop;
        shownAt = popup->pos();
        QAction* first = popup->actions().front()->menu()->actions().front();
        first->trigger();
        popup->close();
    });
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(press), QPointF(button->mapToGlobal(press)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(button, &right);
    EXPECT_EQ(shownAt, button->mapToGlobal(press + QPoint(0, 25)));
    EXPECT_EQ(search.SearchText->text(), QString::fromUtf8("á"));
    search.reject();
}

}  // namespace
