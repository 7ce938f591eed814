#pragma once
// The main window: the frame around the document windows. It creates every
// document window, opens files (from its dialog, the recent files, the
// command line, a second start's hand-over and drops), keeps the recent
// files, and records the window and the open documents when it closes.
// Commands whose handlers belong to later work exist disabled.

#include <QMainWindow>
#include <string>
#include <vector>

#include "documents/ui/new_wiz.h"
#include "frame/CommandLine.h"
#include "frame/OpenQueue.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class TMDIChild;

// Hand-overs and drops wait here while a dialog runs or a document is being
// created; the program's dialog seam holds it busy around every request.
OpenQueue& MainOpenQueue();

class TMainForm : public QMainWindow, private NewWizardFrame {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The document windows, topmost first.
    std::vector<TMDIChild*> Documents() const;
    // The active document window, also while another program has the focus.
    TMDIChild* ActiveDocument() const;

    // A document window for a file, or a new empty one for the marker ESC.
    // Nothing when loading failed (the message has been shown). Only files
    // chosen in the open dialog pass its filter index: 2, the DOS filter,
    // makes the reader refuse other extensions.
    TMDIChild* CreateMDIChild(const std::string& name, int lastOpenFilterIndex = 0);
    TMDIChild* CreateMDIChildFromTemplate(const std::string& templateName);
    // Opens the file or brings its window to the front; a file that is gone
    // is reported and leaves the recent files.
    void OpenFile(const std::string& path, int lastOpenFilterIndex = 0);
    // Puts path first in the recent files and rebuilds their menu items; an
    // empty path only rebuilds them.
    void UpdateMRU(const std::string& path);
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
    void Neu1Click();
    void SpeedButton1Click() { Neu1Click(); }
    void NeueDateiffnen1Click() { Neu1Click(); }
    void FileExitItemClick() { close(); }
    void _LastFilesClick(int tag);
    // The new-file wizard: from the menu and the toolbar on "Neu", from
    // the desktop popup on the page used last.
    void FileNewItemClick();
    void SpeedButton2Click() { FileNewItemClick(); }
    void NeuWizard1Click();
    TNewWizard* NewWizard = nullptr;

    uint8_t StartMode = kStartNone;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // Every document has agreed: geometry, open documents, all options.
    void FormCloseQuery();
    void BuildMenus();
    void BuildToolbar();
    void BuildDeskPopUp();
    void WireDocument(TMDIChild* child);
    TMDIChild* ShowNewDocument(TMDIChild* child, const std::string& caption);
    // OpenFile for a file that exists.
    void OpenExistingFile(const std::string& path, int lastOpenFilterIndex);
    // The frame's menus, or the active document's in place of "Datei" and
    // "Vokabeln".
    void MergeMenus();

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
