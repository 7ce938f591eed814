#pragma once
// The column-names dialog: the seven captions of the active document's grid.

#include <QDialog>
#include <QPointer>

class QGroupBox;
class QLineEdit;
class QPushButton;
class TMDIChild;

class TSpaltenNamenForm : public QDialog {
    Q_OBJECT
public:
    explicit TSpaltenNamenForm(QWidget* parent = nullptr);

    // Shows the names of the target window modally and stores them on OK.
    // Without a target: the error "AktivKind=NIL" and nothing else.
    void Run(TMDIChild* target);

    QGroupBox *FSEditBox, *MSEditBox;
    QLineEdit* Edits[7] = {};  // FSEdit1, FSEdit2, MSEdit1 to MSEdit5
    QPushButton *BitBtn1, *BitBtn2;

    void BitBtn1Click();

private:
    void FormShow();

    QPointer<TMDIChild> target_;
};

// Created once; keeps its state between uses.
TSpaltenNamenForm& SpaltenNamenForm();
