#pragma once
// "Abfrage-Optionen": the compact quiz options shown before a quiz, and the
// choice of the entries to ask. Made once; the choice of entries stays from
// one quiz to the next.

#include <QDialog>
#include <array>

#include "documents/AppSettings.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

class TAbfrOptForm : public QDialog {
    Q_OBJECT
public:
    explicit TAbfrOptForm(QWidget* parent = nullptr, OptionenTyp& options = Optionen);

    // count: the document's complete entries. Accepted or Rejected.
    int ShowQuizOptions(int count);

    void FormShow();
    void CountButtonsClick();
    void vokanz2Change(int value);
    void AbfrCount2Change(int value);
    void BitBtn1Click();
    void BitBtn3Click();

    // AbfrRichtung2: item 0 "Muttersprache --> Fremdsprache", item 1 the reverse.
    std::array<QRadioButton*, 2> AbfrRichtung2{};
    QCheckBox *ZufallBox2, *createList2, *beeponerrorbox2;
    QRadioButton *allbtn, *randomnumberbtn, *markedbtn;
    QSpinBox* vokanz2 = nullptr;
    QSlider* AbfrCount2 = nullptr;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;

protected:
    void showEvent(QShowEvent* event) override;

private:
    OptionenTyp& options_;
};

// The dialog of the run, made on first use.
TAbfrOptForm& AbfrOptForm();

// Makes the quiz start show the compact options.
void RegisterQuizOptionsDialog();
