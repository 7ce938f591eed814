#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>

#include "documents/DocumentFileCommands.h"
#include "documents/DocumentTestFiles.h"
#include "documents/FileFormatTestSupport.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/DocumentFrame.h"
#include "platform/Dialogs.h"

namespace {

std::vector<TMDIChild*> Windows() {
    std::vector<TMDIChild*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* child = qobject_cast<TMDIChild*>(w)) windows.push_back(child);
    }
    return windows;
}

TEST(FileCommandsWindowTest, ASearchResultRowOpensItsSourceFileOnce) {
    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs(dialogs);
    TempDir dir;
    const std::string path = dir.Path("quelle & mehr.plk");
    {
        auto source = std::make_unique<VocabDocument>();
        source->Entries[1] = MakeEntry("pivo", "Bier");
        ASSERT_EQ(SaveVocabularyFile(path, *DocumentFileData(*source), 15, FileFormatOptions::From(Optionen)), "");
    }
    QPointer<TMDIChild> result = TMDIChild::Create(DocumentRequest::FromMarker("\x1b"));
    result->SetCaption(SearchResultCaption);
    result->Document().Entries[1] = MakeEntry("pivo", "Bier");
    result->Document().SourceFiles[1] = path;
    result->TabMenuZTag = 1;
    emit result->TabMenuZ->aboutToShow();
    EXPECT_TRUE(result->FileofVok->isVisible());
    EXPECT_EQ(result->FileofVok->text().toStdString(), dir.Path("quelle && mehr.plk"));

    result->FileofVok->trigger();
    ASSERT_EQ(Windows().size(), 2u);
    result->FileofVok->trigger();
    EXPECT_EQ(Windows().size(), 2u);

    // Another window's popup shows no source file.
    result->SetCaption("Vokabeldatei 1");
    emit result->TabMenuZ->aboutToShow();
    EXPECT_FALSE(result->FileofVok->isVisible());

    std::vector<QPointer<TMDIChild>> all;
    for (TMDIChild* w : Windows()) all.emplace_back(w);
    for (auto& w : all) delete w.data();
}

// The frame's part of the forwarders, counted; its options dialog hides the
// description line.
class CountingFrame : public DocumentFrame {
public:
    void ImportFiles() override { ++imports; }
    void ShowHelpPage(const std::string& page) override { helpPages.push_back(page); }
    void ShowOptionsPage(int page) override {
        pages.push_back(page);
        Optionen.BeschreibungImFensterZeigen = false;
    }
    int imports = 0;
    std::vector<int> pages;
    std::vector<std::string> helpPages;
};

TEST(FileCommandsWindowTest, ImportAndOptionsGoToTheFrameAndEveryWindowFollowsTheOptions) {
    DefaultOptionsForTest options;
    Optionen.BeschreibungImFensterZeigen = true;
    CountingFrame frame;
    SetDocumentFrame(&frame);
    std::unique_ptr<TMDIChild> first(TMDIChild::Create(DocumentRequest::FromMarker("\x1b")));
    std::unique_ptr<TMDIChild> second(TMDIChild::Create(DocumentRequest::FromMarker("\x1b")));
    second->FormResize();
    ASSERT_FALSE(second->DescMemo->isHidden());

    ASSERT_TRUE(first->Importieren1->isEnabled());
    first->Importieren1->trigger();
    EXPECT_EQ(frame.imports, 1);

    ASSERT_TRUE(first->Optionen1->isEnabled());
    first->Optionen1->trigger();
    EXPECT_EQ(frame.pages, std::vector<int>{-1});
    EXPECT_TRUE(second->DescMemo->isHidden());

    // The marked rows' popup explains marking.
    ASSERT_TRUE(first->Hilfe1->isEnabled());
    first->Hilfe1->trigger();
    EXPECT_EQ(frame.helpPages, std::vector<std::string>{"Allgemeines\\markieren.html"});
    SetDocumentFrame(nullptr);
}

TEST(FileCommandsWindowTest, ASaveThatFailsShowsOneBox) {
    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs(dialogs);
    TempDir dir;
    const std::string loop = dir.Path("kreis.plk");
    std::filesystem::create_symlink("kreis.plk", loop);
    std::unique_ptr<TMDIChild> window(TMDIChild::Create(DocumentRequest::FromMarker("\x1b")));
    window->Document().FileName = loop;
    window->Document().FormatVersion = 15;
    window->Speichern1->trigger();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Die Datei \"" + loop +
                                                        "\" kann nicht angelegt werden: Zu viele symbolische "
                                                        "Verknüpfungen hintereinander."});
    EXPECT_TRUE(std::filesystem::is_symlink(loop));
}

// DOS text has no passwords: a protected document saved as such says so
// first, whichever filter the save dialog showed.
TEST(FileCommandsWindowTest, SavingAProtectedFileAsDosTextWarnsFirst) {
    DefaultOptionsForTest options;
    Optionen.BeschreibungBeimErstenSpeichern = false;
    Optionen.Settings.HinweisBeiSchreibschutz = false;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs(dialogs);
    TempDir dir;
    const std::string path = dir.Path("a.plk");
    {
        auto source = std::make_unique<VocabDocument>();
        source->Description = "Tschechisch";
        source->Entries[1] = MakeEntry("pivo", "Bier");
        source->WritePassword = "abc";
        ASSERT_EQ(SaveVocabularyFile(path, *DocumentFileData(*source), 15, FileFormatOptions::From(Optionen)), "");
    }
    const std::string warning =
        "Dateien von Pelko für DOS (*.VOK) können keine Kennwörter enthalten. Die Datei wird ohne Kennwörter "
        "gespeichert.";
    const struct {
        const char* typed;
        int filter;
        const char* saved;
    } cases[] = {{"a.vok", 1, "a.vok"}, {"b", 5, "b.VOK"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::unique_ptr<TMDIChild> window(TMDIChild::Create(DocumentRequest::FromMarker(path)));
        ASSERT_TRUE(window);
        const std::string saved = dir.Path(c.saved);
        dialogs.shown.clear();
        dialogs.fileAnswers.push_back({true, {dir.Path(c.typed)}, c.filter});
        dialogs.messageAnswers.push_back(platform::ModalResult::Cancel);
        window->Speichernunter1->trigger();
        EXPECT_EQ(dialogs.Texts().back(), warning);
        EXPECT_FALSE(std::filesystem::exists(saved));
        EXPECT_EQ(window->Document().FileName, path);
        EXPECT_EQ(window->Document().WritePassword, "abc");

        dialogs.fileAnswers.push_back({true, {dir.Path(c.typed)}, c.filter});
        dialogs.messageAnswers.push_back(platform::ModalResult::OK);
        window->Speichernunter1->trigger();
        EXPECT_EQ(dialogs.Texts().back(), warning);
        EXPECT_EQ(fmt_test::ReadFile(saved).substr(0, 13), "Tschechisch\r\n");
        EXPECT_EQ(window->Document().FileName, saved);
        EXPECT_EQ(window->Document().FormatVersion, 0);
        EXPECT_EQ(window->Document().WritePassword, "");
    }
}

}  // namespace
