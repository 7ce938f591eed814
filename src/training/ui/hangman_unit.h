#pragma once
// "Hangman": guessing the words of a document letter by letter, with a
// picture series that moves towards the hanged figure on each wrong guess.
// Made once and reused; every showing starts afresh on the entries the
// caller copied in.

#include <QDialog>
#include <QPointer>
#include <memory>

#include "documents/ui/Childwin.h"
#include "training/HangmanGame.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QuizHost;
class StateLed;

class THangmanForm : public QDialog {
    Q_OBJECT
public:
    explicit THangmanForm(QWidget* parent = nullptr, OptionenTyp& options = Optionen,
                          RandomSource& random = ProgramRandom());
    ~THangmanForm() override;

    // Filled by the caller before showing.
    VokabelArrayTyp& Entries() { return *entries_; }
    // The window played from: its last used row and its fonts.
    void SetHangmanDocument(TMDIChild* window) { window_ = window; }
    void SetHost(QuizHost* host) { host_ = host; }
    const HangmanGame& Game() const { return game_; }

    // Handlers.
    void FormShow();
    void LayoutHangman();
    void NextWord();
    void HangmanBoxKeyPress(char key);
    void SonderzButton3Click();
    void SonderzButton3MouseDown(const QPoint& pos);
    void SonderzTimer3Timer();
    void HelpButtClick();
    void BitBtn1Click();

    // Components.
    QLabel* HangmanImage = nullptr;
    QLineEdit* HangmanBox = nullptr;
    QLabel *Label1, *TransLabel, *WeiterLabel;
    StateLed* StateLED = nullptr;
    QPushButton *BitBtn1, *HelpButt, *SonderzButton3, *EditOptionenButt;
    QTimer* SonderzTimer3 = nullptr;

    // Set-up facts.
    std::string InfoFileName;
    std::string PicturePattern;
    uint8_t FirstPicture = 0;
    uint8_t LastPicture = 0;
    int BoxTop = 0;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QuizHost* Host() const;
    void CloseSoon();
    void ShowPicture(int number);
    void ShowWord();
    void ShowState();

    OptionenTyp& options_;
    HangmanGame game_;
    std::unique_ptr<VokabelArrayTyp> entries_;
    QPointer<TMDIChild> window_;
    QuizHost* host_ = nullptr;
    uint8_t boxCharset_ = 0;
    bool closing_ = false;
    bool pictureErrorShown_ = false;
    bool specialChosen_ = false;
};

// The hangman dialog of the run, made on first use.
THangmanForm& HangmanForm();

// Hangman1Click of `window`.
void StartHangman(TMDIChild& window, ModeOrigin origin, THangmanForm& form);

// Makes the document windows' hangman commands start the game.
void RegisterHangmanStart();
