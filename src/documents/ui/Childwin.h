#pragma once
// The document window: one per open vocabulary document, showing it in the
// grid Tabelle with the description line above. The window owns its
// VocabDocument; the commands of the menus and popups act on it. Each
// command is enabled where its handler is connected, so none is live
// without one.

#include <QMdiSubWindow>
#include <memory>

#include "documents/VocabDocument.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class FieldInput;
class TabelleDelegate;
class TabelleModel;

// Where a training command came from: the marked-rows popup quizzes the
// marks, the new-file wizard counts the list as visible before the mode.
enum class ModeOrigin { Menu, MarkedRows, Wizard };

class TMDIChild : public QMdiSubWindow, private DocumentView {
    Q_OBJECT
public:
    // Loads what the request names and makes the window, added to the area
    // when one is given. Nothing when loading failed or the user chose Abort;
    // the message has been shown then.
    static TMDIChild* Create(const DocumentRequest& request, QMdiArea* area = nullptr);

    explicit TMDIChild(std::unique_ptr<VocabDocument> document, QWidget* parent = nullptr);
    ~TMDIChild() override;

    VocabDocument& Document() { return *doc_; }
    const VocabDocument& Document() const { return *doc_; }
    TabelleModel& Model() { return *model_; }

    // Set by the frame after creation.
    void SetCaption(const std::string& caption);
    void SetTag(int tag);

    // The menus the frame shows while this window is active.
    QList<QMenu*> MainMenu1() const;

    // Grid and layout.
    void RefreshRow(int row);
    void RefreshGrid() override;
    // Column 0: the column under x, or all columns when x lies in the number
    // column.
    void AutoSizeColumns(int x, int y, int column, bool refresh);
    void EqualColumnWidths();
    void FormResize() override;
    void HideTable();
    int ColWidth(int column) const;
    int RowHeight() const;
    int GridClientWidth() const;

    void SetModified(bool modified) { doc_->SetModified(modified); }
    bool AskSaveChanges() { return doc_->AskSaveChanges(); }

    // Handlers.
    void TabelleAutoSizeClick();
    void AutoSizeClick(int headerX);
    void gleichmigverteilen1Click();
    void Ansichtaktualisieren1Click();
    void Anzeigen1Click();
    void AnzeigButtonClick();
    // The quiz lives above the documents and registers its start at start.
    using QuizStarter = void (*)(TMDIChild& window, ModeOrigin origin);
    static void SetQuizStarter(QuizStarter starter);
    void Abfragen1Click(ModeOrigin origin = ModeOrigin::Menu);
    // Learning and hangman register their starts the same way.
    static void SetLearnStarter(QuizStarter starter);
    static void SetHangmanStarter(QuizStarter starter);
    void Lernen1Click(ModeOrigin origin = ModeOrigin::Menu);
    void Hangman1Click(ModeOrigin origin = ModeOrigin::Menu);

    // Printing: the print window gets a copy of the document; from the
    // frame's toolbar button it prints at once, else the dialog comes first.
    void Drucken1Click();
    void StartPrint(bool fromToolbar = false);

    // Undo and redo (beep when there is no step).
    void UndoMenuClick();
    void UnundoMenuClick();

    // Cell and description editing; the system clipboard by the focused
    // control, the entry clipboard for marked rows.
    void TabelleSetEditText(int column, int row, const QString& text);
    void DescMemoChange();
    void Kopieren1Click();
    void Ausschneiden1Click();
    void Einfgen1Click();
    // The menu's checked paste into a whole cell: a text over 55 characters,
    // with a line break or with a letter the column's code page lacks is
    // refused, the field keeps 50.
    void PasteIntoCell(int column, int row, const QString& text);
    void Zwischenablageleeren1Click();
    void Vokabelkopieren1Click();
    void Kopieren3Click();
    void Ausschneiden3Click();
    void Einfgen3Click();
    void InhaltvordieserZeileeinfgen1Click();

    // The entry editor: F4 and the table popup open it on the row behind
    // the used ones (or close it), Shift+F4 on the current row, the row
    // popups and the number column's double click on the clicked row.
    void openEditDialog(int row);
    void Bearbeiten1Click();
    void B1Click();
    void Bearbeiten3Click();
    void TabelleDblClick(int x, int y);

    // Search within the document; "Weitersuchen" walks on.
    void Suchen1Click();
    void Weitersuchen1Click();

    // Row commands; the single-row ones act on TabMenuZTag.
    void SortierenClick();
    // Header position x, y, or a column 1-7.
    void SortByColumn(int x, int y, int column);
    void Vermischen1Click();
    void Lckenlschen1Click();
    void DoppelteVokabelnlschen1Click();
    void DelLineClick();
    void leereZeileeinfgen1Click();
    void Inhaltlschen1Click();
    void Lschen1Click();
    void MarkMenuPopup();
    void TabMenuZPopup();

    // File commands and document-wide settings; each first has the frame
    // close the entry editor.
    void Speichern1Click();
    bool Speichernunter1Click();
    void Exportieren1Click();
    void Hinzufgen1Click();
    void AlsVorlagespeichern1Click();
    void Beschreibungndern1Click();
    void SchriftartenfrdieseDatei1Click();
    void Spaltennamen1Click();
    void Alphabetischsortieren1Click();
    // A search result's row: its source file, shown or opened.
    void FileofVokClick();

    // Mouse on the grid, in grid client pixels (header row and number
    // column included). True when the press was taken.
    bool TabelleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                          const QPoint& globalPos);
    void TabelleMouseMove(Qt::MouseButtons buttons, int y);
    void TabelleMouseUp(Qt::MouseButton button, int y, const QPoint& globalPos);
    // The grid row under y, or 0 outside the rows the grid shows.
    int RowAtY(int y) const;
    int TopRow() const;

    // The row a row popup refers to; the x of a header popup.
    int TabMenuZTag = 0;
    int TabMenuSTag = 0;

    // Components.
    QTableView* Tabelle = nullptr;
    QPlainTextEdit* DescMemo = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* AnzeigButton = nullptr;
    QLabel* MSCLab = nullptr;
    QLabel* FSCLab = nullptr;

    QMenu* Datei1 = nullptr;
    QAction *Neu2, *Neu1, *Oeffnen1, *Hinzufgen1, *Importieren1, *Speichern1, *Speichernunter1,
        *AlsVorlagespeichern1, *Exportieren1, *Schliessen1, *Eigenschaften1, *Drucken1, *Optionen1, *FT, *Beenden1;
    QAction* F[9] = {};  // F1 to F9, the recent files
    QMenu* Bearbeiten2 = nullptr;
    QAction *UndoMenu, *UnundoMenu, *Kopieren1, *Ausschneiden1, *Einfgen1, *Zwischenablageleeren1;
    QMenu* Vokabeln1 = nullptr;
    QAction *Bearbeiten1, *B1, *Lernen1, *Abfragen1, *Hangman1, *Drucken2, *Suchen1, *Weitersuchen1,
        *InDateiensuchen1, *Beschreibungndern1;
    QMenu* Liste1 = nullptr;
    QAction *Lckenlschen1, *DoppelteVokabelnlschen1, *Alphabetischsortieren1, *Vermischen1, *Anzeigen1,
        *Ansichtaktualisieren1, *Spaltennamen1, *TabelleAutoSize, *gleichmigverteilen1,
        *SchriftartenfrdieseDatei1;

    QMenu* TabMenuS = nullptr;
    QAction *Namen1, *Sortieren, *AutoSize;
    QMenu* TabMenuZ = nullptr;
    QAction *Bearbeiten3, *Vokabelkopieren1, *InhaltvordieserZeileeinfgen1, *leereZeileeinfgen1, *Inhaltlschen1,
        *DelLine, *FileofVok;
    QMenu* MarkMenu = nullptr;
    QAction *Bearbeiten4, *Kopieren3, *Ausschneiden3, *Einfgen3, *Lschen1, *ctx_menu_abfragen, *Hilfe1;
    QMenu* TabMenuMZ = nullptr;
    QAction *Kopieren2, *Ausschneiden2, *Einfgen2;
    QMenu* tabelle_main_menu = nullptr;
    QAction *Bearbeiten5, *Drucken3, *Lernen2, *Abfragen2, *Hangman2, *Schlieen1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CaptionChanged() override;
    void CellChanged(int column, int row) override;
    void UndoStateChanged() override;
    bool MemoFocused() const;
    // Typing and pastes in the description line: its code page, 250 characters.
    void GuardDescMemo();
    void RepaintMarks();
    // The grid's current cell (column 1-7, row 1-500), or false.
    bool CurrentCell(int& column, int& row) const;
    bool GridMouseEvent(QObject* watched, QEvent* event);
    void FormShow();
    void BuildMenus();
    void WirePrinting();
    void WireFileCommands();
    void SourceFileItem();
    void WireEntryEditor();
    void WireSearch();
    // The grid's cell of a search result, when the grid has that row.
    void SelectSearchResult(int row, int field);
    void ApplyFonts();
    int MemoLineCount() const;
    int WidestText(int column, const QFont& font) const;

    std::unique_ptr<VocabDocument> doc_;
    TabelleModel* model_ = nullptr;
    TabelleDelegate* delegate_ = nullptr;
    QWidget* client_ = nullptr;
    bool formShown_ = false;
    bool settingMemo_ = false;  // the memo's text is set from Description
    uint8_t memoCharset_ = 0;
    FieldInput* descGuard_ = nullptr;
};
