#pragma once
// "Vokabeln lernen": one side of a random due item of the document, the
// other side on "Zeigen", then the next item, until every show is used up.
// Made once and reused; every showing starts afresh on the given window.

#include <QDialog>
#include <QPointer>

#include "documents/ui/Childwin.h"
#include "training/LearnSession.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

class TLernForm : public QDialog {
    Q_OBJECT
public:
    explicit TLernForm(QWidget* parent = nullptr, OptionenTyp& options = Optionen,
                       RandomSource& random = ProgramRandom());

    // The document window whose entries are learned; set before showing.
    void SetLearnDocument(TMDIChild* window) { window_ = window; }
    const LearnSession& Session() const { return session_; }

    // Handlers.
    void FormShow();
    void ShowNextEntry();
    void ShowBtnClick();
    void NextBtnClick();
    void LernOptionenButtClick();
    void ButtonHelpClick();
    void AbortBtnClick() { reject(); }
    void ROT1Click();
    void NEBEL1Click();
    void WEGDAMIT1Click();

    // Components.
    QLabel* AnzeigeL = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel *RichtigL, *Fortschritt;
    QPushButton *ShowBtn, *NextBtn, *AbortBtn, *LernOptionenButt, *ButtonHelp, *AgainBtn;
    QLabel* TrickLabel2 = nullptr;
    QMenu* Trickmenu = nullptr;
    QAction *ROT1, *NEBEL1, *WEGDAMIT1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CloseSoon();
    void SwapButtons(bool showVisible);

    OptionenTyp& options_;
    LearnSession session_;
    QPointer<TMDIChild> window_;
    uint8_t revealCharset_ = 0;
};

// The learning dialog of the run, made on first use.
TLernForm& LernForm();

// Lernen1Click of `window`.
void StartLearning(TMDIChild& window, ModeOrigin origin, TLernForm& form);

// Makes the document windows' learning commands start learning.
void RegisterLearnStart();
