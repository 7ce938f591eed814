#pragma once
// The new-file wizard: a new document, empty or from a template of the
// templates folder, or one of the recent files opened or trained. It works
// on the frame's documents through NewWizardFrame.

#include <QDialog>
#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class TMDIChild;

// What the wizard asks of the frame.
class NewWizardFrame {
public:
    virtual ~NewWizardFrame() = default;
    virtual void WizardOpenFile(const std::string& path) = 0;
    virtual void WizardNewFromTemplate(const std::string& templatePath) = 0;
    virtual void WizardNewEmpty() = 0;
    virtual void WizardUpdateMRU(const std::string& path) = 0;
    virtual void WizardOpenDialog() = 0;
    virtual TMDIChild* WizardActiveDocument() = 0;
};

enum class WizardMode { Learn, Quiz, Hangman };

class TNewWizard : public QDialog {
    Q_OBJECT
public:
    explicit TNewWizard(NewWizardFrame& frame, QWidget* parent = nullptr);

    // How a mode starts on a document the wizard opened; the quiz is the
    // document's own, learning and hangman register theirs. A mode without
    // a start cannot be chosen.
    using ModeStart = std::function<void(TMDIChild&)>;
    static void SetModeStart(WizardMode mode, ModeStart start);

    // Set before a modal show from the menu: the next show opens on "Neu"
    // and the next close keeps the stored page.
    bool ForceNewPage = false;

    int exec() override;
    void done(int result) override;

    // Rebuilds the lists; keepPage after "aus der Liste löschen".
    void FormShow(bool keepPage = false);
    void PageControlChange();
    void BitBtn1Click();
    void BitBtn3Click();
    void ListBox1DblClick();
    void LastFilesBoxDblClick();
    void CreateDocument(bool editorByBox, bool editorAlways);
    void OpenSelectedFiles();
    void StartMode(WizardMode mode);
    void ausderListelschen1Click();
    void Vorlagelschen1Click();

    QTabWidget* PageControl = nullptr;
    QWidget* New = nullptr;
    QWidget* Open = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QCheckBox* open_edit_box = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* LastFilesBox = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* HelpButt = nullptr;
    QCheckBox* CheckBox1 = nullptr;

    QMenu* vorlagen_popup = nullptr;
    QAction *DateinachdieserVorlageerstellen1, *Dateierstellenundsofortbearbeiten1, *Vorlagelschen1;
    QMenu* lastfiles_popup = nullptr;
    QAction *ffnen1, *Lernen1, *Abfragen1, *Hangman1, *ausderListelschen1;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPopups();
    std::vector<std::string> SelectedFiles() const;
    void ShowFolderOfCurrentFile();

    NewWizardFrame& frame_;
    bool modal_ = false;
};
