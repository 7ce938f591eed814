// The document window's editing: cells, the description line, both
// clipboards, undo, the row commands and the grid's mouse.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>

#include "documents/CellEditing.h"
#include "documents/EntryClipboard.h"
#include "documents/EntryEditorLink.h"
#include "documents/LoadSave.h"
#include "documents/RowOperations.h"
#include "documents/TabelleLayout.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/TabelleModel.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hourglass.h"

using platform::Dialogs;
using platform::MsgDlgType;

namespace {

// The memo's text as Description bytes: CR LF line ends, "?" for what the
// code page lacks.
std::string DescriptionBytes(const QString& memoText, uint8_t charset) {
    return FieldBytes(QString(memoText).replace(QLatin1Char('\n'), QStringLiteral("\r\n")), charset);
}

QClipboard& SystemClipboard() { return *QGuiApplication::clipboard(); }

// The marking column of the row numbers.
constexpr int kMarkColumnWidth = 30;

}  // namespace

// ---- Undo ------------------------------------------------------------------

void TMDIChild::UndoStateChanged() {
    UndoMenu->setText(QString::fromStdString(doc_->UndoCaption()));
    UndoMenu->setEnabled(doc_->UndoEnabled());
    UnundoMenu->setText(QString::fromStdString(doc_->RedoCaption()));
    UnundoMenu->setEnabled(doc_->RedoEnabled());
    // The toolbar's undo buttons and the password indicator (an undo past a
    // "Save as" brings passwords back) follow.
    if (formShown_) TheDocumentFrame().UpdateMenuItems();
}

void TMDIChild::UndoMenuClick() {
    if (!doc_->UndoStep()) QApplication::beep();
}

void TMDIChild::UnundoMenuClick() {
    if (!doc_->RedoStep()) QApplication::beep();
}

// ---- Cells and description --------------------------------------------------

void TMDIChild::TabelleSetEditText(int column, int row, const QString& text) {
    StoreCellEdit(*doc_, column, row, model_->CellBytes(column, text));
}

void TMDIChild::CellChanged(int column, int row) {
    model_->SetGridRowCount(tabelle::RowCount(doc_->LastUsedRow()));
    // A text cut to 50 shows as it is kept.
    model_->RefreshCell(column, row);
    // The entry count in the status bar.
    if (formShown_) TheDocumentFrame().UpdateMenuItems();
}

void TMDIChild::DescMemoChange() {
    if (settingMemo_) return;
    const std::string text = DescriptionBytes(DescMemo->toPlainText(), memoCharset_);
    if (text == doc_->Description) return;
    doc_->SetModified(true);
    doc_->PushUndo("Beschreibung geändert");
    doc_->Description = text;
    FormResize();
}

void TMDIChild::GuardDescMemo() {
    FieldInput::Rules rules;
    rules.charset = [this] { return memoCharset_; };
    rules.maxBytes = kMaxDescription;
    descGuard_ = FieldInput::Guard(DescMemo, std::move(rules));
}

// The window's focused control, also while a menu of the frame has the
// keyboard.
bool TMDIChild::MemoFocused() const { return focusWidget() == DescMemo; }

bool TMDIChild::CurrentCell(int& column, int& row) const {
    const QModelIndex index = Tabelle->currentIndex();
    if (!index.isValid()) return false;
    column = index.column() + 1;
    row = index.row() + 1;
    return column >= 1 && column <= 7 && row >= 1 && row <= kMaxEntries;
}

void TMDIChild::Kopieren1Click() {
    if (MemoFocused()) {
        if (DescMemo->toPlainText().isEmpty()) return;
        const QTextCursor cursor = DescMemo->textCursor();
        SystemClipboard().setText(cursor.hasSelection() ? cursor.selection().toPlainText() : DescMemo->toPlainText());
        return;
    }
    if (MarksAny(doc_->Marks)) {
        Kopieren3Click();
        return;
    }
    int column = 0;
    int row = 0;
    if (!CurrentCell(column, row) || doc_->Entries[row].Field(column).Empty()) return;
    SystemClipboard().setText(model_->CellText(column, row));
}

void TMDIChild::Ausschneiden1Click() {
    if (MemoFocused()) {
        if (DescMemo->toPlainText().isEmpty()) return;
        doc_->PushUndo("Beschreibung geändert");
        doc_->SetModified(true);
        QTextCursor cursor = DescMemo->textCursor();
        if (!cursor.hasSelection()) cursor.select(QTextCursor::Document);
        SystemClipboard().setText(cursor.selection().toPlainText());
        cursor.removeSelectedText();
        return;
    }
    if (MarksAny(doc_->Marks)) {
        Ausschneiden3Click();
        return;
    }
    int column = 0;
    int row = 0;
    if (!CurrentCell(column, row) || doc_->Entries[row].Field(column).Empty()) return;
    doc_->SetModified(true);
    SystemClipboard().setText(model_->CellText(column, row));
    StoreCellEdit(*doc_, column, row, "");
}

void TMDIChild::Einfgen1Click() {
    const QString text = SystemClipboard().text();
    if (MemoFocused()) {
        if (text.isEmpty()) {
            Dialogs().MessageDlg("Kein Text in der Zwischenablage!", MsgDlgType::Information, platform::mbOK);
            return;
        }
        if (!DescMemo->textCursor().hasSelection()) DescMemo->selectAll();
        const FieldInput::Outcome pasted = descGuard_->Check(text);
        if (!pasted.refusal.empty()) {
            Dialogs().MessageDlg(pasted.refusal, MsgDlgType::Error, platform::mbOK);
            return;
        }
        if (pasted.cut) QApplication::beep();
        doc_->PushUndo("Text in Beschreibung eingefügt");
        doc_->SetModified(true);
        DescMemo->insertPlainText(pasted.text);
        return;
    }
    int column = 0;
    int row = 0;
    if (!CurrentCell(column, row)) return;
    if (text.isEmpty()) {
        TabMenuZTag = row;
        InhaltvordieserZeileeinfgen1Click();
        return;
    }
    PasteIntoCell(column, row, text);
}

void TMDIChild::PasteIntoCell(int column, int row, const QString& text) {
    const std::optional<std::string> bytes = ExactFieldBytes(text, model_->FieldFont(column).Charset);
    if (!bytes || !CellPasteAcceptable(*bytes)) {
        Dialogs().MessageDlg(bytes ? kCellPasteRefused : kLetterNotInCodePage, MsgDlgType::Error, platform::mbOK);
        return;
    }
    doc_->SetModified(true);
    StoreCellEdit(*doc_, column, row, *bytes);
}

void TMDIChild::Zwischenablageleeren1Click() { SystemClipboard().clear(); }

// ---- Entry clipboard ---------------------------------------------------------

void TMDIChild::Vokabelkopieren1Click() { CopyEntry(*doc_, TabMenuZTag); }

void TMDIChild::Kopieren3Click() {
    if (!MarksAny(doc_->Marks)) return;
    Hourglass hourglass;
    CopyMarkedEntries(*doc_);
}

void TMDIChild::Ausschneiden3Click() {
    if (!MarksAny(doc_->Marks)) return;
    Hourglass hourglass;
    CutMarkedEntries(*doc_);
}

void TMDIChild::Einfgen3Click() { InsertEntriesBefore(*doc_, TabMenuZTag, "Vokabeln einfügen"); }

void TMDIChild::InhaltvordieserZeileeinfgen1Click() {
    InsertEntriesBefore(*doc_, TabMenuZTag, "Inhalt vor Zeile einfügen");
}

// ---- Row commands -------------------------------------------------------------

void TMDIChild::SortByColumn(int x, int y, int column) {
    if (column == 0) {
        if (x == 0 && y == 0) {
            QApplication::beep();
            return;
        }
        if (y >= 25) return;
        tabelle::FieldWidths widths;
        for (int c = 1; c <= 7; ++c) widths[c - 1] = ColWidth(c);
        const int left = std::max(0, Tabelle->horizontalHeader()->logicalIndexAt(0)) + 1;
        // Counted from 30 on, not from the number column's edge.
        column = tabelle::ColumnAtX(std::max(x, kMarkColumnWidth), kMarkColumnWidth, left, widths);
    }
    if (column < 1 || column > 7) {
        // Right of the last column there is nothing to sort by.
        QApplication::beep();
        return;
    }
    SortRows(*doc_, column);
}

void TMDIChild::SortierenClick() {
    Hourglass hourglass;
    // The entry editor's typing goes into the snapshot, as in every row command.
    RowsChanging rows(*doc_);
    doc_->PushUndo("Alphabetisch sortieren");
    SortByColumn(TabMenuSTag, 10, 0);
    RemoveGaps(*doc_, false);
}

void TMDIChild::Vermischen1Click() {
    Hourglass hourglass;
    ShuffleEntries(*doc_);
}

void TMDIChild::Lckenlschen1Click() {
    Hourglass hourglass;
    RemoveGaps(*doc_);
}

void TMDIChild::DoppelteVokabelnlschen1Click() {
    Hourglass hourglass;
    RemoveDuplicates(*doc_);
}

void TMDIChild::DelLineClick() { DeleteLine(*doc_, TabMenuZTag); }

void TMDIChild::leereZeileeinfgen1Click() { InsertBlankLine(*doc_, TabMenuZTag); }

void TMDIChild::Inhaltlschen1Click() { ClearLine(*doc_, TabMenuZTag); }

void TMDIChild::Lschen1Click() {
    if (!MarksAny(doc_->Marks)) return;
    Hourglass hourglass;
    DeleteMarkedRows(*doc_);
}

void TMDIChild::MarkMenuPopup() {
    const bool single = !MarksSeveral(doc_->Marks);
    Einfgen3->setEnabled(single);
    Bearbeiten4->setEnabled(single);
}

void TMDIChild::TabMenuZPopup() {
    MarksClear(doc_->Marks);
    RefreshGrid();
}

// ---- Mouse ---------------------------------------------------------------------

int TMDIChild::TopRow() const { return std::max(0, Tabelle->rowAt(0)) + 1; }

int TMDIChild::RowAtY(int y) const {
    const int modelRow = Tabelle->rowAt(y - Tabelle->horizontalHeader()->height());
    if (modelRow < 0) return 0;
    const int row = modelRow + 1;
    return row >= 1 && row <= std::min(kMaxEntries, model_->GridRowCount() - 1) ? row : 0;
}

void TMDIChild::RepaintMarks() {
    Tabelle->viewport()->update();
    Tabelle->verticalHeader()->viewport()->update();
}

bool TMDIChild::TabelleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                                 const QPoint& globalPos) {
    const int headerHeight = Tabelle->horizontalHeader()->height();
    const int numberWidth = ColWidth(0);
    if (button == Qt::RightButton) {
        if (y < headerHeight) {
            MarksClear(doc_->Marks);
            RepaintMarks();
            TabMenuSTag = x;
            Sortieren->setEnabled(x >= numberWidth);
            TabMenuS->popup(globalPos);
            return true;
        }
        if (x >= numberWidth) {
            doc_->DragStartY = y;
            doc_->DragTopRow = TopRow();
            Tabelle->viewport()->setCursor(Qt::SizeVerCursor);
            return true;
        }
        const int row = RowAtY(y);
        if (row == 0) return true;
        TabMenuZTag = row;
        Tabelle->setCurrentIndex(model_->index(row - 1, 0));
        const QRect rowRect = Tabelle->visualRect(model_->index(row - 1, 0));
        const QPoint below(globalPos.x(), Tabelle->viewport()->mapToGlobal(rowRect.bottomLeft()).y() + 1);
        if (MarksGet(doc_->Marks, row)) {
            MarkMenuPopup();
            MarkMenu->popup(below);
        } else {
            TabMenuZPopup();
            TabMenuZ->popup(below);
        }
        return true;
    }
    if (button != Qt::LeftButton) return false;
    if (x >= kMarkColumnWidth) {
        if (MarksAny(doc_->Marks)) {
            MarksClear(doc_->Marks);
            RepaintMarks();
        }
        return false;
    }
    if (y < headerHeight) {
        MarkByLeftClick(doc_->Marks, MarkArea::NumberHeader, 0, false, false, doc_->LastUsedRow());
        RefreshGrid();
        RepaintMarks();
        return true;
    }
    const int row = RowAtY(y);
    if (row == 0) return true;
    const int column = std::max(0, Tabelle->currentIndex().column());
    Tabelle->setCurrentIndex(model_->index(row - 1, column));
    MarkByLeftClick(doc_->Marks, MarkArea::NumberColumn, row, (modifiers & Qt::ShiftModifier) != 0,
                    (modifiers & Qt::ControlModifier) != 0, doc_->LastUsedRow());
    RepaintMarks();
    return true;
}

void TMDIChild::TabelleMouseMove(Qt::MouseButtons buttons, int y) {
    if ((buttons & Qt::RightButton) == 0) {
        Tabelle->viewport()->unsetCursor();
        return;
    }
    if (doc_->DragStartY <= 0) return;
    const int clientHeight = Tabelle->horizontalHeader()->height() + Tabelle->viewport()->height();
    const int top = tabelle::DragTopRow(doc_->DragTopRow, y - doc_->DragStartY, doc_->LastUsedRow(), clientHeight,
                                        RowHeight());
    const int modelRow = std::min(top, model_->GridRowCount() - 1) - 1;
    if (modelRow >= 0) {
        Tabelle->scrollTo(model_->index(modelRow, std::max(0, Tabelle->columnAt(0))), QAbstractItemView::PositionAtTop);
    }
}

void TMDIChild::TabelleMouseUp(Qt::MouseButton button, int y, const QPoint& globalPos) {
    if (button != Qt::RightButton) return;
    if (doc_->DragStartY > 0 && y == doc_->DragStartY) tabelle_main_menu->popup(globalPos);
    doc_->DragStartY = 0;
    doc_->DragTopRow = 0;
    Tabelle->viewport()->unsetCursor();
}

bool TMDIChild::GridMouseEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The paste key on the grid itself pastes as in the open cell editor
    // (TabelleDelegate's PasteRequested): the text into the current cell,
    // or the entry clipboard before the current row.
    if (watched == Tabelle && type == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        Einfgen1Click();
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return false;
    }
    // Grid client pixels: the header row and the number column count in.
    QPoint offset;
    if (watched == Tabelle->viewport()) {
        offset = QPoint(ColWidth(0), Tabelle->horizontalHeader()->height());
    } else if (watched == Tabelle->verticalHeader()->viewport()) {
        offset = QPoint(0, Tabelle->horizontalHeader()->height());
    } else if (watched == Tabelle->horizontalHeader()->viewport()) {
        offset = QPoint(ColWidth(0), 0);
    } else if (qobject_cast<QAbstractButton*>(watched) == nullptr || watched->parent() != Tabelle) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint p = mouse->position().toPoint() + offset;
    const QPoint global = mouse->globalPosition().toPoint();
    switch (type) {
        case QEvent::MouseButtonPress:
            return TabelleMouseDown(mouse->button(), mouse->modifiers(), p.x(), p.y(), global);
        case QEvent::MouseButtonDblClick:
            // The number column's double click belongs to the entry editor.
            return p.x() < kMarkColumnWidth;
        case QEvent::MouseMove:
            TabelleMouseMove(mouse->buttons(), p.y());
            return doc_->DragStartY > 0;
        default:
            TabelleMouseUp(mouse->button(), p.y(), global);
            return false;
    }
}
