#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/SmallDialogs.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"
#include "documents/ui/GotoUnit.h"
#include "documents/ui/PrnInfo_Unit.h"
#include "frame/ui/Main.h"
#include "FrameTestSupport.h"
#include "common/WhenUp.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"
#include "platform/TempDir.h"

using platform::FileDialogResult;

namespace {

class FrameWiringTest : public LiveFrameTest {
protected:
    void BeforeShow() override { Optionen.BeschreibungBeimErstenSpeichern = false; }

    // A new document with three entries, active in the frame.
    TMDIChild* DocumentWithEntries() {
        form->Neu1Click();
        TMDIChild* child = form->ActiveDocument();
        child->Document().Entries[1] = MakeEntry("Maus", "mouse");
        child->Document().Entries[2] = MakeEntry("Haus", "house");
        child->Document().Entries[3] = MakeEntry("Baum", "tree");
        child->RefreshGrid();
        return child;
    }
    static TEditForm* Editor() { return TEditForm::Existing(); }
    static bool EditorShown() { return Editor() != nullptr && Editor()->isVisible(); }
};

TEST_F(FrameWiringTest, F4OpensTheEditorAndANewDocumentStoresAndClosesItFirst) {
    // The frame made the one editor at start.
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->parentWidget(), form.get());

    TMDIChild* child = DocumentWithEntries();
    child->Bearbeiten1->trigger();  // F4
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->EditDocument, child);
    EXPECT_EQ(Editor()->NRLabel->text(), "4");
    form->UpdateMenuItems();
    EXPECT_TRUE(form->EditBtn->isChecked());

    // Ctrl+N: the typed entry is stored and the editor gone before the wizard shows.
    Editor()->FSEdit1->setText("Katze");
    Editor()->MSEdit1->setText("cat");
    bool shownWhileEditing = true;
    WhenUp(form->NewWizard, [&] {
        shownWhileEditing = EditorShown();
        form->NewWizard->reject();
    });
    child->Neu1->trigger();
    EXPECT_FALSE(shownWhileEditing);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(form->EditBtn->isChecked());
    EXPECT_EQ(child->Document().Entries[4].FS1.Get(), "Katze");
    EXPECT_EQ(child->Document().Entries[4].MS1.Get(), "cat");

    // The toolbar button opens and closes it; the desktop's "Leere Datei" stores first.
    form->EditBtn->trigger();
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->NRLabel->text(), "5");
    form->EditBtn->trigger();
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(child->Bearbeiten1->isChecked());

    form->EditBtn->trigger();
    Editor()->FSEdit1->setText("Hund");
    Editor()->MSEdit1->setText("dog");
    form->LeereDatei1->trigger();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(child->Document().Entries[5].FS1.Get(), "Hund");
    EXPECT_EQ(form->Documents().size(), 2u);
}

// The editor is a tool window of the main window, whose menus underline V,
// H and F as well; while the editor is active its own letters win.
TEST_F(FrameWiringTest, AltAndALetterOfTheEditorPressItsOwnButton) {
    TMDIChild* child = DocumentWithEntries();
    child->Bearbeiten1->trigger();  // F4, on row 4
    ASSERT_TRUE(EditorShown());
    Editor()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Editor()));
    auto press = [](Qt::Key letter) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, letter, Qt::AltModifier);
    };
    press(Qt::Key_V);  // "&Vorherige"
    EXPECT_EQ(Editor()->NRLabel->text(), "3");
    EXPECT_EQ(Editor()->MSEdit1->text(), "tree");  // no "v" typed
    press(Qt::Key_F);  // "&Fremdsprache": into its first field
    EXPECT_EQ(QApplication::focusWidget(), Editor()->FSEdit1);
    press(Qt::Key_H);  // "&Hilfe"
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_NE(shell.starts[0].arguments.at(0).find("edit.html"), std::string::npos);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no menu of the main window opened
    EXPECT_EQ(Editor()->FSEdit1->text(), "Baum");
}

TEST_F(FrameWiringTest, TheEditorGoesToARowThroughTheGoToDialogAndTellsTheFrame) {
    TMDIChild* child = DocumentWithEntries();
    child->Bearbeiten1->trigger();
    ASSERT_TRUE(EditorShown());

    QTimer::singleShot(0, form.get(), [] {
        GotoForm().SetItemIndex(kGotoFirst);
        GotoForm().Goto_OK->click();
    });
    Editor()->ButtonGoto->click();
    EXPECT_EQ(Editor()->NRLabel->text(), "1");
    EXPECT_EQ(Editor()->FSEdit1->text(), "Maus");

    // The count of a new entry goes to the frame's panel 2.
    Editor()->VokAnz->click();
    Editor()->FSEdit1->setText("Katze");
    Editor()->MSEdit1->setText("cat");
    Editor()->ButtonNext->click();
    EXPECT_EQ(form->StatusPanels[2]->text(), "Anzahl der Vokabeln: 4");

    Editor()->ButtonHelp->click();
    ASSERT_FALSE(shell.starts.empty());
    EXPECT_EQ(shell.starts.back().arguments, std::vector<std::string>{dir.Path("Hilfe/Dialogfelder/edit.html")});
    Editor()->ButtonFertigClick();
    EXPECT_EQ(child->Document().Entries[4].FS1.Get(), "Katze");
}

TEST_F(FrameWiringTest, SaveAsPutsTheFileFirstInTheRecentFiles) {
    TMDIChild* child = DocumentWithEntries();
    const std::string path = dir.Path("neu.plk");
    dialogs.fileAnswers.push_back(FileDialogResult{true, {path}, 1});
    child->Speichernunter1->trigger();
    EXPECT_EQ(child->Document().FileName, path);
    EXPECT_EQ(Optionen.Settings.LastFiles[0], path);
    EXPECT_TRUE(child->F[0]->isVisible());
    EXPECT_TRUE(child->F[0]->text().contains("neu.plk"));
    EXPECT_TRUE(form->FM[0]->text().contains("neu.plk"));
}

TEST_F(FrameWiringTest, TheMenuPrintStoresTheEditorFirstAndTheButtonPrintsAtOnce) {
    PrintForm().OutputFileName = dir.Path("liste.pdf");
    TMDIChild* child = DocumentWithEntries();
    child->Bearbeiten1->trigger();
    Editor()->FSEdit1->setText("Katze");
    Editor()->MSEdit1->setText("cat");
    dialogs.printAnswers.push_back({});  // the print dialog, cancelled
    child->Drucken1->trigger();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(child->Document().Entries[4].FS1.Get(), "Katze");
    ASSERT_EQ(dialogs.printRequests.size(), 1u);

    child->Bearbeiten1->trigger();
    form->DruckBtn->trigger();
    EXPECT_EQ(dialogs.printRequests.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("liste.pdf")));
    EXPECT_TRUE(EditorShown());
    PrintForm().OutputFileName.clear();
}

TEST_F(FrameWiringTest, CloseEditorsBeforeNewHidesTheWizardWithoutClosingIt) {
    Optionen.Settings.LastWizPage = 0;
    bool fallback = false;
    WhenUp(form->NewWizard, [this] {
        ASSERT_TRUE(form->NewWizard->isVisible());
        form->NewWizard->PageControl->setCurrentIndex(1);
        EXPECT_TRUE(form->CloseEditorsBeforeNew());
    });
    // Should hiding not end the wizard, this does, and the test fails.
    QTimer::singleShot(3000, form.get(), [this, &fallback] {
        fallback = true;
        form->NewWizard->reject();
    });
    form->NeuWizard1Click();
    EXPECT_FALSE(fallback);
    EXPECT_FALSE(form->NewWizard->isVisible());
    // Hidden, not closed: the page is not stored.
    EXPECT_EQ(Optionen.Settings.LastWizPage, 0);
}

}  // namespace
