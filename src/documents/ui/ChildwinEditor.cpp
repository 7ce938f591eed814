// The document window's roads to the entry editor and to the search dialog.

#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <algorithm>
#include <functional>

#include "documents/ui/Childwin.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/Edit.h"
#include "documents/ui/TabelleModel.h"
#include "documents/ui/searchUnit.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hourglass.h"

using platform::Dialogs;
using platform::ModalResult;
using platform::MsgDlgType;

namespace {

// The number column's double click, seen before the grid's own mouse
// handling takes it.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void(int, int)> handler)
        : QObject(parent), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            handler_(p.x(), p.y());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(int, int)> handler_;
};

constexpr int kDoubleClickEdge = 30;

bool AskMoveEditor() {
    return Dialogs().MessageDlg("Der Editdialog ist bereits geöffnet und wird zum Bearbeiten einer anderen "
                                "Vokabeldatei genutzt. Dialog schließen und mit dieser Vokabeldatei neu öffnen?",
                                MsgDlgType::Confirmation, platform::mbYes | platform::mbNo) == ModalResult::Yes;
}

// The editor on window at row; a visible editor on another document moves
// only when the user agrees, storing and closing there first.
void OpenEditorOn(TEditForm& editor, TMDIChild& window, int row) {
    if (editor.isVisible() && editor.EditDocument && !AskMoveEditor()) return;
    if (editor.isVisible()) editor.ButtonFertigClick();
    window.Document().PushUndo("Editieren/Eingeben");
    editor.EditDocument = &window;
    editor.StartRow = row;
    editor.ShowEditor();
}

}  // namespace

void TMDIChild::WireEntryEditor() {
    Bearbeiten1->setCheckable(true);
    for (QAction* action : {Bearbeiten1, B1, Bearbeiten3, Bearbeiten4, Bearbeiten5}) action->setEnabled(true);
    connect(Bearbeiten1, &QAction::triggered, this, &TMDIChild::Bearbeiten1Click);
    connect(Bearbeiten5, &QAction::triggered, this, &TMDIChild::Bearbeiten1Click);
    connect(B1, &QAction::triggered, this, &TMDIChild::B1Click);
    connect(Bearbeiten3, &QAction::triggered, this, &TMDIChild::Bearbeiten3Click);
    connect(Bearbeiten4, &QAction::triggered, this, &TMDIChild::Bearbeiten3Click);
    // Installed after the grid's filter, so it sees the event first.
    Tabelle->verticalHeader()->viewport()->installEventFilter(
        new DoubleClickFilter(this, [this](int x, int y) { TabelleDblClick(x, y); }));
}

void TMDIChild::WireSearch() {
    Suchen1->setEnabled(true);
    Weitersuchen1->setEnabled(true);
    connect(Suchen1, &QAction::triggered, this, &TMDIChild::Suchen1Click);
    connect(Weitersuchen1, &QAction::triggered, this, &TMDIChild::Weitersuchen1Click);
}

// ---- Entry editor ----------------------------------------------------------------

void TMDIChild::openEditDialog(int row) {
    MarksClear(doc_->Marks);
    TEditForm* editor = TEditForm::Instance(this);
    if (editor->EditsDocument(this)) {
        editor->ButtonFertigClick();
    } else {
        OpenEditorOn(*editor, *this, row);
    }
    Bearbeiten1->setChecked(editor->isVisible());
    doc_->SetModified(true);
    RefreshGrid();
    AutoSizeColumns(10, 10, 0, true);
}

void TMDIChild::Bearbeiten1Click() { openEditDialog(doc_->CountUsedEntries() + 1); }

void TMDIChild::B1Click() { openEditDialog(std::max(0, Tabelle->currentIndex().row()) + 1); }

void TMDIChild::Bearbeiten3Click() {
    Tabelle->viewport()->update();
    TEditForm* editor = TEditForm::Instance(this);
    if (editor->EditsDocument(this)) {
        doc_->PushUndo("Editieren/Eingeben");
        editor->StartRow = TabMenuZTag;
        editor->FormShow();
    } else {
        OpenEditorOn(*editor, *this, TabMenuZTag);
    }
    Hourglass hourglass;
    editor->StartRow = 0;
    Bearbeiten1->setChecked(editor->isVisible());
    doc_->SetModified(true);
    AutoSizeColumns(10, 10, 0, true);
}

void TMDIChild::TabelleDblClick(int x, int y) {
    if (x >= kDoubleClickEdge) return;
    const int row = RowAtY(y + Tabelle->horizontalHeader()->height());
    if (row == 0) return;
    TabMenuZTag = row;
    Bearbeiten3Click();
}

// ---- Search ------------------------------------------------------------------------

void TMDIChild::SelectSearchResult(int row, int field) {
    if (row < 1 || row > kMaxEntries) return;
    Hourglass hourglass;
    const int column = std::clamp(field == 0 ? 1 : field, 1, 7);
    // The hits come from the entries as they were when searched; the grid
    // may have fewer rows now.
    const QModelIndex index = model_->index(row - 1, column - 1);
    if (!index.isValid()) return;
    Tabelle->setCurrentIndex(index);
    if (Tabelle->isVisible()) Tabelle->setFocus();
}

void TMDIChild::Suchen1Click() {
    MarksClear(doc_->Marks);
    Tabelle->viewport()->update();
    TheDocumentFrame().CloseEditorsBeforeNew();
    TSearchForm* search = TSearchForm::Instance(this);
    search->SearchMode = 1;
    search->ShowFor(this);
    SelectSearchResult(search->ResultRow, search->ResultField);
}

void TMDIChild::Weitersuchen1Click() {
    TSearchForm* search = TSearchForm::Instance(this);
    if (search->SearchMode != 1) {
        Suchen1Click();
        return;
    }
    Hourglass hourglass;
    if (search->FindNextHit(this)) SelectSearchResult(search->ResultRow, search->ResultField);
}
