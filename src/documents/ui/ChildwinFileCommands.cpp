// The document window's file commands and document-wide settings: save,
// save as, export, append, template, properties, fonts, column names, the
// sort dialog and a search result's source file.

#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "documents/DocumentFileCommands.h"
#include "documents/RowOperations.h"
#include "documents/SmallDialogs.h"
#include "documents/ui/Beschreibung_box.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/FeldauswahlForm.h"
#include "documents/ui/Font_select_unit.h"
#include "documents/ui/SpaltenNamenUnit.h"
#include "platform/CaseFold.h"
#include "platform/ui/Hourglass.h"

namespace {

// A double click on the description line opens the properties.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(std::function<void()> handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return QObject::eventFilter(watched, event);
        handler_();
        return true;
    }

private:
    std::function<void()> handler_;
};

void CloseEditors() { TheDocumentFrame().CloseEditorsBeforeNew(); }

}  // namespace

void TMDIChild::WireFileCommands() {
    doc_->SaveAsHandler = [this] { return Speichernunter1Click(); };
    const std::pair<QAction*, void (TMDIChild::*)()> commands[] = {
        {Speichern1, &TMDIChild::Speichern1Click},
        {Exportieren1, &TMDIChild::Exportieren1Click},
        {Hinzufgen1, &TMDIChild::Hinzufgen1Click},
        {AlsVorlagespeichern1, &TMDIChild::AlsVorlagespeichern1Click},
        {Beschreibungndern1, &TMDIChild::Beschreibungndern1Click},
        {Eigenschaften1, &TMDIChild::Beschreibungndern1Click},
        {SchriftartenfrdieseDatei1, &TMDIChild::SchriftartenfrdieseDatei1Click},
        {Spaltennamen1, &TMDIChild::Spaltennamen1Click},
        {Namen1, &TMDIChild::Spaltennamen1Click},
        {Alphabetischsortieren1, &TMDIChild::Alphabetischsortieren1Click},
        {FileofVok, &TMDIChild::FileofVokClick},
    };
    for (const auto& [action, handler] : commands) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    }
    Speichernunter1->setEnabled(true);
    connect(Speichernunter1, &QAction::triggered, this, [this] { Speichernunter1Click(); });
    Importieren1->setEnabled(true);
    connect(Importieren1, &QAction::triggered, this, [] {
        CloseEditors();
        TheDocumentFrame().ImportFiles();
    });
    Optionen1->setEnabled(true);
    connect(Optionen1, &QAction::triggered, this, [] {
        CloseEditors();
        TheDocumentFrame().ShowOptionsPage(-1);
        // The description line may have been switched on or off.
        for (TMDIChild* window : TheDocumentFrame().DocumentWindows()) window->FormResize();
    });
    Hilfe1->setEnabled(true);
    connect(Hilfe1, &QAction::triggered, this,
            [] { TheDocumentFrame().ShowHelpPage("Allgemeines\\markieren.html"); });
    connect(TabMenuZ, &QMenu::aboutToShow, this, &TMDIChild::SourceFileItem);
    DescMemo->viewport()->installEventFilter(new DoubleClickFilter([this] { Beschreibungndern1Click(); }, this));
}

void TMDIChild::Speichern1Click() { doc_->Save(); }

bool TMDIChild::Speichernunter1Click() {
    CloseEditors();
    FileCommandHooks hooks;
    hooks.editProperties = [this](VocabDocument&) { Beschreibungndern1Click(); };
    hooks.updateMRU = [](const std::string& name) { TheDocumentFrame().UpdateMRU(name); };
    const bool saved = SaveDocumentAs(*doc_, hooks);
    TheDocumentFrame().UpdateMenuItems();
    return saved;
}

void TMDIChild::Exportieren1Click() {
    CloseEditors();
    ExportDocument(*doc_);
}

void TMDIChild::Hinzufgen1Click() {
    CloseEditors();
    const std::string name = ChooseFileToAppend(*doc_);
    if (!name.empty()) {
        Hourglass hourglass;
        // Rows opened by the frame's open dialog only take its filter there.
        if (!AppendVocabularyFile(*doc_, name, 0)) return;
        AutoSizeColumns(10, 10, 0, false);
    }
    RefreshGrid();
    FormResize();
    TheDocumentFrame().UpdateMenuItems();
}

void TMDIChild::AlsVorlagespeichern1Click() {
    CloseEditors();
    SaveDocumentAsTemplate(*doc_);
}

void TMDIChild::Beschreibungndern1Click() {
    CloseEditors();
    const DocumentProperties current{doc_->Description, doc_->ReadPassword, doc_->WritePassword};
    const std::optional<DocumentProperties> edited =
        DateiEigenschaften_Form().Edit(current, doc_->Fonts.TableHeader.Charset);
    if (!edited) return;
    if (ApplyProperties(*doc_, *edited)) {
        RefreshGrid();
        FormResize();
    }
    TheDocumentFrame().UpdateMenuItems();
}

void TMDIChild::SchriftartenfrdieseDatei1Click() {
    CloseEditors();
    if (!ShowDocumentFontsDialog(*this)) return;
    SetModified(true);
    RefreshGrid();
}

void TMDIChild::Spaltennamen1Click() {
    CloseEditors();
    SpaltenNamenForm().Run(this);
}

void TMDIChild::Alphabetischsortieren1Click() {
    CloseEditors();
    MarksClear(doc_->Marks);
    RepaintMarks();
    TFeldAuswahl& dialog = FeldAuswahl();
    dialog.setWindowTitle(QStringLiteral("Sortieren..."));
    dialog.UmlBox->setChecked(Optionen.UmlauteUmwandeln);
    dialog.UmlBox->show();
    dialog.Label1->setText(QStringLiteral("sortieren nach:"));
    if (dialog.Run(doc_->ColumnNames, doc_->Fonts.TableHeader.Charset) == QDialog::Accepted) {
        Hourglass hourglass;
        Optionen.UmlauteUmwandeln = dialog.UmlBox->isChecked();
        SortByField(*doc_, dialog.AuswahlBox->currentIndex() + 1);
    }
    dialog.UmlBox->hide();
    // Gaps close after a cancelled sort too.
    Hourglass hourglass;
    RemoveGaps(*doc_, false);
}

void TMDIChild::SourceFileItem() {
    const bool searchResult = doc_->Caption.find(SearchResultCaption) != std::string::npos;
    const int row = TabMenuZTag;
    const std::string file = row >= 1 && row <= kMaxEntries ? doc_->SourceFiles[row] : std::string();
    FileofVok->setVisible(searchResult && !file.empty());
    // The path rides along as data: a "&" in it must not become a mark.
    QString caption = QString::fromStdString(file);
    FileofVok->setText(caption.replace('&', QStringLiteral("&&")));
    FileofVok->setData(QString::fromStdString(file));
}

void TMDIChild::FileofVokClick() {
    const std::string name = FileofVok->data().toString().toStdString();
    if (name.empty()) return;
    TMDIChild* shown = nullptr;
    for (TMDIChild* window : TheDocumentFrame().DocumentWindows()) {
        if (window != this && platform::EqualsIgnoreCase(window->Document().FileName, name)) shown = window;
    }
    if (shown != nullptr) {
        if (shown->mdiArea() != nullptr) shown->mdiArea()->setActiveSubWindow(shown);
        shown->raise();
    } else {
        shown = TheDocumentFrame().OpenDocument(name);
    }
    if (shown != nullptr) TheDocumentFrame().UpdateMRU(name);
}
