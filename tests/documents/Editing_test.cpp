#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTableView>

#include "documents/CellEditing.h"
#include "documents/DocumentTestFiles.h"
#include "documents/EntryClipboard.h"
#include "documents/LoadSave.h"
#include "documents/TabelleLayout.h"
#include "documents/ui/Childwin.h"
#include "WindowTestSupport.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/TabelleModel.h"
#include "platform/Dialogs.h"
#include "platform/TempDir.h"

namespace {

// What a middle click pastes.
QString selection;

class EditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = ShowThreeEntryWindow();
        QApplication::clipboard()->clear();
        ClipListReset(Zwischenspeicher());
    }
    void TearDown() override { FieldInput::SetSelectionSource(nullptr); }
    VocabDocument& Doc() { return w->Document(); }
    QLineEdit* OpenEditor(int column, int row) {
        const QModelIndex index = w->Model().index(row - 1, column - 1);
        w->Tabelle->setCurrentIndex(index);
        w->Tabelle->edit(index);
        return static_cast<TabelleDelegate*>(w->Tabelle->itemDelegate())->Editor();
    }
    // The cell's editor with the caret after its text.
    TabelleCellEditor* OpenAtEnd(int column, int row) {
        auto* editor = qobject_cast<TabelleCellEditor*>(OpenEditor(column, row));
        if (editor != nullptr) editor->end(false);
        return editor;
    }
    static QMenu* OpenMenu(QLineEdit* editor) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(editor, &event);
        // The test platform makes the popup the focus window a turn later.
        QCoreApplication::processEvents();
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    // "&Einfügen" chosen with the keyboard, as a user does.
    static void ChoosePaste(QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->text() == QString::fromUtf8("&Einfügen")) menu->setActiveAction(action);
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(menu, &enter);

    }
    static void PressPasteKey(QWidget* target) {
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
        QApplication::sendEvent(target, &paste);
    }
    static void Type(QWidget* target, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }
    // A press at grid client pixels x, y (header row and number column
    // included), sent to the part of the grid that lies there.
    void Press(Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTableView* t = w->Tabelle;
        const int headerHeight = t->horizontalHeader()->height();
        QWidget* target = t->viewport();
        QPoint local(x - w->ColWidth(0), y - headerHeight);
        if (x < w->ColWidth(0) && y >= headerHeight) {
            target = t->verticalHeader()->viewport();
            local = QPoint(x, y - headerHeight);
        } else if (y < headerHeight) {
            target = t->horizontalHeader()->viewport();
            local = QPoint(x - w->ColWidth(0), y);
        }
        QMouseEvent press(QEvent::MouseButtonPress, local, target->mapToGlobal(local), button, button, modifiers);
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, target->mapToGlobal(local), button, Qt::NoButton,
                            modifiers);
        QApplication::sendEvent(target, &release);
    }
    int RowY(int row) const {
        return w->Tabelle->horizontalHeader()->height() + w->Tabelle->rowViewportPosition(row - 1) + 2;
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    std::unique_ptr<TMDIChild> w;
};

TEST_F(EditingTest, TypingIntoACellAndUndoingItThroughTheMenu) {
    QLineEdit* editor = OpenEditor(1, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "Maus");
    EXPECT_FALSE(w->UndoMenu->isEnabled());
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(editor, &end);
    Type(editor, "e*s");
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Mause\x9A");  // "*s" gives s with caron
    EXPECT_EQ(w->UndoMenu->text(), "&Rückgängig: Änderung des Feldes 1|1");
    EXPECT_EQ(Doc().UndoLevel, 2);  // one step for the whole run
    EXPECT_TRUE(w->windowTitle().endsWith(" *"));

    w->UndoMenu->trigger();
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Maus");
    EXPECT_EQ(w->Model().CellText(1, 1), "Maus");
    EXPECT_EQ(editor->text(), "Maus");
    EXPECT_EQ(w->UnundoMenu->text(), "&Wiederherstellen: Änderung des Feldes 1|1");
    EXPECT_TRUE(w->UnundoMenu->isEnabled());
    w->UnundoMenu->trigger();
    EXPECT_EQ(w->Model().CellText(1, 1), QString::fromUtf8("Mauseš"));
}

TEST_F(EditingTest, PastingIntoACell) {
    QLineEdit* editor = OpenEditor(3, 2);
    ASSERT_NE(editor, nullptr);
    // The open editor's own paste: over its text, which opening selected.
    const QString long53 = QString(53, QChar('w'));
    QApplication::clipboard()->setText(long53);
    PressPasteKey(editor);
    QCoreApplication::processEvents();
    EXPECT_EQ(Doc().Entries[2].MS1.Get(), std::string(50, 'w'));
    EXPECT_EQ(editor->text(), QString(50, QChar('w')));  // shows what is kept

    // The menu's "Einfügen" makes the current cell the text.
    for (const char* text : {"zwei\nZeilen", "zwei\r\nZeilen"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(text));
        w->Einfgen1Click();
    }
    QApplication::clipboard()->setText(QString::fromUtf8("łódź"));
    w->Einfgen1Click();
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{kCellPasteRefused, kCellPasteRefused, kLetterNotInCodePage}));
    EXPECT_EQ(Doc().UndoLevel, 2);
    QApplication::clipboard()->setText(QString(55, QChar('k')));
    w->Einfgen1Click();
    EXPECT_EQ(Doc().Entries[2].MS1.Get(), std::string(50, 'k'));

    // The paste key on a cell whose editor is not open pastes the same way.
    w->Tabelle->setCurrentIndex(w->Model().index(0, 1));  // closes the open editor
    QApplication::clipboard()->setText(QStringLiteral("Maus (2)"));
    PressPasteKey(w->Tabelle);
    EXPECT_EQ(Doc().Entries[1].FS2.Get(), "Maus (2)");
    // Without text on the system clipboard: the entry clipboard before the row.
    QApplication::clipboard()->clear();
    CopyEntry(Doc(), 3);
    PressPasteKey(w->Tabelle);
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Baum");
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "Maus");
}

// The refusal box's loop closes the cell editor, and its context menu with
// it; the box must come once the menu has finished with its key press.
TEST_F(EditingTest, ARefusedPasteFromTheCellMenuComesAfterTheMenuIsDone) {
    ASSERT_TRUE(ActivateForTest(w.get()));
    TabelleCellEditor* editor = OpenAtEnd(3, 2);
    ASSERT_NE(editor, nullptr);
    QApplication::clipboard()->setText(QStringLiteral("zwei\r\nZeilen"));
    QPointer<QMenu> menu = OpenMenu(editor);
    ASSERT_NE(menu, nullptr);
    ChoosePaste(menu);
    EXPECT_NE(menu, nullptr);
    EXPECT_TRUE(dialogs.Texts().empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kCellPasteRefused});
    EXPECT_EQ(Doc().Entries[2].MS1.Get(), "house");
    EXPECT_EQ(static_cast<TabelleDelegate*>(w->Tabelle->itemDelegate())->Editor(), nullptr);  // the box took the focus
}

TEST_F(EditingTest, EveryPasteRoadOfAnOpenCellInsertsAtTheCaretThroughTheCheck) {
    struct Road {
        const char* name;
        std::function<void(QLineEdit*, const QString&)> paste;
    };
    const Road roads[] = {
        {"Ctrl+V",
         [](QLineEdit* editor, const QString& text) {
             QApplication::clipboard()->setText(text);
             PressPasteKey(editor);
         }},
        {"Shift+Insert",
         [](QLineEdit* editor, const QString& text) {
             QApplication::clipboard()->setText(text);
             QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
             QApplication::sendEvent(editor, &press);
         }},
        {"menu",
         [](QLineEdit* editor, const QString& text) {
             QApplication::clipboard()->setText(text);
             ChoosePaste(OpenMenu(editor));
         }},
        {"middle click",
         [](QLineEdit* editor, const QString& text) {
             selection = text;
             for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                 QMouseEvent click(type, QPointF(5, 5), editor->mapToGlobal(QPointF(5, 5)), Qt::MiddleButton,
                                   type == QEvent::MouseButtonPress ? Qt::MiddleButton : Qt::NoButton,
                                   Qt::NoModifier);
                 QApplication::sendEvent(editor, &click);
             }
         }},
        {"drop",
         [](QLineEdit* editor, const QString& text) {
             QMimeData dropped;
             dropped.setText(text);
             // Dropped behind the text.
             const QPointF end(editor->width() - 3, 5);
             QDragEnterEvent enter(end.toPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(editor, &enter);
             QDropEvent drop(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(editor, &drop);
         }},
    };
    FieldInput::SetSelectionSource([] { return selection; });
    const std::string full(50, 'x');
    // Each road is refused for one of the reasons, judged on the text the
    // cell would then hold.
    const char* const refusedTexts[] = {"łódź", "abcdef", "zwei\nZeilen", "ł", "drei\r\nZeilen"};
    std::vector<std::string> refusals;
    for (std::size_t i = 0; i < std::size(roads); ++i) {
        const Road& road = roads[i];
        SCOPED_TRACE(road.name);
        Doc().Entries[2].MS1.Set("Bedeutung 2");
        w->RefreshGrid();
        TabelleCellEditor* editor = OpenAtEnd(3, 2);
        ASSERT_NE(editor, nullptr);
        road.paste(editor, QStringLiteral("boot"));
        QCoreApplication::processEvents();
        EXPECT_EQ(Doc().Entries[2].MS1.Get(), "Bedeutung 2boot");
        EXPECT_EQ(editor->text(), QStringLiteral("Bedeutung 2boot"));

        Doc().Entries[2].MS1.Set(full);
        w->RefreshGrid();  // the open editor shows it
        editor->end(false);
        road.paste(editor, QString::fromUtf8(refusedTexts[i]));

        QCoreApplication::processEvents();
        EXPECT_EQ(Doc().Entries[2].MS1.Get(), full);
        refusals.push_back(i == 0 || i == 3 ? kLetterNotInCodePage : kCellPasteRefused);
        EXPECT_EQ(dialogs.Texts(), refusals);
        w->Tabelle->setCurrentIndex(w->Model().index(0, 0));  // closes whatever editor is left
    }

    // A paste over a selection replaces it.
    Doc().Entries[2].MS1.Set("Bedeutung 2");
    w->RefreshGrid();
    QLineEdit* editor = OpenEditor(3, 2);
    editor->setSelection(10, 1);
    roads[0].paste(editor, QStringLiteral("drei"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Doc().Entries[2].MS1.Get(), "Bedeutung drei");

    // The program's own menu, in German, enabled as its commands can act.
    QApplication::clipboard()->setText(QStringLiteral("Text"));
    editor->deselect();
    QMenu* menu = OpenMenu(editor);
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* action : menu->actions()) captions << action->text();
    EXPECT_EQ(captions, QStringList({"&Rückgängig", "", "&Ausschneiden", "&Kopieren", "&Einfügen", "&Löschen", "",
                                     "Alles &markieren"}));
    EXPECT_FALSE(menu->actions()[2]->isEnabled());  // nothing selected to cut
    EXPECT_TRUE(menu->actions()[4]->isEnabled());
    menu->close();

    // Saved as DOS text and read back, every row is where it was.
    TempDir dir;
    Doc().FileName = dir.Path("liste.vok");
    Doc().FormatVersion = 0;
    ASSERT_TRUE(Doc().Save());
    auto back = std::make_unique<VocabularyFileData>();
    ASSERT_EQ(LoadVocabularyFile(Doc().FileName, *back, true, 1, FileFormatOptions::From(Optionen)).Message, "");
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(back->Entries[row].FS1.Get(), Doc().Entries[row].FS1.Get()) << row;
        EXPECT_EQ(back->Entries[row].MS1.Get(), Doc().Entries[row].MS1.Get()) << row;
        EXPECT_EQ(back->Entries[row].InUse, row <= 3 ? 1 : 0) << row;
    }
}

TEST_F(EditingTest, TheOpenCellShowsItsColumnsFontAndColour) {
    Doc().Fonts.TableMS.Color = 0x0000FF;  // red
    Doc().Fonts.TableMS.Style = 1;         // bold
    w->RefreshGrid();
    QLineEdit* editor = OpenEditor(4, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(editor->font().bold());
}

TEST_F(EditingTest, TypingALetterTheCellsCodePageLacksChangesNothing) {
    QLineEdit* editor = OpenAtEnd(1, 1);
    ASSERT_NE(editor, nullptr);
    Type(editor, QString::fromUtf8("łe"));
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Mause");
    // A column in the Central European set takes it.
    Doc().Fonts.TableFS.Charset = 238;
    w->RefreshGrid();
    editor->end(false);
    Type(editor, QString::fromUtf8("ł"));
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Mause\xB3");
    EXPECT_EQ(w->Model().CellText(1, 1), QString::fromUtf8("Mauseł"));
}

TEST_F(EditingTest, CopyAndCutOfACell) {
    w->Tabelle->setCurrentIndex(w->Model().index(2, 0));
    w->Kopieren1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "Baum");
    EXPECT_EQ(Doc().UndoLevel, 1);
    w->Tabelle->setCurrentIndex(w->Model().index(2, 2));
    w->Ausschneiden1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "tree");
    EXPECT_EQ(Doc().Entries[3].InUse, 1);  // "Baum" is still there
    w->Tabelle->setCurrentIndex(w->Model().index(2, 0));
    w->Ausschneiden1Click();
    EXPECT_EQ(Doc().Entries[3].InUse, 0);
    EXPECT_EQ(w->Model().GridRowCount(), 4);  // LastUsedRow 2 + 2
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Änderung des Feldes 1|3");
}

TEST_F(EditingTest, ClearingTheSystemClipboardLeavesTheEntryClipboard) {
    w->TabMenuZTag = 3;
    w->Vokabelkopieren1Click();
    QApplication::clipboard()->setText("Text");
    w->Zwischenablageleeren1Click();
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    // Without text, paste in the grid puts the entry clipboard before the current row.
    w->Tabelle->setCurrentIndex(w->Model().index(0, 0));
    w->Einfgen1Click();
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Baum");
    EXPECT_EQ(Doc().Entries[2].FS1.Get(), "Maus");
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Inhalt vor Zeile einfügen");
}

TEST_F(EditingTest, TheDescriptionLine) {
    w->DescMemo->setFocus();
    w->DescMemo->setPlainText("Tiere\nim Wald");
    EXPECT_EQ(Doc().Description, "Tiere\r\nim Wald");
    w->DescMemo->appendPlainText("!");
    EXPECT_EQ(Doc().UndoLevel, 2);  // typing on is the same step
    // Paste with nothing selected replaces the whole text.
    QApplication::clipboard()->setText(QString::fromUtf8("Vögel"));
    w->Einfgen1Click();
    EXPECT_EQ(Doc().Description, "V\xF6gel");
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Beschreibung geändert");
    w->UndoMenuClick();
    w->UndoMenuClick();
    EXPECT_EQ(Doc().Description, "Tiere\r\nim Wald\r\n!");
    EXPECT_EQ(w->DescMemo->toPlainText(), "Tiere\nim Wald\n!");
    EXPECT_TRUE(Doc().RedoEnabled());  // setting the memo back took no snapshot
    QApplication::clipboard()->clear();
    w->Einfgen1Click();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Kein Text in der Zwischenablage!"});
}

TEST_F(EditingTest, TheDescriptionLineTakesOnlyWhatASaveKeeps) {
    QPlainTextEdit* memo = w->DescMemo;
    memo->setFocus();
    // A letter its code page lacks: refused when typed, and by every paste.
    Type(memo, QString::fromUtf8("Tiere ł"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Tiere "));
    QApplication::clipboard()->setText(QString::fromUtf8("łódź"));
    PressPasteKey(memo);
    QCoreApplication::processEvents();
    w->Einfgen1Click();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), memo->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(memo->viewport(), &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    auto* menuPaste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    ASSERT_NE(menuPaste, nullptr);
    menuPaste->trigger();
    menu->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(3, kLetterNotInCodePage));
    EXPECT_EQ(Doc().Description, "Tiere ");

    // At most 250 characters as stored, where a line break is two.
    memo->setPlainText(QStringLiteral("Tiere\n") + QString(242, QChar('a')));
    memo->moveCursor(QTextCursor::End);
    Type(memo, QStringLiteral("bc\r"));
    EXPECT_EQ(Doc().Description, "Tiere\r\n" + std::string(242, 'a') + "b");
    memo->moveCursor(QTextCursor::Start);
    memo->moveCursor(QTextCursor::NextWord, QTextCursor::KeepAnchor);  // "Tiere" selected
    QApplication::clipboard()->setText(QStringLiteral("Vogelarten"));
    PressPasteKey(memo);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Vogel\n") + QString(242, QChar('a')) + "b");
    // The menu's paste over the whole line keeps what fits.
    memo->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString(300, QChar('z')));
    w->Einfgen1Click();
    EXPECT_EQ(Doc().Description, std::string(250, 'z'));
    EXPECT_EQ(Doc().UndoCaption(), "&Rückgängig: Beschreibung geändert");
    EXPECT_EQ(dialogs.Texts().size(), 3u);
}

TEST_F(EditingTest, MarkingWithTheMouseAndTheRowPopups) {
    Press(Qt::LeftButton, 5, RowY(1));
    Press(Qt::LeftButton, 5, RowY(3), Qt::ShiftModifier);
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(MarksGet(Doc().Marks, r)) << r;
    Press(Qt::LeftButton, 5, RowY(2), Qt::ControlModifier);
    EXPECT_FALSE(MarksGet(Doc().Marks, 2));

    Press(Qt::RightButton, 5, RowY(3));
    EXPECT_TRUE(w->MarkMenu->isVisible());
    EXPECT_FALSE(w->Einfgen3->isEnabled());  // two rows marked
    EXPECT_FALSE(w->Bearbeiten4->isEnabled());
    EXPECT_EQ(w->TabMenuZTag, 3);
    w->MarkMenu->hide();
    // With one marked row both are there again.
    Press(Qt::LeftButton, 5, RowY(3), Qt::ControlModifier);
    Press(Qt::RightButton, 5, RowY(1));
    EXPECT_TRUE(w->MarkMenu->isVisible());
    EXPECT_TRUE(w->Einfgen3->isEnabled());
    EXPECT_TRUE(w->Bearbeiten4->isEnabled());
    w->MarkMenu->hide();
    Press(Qt::LeftButton, 5, RowY(3), Qt::ControlModifier);
    Press(Qt::RightButton, 5, RowY(2));
    EXPECT_TRUE(w->TabMenuZ->isVisible());
    EXPECT_FALSE(MarksAny(Doc().Marks));
    w->TabMenuZ->hide();

    // Below the last grid row and on the header line nothing is marked.
    Press(Qt::LeftButton, 5, w->Tabelle->height() - 3);
    Press(Qt::RightButton, 5, w->Tabelle->height() - 3);
    EXPECT_FALSE(MarksAny(Doc().Marks));
    EXPECT_FALSE(w->TabMenuZ->isVisible());

    // The header of the number column marks every used row.
    QWidget* corner = w->Tabelle->findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), corner->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(corner, &press);
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(MarksGet(Doc().Marks, r)) << r;
    EXPECT_FALSE(MarksGet(Doc().Marks, 4));
    // A click in the body clears them.
    Press(Qt::LeftButton, w->ColWidth(0) + 40, RowY(1));
    EXPECT_FALSE(MarksAny(Doc().Marks));
}

TEST_F(EditingTest, RightButtonInTheBody) {
    // Pressed and released without moving: the table menu.
    Press(Qt::RightButton, w->ColWidth(0) + 40, RowY(2));
    EXPECT_TRUE(w->tabelle_main_menu->isVisible());
    EXPECT_EQ(Doc().DragStartY, 0);
    w->tabelle_main_menu->hide();
    // Dragging: one row per pixel, the last used row kept in reach, never above row 1.
    EXPECT_EQ(tabelle::DragTopRow(1, 5, 100, 200, 19), 6);
    EXPECT_EQ(tabelle::DragTopRow(1, 500, 100, 200, 19), 93);
    EXPECT_EQ(tabelle::DragTopRow(10, -50, 100, 200, 19), 1);
    EXPECT_EQ(tabelle::DragTopRow(1, 5, 3, 200, 19), 1);
}

TEST_F(EditingTest, FittingFromTheHeaderPopupTakesThePressedColumn) {
    w->gleichmigverteilen1Click();
    const int equal = w->ColWidth(1);
    const int x = w->ColWidth(0) + 2 * equal + equal / 2;  // column 3
    Press(Qt::RightButton, x, 5);
    ASSERT_TRUE(w->TabMenuS->isVisible());
    EXPECT_TRUE(w->Sortieren->isEnabled());
    w->TabMenuS->move(0, 0);  // as when the popup had to move to fit the screen
    w->AutoSize->trigger();
    w->TabMenuS->hide();
    const QFontMetrics ms(w->Model().MSFont().Font);
    const int widest = std::max({ms.horizontalAdvance("mouse"), ms.horizontalAdvance("house"), ms.horizontalAdvance("tree")});
    EXPECT_EQ(w->ColWidth(3), widest + 10);
    for (int c : {1, 2, 4, 5, 6, 7}) EXPECT_EQ(w->ColWidth(c), equal) << c;
}

TEST_F(EditingTest, HeaderSortClosesGapsInTheSameStep) {
    Doc().Entries[6] = MakeEntry("Apfel", "apple");
    w->RefreshGrid();
    w->TabMenuSTag = w->ColWidth(0) + 5;
    w->SortierenClick();
    EXPECT_EQ(Doc().Entries[1].FS1.Get(), "Apfel");
    EXPECT_EQ(Doc().Entries[4].FS1.Get(), "Maus");
    EXPECT_EQ(Doc().LastUsedRow(), 4);
    EXPECT_EQ(Doc().UndoLevel, 2);
    EXPECT_EQ(w->Model().GridRowCount(), 6);
    w->UndoMenuClick();
    EXPECT_EQ(Doc().Entries[6].FS1.Get(), "Apfel");
}

}  // namespace
