#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "documents/DocumentTestFiles.h"
#include "documents/SmallDialogs.h"
#include "documents/ui/Beschreibung_box.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/FeldauswahlForm.h"
#include "documents/ui/GotoUnit.h"
#include "documents/ui/SpaltenNamenUnit.h"
#include "documents/ui/TabelleModel.h"
#include "common/WhenUp.h"
#include "platform/Dialogs.h"

using platform::ModalResult;

namespace {

void Type(QWidget* target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

// Runs while the next dialog is up; it must close it.
void WhenShown(std::function<void()> action) { WhenUp(std::move(action)); }

class SmallDialogFormsTest : public ::testing::Test {
protected:
    SmallDialogFormsTest() {
        w = TMDIChild::Create(DocumentRequest::FromMarker("\x1b"));
        w->resize(700, 400);
        w->show();
        for (int r = 1; r <= 3; ++r) w->Document().Entries[r] = MakeEntry("fs" + std::to_string(r), "ms");
        w->RefreshGrid();
        w->Document().SetModified(false);
    }
    ~SmallDialogFormsTest() override { delete w.data(); }

    VocabDocument& Doc() { return w->Document(); }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    QPointer<TMDIChild> w;
};

TEST_F(SmallDialogFormsTest, GotoNumberFieldTakesDigitsOnlyAndChoosesNumber) {
    TGotoForm& form = GotoForm();
    form.SetItemIndex(kGotoFirst);
    form.VokNumber->clear();
    Type(form.VokNumber, Qt::Key_A, "a");
    EXPECT_EQ(form.VokNumber->text(), "");
    EXPECT_EQ(form.ItemIndex(), kGotoNumber);
    form.SetItemIndex(kGotoFirst);
    EXPECT_EQ(form.VokNumber->palette().color(QPalette::Text), QColor(0x80, 0x80, 0x80));
    Type(form.VokNumber, Qt::Key_6, "6");
    EXPECT_EQ(form.VokNumber->text(), "6");
    EXPECT_EQ(form.ItemIndex(), kGotoNumber);
    EXPECT_EQ(form.VokNumber->palette().color(QPalette::Text), QColor(0, 0, 0));
    Type(form.VokNumber, Qt::Key_Backspace, "\b");
    EXPECT_EQ(form.VokNumber->text(), "6");
}

TEST_F(SmallDialogFormsTest, GotoSixHundredOffersTheFirstFreeRow) {
    Optionen.Settings.LastGotoNr = 2;
    WhenShown([] {
        TGotoForm& form = GotoForm();
        EXPECT_EQ(form.ItemIndex(), kGotoNumber);
        form.VokNumber->setText("600");
        form.Goto_OKClick();
    });
    dialogs.messageAnswers.push_back(ModalResult::Yes);
    EXPECT_EQ(GotoForm().Run(Doc()), 4);
    EXPECT_EQ(Optionen.Settings.LastGotoNr, 600);

    WhenShown([] { GotoForm().Goto_Abort->click(); });
    EXPECT_EQ(GotoForm().Run(Doc()), 0);
}

TEST_F(SmallDialogFormsTest, PropertiesStayOpenOnDifferentReadPasswords) {
    Doc().Description = "Zeile 1\r\nZeile 2";
    WhenShown([this] {
        TDateiEigenschaften_Form& form = DateiEigenschaften_Form();
        EXPECT_EQ(form.ssk->text(), "nicht vorhanden");
        form.leseschutz1->setText("lesen");
        form.leseschutz2->setText("lesne");
        form.BitBtn1Click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(dialogs.Texts().back(),
                  "Bitte geben Sie das Lese-Kennwort zweimal identisch oder überhaupt nicht ein!");
        form.leseschutz2->setText("lesen");
        form.BitBtn1Click();
    });
    w->Beschreibungndern1Click();
    EXPECT_EQ(Doc().ReadPassword, "lesen");
    EXPECT_EQ(Doc().Modified, 1);
    // Not edited: the description keeps its line break, and no undo step.
    EXPECT_EQ(Doc().Description, "Zeile 1\r\nZeile 2");
    EXPECT_FALSE(Doc().UndoEnabled());
}

TEST_F(SmallDialogFormsTest, PropertiesChangeTheWritePasswordAndTheDescription) {
    Doc().WritePassword = "alt";
    dialogs.passwordAnswers = {"alt", "neu", "neu"};
    WhenShown([] {
        TDateiEigenschaften_Form& form = DateiEigenschaften_Form();
        EXPECT_EQ(form.ssk->text(), "vorhanden");
        form.Button1Click();
        form.Descr->setText("Biere");
        form.Descr->setModified(true);
        form.BitBtn1Click();
    });
    w->Beschreibungndern1Click();
    EXPECT_EQ(Doc().WritePassword, "neu");
    EXPECT_EQ(Doc().Description, "Biere");
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Beschreibung ändern");
    EXPECT_EQ(w->DescMemo->toPlainText(), "Biere");
}

TEST_F(SmallDialogFormsTest, ColumnNamesChangeAndUndoRestoresThem) {
    WhenShown([] {
        TSpaltenNamenForm& form = SpaltenNamenForm();
        EXPECT_EQ(form.Edits[0]->text(), "1) Fremdsprache");
        form.Edits[0]->setText(QString::fromUtf8("Tschechisch"));
        form.BitBtn1->click();
    });
    w->Spaltennamen1Click();
    EXPECT_EQ(w->Model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Tschechisch");
    EXPECT_EQ(Doc().Modified, 1);
    w->UndoMenuClick();
    EXPECT_EQ(w->Model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "1) Fremdsprache");

    SpaltenNamenForm().Run(nullptr);
    EXPECT_EQ(dialogs.Texts().back(), "AktivKind=NIL");
}

TEST_F(SmallDialogFormsTest, SortDialogSortsByTheChosenFieldAndAlwaysClosesGaps) {
    Doc().Entries[1] = MakeEntry("b", "2");
    Doc().Entries[2] = BlankEntry;
    Doc().Entries[3] = MakeEntry("c", "1");
    Doc().Entries[5] = MakeEntry("a", "3");
    WhenShown([] {
        TFeldAuswahl& form = FeldAuswahl();
        EXPECT_EQ(form.windowTitle(), "Sortieren...");
        EXPECT_FALSE(form.UmlBox->isHidden());
        EXPECT_EQ(form.AuswahlBox->itemText(2), "3:     1) Muttersprache ");
        form.AuswahlBox->setCurrentIndex(2);  // MS1
        form.BitBtn1->click();
    });
    w->Alphabetischsortieren1Click();
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "c");
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "b");
    EXPECT_EQ(Doc().Entries[3].FS1.Get(), "a");
    EXPECT_EQ(Doc().LastUsedRow(), 3);
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Alphabetisch sortieren");
    EXPECT_TRUE(FeldAuswahl().UmlBox->isHidden());

    Doc().Entries[2] = BlankEntry;
    WhenShown([] { FeldAuswahl().BitBtn2->click(); });
    w->Alphabetischsortieren1Click();
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "a");
    EXPECT_EQ(Doc().LastUsedRow(), 2);
}

TEST_F(SmallDialogFormsTest, SaveAsOpensThePropertiesWhenTheOptionSaysSo) {
    FakeFiles files;
    ScopedFiles scopedFiles(files);
    Optionen.VerzeichnisAutomatischWechseln = false;
    Optionen.BeschreibungBeimErstenSpeichern = true;
    dialogs.fileAnswers.push_back({true, {"/d/neu.plk"}, 2});
    WhenShown([] {
        TDateiEigenschaften_Form& form = DateiEigenschaften_Form();
        for (QLineEdit* edit : {form.leseschutz1, form.leseschutz2}) edit->setText("lesen");
        form.BitBtn1Click();
    });
    // Ctrl+S of an unnamed document.
    w->Speichern1->trigger();
    ASSERT_EQ(files.saves.size(), 1u);
    EXPECT_EQ(files.saves[0].version, 14);
    EXPECT_EQ(Doc().ReadPassword, "lesen");
    EXPECT_EQ(Doc().Modified, 0);
    EXPECT_EQ(w->windowTitle(), "/d/neu.plk");
}

}  // namespace
