#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include "documents/DocumentTestFiles.h"
#include "documents/ui/Childwin.h"
#include "WindowTestSupport.h"
#include "documents/ui/Edit.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/TabelleModel.h"
#include "documents/ui/searchUnit.h"
#include "platform/Dialogs.h"

using platform::ModalResult;

namespace {

class EditFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = ShowThreeEntryWindow();
        w->Document().SetModified(false);
    }
    void TearDown() override {
        if (TEditForm* editor = TEditForm::Existing()) editor->hide();
        SetDocumentInEditor(nullptr);
    }
    VocabDocument& Doc() { return w->Document(); }
    TEditForm* Editor() { return TEditForm::Existing(); }
    static void Type(QWidget* target, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    std::unique_ptr<TMDIChild> w;
};

TEST_F(EditFormTest, F4OpensBehindTheEntriesAndNextStoresClosedUp) {
    w->Bearbeiten1->trigger();
    TEditForm* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->EditRow(), 4);
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Editieren/Eingeben");
    EXPECT_EQ(Doc().Modified, 1);
    EXPECT_EQ(editor->windowTitle(), "Editieren/Eingeben, Vokabeldatei: << noch nicht gespeichert >>");
    EXPECT_EQ(editor->VokAnz->text(), "3");

    editor->FSEdit2->setText("Garten");
    editor->MSEdit3->setText("garden");
    // Enter in an edit goes to an empty first field before anything else.
    editor->FSEdit2->setFocus();
    editor->ButtonNext->click();
    EXPECT_EQ(editor->focusWidget(), editor->FSEdit1);
    EXPECT_EQ(editor->EditRow(), 4);
    editor->ButtonNext->setFocus();
    editor->ButtonNext->click();
    EXPECT_EQ(Doc().Entries[4].FS1.Get(), "Garten");
    EXPECT_EQ(Doc().Entries[4].MS1.Get(), "garden");
    EXPECT_TRUE(Doc().Entries[4].FS2.Empty());
    EXPECT_EQ(w->Model().CellText(1, 4), "Garten");
    EXPECT_EQ(editor->NRLabel->text(), "5");
    EXPECT_EQ(editor->VokAnz->text(), "4");
    EXPECT_TRUE(editor->FSEdit1->text().isEmpty());

    // Back without closing up: the typed text stays where it was typed.
    editor->FSEdit2->setText("nur zwei");
    editor->ButtonLast->click();
    EXPECT_EQ(Doc().Entries[5].FS2.Get(), "nur zwei");
    EXPECT_EQ(Doc().Entries[5].InUse, 1);
    EXPECT_EQ(editor->FSEdit1->text(), "Garten");

    // F4 again closes it through OK.
    w->Bearbeiten1->trigger();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(DocumentInEditor(), nullptr);
}

TEST_F(EditFormTest, EachFieldShowsItsTableFontsColour) {
    Doc().Fonts.TableFS.Color = 0x0000FF;
    Doc().Fonts.TableMS.Color = 0x008000;
    w->Bearbeiten1->trigger();
    TEditForm* editor = Editor();
    for (QLineEdit* edit : {editor->FSEdit1, editor->FSEdit2}) {
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(255, 0, 0));
    }
    for (QLineEdit* edit : {editor->MSEdit1, editor->MSEdit5}) {
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0, 128, 0));
    }
    editor->ButtonFertig->click();
}

// A column name is the hint of its field's number, shown as it is.
TEST_F(EditFormTest, AColumnNameHintShowsItsTagsAsText) {
    Doc().ColumnNames.Field(1).Set("<b>Tschechisch</b>");
    Doc().ColumnNames.Field(3).Set("Deutsch & mehr");
    w->Bearbeiten1->trigger();
    TEditForm* editor = Editor();
    // What the tooltip shows: Qt reads a hint that looks like markup as such.
    const auto shown = [](const QString& tip) {
        if (!Qt::mightBeRichText(tip)) return tip;
        QTextDocument html;
        html.setHtml(tip);
        return html.toPlainText();
    };
    EXPECT_EQ(shown(editor->lf1->toolTip()), "<b>Tschechisch</b>");
    EXPECT_EQ(shown(editor->lm1->toolTip()), "Deutsch & mehr");
    editor->ButtonFertig->click();
}

TEST_F(EditFormTest, TheEditedDocumentRefusesToClose) {
    w->Bearbeiten1->trigger();
    EXPECT_FALSE(w->close());
    EXPECT_EQ(dialogs.Texts().back(), "Bitte schließen Sie die Eingabemaske vor dem Schließen der Datei.");
    Editor()->ButtonFertig->click();
    dialogs.messageAnswers = {ModalResult::No};
    EXPECT_TRUE(w->close());
}

TEST_F(EditFormTest, EscapeDropsTheEditsAndTheTitleBarStoresNothing) {
    w->TabMenuZTag = 2;
    w->Bearbeiten3->trigger();
    TEditForm* editor = Editor();
    EXPECT_EQ(editor->FSEdit1->text(), "Haus");
    editor->FSEdit1->setText("Hausboot");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor, &escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "Haus");

    w->Bearbeiten3->trigger();
    editor->FSEdit1->setText("Hausboot");
    editor->close();
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "Haus");
    EXPECT_EQ(DocumentInEditor(), nullptr);
}

TEST_F(EditFormTest, SemicolonsAndCaronsFollowTheTable) {
    w->Bearbeiten1->trigger();
    TEditForm* editor = Editor();
    editor->FSEdit1->setFocus();
    Type(editor->FSEdit1, "*sa;");
    EXPECT_EQ(editor->FSEdit1->text(), QString::fromUtf8("ša"));
    EXPECT_EQ(editor->focusWidget(), editor->FSEdit2);
    Type(editor->MSEdit1, "*s");
    EXPECT_EQ(editor->MSEdit1->text(), "*s");
    Optionen.NurSelbeSprache = true;
    Type(editor->MSEdit5, "x;y");
    EXPECT_EQ(editor->MSEdit5->text(), "x;y");
    // A letter the field's code page lacks is refused.
    Type(editor->MSEdit2, QString::fromUtf8("\u0151"));
    EXPECT_TRUE(editor->MSEdit2->text().isEmpty());
    // A control key after "*" puts the "*" in and then acts: Tab moves on.
    editor->FSEdit1->clear();
    editor->FSEdit2->clear();
    editor->FSEdit1->setFocus();
    Type(editor->FSEdit1, "a*");
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(editor->FSEdit1, &tab);
    ASSERT_EQ(editor->focusWidget(), editor->FSEdit2);
    Type(editor->FSEdit2, "s");
    EXPECT_EQ(editor->FSEdit1->text(), "a*");
    EXPECT_EQ(editor->FSEdit2->text(), "s");
    // Backspace after "*" takes the "*" back out.
    Type(editor->FSEdit2, "*");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    QApplication::sendEvent(editor->FSEdit2, &backspace);
    Type(editor->FSEdit2, "*s");
    EXPECT_EQ(editor->FSEdit2->text(), QString::fromUtf8("sš"));
    // So does Delete: the "*" goes in and the next letter goes.
    editor->FSEdit2->setCursorPosition(0);
    Type(editor->FSEdit2, "*");
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)));
    QApplication::sendEvent(editor->FSEdit2, &del);
    EXPECT_EQ(editor->FSEdit2->text(), QString::fromUtf8("*š"));
}

TEST_F(EditFormTest, APasteGoesInAtTheCaretUnlessTheFieldsCodePageLacksALetter) {
    w->Bearbeiten1->trigger();
    TEditForm* editor = Editor();
    editor->MSEdit2->setFocus();
    editor->MSEdit2->setText(QStringLiteral("Hof"));
    editor->MSEdit2->setCursorPosition(1);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    for (const char* text : {"aush", "łódź"}) {
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        QApplication::sendEvent(editor->MSEdit2, &paste);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(editor->MSEdit2->text(), QStringLiteral("Haushof"));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kLetterNotInCodePage});
}

TEST_F(EditFormTest, UndoingAHeaderSortKeepsTheEditorsTyping) {
    w->TabMenuZTag = 2;
    w->Bearbeiten3->trigger();
    TEditForm* editor = Editor();
    editor->FSEdit1->setText("Hausboot");  // typed, not yet stored
    w->TabMenuSTag = w->ColWidth(0) + 5;
    w->Sortieren->trigger();
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "Hausboot");  // "Baum", "Hausboot", "Maus"
    w->UndoMenu->trigger();
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "Hausboot");
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Maus");
    EXPECT_EQ(editor->FSEdit1->text(), "Hausboot");
}

TEST_F(EditFormTest, RowCommandsStoreTheShownEntryAndShowItsRowAgain) {
    w->TabMenuZTag = 2;
    w->Bearbeiten3->trigger();
    TEditForm* editor = Editor();
    editor->FSEdit1->setText("Hausboot");
    w->TabMenuZTag = 1;
    w->DelLineClick();
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Hausboot");
    EXPECT_EQ(editor->EditRow(), 2);
    EXPECT_EQ(editor->FSEdit1->text(), "Baum");
}

TEST_F(EditFormTest, AFullTableOpensOnTheLastRowAndTheNumberColumnOpensItsRow) {
    for (int r = 1; r <= kMaxEntries; ++r) Doc().Entries[r] = MakeEntry("x" + std::to_string(r), "y");
    w->RefreshGrid();
    w->Bearbeiten1->trigger();
    EXPECT_EQ(Editor()->EditRow(), kMaxEntries);
    Editor()->ButtonFertig->click();
    EXPECT_EQ(dialogs.Texts().back(), "Zu viele Vokabeln.");

    QWidget* numbers = w->Tabelle->verticalHeader()->viewport();
    const int y = w->RowHeight() * 2 + w->RowHeight() / 2;
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(10, y), numbers->mapToGlobal(QPointF(10, y)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(numbers, &click);
    ASSERT_TRUE(Editor()->isVisible());
    EXPECT_EQ(Editor()->EditRow(), w->TopRow() + 2);
}

TEST_F(EditFormTest, MovingTheEditorToAnotherDocumentAsksAndStoresFirst) {
    auto other = std::make_unique<TMDIChild>(std::make_unique<VocabDocument>());
    other->show();
    w->Bearbeiten1->trigger();
    Editor()->FSEdit1->setText("Igel");
    Editor()->MSEdit1->setText("hedgehog");
    dialogs.messageAnswers = {ModalResult::No};
    other->Bearbeiten1->trigger();
    EXPECT_TRUE(Editor()->EditsDocument(w.get()));
    dialogs.messageAnswers = {ModalResult::Yes};
    other->Bearbeiten1->trigger();
    EXPECT_TRUE(Editor()->EditsDocument(other.get()));
    EXPECT_EQ(Doc().Entries[4].FS1.Get(), "Igel");
    EXPECT_EQ(Editor()->EditRow(), 1);
    // The window goes away while edited: the editor lets go of it.
    other.reset();
    EXPECT_FALSE(Editor()->isVisible());
}

TEST_F(EditFormTest, SearchFromTheEditorMovesItsRowOnItsOwnDocument) {
    auto other = std::make_unique<TMDIChild>(std::make_unique<VocabDocument>());
    other->Document().Entries[3] = MakeEntry("Baum", "tree");
    other->show();
    w->Bearbeiten1->trigger();
    TEditForm* editor = Editor();
    Optionen.Settings.AlleTrefferZeigen = false;
    QPointer<TSearchForm> search = TSearchForm::Instance(w.get());
    bool driven = false;
    QTimer::singleShot(0, [&] {
        driven = search->isVisible() && search->TrefferArt->isVisible() && !search->AutoFuzzy_SB->isVisible();
        search->SearchText->setText("haus");
        search->SearchButton->click();
    });
    QTimer::singleShot(3000, [search] {
        if (search && search->isVisible()) search->SearchAbortClick();
    });
    editor->ButtonSearch->click();
    EXPECT_TRUE(driven);
    EXPECT_EQ(editor->EditRow(), 2);
    EXPECT_EQ(editor->FSEdit1->text(), "Haus");
}

}  // namespace
