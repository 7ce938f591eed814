#pragma once
// The quiz dialog "Vokabeln abfragen": one question at a time on the input
// page, the verdict below it, the statistics page at the end. It is made
// once and reused; every showing starts a fresh quiz on the entries the
// caller copied into its session. The dialog holds the quizzed document
// window itself, so the error list it may create never takes its place.

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

#include "training/QuizSession.h"

class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;
class PieBox;
class QuizHost;
class TMDIChild;

class TAbfrageForm : public QDialog {
    Q_OBJECT
public:
    explicit TAbfrageForm(QWidget* parent = nullptr, OptionenTyp& options = Optionen,
                          RandomSource& random = ProgramRandom());
    ~TAbfrageForm() override;

    QuizSession& Session() { return session_; }
    // Set by the caller before showing: the window whose entries are asked
    // (its fonts, its list for the trick menu) and the frame around it.
    void SetQuizDocument(TMDIChild* window);
    void SetHost(QuizHost* host) { host_ = host; }
    // The quizzed document's file name, for the progress line and the printout.
    void SetQuizFileName(const std::string& fileName) {
        fileName_ = fileName;
        session_.SetFileName(fileName);
    }
    // The error sound's player; the dialog's own one when not set.
    void SetSound(ErrorSound* sound);
    // Where "Ergebnis drucken" prints: empty for the default printer, else a
    // PDF file.
    void SetPrintFileName(const std::string& fileName) { printFileName_ = fileName; }
    // The error list of the running quiz, or null.
    TMDIChild* ErrorListWindow() const;

    // Handlers.
    void FormShow();
    void OKBtnClick();
    void AbortBtnClick() { reject(); }
    void StatistikFertigButtonClick() { accept(); }
    void NochMalButtonClick() { FormShow(); }
    void TipBtnClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void WrongBlinkTimerTimer();
    void muteClick();
    void SonderzButton2Click();
    void SonderzButton2MouseDown(const QPoint& pos);
    void SonderzTimer2Timer();
    void grnClick();
    void ROT1Click();
    void NEBEL1Click();
    void WEGDAMIT1Click();

    // Components.
    QStackedWidget* AbfrNotebook = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    std::array<QLabel*, 5> Abf{};
    QLabel *Richtung1, *Richtung2, *VokNr, *Anleitung;
    QLineEdit* AbfrEdit = nullptr;
    QPushButton *OKBtn, *AbortBtn, *TipBtn, *BitBtn1, *SonderzButton2;
    QToolButton* mute = nullptr;
    QLabel *Bewertung, *Anzeige1, *Anzeige2, *Anzeige3, *Fortschritt;
    QLabel *Image1, *Image2, *Image3, *HLine1, *HLine2;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* WrongBlinkTimer = nullptr;
    QTimer* SonderzTimer2 = nullptr;
    QLabel* TrickLabel = nullptr;
    QMenu* Trickmenu = nullptr;
    QAction *grn, *ROT1, *NEBEL1, *WEGDAMIT1;
    QLabel* Statistik1 = nullptr;
    PieBox* PieBoxWidget = nullptr;
    QPushButton *StatistikFertigButton, *NochMalButton, *BitBtn2;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QuizHost* Host();
    void BuildInputPage(QWidget* page);
    void BuildStatisticsPage(QWidget* page);
    void ApplyFonts();
    void LayOutVerdict();
    void ShowQuestion();
    // The progress text as it fits its label.
    QString ProgressLine() const;
    void ShowStatistics();
    void SetUpErrorList();
    TMDIChild* FindErrorList() const;
    void InsertAtCaret(const std::string& bytes);
    void SetAnzeige2Face(const std::optional<uint32_t>& color);

    OptionenTyp& options_;
    QuizSession session_;
    std::unique_ptr<ErrorSound> ownSound_;
    QuizHost* host_ = nullptr;
    std::unique_ptr<QuizHost> fallbackHost_;
    std::string fileName_;
    QPointer<TMDIChild> quizWindow_;
    QPointer<TMDIChild> errorList_;
    std::string printFileName_;
    uint8_t askedCharset_ = 0;
    uint8_t typedCharset_ = 0;
    bool specialChosen_ = false;
};
