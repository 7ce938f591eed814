#pragma once
// The main window: the frame around the document windows. It creates every
// document window, opens files (from its dialog, the recent files, the
// command line, a second start's hand-over and drops), keeps the recent
// files, and records the window and the open documents when it closes.
// It carries the menus, the toolbar and the status bar, keeps them in step
// with the documents, and serves the special-character popups and the help
// bridge for the other windows: it is their DocumentFrame while it exists.
// Main.cpp holds its creation, start and close; MainDocuments.cpp the
// opening of documents; MainMenus.cpp its menus, toolbar and status bar;
// MainCommands.cpp the commands behind them.

#include <QMainWindow>
#include <QPoint>
#include <memory>
#include <string>
#include <vector>

#include "documents/ui/DocumentFrame.h"
#include "documents/ui/new_wiz.h"
#include "frame/CommandLine.h"
#include "frame/OpenQueue.h"
#include "frame/WheelScroll.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class TAboutBox;
class TAllgOpt;
class TFileSearchForm;
class TMDIChild;
class TSearchInfoForm;
class QuizHost;
namespace platform {
struct FileDialogResult;
}

// Changes the working folder to the chosen files' one, as the option asks.
void FollowChosenFolder(const platform::FileDialogResult& result);

// Hand-overs and drops wait here while a dialog runs or a document is being
// created; the program's dialog seam holds it busy around every request.
OpenQueue& MainOpenQueue();

class TMainForm : public QMainWindow, public DocumentFrame, private NewWizardFrame {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The document windows, topmost first.
    std::vector<TMDIChild*> Documents() const;
    std::vector<TMDIChild*> DocumentWindows() const override { return Documents(); }
    // The active document window, also while another program has the focus.
    TMDIChild* ActiveDocument() const override;

    // The name that asks CreateMDIChild for a new empty document.
    static constexpr const char* kEmptyMarker = "\x1b";
    // A document window for a file, or a new empty one for kEmptyMarker.
    // Nothing when loading failed (the message has been shown). Only files
    // chosen in the open dialog pass its filter index: 2, the DOS filter,
    // makes the reader refuse other extensions.
    TMDIChild* CreateMDIChild(const std::string& name, int lastOpenFilterIndex = 0);
    TMDIChild* OpenDocument(const std::string& name) override { return CreateMDIChild(name); }
    TMDIChild* CreateMDIChildFromTemplate(const std::string& templateName);
    // Opens the file or brings its window to the front; a file that is gone
    // is reported and leaves the recent files.
    void OpenFile(const std::string& path, int lastOpenFilterIndex = 0);
    // Puts path first in the recent files and rebuilds their menu items; an
    // empty path only rebuilds them.
    void UpdateMRU(const std::string& path) override;
    // A second start's command line: its files, last first, without messages.
    void OpenHandedOverFiles(const std::string& commandLine);
    // Files dropped on the window, in the order the drop lists them.
    void OpenDroppedFiles(const std::vector<std::string>& paths);

    // After show(): the command line, reopening the last files, the empty
    // start document; then the splash timer runs.
    void FormShow(const std::vector<std::string>& args, const std::string& cwd);
    void SplashTimerTimer();

    // Handlers.
    void FileOpenItemClick();
    void Dateiffnen1Click() { FileOpenItemClick(); }
    void Importieren1Click();
    void ImportFiles() override { Importieren1Click(); }
    void Neu1Click();
    void NewEmptyDocument() override { Neu1Click(); }
    void SpeedButton1Click() { Neu1Click(); }
    void NeueDateiffnen1Click() {
        CloseEditorsBeforeNew();
        Neu1Click();
    }
    void FileExitItemClick() { close(); }
    void Pelko32beenden1Click() { close(); }
    void _LastFilesClick(int tag);
    // The new-file wizard: from the menu and the toolbar on "Neu", from
    // the desktop popup on the page used last.
    void FileNewItemClick();
    void SpeedButton2Click() { FileNewItemClick(); }
    void NeuWizard1Click();
    TNewWizard* NewWizard = nullptr;

    // The help viewer on a page of the help folder ("Dialogfelder\suchen.html").
    void ShowHelpPage(const std::string& page) override;
    // The application's help handler: the page of a help context.
    void HelpContextToPage(int context);

    // Toolbar, window menu and status bar after a change of the documents.
    void UpdateMenuItems() override;
    // The entry editor stores and closes, a visible wizard hides; always true.
    bool CloseEditorsBeforeNew() override;
    // Bpop (or BpopCz) at a screen point; true when a character was chosen:
    // it is then the option "Letztes Sonderzeichen".
    bool PopupSpecialCharacters(const QPoint& globalPos, bool centralEuropean) override;
    void ShowEntryCount(const QString& text) override;
    void ShowOptionsPage(int page) override;

    void InDateiensuchen1Click();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void Untereinander1Click();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void HomepageffnenInternetanschluntig1Click();
    void Pelko32Vokabelarchivonline1Click();
    void HelpAboutItemClick();
    // The general options dialog on the page last shown.
    void Optionen2Click();
    void OptionenBtnClick();
    void EditBtnClick();
    void Kennwortschutzndern1Click();
    void LernBtnClick();
    void AbfragBtnClick();
    void HangmanBtnClick();
    void DruckBtnClick();

    uint8_t StartMode = kStartNone;
    // Bit 0: Shift was held at the last mouse-down on a mode button.
    uint8_t ModeButtonShift = 0;
    // 1 once an item of either special-character popup was chosen.
    int BpopTag = 0;

    QMdiArea* ClientArea = nullptr;
    QTimer* SplashTimer = nullptr;

    QMenu* Datei = nullptr;
    QAction *Neu1, *FileNewItem, *FileOpenItem, *Importieren1, *Speichern1, *InderRegistryanmelden1, *Optionen2,
        *FMT, *FileExitItem;
    QAction* FM[9] = {};  // FM1 to FM9, the recent files
    QMenu* Vokabeln = nullptr;
    QAction* InDateiensuchen1 = nullptr;
    QMenu* Fenster = nullptr;
    QAction *WindowCascadeItem, *WindowTileItem, *Untereinander1, *WindowArrangeItem, *WindowMinimizeItem;
    QMenu* Hilfe = nullptr;
    QAction *Index1, *ErsteSchritte1, *SymboleinderSymbolleiste1, *Optionen3, *Homepage1, *Pelko32Vokabelarchiv1,
        *NeuesindieserVersion1, *Suchen1, *HelpAboutItem;

    QToolBar* SpeedPanel = nullptr;
    QAction *SpeedButton1, *SpeedButton2, *OpenBtn, *SaveBtn, *UndoBtn, *UnundoBtn, *DruckBtn, *CutBtn, *CopyBtn,
        *PasteBtn, *Searchbtn, *SearchAgainBtn, *EditBtn, *LernBtn, *AbfragBtn, *HangmanBtn, *AutoSizeBtn, *FontBtn,
        *OptionenBtn;

    QMenu* DeskPopUp = nullptr;
    QAction *LeereDatei1, *NeuWizard1, *Dateioeffnen1, *Pelko32beenden1;
    QMenu* KennwortMenu = nullptr;
    QAction* Kennwortschutzndern1 = nullptr;
    QMenu* Bpop = nullptr;
    QMenu* BpopCz = nullptr;
    QLabel* StatusPanels[3] = {};

    TAboutBox* AboutBox = nullptr;
    TAllgOpt* AllgOpt = nullptr;
    TSearchInfoForm* SearchInfoForm = nullptr;
    TFileSearchForm* FileSearchForm = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    // Every document has agreed: geometry, open documents, all options.
    void FormCloseQuery();
    void BuildMenus();
    void BuildToolbar();
    void BuildDeskPopUp();
    void BuildStatusBar();
    void BuildSpecialCharPopups();
    void StatusBarResize();
    void ShowHintInStatusBar(const QString& hint);
    // The active document's handler behind a toolbar button.
    void Forward(QAction* TMDIChild::*item);
    // Shift opens the options on the mode's page first; Cancel starts nothing.
    void StartModeFromButton(int optionsPage, void (*start)(TMDIChild&));
    bool EntryEditorVisible() const;
    void TileDocuments(bool sideBySide);
    void ShowWindowList();
    bool WheelOverGrid(QObject* viewport, QEvent* event);
    void WireDocument(TMDIChild* child);
    TMDIChild* ShowNewDocument(TMDIChild* child, const std::string& caption);
    // OpenFile for a file that exists.
    void OpenExistingFile(const std::string& path, int lastOpenFilterIndex);
    // The frame's menus, or the active document's in place of "Datei" and
    // "Vokabeln".
    void MergeMenus();

    std::unique_ptr<QuizHost> quizHost_;
    bool wheelHook_ = true;  // off with "Disable Mouse Wheel", read at creation
    WheelSteps wheelSteps_;

    void WireWizard();
    void WizardOpenFile(const std::string& path) override { OpenFile(path); }
    void WizardNewFromTemplate(const std::string& templatePath) override { CreateMDIChildFromTemplate(templatePath); }
    void WizardNewEmpty() override { Neu1Click(); }
    void WizardUpdateMRU(const std::string& path) override { UpdateMRU(path); }
    void WizardOpenDialog() override { FileOpenItemClick(); }
    TMDIChild* WizardActiveDocument() override { return ActiveDocument(); }
};

// The main window while it exists.
extern TMainForm* MainForm;

// The program's help handler: every help context of a box or a control
// ends in a page of the help folder, through the main window.
void HelpContextToMainForm(int context);
