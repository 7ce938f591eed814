#include <gtest/gtest.h>

#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QCheckBox>
#include <QTableView>
#include <filesystem>
#include <fstream>
#include <memory>

#include "documents/LoadSave.h"
#include "documents/NewWizard.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/new_wiz.h"
#include "platform/Dialogs.h"

namespace {

using platform::ModalResult;

RecentSlots Slots(std::initializer_list<const char*> names) {
    RecentSlots recent;
    size_t i = 0;
    for (const char* name : names) recent[i++] = name;
    return recent;
}

TEST(WizardListsTest, MissingRecentFilesLeaveTheSlots) {
    struct Case {
        const char* name;
        RecentSlots before;
        std::vector<std::string> missing;
        RecentSlots after;
    };
    const std::vector<Case> cases = {
        {"ninth gone", Slots({"1", "2", "3", "4", "5", "6", "7", "8", "9"}), {"9"},
         Slots({"1", "2", "3", "4", "5", "6", "7", "8"})},
        {"third and fourth gone", Slots({"1", "2", "3", "4", "5", "6", "7", "8", "9"}), {"3", "4"},
         Slots({"1", "2", "5", "6", "7", "8", "9"})},
        {"empty recent stay", Slots({"1", "", "3"}), {"1"}, Slots({"", "3"})},
    };
    for (const Case& c : cases) {
        RecentSlots recent = c.before;
        const auto exists = [&](const std::string& path) {
            return std::find(c.missing.begin(), c.missing.end(), path) == c.missing.end();
        };
        const std::vector<std::string> listed = PruneRecentFiles(recent, exists);
        EXPECT_EQ(recent, c.after) << c.name;
        std::vector<std::string> expected;
        for (const std::string& s : c.after) {
            if (!s.empty()) expected.push_back(s);
        }
        EXPECT_EQ(listed, expected) << c.name;
    }
    RecentSlots recent = Slots({"a", "b", "a", "c"});
    RemoveRecentFile(recent, "a");
    EXPECT_EQ(recent, Slots({"b", "a", "c"}));
}

TEST(WizardListsTest, TemplatesOfTheFolderAndThePageShown) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const char* name : {"b.PLV", "a.plv", "notizen.txt", "Z.Plv"}) std::ofstream(folder + "/" + name) << "x";
    EXPECT_EQ(ListTemplates(folder), (std::vector<std::string>{"a.plv", "b.PLV", "Z.Plv"}));
    std::filesystem::create_directory(folder + "/leer");
    EXPECT_EQ(ListTemplates(folder + "/leer"), std::vector<std::string>{});
    EXPECT_EQ(ListTemplates(folder + "/fehlt"), std::nullopt);
    EXPECT_EQ(TemplateCaption("Englisch Lektion 1.PLV"), "Englisch Lektion 1");
    EXPECT_EQ(TemplateCaption(kNoTemplateItem), "Standard - keine Vorlage öffnen");

    EXPECT_EQ(WizardStartPage(true, 1), 0);
    EXPECT_EQ(WizardStartPage(false, 1), 1);
    EXPECT_EQ(WizardStartPage(false, 7), 1);
    EXPECT_EQ(WizardStartPage(false, -3), 0);
}

// Documents in an area of its own; a path named `unreadable` opens nothing.
class FakeFrame : public NewWizardFrame {
public:
    void WizardOpenFile(const std::string& path) override {
        opened.push_back(path);
        if (path == unreadable) return;
        auto doc = std::make_unique<VocabDocument>();
        doc->FileName = path;
        Add(new TMDIChild(std::move(doc)));
    }
    void WizardNewFromTemplate(const std::string& templatePath) override {
        if (TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker(templatePath + ">"))) Add(child);
    }
    void WizardNewEmpty() override { Add(new TMDIChild(std::make_unique<VocabDocument>())); }
    void WizardUpdateMRU(const std::string& path) override { mru.push_back(path); }
    void WizardOpenDialog() override { ++openDialogs; }
    TMDIChild* WizardActiveDocument() override { return active; }

    void Add(TMDIChild* child) {
        area.addSubWindow(child);
        child->show();
        active = child;
    }

    QMdiArea area;
    TMDIChild* active = nullptr;
    std::string unreadable;
    std::vector<std::string> opened;
    std::vector<std::string> mru;
    int openDialogs = 0;
};

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::make_unique<OptionenTyp>(Optionen);
        ASSERT_TRUE(dir_.isValid());
        templates_ = dir_.filePath("Vorlagen").toStdString();
        std::filesystem::create_directory(templates_);
        Optionen.Settings.VorlagenVerzeichnis = templates_;
        Optionen.Settings.LastFiles = {};
        Optionen.Settings.LastWizPage = 0;
        Optionen.Settings.WizOpensEdit = false;
        wizard_ = std::make_unique<TNewWizard>(frame_);
    }
    void TearDown() override {
        wizard_.reset();
        Optionen = *saved_;
    }

    std::string RecentFile(const std::string& name) {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path) << "x";
        return path;
    }

    void SaveSampleTemplate(const std::string& name, const std::string& description) {
        auto data = std::make_unique<VocabularyFileData>();
        data->Description = description;
        data->ColumnNames.FS1.Set("Englisch");
        ASSERT_EQ(SaveTemplate(templates_ + "/" + name, *data, {false, true, true}), "");
    }

    // Shown modally; whatever the step does, the wizard is gone soon after.
    int RunModal(const std::function<void()>& step) {
        QTimer::singleShot(0, wizard_.get(), step);
        QTimer::singleShot(3000, wizard_.get(), [this] { wizard_->reject(); });
        return wizard_->exec();
    }

    platform::ScriptedDialogs dialogs_;
    platform::ScopedDialogs scoped_{dialogs_};
    std::unique_ptr<OptionenTyp> saved_;
    QTemporaryDir dir_;
    std::string templates_;
    FakeFrame frame_;
    std::unique_ptr<TNewWizard> wizard_;
};

TEST_F(WizardTest, MakesADocumentFromATemplate) {
    SaveSampleTemplate("Englisch.PLV", "Lektion eins");
    wizard_->show();
    ASSERT_EQ(wizard_->ListBox1->count(), 2);
    EXPECT_EQ(wizard_->ListBox1->item(0)->text().toStdString(), "Standard - keine Vorlage öffnen");
    EXPECT_EQ(wizard_->ListBox1->item(1)->text().toStdString(), "Englisch");
    EXPECT_EQ(wizard_->PageControl->currentIndex(), 0);
    EXPECT_EQ(wizard_->BitBtn1->text().toStdString(), "Erstellen");

    wizard_->ListBox1->setCurrentRow(1);
    wizard_->BitBtn1->click();
    ASSERT_NE(frame_.active, nullptr);
    EXPECT_EQ(frame_.active->Document().Description, "Lektion eins");
    EXPECT_EQ(frame_.active->Document().ColumnNames.FS1.Get(), "Englisch");
    EXPECT_TRUE(frame_.active->Document().FileName.empty());
    EXPECT_FALSE(wizard_->isVisible());

    // Item 0 makes an empty document.
    TMDIChild* fromTemplate = frame_.active;
    wizard_->show();
    wizard_->ListBox1DblClick();
    EXPECT_NE(frame_.active, fromTemplate);
    EXPECT_TRUE(frame_.active->Document().Description.empty());
}

TEST_F(WizardTest, OpensRecentFilesAndDropsTheMissingOnes) {
    const std::string a = RecentFile("a.plk");
    const std::string b = RecentFile("b.plk");
    Optionen.Settings.LastFiles = {a, dir_.filePath("weg.plk").toStdString(), b};
    Optionen.Settings.LastWizPage = 1;
    wizard_->show();
    EXPECT_EQ(wizard_->PageControl->currentIndex(), 1);
    EXPECT_EQ(wizard_->BitBtn1->text().toStdString(), "Öffnen");
    ASSERT_EQ(wizard_->LastFilesBox->count(), 2);
    EXPECT_EQ(wizard_->LastFilesBox->item(1)->text().toStdString(), "b.plk");
    EXPECT_EQ(Optionen.Settings.LastFiles[1], b);
    EXPECT_TRUE(Optionen.Settings.LastFiles[2].empty());

    // Nothing selected: a modeless wizard stays open.
    wizard_->LastFilesBox->clearSelection();
    wizard_->BitBtn1->click();
    EXPECT_TRUE(frame_.opened.empty());
    EXPECT_TRUE(wizard_->isVisible());

    wizard_->LastFilesBox->item(0)->setSelected(true);
    wizard_->LastFilesBox->item(1)->setSelected(true);
    wizard_->BitBtn1->click();
    EXPECT_EQ(frame_.opened, (std::vector<std::string>{a, b}));
    EXPECT_FALSE(wizard_->isVisible());
    EXPECT_EQ(Optionen.Settings.LastWizPage, 1);

    // Shown modally the button closes it even with nothing selected.
    const int result = RunModal([this] {
        wizard_->LastFilesBox->clearSelection();
        wizard_->BitBtn1->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(frame_.opened.size(), 2u);
}

TEST_F(WizardTest, ForcedNewPageKeepsTheStoredPage) {
    Optionen.Settings.LastWizPage = 1;
    wizard_->ForceNewPage = true;
    const int result = RunModal([this] {
        EXPECT_EQ(wizard_->PageControl->currentIndex(), 0);
        wizard_->open_edit_box->setChecked(true);
        wizard_->BitBtn2->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(Optionen.Settings.LastWizPage, 1);
    EXPECT_TRUE(Optionen.Settings.WizOpensEdit);
    EXPECT_FALSE(wizard_->ForceNewPage);

    wizard_->show();
    EXPECT_EQ(wizard_->PageControl->currentIndex(), 1);
    wizard_->PageControl->setCurrentIndex(0);
    wizard_->BitBtn3->click();
    EXPECT_EQ(frame_.openDialogs, 1);
    EXPECT_EQ(Optionen.Settings.LastWizPage, 0);
}

TEST_F(WizardTest, ModesStartOnlyOnTheFileJustOpened) {
    const std::string a = RecentFile("a.plk");
    const std::string b = RecentFile("b.plk");
    Optionen.Settings.LastFiles = {a, b};
    std::vector<TMDIChild*> started;
    bool tableHidden = false;
    TNewWizard::SetModeStart(WizardMode::Learn, [&](TMDIChild& window) {
        started.push_back(&window);
        tableHidden = window.Tabelle->isHidden();
        window.AnzeigButtonClick();  // as a mode shows the list again
    });
    wizard_->show();
    wizard_->LastFilesBox->setCurrentRow(1);
    wizard_->StartMode(WizardMode::Learn);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0]->Document().FileName, b);
    EXPECT_TRUE(tableHidden);
    EXPECT_FALSE(wizard_->isVisible());

    // The file did not open: another document is active and keeps its list.
    frame_.unreadable = a;
    wizard_->show();
    wizard_->LastFilesBox->setCurrentRow(0);
    wizard_->StartMode(WizardMode::Learn);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_FALSE(frame_.active->Tabelle->isHidden());
    TNewWizard::SetModeStart(WizardMode::Learn, nullptr);
}

TEST_F(WizardTest, RemovingFilesAndTemplates) {
    const std::string a = RecentFile("a.plk");
    const std::string b = RecentFile("b.plk");
    Optionen.Settings.LastFiles = {a, b};
    SaveSampleTemplate("Alt.plv", "");
    SaveSampleTemplate("Neu.plv", "");
    wizard_->show();

    wizard_->LastFilesBox->setCurrentRow(0);
    wizard_->ausderListelschen1Click();
    EXPECT_EQ(Optionen.Settings.LastFiles[0], b);
    EXPECT_EQ(wizard_->LastFilesBox->count(), 1);
    EXPECT_EQ(frame_.mru, std::vector<std::string>{""});

    // Item 0 has no file and stays.
    wizard_->ListBox1->setCurrentRow(0);
    wizard_->Vorlagelschen1Click();
    EXPECT_EQ(wizard_->ListBox1->count(), 3);
    EXPECT_TRUE(dialogs_.shown.empty());

    wizard_->ListBox1->setCurrentRow(1);
    dialogs_.messageAnswers = {ModalResult::No, ModalResult::Yes};
    wizard_->Vorlagelschen1Click();
    EXPECT_TRUE(std::filesystem::exists(templates_ + "/Alt.plv"));
    wizard_->Vorlagelschen1Click();
    EXPECT_FALSE(std::filesystem::exists(templates_ + "/Alt.plv"));
    EXPECT_EQ(wizard_->ListBox1->count(), 2);
    EXPECT_EQ(dialogs_.shown[0].text, "Sind Sie sicher, dass Sie die Vorlage \"Alt.plv\" löschen möchten?");

    // A file that cannot be deleted is reported and stays listed.
    std::filesystem::remove(templates_ + "/Neu.plv");
    wizard_->ListBox1->setCurrentRow(1);
    dialogs_.messageAnswers = {ModalResult::Yes};
    wizard_->Vorlagelschen1Click();
    EXPECT_EQ(wizard_->ListBox1->count(), 2);
    EXPECT_EQ(dialogs_.Texts().back(), "Die Vorlage \"Neu.plv\" konnte nicht gelöscht werden.");
}

TEST_F(WizardTest, AMissingTemplatesFolderIsToldAndLeavesTheEmptyDocument) {
    Optionen.Settings.VorlagenVerzeichnis = templates_ + "/fehlt";
    wizard_->show();
    ASSERT_EQ(dialogs_.Texts().size(), 1u);
    EXPECT_EQ(dialogs_.Texts()[0], "Der eingestellte Ordner \"" + templates_ +
                                       "/fehlt\" existiert nicht. Es können keine Vorlagen geöffnet werden.");
    EXPECT_EQ(wizard_->ListBox1->count(), 1);
    wizard_->CheckBox1->click();
    EXPECT_EQ(Optionen.Settings.ShowWizAtStartUp, wizard_->CheckBox1->isChecked());
}

}  // namespace
