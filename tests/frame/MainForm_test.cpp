#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/LoadSave.h"
#include "documents/ui/Childwin.h"
#include "frame/InstanceManager.h"
#include "frame/ui/Main.h"
#include "FrameTestSupport.h"
#include "platform/Dialogs.h"
#include "platform/TempDir.h"

using platform::FileDialogResult;
using platform::ModalResult;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("PELKO_REGISTRY", registry.c_str(), 1);
        form = ShowMainFormForTest();
    }
    void TearDown() override {
        form.reset();
        unsetenv("PELKO_REGISTRY");
    }

    // A native file made with the file formats.
    std::string MakeFile(const std::string& name, const std::vector<std::pair<std::string, std::string>>& entries) {
        auto data = std::make_unique<VocabularyFileData>();
        data->Entries = BlankEntries();
        data->ColumnNames = DefaultColumnNames();
        for (size_t i = 0; i < entries.size(); ++i) data->Entries[i + 1] = MakeEntry(entries[i].first, entries[i].second);
        const std::string path = dir.Path(name);
        EXPECT_EQ(SaveVocabularyFile(path, *data, 15, FileFormatOptions{}), "");
        return path;
    }

    static VokabelArrayTyp BlankEntries() {
        VokabelArrayTyp entries{};
        for (auto& e : entries) VocabDocument::ClearEntry(e);
        return entries;
    }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (TMDIChild* child : form->Documents()) names.push_back(child->Document().FileName);
        return names;
    }

    std::vector<QString> MenuBarTitles() const {
        std::vector<QString> titles;
        for (QAction* action : form->menuBar()->actions()) titles.push_back(action->text());
        return titles;
    }

    // Lets deferred deletions and timers of zero run.
    static void ProcessEvents() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    TempDir dir;
    std::string registry = dir.Path("registry.reg");
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, OpenFileShowsOneDocumentWithItsEntriesAndActivatesItWhenOpenedAgain) {
    const std::string a = MakeFile("a.plk", {{"pes", "Hund"}, {"kočka", "Katze"}});
    const std::string b = MakeFile("b.plk", {{"dům", "Haus"}});

    form->OpenFile(a);
    ASSERT_EQ(form->Documents().size(), 1u);
    TMDIChild* first = form->Documents()[0];
    EXPECT_EQ(first->Document().FileName, a);
    EXPECT_EQ(first->Document().Entries[1].FS1.Get(), "pes");
    EXPECT_EQ(first->Document().Entries[1].MS1.Get(), "Hund");
    EXPECT_EQ(first->Document().CountUsedEntries(), 2);
    EXPECT_EQ(first->windowTitle().toStdString(), a);
    EXPECT_EQ(first->Document().Tag, 1);
    EXPECT_EQ(first->Document().FormatVersion, 15);

    form->OpenFile(b);
    ASSERT_EQ(form->Documents().size(), 2u);
    EXPECT_EQ(form->ActiveDocument()->Document().FileName, b);
    EXPECT_EQ(form->ActiveDocument()->Document().Tag, 2);

    // Already open but not active: brought to the front, no second window.
    form->OpenFile(a);
    EXPECT_EQ(form->Documents().size(), 2u);
    EXPECT_EQ(form->ActiveDocument(), first);
    EXPECT_EQ(Optionen.Settings.LastFiles[0], a);
    EXPECT_EQ(Optionen.Settings.LastFiles[1], b);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainFormTest, NewDocumentsCountTheOpenWindowsInTheirCaption) {
    form->Neu1Click();
    form->SpeedButton1->trigger();
    ASSERT_EQ(form->Documents().size(), 2u);
    EXPECT_EQ(form->ActiveDocument()->windowTitle(), "Vokabeldatei 2");
    EXPECT_EQ(form->ActiveDocument()->Document().Tag, 2);
    EXPECT_EQ(form->ActiveDocument()->Document().FileName, "");
    // The same rule leaves captions that repeat once a window has closed.
    form->Documents()[1]->close();
    ProcessEvents();
    form->Neu1Click();
    EXPECT_EQ(form->ActiveDocument()->windowTitle(), "Vokabeldatei 2");
    // A window that has closed counts no more, also before it is deleted.
    form->Documents()[1]->close();
    form->Neu1Click();
    EXPECT_EQ(form->ActiveDocument()->windowTitle(), "Vokabeldatei 2");
    EXPECT_EQ(form->ActiveDocument()->Document().Tag, 2);
}

TEST_F(MainFormTest, RecentFilesFillTheFrameAndEveryDocumentMenu) {
    EXPECT_FALSE(form->FMT->isVisible());
    const std::string a = MakeFile("a.plk", {{"pes", "Hund"}});
    const std::string b = MakeFile("b.plk", {{"dům", "Haus"}});
    form->OpenFile(a);
    form->OpenFile(b);
    for (TMDIChild* child : form->Documents()) {
        EXPECT_TRUE(child->FT->isVisible());
        EXPECT_TRUE(child->F[1]->isVisible());
        EXPECT_FALSE(child->F[2]->isVisible());
        EXPECT_EQ(child->F[1]->text().toStdString(), "&2  a.plk");  // the path is longer than 25
        EXPECT_EQ(child->F[1]->statusTip().toStdString(), "Öffnet die Datei " + a);
    }
    EXPECT_TRUE(form->FMT->isVisible());
    EXPECT_EQ(form->FM[0]->text().toStdString(), "&1  b.plk");

    // A document's recent-file item opens through the frame.
    form->ActiveDocument()->F[1]->trigger();
    EXPECT_EQ(form->ActiveDocument()->Document().FileName, a);
    EXPECT_EQ(form->Documents().size(), 2u);
    EXPECT_EQ(Optionen.Settings.LastFiles[0], a);
}

TEST_F(MainFormTest, MissingAndUnreadableFiles) {
    const std::string gone = dir.Path("gone.plk");
    const std::string keep = MakeFile("keep.plk", {{"pes", "Hund"}});
    Optionen.Settings.LastFiles = {keep, gone, "", "", "", "", "", "", ""};
    form->OpenFile(gone);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Datei nicht gefunden: " + gone});
    EXPECT_EQ(Optionen.Settings.LastFiles[1], "");
    EXPECT_TRUE(form->Documents().empty());

    // A file that does not load opens no window but heads the recent files.
    const std::string broken = dir.Path("broken.plk");
    TempDir::Write(broken, "no vocabulary here");
    dialogs.shown.clear();
    form->OpenFile(broken);
    EXPECT_TRUE(form->Documents().empty());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(Optionen.Settings.LastFiles[0], broken);
    EXPECT_TRUE(form->FM[0]->isVisible());
}

TEST_F(MainFormTest, ADocumentsMenusReplaceDateiAndVokabelnWithoutDuplicateShortcuts) {
    const std::vector<QString> frameMenus = {"&Datei", "&Vokabeln", "&Fenster", "&Hilfe"};
    EXPECT_EQ(MenuBarTitles(), frameMenus);
    form->Neu1Click();
    EXPECT_EQ(MenuBarTitles(), (std::vector<QString>{"&Datei", "&Bearbeiten", "&Vokabeln", "Vokabel&liste",
                                                      "&Fenster", "&Hilfe"}));
    TMDIChild* child = form->ActiveDocument();
    EXPECT_EQ(form->menuBar()->actions()[0]->menu(), child->Datei1);

    // Qt disables a shortcut that two reachable actions claim.
    std::map<QString, int> claims;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu() != nullptr) collect(action->menu());
            if (!action->shortcut().isEmpty()) ++claims[action->shortcut().toString()];
        }
    };
    for (QAction* top : form->menuBar()->actions()) collect(top->menu());
    for (const auto& [key, count] : claims) EXPECT_EQ(count, 1) << key.toStdString();

    // The document's "Neu" and "Öffnen" items are the frame's.
    child->Neu2->trigger();
    EXPECT_EQ(form->Documents().size(), 2u);
    dialogs.fileAnswers.push_back(FileDialogResult{});
    child->Oeffnen1->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Vokabeldatei öffnen...");

    for (TMDIChild* doc : form->Documents()) doc->close();
    ProcessEvents();
    EXPECT_TRUE(form->Documents().empty());
    EXPECT_EQ(MenuBarTitles(), frameMenus);
}

// A second start's hand-over that arrives while the open dialog is up.
class HandOverDuringDialog : public platform::ScriptedDialogs {
public:
    std::string handOver;
    FileDialogResult OpenFileDialog(const platform::FileDialogRequest& request) override {
        DeliverCommandLine(handOver);
        return ScriptedDialogs::OpenFileDialog(request);
    }
};

TEST_F(MainFormTest, OnlyFilesChosenUnderTheDosFilterBecomeDosDocuments) {
    const std::string dos = MakeFile("alt.vok", {{"pes", "Hund"}});
    const std::string native = MakeFile("neu.plk", {{"kočka", "Katze"}});
    const std::string handed = MakeFile("gereicht.plk", {{"dům", "Haus"}});
    HandOverDuringDialog seam;
    platform::ScopedDialogs scoped(seam);
    seam.handOver = "\"" + OwnExecutablePath() + "\" \"" + handed + "\"";
    seam.fileAnswers.push_back(FileDialogResult{true, {dos}, 2});
    form->FileOpenItemClick();

    // The hand-over waited for the dialog's files and was read as what it is.
    ASSERT_EQ(Files(), (std::vector<std::string>{handed, dos}));
    EXPECT_EQ(form->Documents()[1]->Document().FormatVersion, 0);
    EXPECT_EQ(form->Documents()[0]->Document().FormatVersion, 15);
    EXPECT_EQ(form->Documents()[0]->Document().Entries[1].MS1.Get(), "Haus");

    // So is a file from the recent list afterwards.
    Optionen.Settings.LastFiles[1] = native;
    form->_LastFilesClick(2);
    ASSERT_EQ(form->Documents().size(), 3u);
    EXPECT_EQ(form->ActiveDocument()->Document().FileName, native);
    EXPECT_EQ(form->ActiveDocument()->Document().FormatVersion, 15);
    EXPECT_EQ(form->ActiveDocument()->Document().Entries[1].MS1.Get(), "Katze");
}

TEST_F(MainFormTest, HandOversAndDropsWaitForARunningDialog) {
    const std::string a = MakeFile("a.plk", {{"pes", "Hund"}});
    const std::string b = MakeFile("b c.plk", {{"dům", "Haus"}});
    const std::string text = "\"" + OwnExecutablePath() + "\" \"" + a + "\" \"" + b + "\" \"/a\"";
    {
        OpenQueue::Busy dialogRunning(MainOpenQueue());
        DeliverCommandLine(text);
        EXPECT_TRUE(form->Documents().empty());
    }
    // Handled last first, so the first file ends active.
    EXPECT_EQ(Files(), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(dialogs.shown.empty());

    const std::string c = MakeFile("c.plk", {{"voda", "Wasser"}});
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(c)), QUrl::fromLocalFile(QString::fromStdString(b))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(Files(), (std::vector<std::string>{b, c, a}));
}

TEST_F(MainFormTest, CloseAsksEveryDocumentAndRecordsWindowAndFilesOnlyWhenAllAgree) {
    const std::string a = MakeFile("a.plk", {{"pes", "Hund"}});
    const std::string b = MakeFile("b.plk", {{"dům", "Haus"}});
    form->OpenFile(a);
    form->Neu1Click();
    form->OpenFile(b);
    form->move(40, 30);
    form->resize(800, 600);

    form->Documents()[1]->SetModified(true);  // the untitled one
    dialogs.messageAnswers.push_back(ModalResult::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(std::filesystem::exists(registry));
    EXPECT_EQ(form->Documents().size(), 3u);

    dialogs.messageAnswers.push_back(ModalResult::No);
    EXPECT_TRUE(form->close());
    ASSERT_TRUE(std::filesystem::exists(registry));

    // Read back from the store into fresh defaults.
    DefaultOptionsForTest fresh;
    ASSERT_EQ(LoadSettings(), LoadSettingsResult::Done);
    const SettingsTyp& s = Optionen.Settings;
    EXPECT_EQ(s.OpenFilesAtExit[0], a);
    EXPECT_EQ(s.OpenFilesAtExit[1], "");
    EXPECT_EQ(s.OpenFilesAtExit[2], b);
    EXPECT_EQ(s.OpenFilesAtExit[3], "");
    EXPECT_EQ(s.HauptfensterStatus, 1);
    EXPECT_EQ(s.HauptfensterBreite, 800);
    EXPECT_EQ(s.HauptfensterHoehe, 600);
    EXPECT_EQ(s.LastFiles[0], b);
    EXPECT_EQ(s.LastFiles[1], a);
}

TEST_F(MainFormTest, StartOpensTheCommandLineOrElseTheFilesOfTheLastExit) {
    const std::string a = MakeFile("a.plk", {{"pes", "Hund"}});
    const std::string b = MakeFile("b c.plk", {{"dům", "Haus"}});
    Optionen.Settings.ReopenLastFiles = true;
    Optionen.Settings.OpenFilesAtExit = {b, a, dir.Path("weg.plk")};

    // Halves of a name with a blank, and the quiz switch.
    form->FormShow({"b", "c.plk", "/a", "fehlt.plk"}, dir.Path());
    EXPECT_EQ(Files(), std::vector<std::string>{b});
    EXPECT_EQ(form->StartMode, kStartQuiz);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Kann Datei fehlt.plk nicht finden."});
    EXPECT_TRUE(form->SplashTimer->isActive());
    EXPECT_EQ(form->SplashTimer->interval(), 1200);

    // Without one: the slots in order, so the last one is active again.
    form.reset();
    form = std::make_unique<TMainForm>();
    form->show();
    dialogs.shown.clear();
    form->FormShow({}, dir.Path());
    EXPECT_EQ(Files(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Kann Datei " + dir.Path("weg.plk") + " nicht finden."});
}

TEST_F(MainFormTest, EmptyStartDocumentAndTheChecksWhenTheSplashEnds) {
    Optionen.BeimStartLeereDatei = true;
    Optionen.Settings.ShowWizAtStartUp = false;
    Optionen.StandardArbeitsverzeichnis = dir.Path() + "/";
    Optionen.Settings.VorlagenVerzeichnis = dir.Path();
    Optionen.Abfragen.BeepBeiFehler = false;
    form->FormShow({}, dir.Path());
    ASSERT_EQ(form->Documents().size(), 1u);
    EXPECT_EQ(form->ActiveDocument()->windowTitle(), "Vokabeldatei 1");

    Optionen.Settings.VorlagenVerzeichnis = dir.Path("fehlt");
    dialogs.messageAnswers.push_back(ModalResult::OK);
    form->SplashTimerTimer();
    EXPECT_FALSE(form->SplashTimer->isActive());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].helpContext, 5508);
}

}  // namespace
