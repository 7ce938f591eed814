#pragma once
// The general options dialog "Optionen": six pages over the options record.
// One instance lives for the run and opens on the page last shown unless the
// caller names one. Its "Dateien..." page also registers the vocabulary file
// type, which the frame offers once at start as well.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "frame/OptionsDialogModel.h"
#include "platform/Dialogs.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QuizSound;

class TAllgOpt : public QDialog {
    Q_OBJECT
public:
    explicit TAllgOpt(QWidget* parent = nullptr);
    ~TAllgOpt() override;

    // Modal; page < 0 keeps the page last shown. OK, Abort (Abbruch) or
    // Cancel (close box, Escape).
    platform::ModalResult ShowModalOnPage(int page);

    void FormShow();
    // Uebernehmen: the controls into Optionen; the dialog stays open.
    ApplyResult Uebernehmen1Click();
    void Optionen_OKButonClick();
    // Not from the button it asks only once after an installation.
    void AnmeldenClick(bool fromButton);

    QTabWidget* PageControl1 = nullptr;
    QWidget *DruckPage, *AbfrPage, *FilePage, *EingPage, *HangmPage, *LernPage;

    QLabel* BeispielLabel = nullptr;
    QCheckBox *VokAnzahlBox, *VokNumber, *GitterNetzBox, *Descr_Box, *UmbrechBox, *VerkleinernBox;
    QRadioButton *maxPtBox, *bisPasstBox;
    QLineEdit* MaxPt = nullptr;
    QToolButton *SpinUp, *SpinDown;  // SpinButton1
    QPushButton* FontBtn = nullptr;

    QGroupBox* AbfrRichtung = nullptr;
    QCheckBox *ZufallBox, *BisRichtig, *WiederholenAnz, *Tips, *OptvorAbfr, *GrossKlein, *FUZZYBox, *MB_zulassen,
        *CreateList, *BeepOnErrorBox, *BlinkOnErrorBox, *AskForUserNameBox;
    QRadioButton *wiederholen_direkt, *wiederholen_zufall;
    QLineEdit *Prozentangabe, *beep_name;
    QGroupBox* MB_Richtig = nullptr;
    QPushButton *WTLogikBtn, *SpeedButton4, *SpeedButton5;

    QCheckBox *Ersetzen, *Trennen, *MakeSic, *UseStdVerzBox, *ChangeDirBox, *StartWithFileBox, *StartWithWiz,
        *restoreFilesBox, *notify_schreibschutz1;
    QLineEdit *VerzName, *Vorl_Verz;
    QPushButton *SpeedButton1, *SpeedButton3, *Anmelden;

    QGroupBox* zuerstAktiv = nullptr;
    QCheckBox *Semikolon, *Semikolon_language, *Enterwechselt, *ShowDescBox, *DescAtFirstSave, *SearchAutoFuzzyBox,
        *mwheel;
    QPushButton* BitBtn8 = nullptr;

    QLineEdit* HangmanFiles = nullptr;
    QCheckBox *AskFSBox, *AskMSBox, *OnlyFirst, *ShowTransl, *HangmBisRichtigBox, *DoppelteBuchst, *OptAtStart,
        *UmlauteTrennenBox;
    QPushButton *SpeedButton2, *HangmanPictInfo;

    QGroupBox* LernArtBox = nullptr;
    QCheckBox* EinzelneBedBox = nullptr;
    QSpinBox* LernAnzBox = nullptr;

    QPushButton *Optionen_OKButon, *Optionen_AbbrechButton, *Uebernehmen1, *BitBtn1;

    // Close box: Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is the "Abbruch" button's key: Abort.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildDruckPage();
    void BuildAbfrPage();
    void BuildFilePage();
    void BuildEingPage();
    void BuildHangmPage();
    void BuildLernPage();
    void BuildButtons();
    void FormCreate();  // tooltips

    // The model and the controls.
    void ReadControls();
    void ShowState();
    void ShowSample();
    // Reads the controls, runs the rule, shows the result.
    void Rule(void (*rule)(OptionsDialogState&));
    OptionsChecks Checks();
    void FieldExit(QObject* field);

    void SpeedButton5Click();
    void FontBtnClick();
    void BrowseFolder(QLineEdit* edit);
    void BrowseFile(QLineEdit* edit, const char* filter, const char* defaultExt);
    void FormClose();

    OptionsDialogState state_;
    platform::ModalResult result_ = platform::ModalResult::None;
    std::unique_ptr<QuizSound> sound_tester;

    struct CheckBinding {
        QCheckBox* box;
        bool OptionsDialogState::*value;
        bool OptionsDialogState::*enabled;  // or nullptr
    };
    struct EditBinding {
        QLineEdit* edit;
        std::string OptionsDialogState::*value;
    };
    struct GroupBinding {
        QGroupBox* group;
        int OptionsDialogState::*value;
    };
    std::vector<CheckBinding> checks_;
    std::vector<EditBinding> edits_;
    std::vector<GroupBinding> groups_;
};
